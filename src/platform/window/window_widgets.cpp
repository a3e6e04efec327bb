#include "platform/window/window_data.h"

#include "platform/window/wm_hints.h"
#include "platform/draw/surface_data.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QTimerEvent>

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

ClientWidget::ClientWidget(WindowData& window)
    : window_(window)
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
    const int zoom = window_.zoom;
    // Each changed part on its own: the title's cells lie far apart, and their
    // bounding rectangle would redraw most of the panel at every tick.
    for (const QRect& r : event->region()) {
        if (zoom == 1) {
            painter.drawImage(r, image, r);
            continue;
        }
        // Whole client pixels, each drawn as a block without smoothing.
        const QRect source(QPoint(r.left() / zoom, r.top() / zoom), QPoint(r.right() / zoom, r.bottom() / zoom));
        painter.drawImage(QRect(source.topLeft() * zoom, source.size() * zoom), image, source);
    }
    if (window_.pauseMark) {
        // Two white bars on a dark square, in client pixels times the zoom.
        const QRect mark = pauseMarkRect(image.width(), zoom);
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
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint() / window_.zoom;
    window_.send(Message{MessageKind::LeftButtonDown, 0, makePointParam(at.x(), at.y()), {}});
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
    Surface& screen = window_.screen;
    const int w = width() / window_.zoom;
    const int h = height() / window_.zoom;
    if (screen.width() == w && screen.height() == h)
        return;
    Surface resized(w, h);
    resized.copyFrom(0, 0, screen.width(), screen.height(), screen, 0, 0);
    SurfaceData* data = screen.data();
    std::swap(data->image, resized.data()->image);
}

FrameWidget::FrameWidget(WindowData& window)
    : window_(window)
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
    window_.sendPosition();
}

void FrameWidget::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
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
    send(Message{MessageKind::PositionChanged, 0, 0, WindowPosition{outer.x(), outer.y(), outer.width(), outer.height()}});
}

QRect WindowData::outerGeometry()
{
    const QRect outer = QRect(screenPosition(*frame), frame->size()).marginsAdded(frameMargins());
    return placed && !desktopGivesPositions() ? QRect(placedCorner, outer.size()) : outer;
}

QRect WindowData::unzoomedOuter()
{
    const QRect outer = outerGeometry();
    const QSize extra = client->size() - client->size() / zoom;
    return QRect(outer.topLeft(), outer.size() - extra);
}

QSize WindowData::frameSizeAt(QSize clientSize, int zoomed) const
{
    return QSize(menuBar.width() + clientSize.width() * zoomed, menuBar.height() + clientSize.height() * zoomed);
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
