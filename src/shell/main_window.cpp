#include "shell/main_window.h"

#include "platform/application.h"
#include "platform/message.h"
#include "platform/window.h"
#include "engine/game_flow.h"
#include "panel/panel_request.h"
#include "resources/menu.h"
#include "shell/commands.h"

#include <string>

namespace {

Program* bound = nullptr;

platform::Rect toRect(const Options::WindowRect& r)
{
    return platform::Rect{r.left, r.top, r.right, r.bottom};
}

void storeRect(Options& options, const platform::Rect& r)
{
    options.windowRect = Options::WindowRect{r.left, r.top, r.right, r.bottom};
}

// A stored rectangle that would put the window off the desktop, or that is
// degenerate, is moved onto it; the window always gets the size it needs.
platform::Rect placementRect(const platform::Rect& stored, platform::Size size, const platform::Rect& desktop)
{
    constexpr int visibleWidth = 48;
    constexpr int visibleHeight = 24;
    platform::Rect rect{stored.left, stored.top, stored.left + size.width, stored.top + size.height};
    const platform::Rect onDesktop = platform::intersect(rect, desktop);
    const bool usable = !stored.isEmpty() && onDesktop.width() >= visibleWidth && onDesktop.height() >= visibleHeight;
    if (usable || desktop.isEmpty())
        return rect;
    const int left = std::max(desktop.left, std::min(stored.left, desktop.right - size.width));
    const int top = std::max(desktop.top, std::min(stored.top, desktop.bottom - size.height));
    return platform::Rect{left, top, left + size.width, top + size.height};
}

void onCreate(platform::Window& window, Game& game, Options& options)
{
    game.title.startupEffect();
    const platform::Rect outer = window.windowRect();
    const platform::Size client = window.clientSize();
    const int width = 640 - 1 + (outer.width() - client.width);
    const int height = 480 - 1 + (outer.height() - client.height);
    const platform::Rect screen = window.desktopRect();
    const int left = (screen.width() - width) / 2;
    const int top = (screen.height() - height) / 2;
    storeRect(options, platform::Rect{left, top, left + width, top + height});

    game.ranking.command(1);

    const platform::Rect placed = placementRect(toRect(options.windowRect), platform::Size{width, height}, screen);
    storeRect(options, placed);
    window.place(placed, options.alwaysOnTop != 0);
    if (options.alwaysOnTop != 0)
        window.menu().check(command::AlwaysOnTop, true);
    panelRequest(game, 10, 0);
    window.setTimer(titleTimer, titleTickMs);
}

void onDestroy(platform::Window& window, Surfaces& surfaces, Game& game, Options& options)
{
    storeRect(options, window.windowRect());
    game.ranking.command(2);
    window.killTimer(100);
    window.killTimer(101);
    window.killTimer(titleTimer);
    releaseSurfaces(surfaces);
    window.postQuit(0);
}

void onTimer(Game& game, std::uint32_t id)
{
    if (id == 100)
        dropTick(game, false);
    else if (id == 101)
        riseTick(game);
    else if (id == titleTimer)
        game.title.tick();
}

} // namespace

void bindProgram(Program& program)
{
    bound = &program;
}

void windowProc(platform::Window& window, const platform::Message& message)
{
    if (!bound)
        return;
    Program& program = *bound;
    if (program.surfacesPending) {
        makeSurfaces(program.surfaces, window);
        program.surfacesPending = false;
    }
    if (!program.game)
        program.game.emplace(window, program.surfaces, &program.options);
    Game& game = *program.game;
    Options& options = program.options;

    switch (message.kind) {
    case platform::MessageKind::Create:
        onCreate(window, game, options);
        break;
    case platform::MessageKind::Destroy:
        onDestroy(window, program.surfaces, game, options);
        break;
    case platform::MessageKind::Paint:
        repaint(program.surfaces, window);
        break;
    case platform::MessageKind::PositionChanged:
        storeRect(options, platform::Rect{message.position.x, message.position.y, message.position.x + message.position.cx,
                                          message.position.y + message.position.cy});
        break;
    case platform::MessageKind::Activate:
        onActivate(game, message.wParam & 0xFFFF);
        break;
    case platform::MessageKind::KeyDown:
        onKeyDown(game, message.wParam, options.dropKeyType);
        break;
    case platform::MessageKind::Char:
        onChar(game, message.wParam, options.dropKeyType);
        break;
    case platform::MessageKind::Timer:
        onTimer(game, message.wParam);
        break;
    case platform::MessageKind::LeftButtonDown:
        panelRequest(game, 1, message.lParam);
        break;
    case platform::MessageKind::Command:
        onCommand(game, window, program.surfaces, message.wParam);
        break;
    default:
        break;
    }
}

int runTamaro(platform::Application& application, Program& program)
{
    const platform::SingleInstance instance(std::string(windowClassName) + windowTitle);
    if (!instance.isFirst())
        return 0;
    bindProgram(program);
    platform::Window window(windowProc);
    application.onTerminationRequest([&window] { window.destroy(); });
    // Creating the window runs the start-up effect, which lets events through,
    // and then loads the data file; an end asked for meanwhile waits for the
    // load, or it would save the defaults over the player's file.
    window.create(windowTitle, mainMenu, "TM_ICON");
    application.releaseTermination();
    // A quit asked for while the window was being made would be lost by the loop.
    int code = 0;
    if (!window.quitPosted()) {
        application.onLostDisplay([&program] {
            if (program.game)
                program.game->ranking.command(2);
        });
        code = application.exec();
    }
    program.game.reset();
    return code;
}
