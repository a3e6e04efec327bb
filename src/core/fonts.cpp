#include "core/fonts.h"

platform::Font makeFont(int height, int width, bool italic, bool underline, std::string_view face)
{
    return platform::Font::create(height, width, italic, underline, face);
}
