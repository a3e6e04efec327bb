#include "platform/window/window_data.h"

#include "platform/clock.h"
#include "platform/window/wm_hints.h"
#include "platform/window/menu_data.h"
#include "platform/draw/surface_data.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace platform {

namespace {

Rect toRect(const QRect& r)
{
    return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// The outer rectangle moved onto the window's screen as far as it fits.
QRect keptOnScreen(const QWidget& window, QRect outer)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return outer;
    const QRect area = screen->availableGeometry();
    outer.moveLeft(std::max(area.left(), std::min(outer.left(), area.right() + 1 - outer.width())));
    outer.moveTop(std::max(area.top(), std::min(outer.top(), area.bottom() + 1 - outer.height())));
    return outer;
}

} // namespace

void setStaysOnTop(QWidget& window, bool topmost)
{
    const Qt::WindowFlags flags = window.windowFlags().setFlag(Qt::WindowStaysOnTopHint, topmost);
    if (flags == window.windowFlags())
        return;
    QWindow* handle = window.windowHandle();
    if (!handle || !window.isVisible()) {
        window.setWindowFlags(flags);
        return;
    }
    // Only the stacking changes: the native window is kept, so the window
    // manager keeps its frame, its place and its size.
    window.overrideWindowFlags(flags);
    handle->setFlags(flags);
    setLegacyLayer(window, topmost);
}

QWidget* frameOf(Window& window)
{
    return window.data()->frame.get();
}

Window::Window(WindowProc proc) : data_(std::make_unique<WindowData>())
{
    data_->owner = this;
    data_->proc = proc;
}

Window::~Window()
{
    for (auto& entry : data_->timers)
        entry.second.timer.stop();
    data_->proc = nullptr;
    data_->frame.reset();
}

void Window::create(std::string_view title, std::span<const MenuItemTemplate> menu, std::string_view iconPicture)
{
    if (data_->created)
        return;
    WindowData& data = *data_;
    // The name of the desktop file, by which Wayland desktops find the
    // window's icon and name; X desktops match the window's class instead.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tamaro.Tamaro"));
    data.frame = std::make_unique<FrameWidget>(data);
    FrameWidget& frame = *data.frame;
    // Customised, so that the window manager offers exactly these and no maximise.
    frame.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    frame.setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    if (!iconPicture.empty()) {
        // The icon's images, each drawn for its size, loaded with their transparency, which a surface would drop.
        const QString name =
            QString::fromUtf8(iconPicture.data(), static_cast<qsizetype>(iconPicture.size())).toLower();
        QIcon icon;
        for (const int size : {16, 32})
            icon.addFile(QStringLiteral(":/resources/pictures/%1_%2.png").arg(name).arg(size), QSize(size, size));
        if (!icon.isNull())
            frame.setWindowIcon(icon);
    }
    data.client = new ClientWidget(data);
    frame.setCentralWidget(data.client);
    if (!menu.empty()) {
        auto* bar = new QMenuBar(&frame);
        frame.setMenuBar(bar);
        buildMenu(data.menu, bar, menu, [this](int id) {
            QMetaObject::invokeMethod(
                data_->frame.get(),
                [this, id] {
                    send(Message{MessageKind::Command, static_cast<std::uint32_t>(id), 0, {}});
                },
                Qt::QueuedConnection);
        });
    }
    frame.resize(640, 480);
    frame.winId();
    if (frame.layout())
        frame.layout()->activate();
    // Fixed in size before the window manager is asked for its frame, which
    // it gives without resize handles to a window that cannot be resized.
    frame.setFixedSize(frame.size());
    requestFrameExtents(frame);
    data.menuBar = frame.size() - data.client->size();
    data.resizeScreen(data.client->size());
    data.screen.setChangeListener([&data](const Rect& rect) {
        const int zoom = data.shownZoom();
        data.client->update(QRect(QPoint(rect.left, rect.top) * zoom, QSize(rect.width(), rect.height()) * zoom)
                                .translated(data.pictureRect().topLeft()));
    });
    data.client->setFocus();
    data.created = true;
    send(Message{MessageKind::Create, 0, 0, {}});
}

bool Window::exists() const
{
    return data_->created && !data_->destroyed;
}

void Window::send(const Message& message)
{
    data_->send(message);
}

Surface& Window::screen()
{
    return data_->screen;
}

Menu& Window::menu()
{
    return data_->menu;
}

void Window::invalidate(const Rect& rect)
{
    const Rect clipped = intersect(rect, data_->screen.bounds());
    if (clipped.isEmpty())
        return;
    data_->pendingPaint = unite(data_->pendingPaint, clipped);
    if (data_->paintQueued || !data_->frame)
        return;
    data_->paintQueued = true;
    QMetaObject::invokeMethod(
        data_->frame.get(), [data = data_.get()] { data->deliverPaint(); }, Qt::QueuedConnection);
}

Rect Window::beginPaint() const
{
    return data_->currentPaint;
}

void Window::paintNow()
{
    data_->deliverPaint();
}

void Window::setTimer(int id, int periodMs)
{
    if (!data_->frame)
        return;
    WindowTimer& timer = data_->timers[id];
    timer.period = periodMs < 1 ? 1 : periodMs;
    ++timer.starts;
    timer.timer.start(timer.period, data_->frame.get());
}

void Window::killTimer(int id)
{
    const auto found = data_->timers.find(id);
    if (found == data_->timers.end() || !found->second.timer.isActive())
        return;
    found->second.timer.stop();
    found->second.period = 0;
    ++found->second.kills;
}

int Window::timerPeriod(int id) const
{
    const auto found = data_->timers.find(id);
    return found == data_->timers.end() ? 0 : found->second.period;
}

int Window::timerStarts(int id) const
{
    const auto found = data_->timers.find(id);
    return found == data_->timers.end() ? 0 : found->second.starts;
}

int Window::timerKills(int id) const
{
    const auto found = data_->timers.find(id);
    return found == data_->timers.end() ? 0 : found->second.kills;
}

void Window::wait(int ms)
{
    data_->deliverPaint();
    if (data_->client && data_->client->isVisible())
        data_->client->repaint();
    Clock::instance().sleep(ms);
}

Rect Window::windowRect() const
{
    return data_->frame ? toRect(data_->unzoomedOuter()) : Rect{};
}

Size Window::clientSize() const
{
    return Size{data_->screen.width(), data_->screen.height()};
}

Rect Window::desktopRect() const
{
    const QScreen* screen =
        data_->frame && data_->frame->screen() ? data_->frame->screen() : QGuiApplication::primaryScreen();
    return screen ? toRect(screen->geometry()) : Rect{};
}

void Window::place(const Rect& outer, bool topmost)
{
    if (!data_->frame)
        return;
    FrameWidget& frame = *data_->frame;
    const bool shown = frame.isVisible();
    setStaysOnTop(frame, topmost);
    frame.winId();
    data_->topmost = topmost;
    data_->placedCorner = QPoint(outer.left, outer.top);
    data_->placed = true;
    const QMargins margins = data_->frameMargins();
    const QSize inner(outer.width() - margins.left() - margins.right(),
                      outer.height() - margins.top() - margins.bottom());
    data_->resizeScreen((inner - data_->menuBar).expandedTo(QSize(1, 1)));
    data_->fixSize(data_->frameSizeAt(data_->picture(), data_->zoom));
    // The client is placed, not the frame: with the frame's size known this
    // puts the frame exactly at the outer rectangle under any window manager.
    QPoint client(outer.left + margins.left(), outer.top + margins.top());
    // A zoomed window grows to the right and down from where it was left, so
    // it is brought back onto the screen as far as it fits.
    if (data_->zoom > 1)
        client = keptOnScreen(frame, QRect(QPoint(outer.left, outer.top), frame.size().grownBy(margins))).topLeft()
                 + QPoint(margins.left(), margins.top());
    if (screenPosition(frame) != client || !shown)
        frame.setGeometry(QRect(client, frame.size()));
    if (!shown)
        frame.show();
    data_->sendPosition();
}

void Window::setTopmost(bool topmost)
{
    if (!data_->frame)
        return;
    setStaysOnTop(*data_->frame, topmost);
    data_->topmost = topmost;
}

void Window::setZoom(int zoom)
{
    zoom = std::clamp(zoom, 1, maxZoom);
    if (!data_->frame || zoom == data_->zoom)
        return;
    FrameWidget& frame = *data_->frame;
    const Size client = clientSize();
    const QPoint corner = data_->outerGeometry().topLeft();
    data_->zoom = zoom;
    const QSize size = data_->frameSizeAt(QSize(client.width, client.height), zoom);
    data_->fixSize(size);
    if (frame.isVisible() && !desktopGivesPositions()) {
        // A Wayland compositor keeps a growing window's corner where it was
        // and lets no window move itself: shown anew, it is placed anew, whole.
        frame.hide();
        frame.show();
    } else if (frame.isVisible()) {
        const QMargins margins = data_->frameMargins();
        const QRect outer = keptOnScreen(frame, QRect(corner, size.grownBy(margins)));
        frame.setGeometry(QRect(outer.topLeft() + QPoint(margins.left(), margins.top()), size));
    }
    data_->client->update();
}

int Window::zoom() const
{
    return data_->zoom;
}

bool Window::zoomFits(int zoom) const
{
    if (!data_->frame)
        return zoom == 1;
    const QScreen* screen = data_->frame->screen() ? data_->frame->screen() : QGuiApplication::primaryScreen();
    const Size client = clientSize();
    const QSize outer = data_->frameSizeAt(QSize(client.width, client.height), zoom).grownBy(data_->frameMargins());
    return zoom >= 1 && zoom <= maxZoom
           && (!screen
               || (outer.width() <= screen->availableGeometry().width()
                   && outer.height() <= screen->availableGeometry().height()));
}

bool Window::canStayOnTop() const
{
    return desktopGivesPositions() && (!data_->frame || keepsWindowsOnTop(*data_->frame));
}

bool Window::isTopmost() const
{
    return data_->topmost;
}

bool Window::isVisible() const
{
    return data_->frame && data_->frame->isVisible();
}

void Window::destroy()
{
    if (!data_->created || data_->destroyed)
        return;
    data_->send(Message{MessageKind::Destroy, 0, 0, {}});
    data_->destroyed = true;
    for (auto& entry : data_->timers)
        entry.second.timer.stop();
    data_->frame->hide();
}

bool Window::destroyed() const
{
    return data_->destroyed;
}

void Window::postQuit(int exitCode)
{
    data_->quitPosted = true;
    data_->quitCode = exitCode;
    QCoreApplication::exit(exitCode);
}

bool Window::quitPosted() const
{
    return data_->quitPosted;
}

void Window::setTitle(std::string_view title)
{
    if (data_->frame)
        data_->frame->setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
}

void Window::showPauseMark(bool shown)
{
    const bool mark = shown && !desktopGivesPositions();
    if (mark == data_->pauseMark)
        return;
    data_->pauseMark = mark;
    if (data_->client)
        data_->client->update(
            pauseMarkRect(data_->screen.width(), data_->shownZoom()).translated(data_->pictureRect().topLeft()));
}

bool Window::pauseMarkShown() const
{
    return data_->pauseMark;
}

std::string Window::title() const
{
    return data_->frame ? data_->frame->windowTitle().toStdString() : std::string();
}

} // namespace platform
