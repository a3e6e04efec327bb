#include "platform/window_data.h"

#include "platform/clock.h"
#include "platform/menu_data.h"
#include "platform/surface_data.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>

namespace platform {

namespace {

Rect toRect(const QRect& r)
{
    return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QRect toQRect(const Rect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

} // namespace

QWidget* frameOf(Window& window)
{
    return window.data()->frame.get();
}

Window::Window(WindowProc proc)
    : data_(std::make_unique<WindowData>())
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
    data.frame = std::make_unique<FrameWidget>(data);
    FrameWidget& frame = *data.frame;
    frame.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                         | Qt::WindowCloseButtonHint);
    frame.setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    if (!iconPicture.empty()) {
        // Loaded with its transparency, which a surface would drop.
        const QIcon icon(QStringLiteral(":/resources/pictures/%1.png").arg(QString::fromUtf8(iconPicture.data(), static_cast<qsizetype>(iconPicture.size())).toLower()));
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
                data_->frame.get(), [this, id] { send(Message{MessageKind::Command, static_cast<std::uint32_t>(id), 0, {}}); },
                Qt::QueuedConnection);
        });
    }
    frame.resize(640, 480);
    // A native window knows its frame, so the outer size is right before it is shown.
    frame.winId();
    if (frame.layout())
        frame.layout()->activate();
    data.screen = Surface(data.client->width(), data.client->height());
    data.screen.setChangeListener([client = data.client](const Rect& rect) { client->update(toQRect(rect)); });
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
    QMetaObject::invokeMethod(data_->frame.get(), [data = data_.get()] { data->deliverPaint(); }, Qt::QueuedConnection);
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
    return data_->frame ? toRect(data_->frame->frameGeometry()) : Rect{};
}

Size Window::clientSize() const
{
    return data_->client ? Size{data_->client->width(), data_->client->height()} : Size{};
}

Rect Window::desktopRect() const
{
    const QScreen* screen = data_->frame && data_->frame->screen() ? data_->frame->screen() : QGuiApplication::primaryScreen();
    return screen ? toRect(screen->geometry()) : Rect{};
}

void Window::place(const Rect& outer, bool topmost)
{
    if (!data_->frame)
        return;
    FrameWidget& frame = *data_->frame;
    if (topmost != data_->topmost || !frame.isVisible()) {
        data_->topmost = topmost;
        frame.setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
        frame.winId();
    }
    const QSize margins = frame.frameGeometry().size() - frame.geometry().size();
    const QSize inner(outer.width() - margins.width(), outer.height() - margins.height());
    frame.setFixedSize(inner.expandedTo(QSize(1, 1)));
    frame.move(outer.left, outer.top);
    frame.show();
    data_->sendPosition();
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

std::string Window::title() const
{
    return data_->frame ? data_->frame->windowTitle().toStdString() : std::string();
}

} // namespace platform
