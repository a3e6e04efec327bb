#pragma once

#include "engine/round_status.h"
#include "shell/pattern_names.h"
#include "shell/surfaces.h"

struct Options;
namespace platform {
class Window;
}

struct PlayfieldView {
    explicit PlayfieldView(platform::Window& window, Surfaces& surfaces);

    void redraw(const RoundStatus& status, int force);
    void clearArea(int code);
    int updateBalloon(const PatternNames& names, const RoundStatus& status, int index);
};
