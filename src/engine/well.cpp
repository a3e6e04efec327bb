#include "engine/well.h"

Well::Well(platform::Window&, Surfaces&)
{
}
