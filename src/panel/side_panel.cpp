#include "panel/side_panel.h"

SidePanel::SidePanel(platform::Window&, Surfaces&)
{
}

int SidePanel::showTab(const PatternNames&, int, int)
{
    return 0;
}
