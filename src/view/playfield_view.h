#pragma once

#include "shell/surfaces.h"

struct Options;
namespace platform {
class Window;
}

struct PlayfieldView {
    explicit PlayfieldView(platform::Window& window, Surfaces& surfaces);
};
