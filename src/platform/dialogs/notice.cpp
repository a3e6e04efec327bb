#include "platform/notice.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace platform {

namespace {

std::string shown;
QPointer<QMessageBox> box;

// The game's window, so that the box opens over it.
QWidget* gameWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isWindow() && widget->isVisible() && widget->windowType() == Qt::Window)
            return widget;
    }
    return nullptr;
}

} // namespace

void notifyPlayer(std::string_view utf8)
{
    if (!shown.empty() || utf8.empty() || !QApplication::instance())
        return;
    shown = utf8;
    box = new QMessageBox(QMessageBox::Warning, QStringLiteral("タマロ"),
                          QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())), QMessageBox::Ok,
                          gameWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

std::string shownNotice()
{
    return shown;
}

void forgetNotice()
{
    delete box.data();
    shown.clear();
}

} // namespace platform
