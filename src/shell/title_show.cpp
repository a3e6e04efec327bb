#include "shell/title_show.h"

TitleShow::TitleShow(platform::Window&, Surfaces&)
{
}

void TitleShow::tick()
{
}

void TitleShow::startupEffect()
{
}
