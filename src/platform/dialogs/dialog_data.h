#pragma once

// Inside the platform layer only: the Qt dialog behind a Dialog.

#include "platform/dialog.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <map>
#include <memory>
#include <vector>

namespace platform {

// The Qt dialog: Escape and the close box become command 2 for the procedure.
class DialogWidget : public QDialog {
public:
    // anySize: the desktop may give the dialog any size (see WindowData::toolkitTitleBar).
    DialogWidget(QWidget* parent, Dialog& owner, bool anySize) : QDialog(parent), owner_(owner), anySize_(anySize) {}
    void reject() override;
    // Holds the dialog at its own size; or, where it may have any size, at
    // least that size, with its controls kept together in the middle.
    void holdSize(QSize size);
    // Where the template's (0, 0) is in the dialog now.
    QPoint origin() const { return shift_; }
    QSize ownSize() const { return own_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        reject();
    }

private:
    Dialog& owner_;
    bool anySize_;
    QSize own_;
    QPoint shift_;
};

struct DialogData {
    std::unique_ptr<DialogWidget> widget;
    DialogProc proc = nullptr;
    void* context = nullptr;
    std::map<int, QWidget*> controls;
    std::vector<QWidget*> templateOrder;
    std::vector<QButtonGroup*> groups;
    QPushButton* defaultButton = nullptr;
    QLabel* hint = nullptr;
    int result = 0;
    bool ended = false;

    // The control with this id, if it is of the given kind; else null.
    template <class Kind>
    Kind* control(int id) const
    {
        const auto found = controls.find(id);
        return found == controls.end() ? nullptr : qobject_cast<Kind*>(found->second);
    }

    void command(Dialog& dialog, int id) const
    {
        if (proc)
            proc(dialog, DialogEvent::Command, id, context);
    }
};

} // namespace platform
