// Starts a program and times, from the X server's own clock, what it shows:
// the first pixel it changes on the screen, the start-up effect's first and
// last outline and the screen's restoration, and its window. Every drawing
// on the screen is seen through the DAMAGE extension on the root window.
//   screen_watch <program> [arguments...]
// prints "pid first outline_first outline_last restored window" in ms from
// the launch ("-" for what did not happen) and leaves the program running.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <fcntl.h>
#include <sys/select.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr long timeoutMs = 20000;

struct Times {
    std::optional<Time> first, outlineFirst, outlineLast, restored, window;
};

std::string field(const std::optional<Time>& at, Time launch)
{
    return at ? std::to_string(static_cast<long>(*at - launch)) : std::string("-");
}

// The server time now, from a property change on a window of our own.
Time serverNow(Display* display, Window own)
{
    XChangeProperty(display, own, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>("t"), 1);
    XEvent event;
    XWindowEvent(display, own, PropertyChangeMask, &event);
    return event.xproperty.time;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: screen_watch <program> [arguments...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    int damageEvent = 0, damageError = 0;
    if (!display || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "screen_watch: no X display with the DAMAGE extension\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    const long screenWidth = DisplayWidth(display, DefaultScreen(display));
    const long screenHeight = DisplayHeight(display, DefaultScreen(display));
    XSelectInput(display, root, SubstructureNotifyMask);
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    const Window own =
        XCreateWindow(display, root, 0, 0, 1, 1, 0, 0, InputOnly, CopyFromParent, CWEventMask, &attributes);
    XDamageCreate(display, root, XDamageReportRawRectangles);
    XSync(display, False);

    const Time launch = serverNow(display, own);
    const pid_t pid = fork();
    if (pid == 0) {
        close(ConnectionNumber(display));
        // Whoever reads our output waits for the program's copy of it to close.
        dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    // The effect runs in a window over the whole screen that bypasses the
    // window manager: what is drawn while it is mapped is the effect (its
    // first paint shows the desktop with the first outline on it), and the
    // paint of the whole screen after it is unmapped is the desktop's
    // restoration.
    Times times;
    Window overlay = None;
    bool overlayGone = false;
    bool done = false;
    while (!done) {
        while (!done && XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && event.xmap.override_redirect && overlay == None && !overlayGone) {
                XWindowAttributes mapped;
                if (XGetWindowAttributes(display, event.xmap.window, &mapped) && mapped.width == screenWidth
                    && mapped.height == screenHeight)
                    overlay = event.xmap.window;
                continue;
            }
            if ((event.type == UnmapNotify && event.xunmap.window == overlay)
                || (event.type == DestroyNotify && event.xdestroywindow.window == overlay)) {
                overlay = None;
                overlayGone = true;
                continue;
            }
            if (event.type != damageEvent + XDamageNotify)
                continue;
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
            const bool whole = long{damage.area.width} * damage.area.height * 10 >= screenWidth * screenHeight * 9;
            if (whole && overlay == None) {
                if (overlayGone && !times.restored)
                    times.restored = damage.timestamp;
                continue;
            }
            if (overlay != None) {
                if (!times.outlineFirst)
                    times.outlineFirst = damage.timestamp;
                times.outlineLast = damage.timestamp;
            } else {
                times.window = damage.timestamp;
                done = true;
            }
            if (!times.first)
                times.first = damage.timestamp;
        }
        if (done)
            break;
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(ConnectionNumber(display), &ready);
        timeval wait{0, 100000};
        select(ConnectionNumber(display) + 1, &ready, nullptr, nullptr, &wait);
        if (static_cast<long>(serverNow(display, own) - launch) > timeoutMs)
            break;
    }
    std::printf("%d %s %s %s %s %s\n", static_cast<int>(pid), field(times.first, launch).c_str(),
                field(times.outlineFirst, launch).c_str(), field(times.outlineLast, launch).c_str(),
                field(times.restored, launch).c_str(), field(times.window, launch).c_str());
    XCloseDisplay(display);
    return times.window ? 0 : 1;
}
