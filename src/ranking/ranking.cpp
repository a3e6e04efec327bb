#include "ranking/ranking.h"

Ranking::Ranking(platform::Window&, Surfaces&, Options*)
{
}

void Ranking::command(int)
{
}
