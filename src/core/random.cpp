#include "core/random.h"

void seed(Random& random, std::uint32_t value)
{
    random.state = value;
}

int draw(Random& random)
{
    random.state = random.state * 214013u + 2531011u;
    return static_cast<int>((random.state >> 16) & 0x7FFF);
}
