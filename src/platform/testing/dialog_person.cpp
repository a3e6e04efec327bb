#include "platform/dialog.h"

#include "platform/dialogs/dialog_data.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <array>
#include <utility>

// What a person does with an open dialog, sent through Qt's events as the
// keyboard and mouse would send them.
namespace platform {

void Dialog::click(int id)
{
    if (auto* button = data_->control<QAbstractButton>(id)) {
        if (button->isEnabled())
            button->click();
    }
}

void Dialog::type(int id, std::string_view utf8)
{
    auto* edit = data_->control<QLineEdit>(id);
    if (!edit)
        return;
    edit->setFocus();
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A character outside the basic plane arrives as one key press of two code units.
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text.mid(i, length));
        QCoreApplication::sendEvent(edit, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, text.mid(i, length));
        QCoreApplication::sendEvent(edit, &release);
        i += length - 1;
    }
}

void Dialog::paste(int id, std::string_view utf8)
{
    auto* edit = data_->control<QLineEdit>(id);
    if (!edit)
        return;
    edit->setFocus();
    QGuiApplication::clipboard()->setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QCoreApplication::sendEvent(edit, &press);
}

void Dialog::pressKey(DialogKey key)
{
    static constexpr std::array<std::pair<Qt::Key, char>, 6> keys{{
        {Qt::Key_Return, '\r'},
        {Qt::Key_Tab, '\t'},
        {Qt::Key_Home, 0},
        {Qt::Key_End, 0},
        {Qt::Key_Left, 0},
        {Qt::Key_Right, 0},
    }};
    const auto [code, character] = keys[static_cast<std::size_t>(key)];
    QWidget* target = data_->widget->focusWidget();
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, character ? QString(QChar(character)) : QString());
    QCoreApplication::sendEvent(target ? target : data_->widget.get(), &press);
}

void Dialog::pressEscape()
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(data_->widget.get(), &press);
}

void Dialog::closeBox()
{
    data_->widget->close();
}

} // namespace platform
