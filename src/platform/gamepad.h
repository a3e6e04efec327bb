#pragma once

#include <memory>

namespace platform {

class Window;
struct GamepadsData;

// The gamepads plugged in, at start or at any time later. A press of a button
// the game knows reaches the window as a PadButton message while the window
// is the active one, as keys do. With no pad plugged in nothing runs: a watch
// on the input devices wakes the pads up when a device comes or goes; while a
// pad is plugged in, it is read every few milliseconds.
// Where pads may come from: the system's input devices, or SDL's virtual pads
// as well (which need no input devices, for tests).
enum class PadSources { InputDevices, VirtualToo };

class Gamepads {
public:
    explicit Gamepads(Window& window, PadSources sources = PadSources::InputDevices);
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // The pads open now.
    int count() const;
    // Takes in the pads plugged in or out and the buttons pressed since the
    // last call. The first call, made by the event loop, starts looking for pads.
    void update();

private:
    // Starts SDL's game controllers and the watch on the input devices.
    void start();

    std::unique_ptr<GamepadsData> data_;
};

} // namespace platform
