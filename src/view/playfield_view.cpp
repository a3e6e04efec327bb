#include "view/playfield_view.h"

PlayfieldView::PlayfieldView(platform::Window&, Surfaces&)
{
}

void PlayfieldView::redraw(const RoundStatus&, int)
{
}

void PlayfieldView::clearArea(int)
{
}

int PlayfieldView::updateBalloon(const PatternNames&, const RoundStatus&, int)
{
    return 0;
}
