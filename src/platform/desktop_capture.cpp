#include "platform/desktop_capture.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdint>
#include <cstdlib>

namespace platform {

namespace {

xcb_connection_t* x11Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

struct SharedBlock {
    int id;
    void* memory;
};

void detachBlock(void* block)
{
    auto* shared = static_cast<SharedBlock*>(block);
    shmdt(shared->memory);
    delete shared;
}

// True when the root window's pixels are the bytes of a 32-bit RGB image:
// depth 24 at 32 bits a pixel, least significant byte first, red above green above blue.
bool rootIsRgb32(const xcb_setup_t* setup, const xcb_screen_t& screen)
{
    if (screen.root_depth != 24 || setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return false;
    bool fourBytes = false;
    for (auto format = xcb_setup_pixmap_formats_iterator(setup); format.rem; xcb_format_next(&format))
        fourBytes = fourBytes || (format.data->depth == 24 && format.data->bits_per_pixel == 32);
    for (auto depth = xcb_screen_allowed_depths_iterator(&screen); depth.rem; xcb_depth_next(&depth)) {
        for (auto visual = xcb_depth_visuals_iterator(depth.data); visual.rem; xcb_visualtype_next(&visual)) {
            if (visual.data->visual_id == screen.root_visual)
                return fourBytes && visual.data->red_mask == 0xff0000 && visual.data->green_mask == 0xff00
                    && visual.data->blue_mask == 0xff;
        }
    }
    return false;
}

// Through shared memory the X server writes the pixels straight into the
// image, instead of sending megabytes down the socket; the image keeps the
// block and lets it go with its last copy.
QImage sharedMemoryCapture(const QRect& area)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return {};
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
    const xcb_query_extension_reply_t* shm = xcb_get_extension_data(connection, &xcb_shm_id);
    if (!screen || !shm || !shm->present || !rootIsRgb32(setup, *screen))
        return {};

    const std::size_t bytes = static_cast<std::size_t>(area.width()) * static_cast<std::size_t>(area.height()) * 4;
    auto* block = new SharedBlock{shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600), nullptr};
    if (block->id < 0) {
        delete block;
        return {};
    }
    block->memory = shmat(block->id, nullptr, 0);
    const xcb_shm_seg_t segment = xcb_generate_id(connection);
    bool read = false;
    if (block->memory != reinterpret_cast<void*>(-1)) {
        xcb_generic_error_t* error = xcb_request_check(connection, xcb_shm_attach_checked(connection, segment, static_cast<std::uint32_t>(block->id), 0));
        if (!error) {
            const xcb_shm_get_image_cookie_t cookie = xcb_shm_get_image(
                connection, screen->root, static_cast<std::int16_t>(area.x()), static_cast<std::int16_t>(area.y()),
                static_cast<std::uint16_t>(area.width()), static_cast<std::uint16_t>(area.height()), ~0u,
                XCB_IMAGE_FORMAT_Z_PIXMAP, segment, 0);
            xcb_shm_get_image_reply_t* reply = xcb_shm_get_image_reply(connection, cookie, &error);
            read = reply && reply->depth == 24 && reply->size == bytes;
            std::free(reply);
            xcb_shm_detach(connection, segment);
        }
        std::free(error);
    }
    // Gone from the system as soon as the last side detaches.
    shmctl(block->id, IPC_RMID, nullptr);
    if (!read) {
        if (block->memory != reinterpret_cast<void*>(-1))
            shmdt(block->memory);
        delete block;
        return {};
    }
    return QImage(static_cast<uchar*>(block->memory), area.width(), area.height(), area.width() * 4,
                  QImage::Format_RGB32, detachBlock, block);
}

} // namespace

void waitForDisplay()
{
    if (xcb_connection_t* connection = x11Connection())
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

QImage captureDesktop(QScreen& screen, const QRect& area)
{
    if (area.isEmpty())
        return {};
    if (QImage shared = sharedMemoryCapture(area); !shared.isNull())
        return shared;
    QImage grabbed = screen.grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
    if (grabbed.size() != area.size())
        return {};
    return std::move(grabbed).convertToFormat(QImage::Format_RGB32);
}

} // namespace platform
