#include "platform/dialog.h"

#include "platform/dialogs/dialog_data.h"
#include "platform/dialogs/edit_limit.h"
#include "platform/sjis.h"
#include "platform/surface.h"
#include "platform/draw/surface_data.h"
#include "platform/window/window_data.h"

#include <QButtonGroup>
#include <QDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace platform {

namespace {

Dialog* openDialog = nullptr;

QFont dialogFont(const DialogTemplate& dialogTemplate)
{
    QString face = QString::fromUtf8(dialogTemplate.fontFace);
    if (!QFontDatabase::families().contains(face))
        face = face.contains(QStringLiteral("明朝")) ? QStringLiteral("IPAPMincho") : QStringLiteral("IPAPGothic");
    QFont font(face);
    font.setPointSize(dialogTemplate.fontPoints);
    return font;
}

} // namespace

void DialogWidget::reject()
{
    owner_.data()->command(owner_, 2);
}

// Return presses the push button that has the focus, or else the default
// button, whether or not the platform told the buttons about the focus.
void DialogWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    QPushButton* button = focused ? focused : owner_.data()->defaultButton;
    if (button && button->isEnabled())
        button->click();
}

void DialogWidget::holdSize(QSize size)
{
    own_ = size;
    if (!anySize_) {
        setFixedSize(size);
        return;
    }
    setMinimumSize(size);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (!isMaximized() && !isFullScreen())
        resize(size);
}

void DialogWidget::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const QPoint centred(std::max(0, (width() - own_.width()) / 2), std::max(0, (height() - own_.height()) / 2));
    const QPoint by = centred - shift_;
    if (by.isNull())
        return;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->move(child->pos() + by);
    shift_ = centred;
}

Dialog::Dialog() : data_(std::make_unique<DialogData>())
{
}

Dialog::~Dialog() = default;

int Dialog::run(Window& owner, const DialogTemplate& dialogTemplate, DialogProc proc, void* context)
{
    Dialog dialog;
    DialogData& data = *dialog.data_;
    data.proc = proc;
    data.context = context;
    data.widget = std::make_unique<DialogWidget>(frameOf(owner), dialog, owner.data()->toolkitTitleBar);
    DialogWidget& widget = *data.widget;
    // Customised, so that the dialog asks the window manager for neither
    // minimise nor maximise.
    widget.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint);
    widget.setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
    widget.setModal(true);
    const QFont font = dialogFont(dialogTemplate);
    widget.setFont(font);

    // Dialog units: a quarter of the font's average character width, an eighth of its height.
    const QFontMetrics metrics(font);
    const int alphabetWidth =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int baseX = (alphabetWidth / 26 + 1) / 2;
    const int baseY = metrics.height();
    auto toPixelsX = [baseX](int units) { return units * baseX / 4; };
    auto toPixelsY = [baseY](int units) { return units * baseY / 8; };

    QButtonGroup* group = nullptr;
    Dialog* self = &dialog;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        const QString text = QString::fromUtf8(control.text);
        QWidget* made = nullptr;
        switch (control.kind) {
        case ControlKind::DefaultButton:
        case ControlKind::Button: {
            auto* button = new QPushButton(text, &widget);
            // The focused button is drawn as the one Return presses.
            button->setAutoDefault(true);
            button->setDefault(control.kind == ControlKind::DefaultButton);
            if (control.kind == ControlKind::DefaultButton)
                data.defaultButton = button;
            QObject::connect(button, &QPushButton::clicked, &widget,
                             [self, id = control.id] { self->data()->command(*self, id); });
            made = button;
            break;
        }
        case ControlKind::GroupBox:
        case ControlKind::FlatGroupBox: {
            auto* box = new QGroupBox(text, &widget);
            box->setFlat(control.kind == ControlKind::FlatGroupBox);
            box->lower();
            made = box;
            break;
        }
        case ControlKind::RadioButton: {
            auto* radio = new QRadioButton(text, &widget);
            if (control.startsGroup || !group) {
                group = new QButtonGroup(&widget);
                data.groups.push_back(group);
            }
            group->addButton(radio);
            QObject::connect(radio, &QRadioButton::clicked, &widget,
                             [self, id = control.id] { self->data()->command(*self, id); });
            made = radio;
            break;
        }
        case ControlKind::StaticText: {
            auto* label = new QLabel(text, &widget);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            made = label;
            break;
        }
        case ControlKind::Picture: {
            auto* label = new QLabel(&widget);
            const Surface picture = Surface::fromPicture(control.text);
            if (!picture.isEmpty())
                label->setPixmap(QPixmap::fromImage(picture.data()->image));
            made = label;
            break;
        }
        case ControlKind::Edit: {
            auto* edit = new QLineEdit(&widget);
            QObject::connect(edit, &QLineEdit::textEdited, &widget, [self, id = control.id] {
                DialogData& d = *self->data();
                if (d.proc)
                    d.proc(*self, DialogEvent::Changed, id, d.context);
            });
            made = edit;
            break;
        }
        }
        made->setGeometry(toPixelsX(control.x), toPixelsY(control.y), toPixelsX(control.width),
                          toPixelsY(control.height));
        if (control.kind == ControlKind::Picture)
            made->resize(made->sizeHint().expandedTo(QSize(1, 1)));
        data.controls[control.id] = made;
        data.templateOrder.push_back(made);
    }
    data.hint = new QLabel(&widget);
    data.hint->setStyleSheet(QStringLiteral("color: #b00000"));
    data.hint->setWordWrap(true);
    const int width = toPixelsX(dialogTemplate.width);
    const int height = toPixelsY(dialogTemplate.height);
    data.hint->setGeometry(4, height, width - 8, 0);
    data.hint->hide();
    widget.holdSize(QSize(width, height));
    // The template's position is counted from the owner's client area.
    if (QWidget* client = owner.data()->client)
        widget.move(client->mapToGlobal(QPoint(toPixelsX(dialogTemplate.x), toPixelsY(dialogTemplate.y))));

    for (QWidget* control : data.templateOrder) {
        if (control->focusPolicy() != Qt::NoFocus) {
            control->setFocus();
            break;
        }
    }

    Dialog* const outer = openDialog;
    openDialog = &dialog;
    if (proc)
        proc(dialog, DialogEvent::Init, 0, context);
    if (!data.ended)
        widget.exec();
    openDialog = outer;
    return data.result;
}

Dialog* Dialog::active()
{
    return openDialog && !openDialog->data_->ended ? openDialog : nullptr;
}

void Dialog::end(int result)
{
    data_->result = result;
    data_->ended = true;
    data_->widget->done(result);
}

bool Dialog::isChecked(int id) const
{
    const auto* button = data_->control<QAbstractButton>(id);
    return button && button->isChecked();
}

void Dialog::setChecked(int id, bool checked)
{
    if (auto* button = data_->control<QAbstractButton>(id))
        button->setChecked(checked);
}

std::string Dialog::textUtf8(int id) const
{
    if (const auto* edit = data_->control<QLineEdit>(id))
        return edit->text().toStdString();
    if (const auto* label = data_->control<QLabel>(id))
        return label->text().toStdString();
    if (const auto* button = data_->control<QAbstractButton>(id))
        return button->text().toStdString();
    if (const auto* box = data_->control<QGroupBox>(id))
        return box->title().toStdString();
    return {};
}

std::string Dialog::text(int id) const
{
    std::string bytes;
    for (const auto& character : sjisCharacters(QString::fromStdString(textUtf8(id)))) {
        if (character)
            bytes += *character;
    }
    return bytes;
}

void Dialog::setText(int id, std::string_view sjisText)
{
    const QString text = QString::fromStdString(sjis::toUtf8(sjisText));
    if (auto* edit = data_->control<QLineEdit>(id))
        edit->setText(text);
    else if (auto* label = data_->control<QLabel>(id))
        label->setText(text);
    else if (auto* button = data_->control<QAbstractButton>(id))
        button->setText(text);
}

void Dialog::setTextLimit(int id, int bytes)
{
    if (auto* edit = data_->control<QLineEdit>(id))
        edit->setValidator(new EditLimit(bytes, edit->text(), edit));
}

void Dialog::showHint(std::string_view utf8)
{
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QLabel& hint = *data_->hint;
    hint.setText(text);
    hint.setVisible(!text.isEmpty());
    // As many lines as the wrapped text takes, and the dialog grows to show them all.
    const int height = text.isEmpty() ? 0 : hint.heightForWidth(hint.width());
    hint.resize(hint.width(), height);
    DialogWidget& widget = *data_->widget;
    const QPoint own = hint.pos() - widget.origin();
    widget.holdSize(QSize(widget.ownSize().width(), own.y() + (text.isEmpty() ? 0 : height + own.x())));
}

std::string Dialog::hint() const
{
    return data_->hint->isVisible() ? data_->hint->text().toStdString() : std::string{};
}

std::string Dialog::caption() const
{
    return data_->widget->windowTitle().toStdString();
}

bool Dialog::hasFocus(int id) const
{
    const QWidget* widget = data_->control<QWidget>(id);
    return widget && data_->widget->focusWidget() == widget;
}

} // namespace platform
