#include "platform/gamepad.h"

#include "platform/message.h"
#include "platform/devices/sdl_lock.h"
#include "platform/window/window_data.h"

#include <SDL.h>

#include <QSocketNotifier>
#include <QTimer>

#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <map>

namespace platform {

namespace {

constexpr int readPeriodMs = 8;
// A new device node may need a moment before the system lets the pad be opened.
constexpr std::array<int, 3> settleChecksMs{150, 600, 2000};
// The left stick counts as pushed past this much of its travel, and as back
// in the middle below the second figure, so that a stick held near the
// threshold does not chatter.
constexpr int stickPushed = 16384;
constexpr int stickCentred = 8192;

struct ButtonBinding {
    SDL_GameControllerButton button;
    std::uint32_t pad;
};

constexpr std::array<ButtonBinding, 6> buttonBindings{{
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, pad::Left},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, pad::Right},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, pad::Down},
    {SDL_CONTROLLER_BUTTON_A, pad::South},
    {SDL_CONTROLLER_BUTTON_B, pad::East},
    {SDL_CONTROLLER_BUTTON_START, pad::Start},
}};

// -1, 0 or 1: where a stick axis points, given where it pointed before.
int stickDirection(int value, int before)
{
    if (value <= -stickPushed)
        return -1;
    if (value >= stickPushed)
        return 1;
    if (value > -stickCentred && value < stickCentred)
        return 0;
    return before;
}

struct Pad {
    SDL_GameController* controller = nullptr;
    int stickX = 0;
    int stickY = 0;
};

} // namespace

struct GamepadsData {
    Window* window = nullptr;
    PadSources sources = PadSources::InputDevices;
    bool started = false;
    bool ready = false;
    std::map<SDL_JoystickID, Pad> pads;
    int watch = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    QTimer reader;
    QObject settleContext;

    void press(std::uint32_t button) const
    {
        WindowData* data = window->data();
        if (data->active)
            window->send(Message{MessageKind::PadButton, button, 0, {}});
    }

    void open(int deviceIndex)
    {
        SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
        if (!controller)
            return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
        if (pads.contains(id)) {
            SDL_GameControllerClose(controller);
            return;
        }
        pads[id] = Pad{controller, 0, 0};
    }

    void close(SDL_JoystickID id)
    {
        const auto found = pads.find(id);
        if (found == pads.end())
            return;
        SDL_GameControllerClose(found->second.controller);
        pads.erase(found);
    }

    void button(const SDL_ControllerButtonEvent& event) const
    {
        if (!pads.contains(event.which))
            return;
        for (const ButtonBinding& binding : buttonBindings) {
            if (binding.button == event.button) {
                press(binding.pad);
                return;
            }
        }
    }

    void axis(const SDL_ControllerAxisEvent& event)
    {
        const auto found = pads.find(event.which);
        if (found == pads.end())
            return;
        Pad& pad = found->second;
        if (event.axis == SDL_CONTROLLER_AXIS_LEFTX) {
            const int before = pad.stickX;
            pad.stickX = stickDirection(event.value, before);
            if (pad.stickX != before && pad.stickX != 0)
                press(pad.stickX < 0 ? pad::Left : pad::Right);
        } else if (event.axis == SDL_CONTROLLER_AXIS_LEFTY) {
            // Only down means anything; up is not a move.
            const int before = pad.stickY;
            pad.stickY = stickDirection(event.value, before);
            if (pad.stickY != before && pad.stickY > 0)
                press(pad::Down);
        }
    }
};

namespace {

constexpr const char* inputDevices = "/dev/input";

} // namespace

Gamepads::Gamepads(Window& window, PadSources sources) : data_(std::make_unique<GamepadsData>())
{
    GamepadsData& data = *data_;
    data.window = &window;
    data.sources = sources;
    data.reader.setInterval(readPeriodMs);
    QObject::connect(&data.reader, &QTimer::timeout, &data.reader, [this] { update(); });
    // SDL looks for pads once the event loop runs, not before the window first shows.
    QTimer::singleShot(0, &data.settleContext, [this] { update(); });
}

Gamepads::~Gamepads()
{
    GamepadsData& data = *data_;
    data.reader.stop();
    data.notifier.reset();
    if (data.watch >= 0)
        ::close(data.watch);
    for (auto& entry : data.pads)
        SDL_GameControllerClose(entry.second.controller);
    data.pads.clear();
    if (data.ready) {
        const std::lock_guard<std::mutex> held(sdlSubsystemLock());
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
}

void Gamepads::start()
{
    GamepadsData& data = *data_;
    data.started = true;
    // Without input devices no pad can be plugged in, and SDL's controller
    // start has been seen to hang on such a system, so it is not started.
    if (data.sources == PadSources::InputDevices && ::access(inputDevices, F_OK) != 0)
        return;
    {
        const std::lock_guard<std::mutex> held(sdlSubsystemLock());
        data.ready = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    }
    if (!data.ready)
        return;
    data.watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (data.watch < 0
        || inotify_add_watch(data.watch, inputDevices, IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_TO) < 0)
        return;
    data.notifier = std::make_unique<QSocketNotifier>(data.watch, QSocketNotifier::Read);
    QObject::connect(data.notifier.get(), &QSocketNotifier::activated, data.notifier.get(), [this] {
        std::array<char, 4096> events{};
        while (::read(data_->watch, events.data(), events.size()) > 0) {}
        update();
        for (int ms : settleChecksMs)
            QTimer::singleShot(ms, &data_->settleContext, [this] { update(); });
    });
}

int Gamepads::count() const
{
    return static_cast<int>(data_->pads.size());
}

void Gamepads::update()
{
    GamepadsData& data = *data_;
    if (!data.started)
        start();
    if (!data.ready)
        return;
    SDL_GameControllerUpdate();
    std::array<SDL_Event, 32> events{};
    int taken = 0;
    while ((taken = SDL_PeepEvents(events.data(), static_cast<int>(events.size()), SDL_GETEVENT,
                                   SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERDEVICEREMAPPED))
           > 0) {
        for (int i = 0; i < taken; ++i) {
            const SDL_Event& event = events[static_cast<std::size_t>(i)];
            switch (event.type) {
            case SDL_CONTROLLERDEVICEADDED:
                data.open(event.cdevice.which);
                break;
            case SDL_CONTROLLERDEVICEREMOVED:
                data.close(event.cdevice.which);
                break;
            case SDL_CONTROLLERBUTTONDOWN:
                data.button(event.cbutton);
                break;
            case SDL_CONTROLLERAXISMOTION:
                data.axis(event.caxis);
                break;
            default:
                break;
            }
        }
    }
    // Nothing else wants SDL's event queue; joystick events would pile up in it.
    SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_CONTROLLERAXISMOTION - 1);
    if (data.pads.empty())
        data.reader.stop();
    else if (!data.reader.isActive())
        data.reader.start();
}

} // namespace platform
