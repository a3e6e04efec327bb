#include "platform/window/window_data.h"

#include "platform/window/wm_hints.h"
#include "platform/draw/surface_data.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QTimerEvent>
#include <QWindow>

#include <algorithm>
#include <array>

namespace platform {

namespace {

struct KeyCode {
    int qtKey;
    std::uint32_t vk;
};

constexpr std::array<KeyCode, 15> namedKeys{{
    {Qt::Key_Left, vk::Left},
    {Qt::Key_Up, vk::Up},
    {Qt::Key_Right, vk::Right},
    {Qt::Key_Down, vk::Down},
    {Qt::Key_Space, vk::Space},
    {Qt::Key_Escape, vk::Escape},
    {Qt::Key_Return, vk::Return},
    {Qt::Key_Enter, vk::Return},
    {Qt::Key_Backspace, 0x08},
    {Qt::Key_Tab, 0x09},
    {Qt::Key_Home, 0x24},
    {Qt::Key_End, 0x23},
    {Qt::Key_PageUp, 0x21},
    {Qt::Key_PageDown, 0x22},
    {Qt::Key_Pause, vk::Pause},
}};

// The game's virtual-key code of a key press; 0 for keys it has no code for.
std::uint32_t virtualKey(const QKeyEvent& event)
{
    const int key = event.key();
    const bool keypad = event.modifiers() & Qt::KeypadModifier;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<std::uint32_t>(key - Qt::Key_0) + (keypad ? vk::Numpad0 : 0x30u);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::uint32_t>(key - Qt::Key_A) + 0x41u;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return static_cast<std::uint32_t>(key - Qt::Key_F1) + 0x70u;
    for (const KeyCode& code : namedKeys) {
        if (code.qtKey == key)
            return code.vk;
    }
    return 0;
}

} // namespace

ClientWidget::ClientWidget(WindowData& window) : window_(window)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClientWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QImage& image = window_.screen.data()->image;
    if (image.isNull())
        return;
    const int zoom = window_.shownZoom();
    const QRect picture = window_.pictureRect();
    // Each changed part on its own: the title's cells lie far apart, and their
    // bounding rectangle would redraw most of the panel at every tick.
    for (const QRect& r : event->region()) {
        // Around a picture that the desktop's size leaves room for: plain background.
        for (const QRect& margin : QRegion(r).subtracted(picture))
            painter.fillRect(margin, palette().window());
        const QRect shown = r.intersected(picture).translated(-picture.topLeft());
        if (shown.isEmpty())
            continue;
        // Whole client pixels, each drawn as a block without smoothing.
        const QRect source(QPoint(shown.left() / zoom, shown.top() / zoom),
                           QPoint(shown.right() / zoom, shown.bottom() / zoom));
        painter.drawImage(QRect(picture.topLeft() + source.topLeft() * zoom, source.size() * zoom), image, source);
    }
    if (window_.pauseMark) {
        // Two white bars on a dark square, in client pixels times the zoom.
        const QRect mark = pauseMarkRect(image.width(), zoom).translated(picture.topLeft());
        const int inset = mark.width() / 4;
        const int bar = mark.width() / 6;
        painter.fillRect(mark, QColor(32, 32, 32));
        painter.fillRect(QRect(mark.left() + inset, mark.top() + inset, bar, mark.height() - 2 * inset), Qt::white);
        painter.fillRect(QRect(mark.right() + 1 - inset - bar, mark.top() + inset, bar, mark.height() - 2 * inset),
                         Qt::white);
    }
}

void ClientWidget::mousePressEvent(QMouseEvent* event)
{
    const QRect picture = window_.pictureRect();
    const QPoint at = event->position().toPoint();
    // A click on the background around the picture is no click of the game's.
    if (event->button() != Qt::LeftButton || !picture.contains(at))
        return;
    // The client pixel under the pointer: whole blocks, never rounded to the next.
    const QPoint offset = at - picture.topLeft();
    const int zoom = window_.shownZoom();
    window_.send(Message{MessageKind::LeftButtonDown, 0, makePointParam(offset.x() / zoom, offset.y() / zoom), {}});
}

void ClientWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is a press like any other.
    mousePressEvent(event);
}

void ClientWidget::keyPressEvent(QKeyEvent* event)
{
    window_.sendKey(event);
}

void ClientWidget::resizeEvent(QResizeEvent*)
{
    // A new size may show the picture at another zoom or place.
    update();
}

FrameWidget::FrameWidget(WindowData& window) : window_(window)
{
}

void FrameWidget::closeEvent(QCloseEvent* event)
{
    event->ignore();
    window_.owner->destroy();
}

void FrameWidget::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    const bool active = isActiveWindow();
    if (active == window_.active)
        return;
    window_.active = active;
    window_.send(Message{MessageKind::Activate, active ? 1u : 0u, 0, {}});
}

void FrameWidget::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    window_.sendPosition();
}

void FrameWidget::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    window_.noticeTitleBar();
    window_.sendPosition();
}

void FrameWidget::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The native window and its title bar are made only after this event.
    QMetaObject::invokeMethod(
        this, [this] { window_.noticeTitleBar(); }, Qt::QueuedConnection);
    window_.owner->invalidate(window_.screen.bounds());
}

void FrameWidget::timerEvent(QTimerEvent* event)
{
    for (auto& [id, timer] : window_.timers) {
        if (timer.timer.timerId() == event->timerId()) {
            window_.send(Message{MessageKind::Timer, static_cast<std::uint32_t>(id), 0, {}});
            return;
        }
    }
    QMainWindow::timerEvent(event);
}

void FrameWidget::keyPressEvent(QKeyEvent* event)
{
    window_.sendKey(event);
}

void WindowData::send(const Message& message) const
{
    if (proc && !(destroyed && message.kind != MessageKind::Destroy))
        proc(*owner, message);
}

void WindowData::deliverPaint()
{
    paintQueued = false;
    if (pendingPaint.isEmpty())
        return;
    currentPaint = pendingPaint;
    pendingPaint = Rect{};
    send(Message{MessageKind::Paint, 0, 0, {}});
    currentPaint = Rect{};
}

void WindowData::sendKey(QKeyEvent* event)
{
    if (const std::uint32_t code = virtualKey(*event))
        send(Message{MessageKind::KeyDown, code, 0, {}});
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() != 0x7F)
        send(Message{MessageKind::Char, text[0].unicode(), 0, {}});
}

void WindowData::sendPosition()
{
    if (!created || destroyed)
        return;
    const QRect outer = unzoomedOuter();
    send(Message{MessageKind::PositionChanged, 0, 0,
                 WindowPosition{outer.x(), outer.y(), outer.width(), outer.height()}});
}

QRect WindowData::outerGeometry()
{
    const QRect outer = QRect(screenPosition(*frame), frame->size()).marginsAdded(frameMargins());
    return placed && !desktopGivesPositions() ? QRect(placedCorner, outer.size()) : outer;
}

QRect WindowData::unzoomedOuter()
{
    // The window as it would be unzoomed at its own size, whatever size the desktop gave it.
    return QRect(outerGeometry().topLeft(), frameSizeAt(picture(), 1).grownBy(frameMargins()));
}

QSize WindowData::frameSizeAt(QSize clientSize, int zoomed) const
{
    return QSize(menuBar.width() + clientSize.width() * zoomed, menuBar.height() + clientSize.height() * zoomed);
}

void WindowData::fixSize(QSize size)
{
    if (!toolkitTitleBar) {
        frame->setFixedSize(size);
        return;
    }
    frame->setMinimumSize(size);
    frame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    frame->resize(size);
}

void WindowData::noticeTitleBar()
{
    if (toolkitTitleBar || desktopGivesPositions() || !frame->windowHandle())
        return;
    // The toolkit's own title bar is a frame of the window's own; a title bar
    // that the compositor draws is none of the window's.
    if (frame->windowHandle()->frameMargins().isNull())
        return;
    toolkitTitleBar = true;
    fixSize(frameSizeAt(picture(), zoom));
}

void WindowData::resizeScreen(QSize size)
{
    if (picture() == size)
        return;
    Surface resized(size.width(), size.height());
    resized.copyFrom(0, 0, screen.width(), screen.height(), screen, 0, 0);
    std::swap(screen.data()->image, resized.data()->image);
}

int WindowData::shownZoom() const
{
    const QSize own = picture();
    if (!client || own.isEmpty())
        return zoom;
    const int fits = std::min(client->width() / own.width(), client->height() / own.height());
    return std::max(fits, 1);
}

QRect WindowData::pictureRect() const
{
    const int shown = shownZoom();
    const QSize size = picture() * shown;
    if (!client)
        return QRect(QPoint(0, 0), size);
    return QRect(
        QPoint(std::max(0, (client->width() - size.width()) / 2), std::max(0, (client->height() - size.height()) / 2)),
        size);
}

QMargins WindowData::frameMargins()
{
    if (!frame)
        return {};
    // Before the window is shown the announced frame is kept; once it is
    // shown the frame it really has is read each time.
    const bool shown = frame->isVisible();
    if (!knownFrame.isNull() && !shown)
        return knownFrame;
    const QMargins announced = frameExtents(*frame, !shown);
    if (!announced.isNull())
        knownFrame = announced;
    // A window manager that does not announce its frame still shows it once
    // the window is mapped.
    else if (knownFrame.isNull() && shown)
        knownFrame = QMargins(frame->geometry().left() - frame->frameGeometry().left(),
                              frame->geometry().top() - frame->frameGeometry().top(),
                              frame->frameGeometry().right() - frame->geometry().right(),
                              frame->frameGeometry().bottom() - frame->geometry().bottom());
    return knownFrame;
}

} // namespace platform
