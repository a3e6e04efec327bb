#include "view/playfield_view.h"

PlayfieldView::PlayfieldView(platform::Window&, Surfaces&)
{
}
