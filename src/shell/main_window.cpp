#include "shell/main_window.h"

#include "core/timers.h"
#include "platform/application.h"
#include "platform/gamepad.h"
#include "platform/message.h"
#include "platform/notice.h"
#include "platform/window.h"
#include "shell/game_flow.h"
#include "shell/panel_request.h"
#include "resources/menu.h"
#include "shell/commands.h"
#include "shell/zoom.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// A moved window's place is written this long after it first moved, not at
// every step of a drag.
constexpr int placeRestMs = 500;

platform::Rect toRect(const Options::WindowRect& r)
{
    return platform::Rect{r.left, r.top, r.right, r.bottom};
}

void storeRect(Options& options, const platform::Rect& r)
{
    options.windowRect = Options::WindowRect{r.left, r.top, r.right, r.bottom};
}

// The window always gets the size it needs. Its stored place is kept while
// the whole title bar and menu bar (the top titleHeight pixels) lie on the
// desktop; otherwise the window is moved onto the desktop, as far as it fits.
platform::Rect placementRect(const platform::Rect& stored, platform::Size size, int titleHeight,
                             const platform::Rect& desktop)
{
    // Far beyond any screen, yet small enough that no sum below can overflow.
    constexpr std::int64_t limit = 1 << 24;
    std::int64_t left = std::clamp<std::int64_t>(stored.left, -limit, limit);
    std::int64_t top = std::clamp<std::int64_t>(stored.top, -limit, limit);
    const bool reachable = left >= desktop.left && left + size.width <= desktop.right && top >= desktop.top
                           && top + titleHeight <= desktop.bottom;
    if (!reachable && !desktop.isEmpty()) {
        left = std::max<std::int64_t>(desktop.left, std::min<std::int64_t>(left, desktop.right - size.width));
        top = std::max<std::int64_t>(desktop.top, std::min<std::int64_t>(top, desktop.bottom - size.height));
    }
    const int l = static_cast<int>(left);
    const int t = static_cast<int>(top);
    return platform::Rect{l, t, l + size.width, t + size.height};
}

void onCreate(platform::Window& window, Game& game, Options& options)
{
    const platform::Rect outer = window.windowRect();
    const platform::Size client = window.clientSize();
    const int width = 640 - 1 + (outer.width() - client.width);
    const int height = 480 - 1 + (outer.height() - client.height);
    const platform::Rect screen = window.desktopRect();
    const int left = (screen.width() - width) / 2;
    const int top = (screen.height() - height) / 2;
    storeRect(options, platform::Rect{left, top, left + width, top + height});

    const bool loaded = game.ranking.command(RankingMode::Load) != 0;

    const int titleHeight = outer.height() - client.height;
    const platform::Rect placed =
        placementRect(toRect(options.windowRect), platform::Size{width, height}, titleHeight, screen);
    storeRect(options, placed);
    restoreZoom(window);
    window.place(placed, options.alwaysOnTop != 0);
    markZoomMenu(window);
    // Where the desktop cannot keep the window on top the item says so; the
    // player's choice stays in the data file for a desktop that can.
    if (!window.canStayOnTop()) {
        window.menu().enable(command::AlwaysOnTop, false);
        window.menu().setHint(command::AlwaysOnTop, "このデスクトップでは窓を常に手前に表示できません");
    } else if (options.alwaysOnTop != 0) {
        window.menu().check(command::AlwaysOnTop, true);
    }
    panelRequest(game, PanelRequest::FirstShow, 0);
    window.setTimer(timerId(GameTimer::Title), titleTickMs);
    if (!loaded && !isOpen(game.ranking.dataFile))
        platform::notifyPlayer("データファイル（" + game.ranking.dataFile.path
                               + "）を使えないため、この回の成績と設定は保存されません。");
}

void onDestroy(platform::Window& window, Canvas& canvas, Game& game, Options& options)
{
    storeRect(options, window.windowRect());
    game.ranking.command(RankingMode::Save);
    window.killTimer(timerId(GameTimer::Drop));
    window.killTimer(timerId(GameTimer::Rise));
    window.killTimer(timerId(GameTimer::Title));
    window.killTimer(timerId(GameTimer::Place));
    releaseCanvas(canvas);
    window.postQuit(0);
}

void storeOrTell(Game& game)
{
    if (!game.ranking.store())
        platform::notifyPlayer("成績と設定をデータファイル（" + game.ranking.dataFile.path
                               + "）に保存できませんでした。ディスクの空きと書き込みの権限を確かめてください。");
}

// What the data file holds is written as soon as it changes, so that an end
// the program never hears of (a display connection cut, a kill) loses nothing.
void keepFileCurrent(platform::Window& window, Game& game)
{
    switch (game.ranking.unsavedChange()) {
    case FileChange::None:
        break;
    case FileChange::Place:
        if (window.timerPeriod(timerId(GameTimer::Place)) == 0)
            window.setTimer(timerId(GameTimer::Place), placeRestMs);
        break;
    case FileChange::Content:
        window.killTimer(timerId(GameTimer::Place));
        storeOrTell(game);
        break;
    }
}

void onTimer(platform::Window& window, Game& game, std::uint32_t id)
{
    switch (static_cast<GameTimer>(id)) {
    case GameTimer::Drop:
        dropTick(game, false);
        break;
    case GameTimer::Rise:
        riseTick(game);
        break;
    case GameTimer::Title:
        game.title.tick();
        break;
    case GameTimer::Place:
        window.killTimer(timerId(GameTimer::Place));
        storeOrTell(game);
        break;
    }
}

// The canvas and the game, made at the window's first message.
void buildProgram(Program& program, platform::Window& window)
{
    if (program.canvasPending) {
        makeCanvas(program.canvas, window);
        program.canvasPending = false;
    }
    if (!program.game)
        program.game.emplace(window, program.canvas, &program.options);
}

} // namespace

void windowProc(Program& program, platform::Window& window, const platform::Message& message)
{
    // The effect's first outline goes up before the pictures are decoded and
    // the game is built: they are made in its first pause.
    if (message.kind == platform::MessageKind::Create && !program.game)
        startupEffect([&program, &window] { buildProgram(program, window); });
    buildProgram(program, window);
    Game& game = *program.game;
    Options& options = program.options;

    switch (message.kind) {
    case platform::MessageKind::Create:
        onCreate(window, game, options);
        break;
    case platform::MessageKind::Destroy:
        onDestroy(window, program.canvas, game, options);
        break;
    case platform::MessageKind::Paint:
        repaint(program.canvas);
        break;
    case platform::MessageKind::PositionChanged:
        storeRect(options,
                  platform::Rect{message.position.x, message.position.y, message.position.x + message.position.cx,
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
        onTimer(window, game, message.wParam);
        break;
    case platform::MessageKind::LeftButtonDown:
        panelRequest(game, PanelRequest::Click, message.lParam);
        break;
    case platform::MessageKind::Command:
        onCommand(game, window, message.wParam);
        break;
    case platform::MessageKind::PadButton:
        onPadButton(game, message.wParam);
        break;
    default:
        break;
    }
    if (!window.destroyed())
        keepFileCurrent(window, game);
}

platform::WindowProc procedureFor(Program& program)
{
    return [&program](platform::Window& window, const platform::Message& message) {
        windowProc(program, window, message);
    };
}

int runTamaro(platform::Application& application, Program& program)
{
    // Before anything is read or shown: such a display would end in a crash.
    if (const std::string why = application.unusableDisplay(); !why.empty()) {
        std::fprintf(stderr, "tamaro: %s\n", why.c_str());
        return 1;
    }
    const platform::SingleInstance instance(std::string(windowClassName) + windowTitle);
    if (!instance.isFirst())
        return 0;
    platform::Window window(procedureFor(program));
    application.onTerminationRequest([&window] { window.destroy(); });
    application.onSessionSave([&program] {
        if (program.game)
            program.game->ranking.store();
    });
    // Creating the window runs the start-up effect, which lets events through,
    // and then loads the data file; an end asked for meanwhile waits for the
    // load, or it would save the defaults over the player's file.
    window.create(windowTitle, mainMenu, "TM_ICON");
    application.releaseTermination();
    platform::Gamepads pads(window);
    // A quit asked for while the window was being made would be lost by the loop.
    int code = 0;
    if (!window.quitPosted()) {
        application.onLostDisplay([&program] {
            if (program.game)
                program.game->ranking.command(RankingMode::Save);
        });
        code = application.exec();
    }
    program.game.reset();
    return code;
}
