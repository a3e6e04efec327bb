#pragma once

#include "shell/surfaces.h"

struct Options;
namespace platform {
class Window;
}

struct TitleShow {
    explicit TitleShow(platform::Window& window, Surfaces& surfaces);

    void tick();
    void startupEffect();
};
