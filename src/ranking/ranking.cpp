#include "ranking/ranking.h"

Ranking::Ranking(platform::Window&, Surfaces&, Options*)
{
}
