#pragma once

// Inside the platform layer only: Shift-JIS text in the game's fixed-pitch
// metrics. A single-byte character takes a cell of halfWidth pixels, a
// double-byte one a cell of twice that, whatever the face's own advances; the
// text is height pixels tall. Glyphs are stretched horizontally to their
// cells, and their ink is kept to [y, y + height) vertically and to the text's
// cells horizontally, widened on the right by the slant of an italic font.

#include "platform/draw/font_data.h"
#include "platform/geometry.h"

#include <QImage>

#include <optional>
#include <string_view>

namespace platform::text {

Size extent(const FontData& font, std::string_view sjis);
// Extra pixels right of the cells that an italic font's slant may ink.
int overhang(const FontData& font);
// Draws the text with its top-left at (x, y); with a background colour the
// cells are filled with it first. Returns the rectangle it may have changed.
Rect draw(QImage& image, int x, int y, std::string_view sjis, const FontData& font, Colour colour,
          std::optional<Colour> background);

} // namespace platform::text
