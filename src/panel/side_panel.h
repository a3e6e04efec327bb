#pragma once

#include "shell/surfaces.h"

struct Options;
namespace platform {
class Window;
}

struct SidePanel {
    explicit SidePanel(platform::Window& window, Surfaces& surfaces);
};
