#pragma once

#include "platform/surface.h"
#include "platform/window.h"
#include "core/canvas.h"
#include "view/playfield_view.h"

#include <gtest/gtest.h>

// A real window and canvas around one view. The back buffer and the screen
// start with the same patterned background, so any stray pixel shows.
class ViewTest : public ::testing::Test {
protected:
    ViewTest();
    ~ViewTest() override;

    // Which glyph of the sheet's digit strip the 15 by 26 cell at (x, y) shows; -1 for none.
    int glyphAt(const platform::Surface& surface, int x, int y) const;
    // The sprite code 1 to 12 whose 39 by 39 picture stands at (x, y); 0 for none.
    int spriteAt(const platform::Surface& surface, int x, int y) const;
    bool markAt(const platform::Surface& surface, int x, int y) const;
    // Glyphs of a readout of cells digit cells starting at (x, y), left to right, on
    // both surfaces; fails the test when the surfaces disagree.
    std::vector<int> readout(int x, int y, int cells);

    platform::Surface& screen() { return window.screen(); }

    platform::Window window;
    Canvas canvas;
    platform::Surface background;
    PlayfieldView view;
};

platform::Colour backgroundAt(int x, int y);
bool sameArea(const platform::Surface& a, const platform::Surface& b, const platform::Rect& area);
// Pixels outside area that differ between the two surfaces (compared over a's bounds).
int differencesOutside(const platform::Surface& a, const platform::Surface& b, const platform::Rect& area);
bool allOf(const platform::Surface& surface, const platform::Rect& area, platform::Colour colour);
