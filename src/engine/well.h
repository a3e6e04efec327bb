#pragma once

#include "shell/surfaces.h"

struct Options;
namespace platform {
class Window;
}

struct Well {
    explicit Well(platform::Window& window, Surfaces& surfaces);
};
