#include "panel/side_panel.h"

SidePanel::SidePanel(platform::Window&, Surfaces&)
{
}
