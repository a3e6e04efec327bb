#include "platform/overlay/x11_overlay.h"

#include <QGuiApplication>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace platform {

namespace {

xcb_connection_t* x11Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// True when a pixel value is 0xRRGGBB: depth 24, red above green above blue.
bool rootIsRgb(const xcb_screen_t& screen)
{
    if (screen.root_depth != 24)
        return false;
    for (auto depth = xcb_screen_allowed_depths_iterator(&screen); depth.rem; xcb_depth_next(&depth)) {
        for (auto visual = xcb_depth_visuals_iterator(depth.data); visual.rem; xcb_visualtype_next(&visual)) {
            if (visual.data->visual_id == screen.root_visual)
                return visual.data->red_mask == 0xff0000 && visual.data->green_mask == 0xff00
                       && visual.data->blue_mask == 0xff;
        }
    }
    return false;
}

void roundTrip(xcb_connection_t* connection)
{
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

} // namespace

struct X11OverlayData {
    xcb_connection_t* connection = nullptr;
    xcb_window_t window = 0;
    xcb_gcontext_t gc = 0;
    Rect screen;
};

X11Overlay::X11Overlay() : data_(std::make_unique<X11OverlayData>())
{
}

bool X11Overlay::onXWayland()
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return false;
    constexpr char name[] = "XWAYLAND";
    const std::unique_ptr<xcb_query_extension_reply_t, decltype(&std::free)> reply(
        xcb_query_extension_reply(connection, xcb_query_extension(connection, sizeof name - 1, name), nullptr),
        &std::free);
    return reply && reply->present;
}

std::unique_ptr<X11Overlay> X11Overlay::open(const Rect& screen)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection || screen.isEmpty())
        return nullptr;
    const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_query_extension_reply_t* shape = xcb_get_extension_data(connection, &xcb_shape_id);
    if (!root || !rootIsRgb(*root) || !shape || !shape->present)
        return nullptr;

    std::unique_ptr<X11Overlay> overlay(new X11Overlay);
    X11OverlayData& d = *overlay->data_;
    d.connection = connection;
    d.screen = screen;
    d.window = xcb_generate_id(connection);
    // No background: the server leaves the screen's pixels where the window
    // is mapped. Override-redirect: no frame, no window manager, no focus.
    const std::uint32_t values[] = {XCB_BACK_PIXMAP_NONE, 1};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, d.window, root->root, static_cast<std::int16_t>(screen.left),
                      static_cast<std::int16_t>(screen.top), static_cast<std::uint16_t>(screen.width()),
                      static_cast<std::uint16_t>(screen.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, root->root_visual,
                      XCB_CW_BACK_PIXMAP | XCB_CW_OVERRIDE_REDIRECT, values);
    // An empty input shape: clicks go to whatever lies below.
    xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED, d.window, 0, 0,
                         0, nullptr);
    d.gc = xcb_generate_id(connection);
    xcb_create_gc(connection, d.gc, d.window, 0, nullptr);
    xcb_map_window(connection, d.window);
    // An override-redirect window is viewable as soon as the server has mapped it.
    roundTrip(connection);
    return overlay;
}

X11Overlay::~X11Overlay()
{
    xcb_free_gc(data_->connection, data_->gc);
    xcb_destroy_window(data_->connection, data_->window);
    roundTrip(data_->connection);
}

void X11Overlay::outline(const Rect& rect, Colour colour)
{
    X11OverlayData& d = *data_;
    const std::uint32_t pixel = std::uint32_t{colour.r} << 16 | std::uint32_t{colour.g} << 8 | colour.b;
    xcb_change_gc(d.connection, d.gc, XCB_GC_FOREGROUND, &pixel);
    // A one-pixel rectangle request covers width + 1 by height + 1 pixels.
    const xcb_rectangle_t edges{
        static_cast<std::int16_t>(rect.left - d.screen.left), static_cast<std::int16_t>(rect.top - d.screen.top),
        static_cast<std::uint16_t>(rect.width() - 1), static_cast<std::uint16_t>(rect.height() - 1)};
    if (!rect.isEmpty())
        xcb_poly_rectangle(d.connection, d.window, d.gc, 1, &edges);
    roundTrip(d.connection);
}

} // namespace platform
