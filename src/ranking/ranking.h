#pragma once

#include "shell/surfaces.h"

struct Options;
namespace platform {
class Window;
}

struct Ranking {
    explicit Ranking(platform::Window& window, Surfaces& surfaces, Options* options);
};
