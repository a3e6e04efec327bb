#include "platform/window/wm_hints.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QMetaObject>
#include <QPointer>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

namespace platform {

namespace {

// Long enough for a window manager to answer, short enough that one that
// claims the request and never answers barely delays the window.
constexpr int answerWaitMs = 250;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_connection_t* connection()
{
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The window the player sees: Qt may have made it anew since the widget was created.
xcb_window_t nativeId(QWidget& window)
{
    window.winId();
    return window.windowHandle() ? static_cast<xcb_window_t>(window.windowHandle()->winId())
                                 : xcb_window_t{XCB_WINDOW_NONE};
}

xcb_atom_t atom(xcb_connection_t* c, std::string_view name)
{
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_window_t rootOf(xcb_connection_t* c, xcb_window_t window)
{
    const Reply<xcb_query_tree_reply_t> reply(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
    return reply ? reply->root : xcb_window_t{XCB_WINDOW_NONE};
}

// Whether a running window manager lists the atom among the hints it follows.
bool supported(xcb_connection_t* c, xcb_window_t root, xcb_atom_t wanted, std::string_view listName = "_NET_SUPPORTED")
{
    const xcb_atom_t list = atom(c, listName);
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, root, list, XCB_ATOM_ATOM, 0, 4096), nullptr));
    if (!reply || reply->format != 32)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i) {
        if (atoms[i] == wanted)
            return true;
    }
    return false;
}

// left, right, top, bottom as the hint stores them; false while absent.
bool readExtents(xcb_connection_t* c, xcb_window_t window, xcb_atom_t extents, QMargins& out)
{
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return false;
    std::array<std::uint32_t, 4> v{};
    std::memcpy(v.data(), xcb_get_property_value(reply.get()), sizeof v);
    // A frame wider than a screen is no frame; it would only push the window away.
    constexpr std::uint32_t largest = 4096;
    for (std::uint32_t& side : v)
        side = side > largest ? 0 : side;
    out = QMargins(static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]), static_cast<int>(v[3]));
    return true;
}

// Sends a request about the window to the window manager, when it follows it.
void askWindowManager(QWidget& window, std::string_view request, std::string_view listName, std::uint32_t value = 0)
{
    xcb_connection_t* c = connection();
    if (!c)
        return;
    const auto id = nativeId(window);
    const xcb_window_t root = rootOf(c, id);
    const xcb_atom_t type = atom(c, request);
    if (root == XCB_WINDOW_NONE || type == XCB_ATOM_NONE || !supported(c, root, type, listName))
        return;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = id;
    event.type = type;
    event.data.data32[0] = value;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
}

// Under a locale that is not UTF-8 the toolkit stores the title in WM_NAME
// as UTF-8 bytes typed as Latin-1 text. This stores it again, as what it is,
// each time a window is shown or its title changes, once the toolkit is done.
class TitleTyping : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::WindowTitleChange && event->type() != QEvent::Show)
            return false;
        // Menus and tooltips have no title to show.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget->windowType() == Qt::Window || widget->windowType() == Qt::Dialog))
            QMetaObject::invokeMethod(
                this, [window = QPointer<QWidget>(widget)] { storeTitle(window); }, Qt::QueuedConnection);
        return false;
    }

private:
    static void storeTitle(QWidget* widget)
    {
        QWindow* window = widget ? widget->windowHandle() : nullptr;
        xcb_connection_t* c = connection();
        // A window not made yet gets its title when it is shown.
        if (!window || !window->handle() || !c)
            return;
        const QByteArray title = window->title().toUtf8();
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()), XCB_ATOM_WM_NAME,
                            atom(c, "UTF8_STRING"), 8, static_cast<std::uint32_t>(title.size()), title.constData());
        xcb_flush(c);
    }
};

} // namespace

void keepTitlesReadable()
{
    if (!connection())
        return;
    // Owned by the application, so it goes with it.
    qGuiApp->installEventFilter(new TitleTyping(qGuiApp));
}

namespace {
bool actingWithoutPositions = false;
}

void actAsWithoutPositions(bool on)
{
    actingWithoutPositions = on;
}

bool desktopGivesPositions()
{
    return !actingWithoutPositions && !QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

QPoint screenPosition(QWidget& window)
{
    xcb_connection_t* c = connection();
    const xcb_window_t id = c ? nativeId(window) : xcb_window_t{XCB_WINDOW_NONE};
    const xcb_window_t root = id != XCB_WINDOW_NONE ? rootOf(c, id) : xcb_window_t{XCB_WINDOW_NONE};
    if (root == XCB_WINDOW_NONE || !window.isVisible())
        return window.geometry().topLeft();
    const Reply<xcb_translate_coordinates_reply_t> reply(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, root, 0, 0), nullptr));
    return reply ? QPoint(reply->dst_x, reply->dst_y) : window.geometry().topLeft();
}

bool keepsWindowsOnTop(QWidget& window)
{
    xcb_connection_t* c = connection();
    const xcb_window_t id = c ? nativeId(window) : xcb_window_t{XCB_WINDOW_NONE};
    const xcb_window_t root = id != XCB_WINDOW_NONE ? rootOf(c, id) : xcb_window_t{XCB_WINDOW_NONE};
    if (root == XCB_WINDOW_NONE)
        return true;
    const Reply<xcb_get_property_reply_t> check(xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 0, 1), nullptr));
    const bool managed = check && xcb_get_property_value_length(check.get()) == 4;
    return !managed || supported(c, root, atom(c, "_NET_WM_STATE_ABOVE"))
           || supported(c, root, atom(c, "_WIN_LAYER"), "_WIN_PROTOCOLS");
}

void setLegacyLayer(QWidget& window, bool onTop)
{
    constexpr std::uint32_t normalLayer = 4;
    constexpr std::uint32_t onTopLayer = 6;
    askWindowManager(window, "_WIN_LAYER", "_WIN_PROTOCOLS", onTop ? onTopLayer : normalLayer);
}

void requestFrameExtents(QWidget& window)
{
    askWindowManager(window, "_NET_REQUEST_FRAME_EXTENTS", "_NET_SUPPORTED");
}

QMargins frameExtents(QWidget& window, bool waitForAnswer)
{
    xcb_connection_t* c = connection();
    // Elsewhere the platform knows the frame it draws itself.
    if (!c)
        return window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
    const auto id = nativeId(window);
    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    QMargins margins;
    if (extents == XCB_ATOM_NONE || readExtents(c, id, extents, margins) || !waitForAnswer)
        return margins;
    const xcb_window_t root = rootOf(c, id);
    if (root == XCB_WINDOW_NONE || !supported(c, root, atom(c, "_NET_REQUEST_FRAME_EXTENTS")))
        return {};
    askWindowManager(window, "_NET_REQUEST_FRAME_EXTENTS", "_NET_SUPPORTED");
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < answerWaitMs) {
        QThread::msleep(5);
        if (readExtents(c, id, extents, margins))
            return margins;
    }
    return {};
}

} // namespace platform
