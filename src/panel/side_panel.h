#pragma once

#include "shell/pattern_names.h"
#include "shell/surfaces.h"

struct Options;
namespace platform {
class Window;
}

struct SidePanel {
    explicit SidePanel(platform::Window& window, Surfaces& surfaces);

    int showTab(const PatternNames& names, int tab, int pattern);
};
