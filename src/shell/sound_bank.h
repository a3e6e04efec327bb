#pragma once

#include "shell/surfaces.h"

struct Options;
namespace platform {
class Window;
}

struct SoundBank {
    SoundBank();

    void play(int slot);
    // The About box's chime, played until stop() or another sound.
    void playChime();
    void stop();
};
