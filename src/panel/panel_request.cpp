#include "panel/panel_request.h"

int panelRequest(Game&, int, std::int32_t)
{
    return 0;
}
