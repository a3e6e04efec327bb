#pragma once

#include "shell/surfaces.h"

struct Options;
namespace platform {
class Window;
}

struct SoundBank {
    SoundBank();

    void play(int slot);
};
