#pragma once

// Reading back what a drawing operation did to a surface.

#include "platform/surface.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <vector>

using namespace platform;

namespace surfacecheck {

constexpr Colour black{0, 0, 0};
constexpr Colour white{255, 255, 255};
constexpr Colour red{255, 0, 0};
constexpr Colour green{0, 255, 0};

// The smallest rectangle holding every pixel that differs from the background.
inline Rect paintedBox(const Surface& surface, Colour background)
{
    Rect box;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            if (surface.pixel(x, y) != background)
                box = unite(box, Rect{x, y, x + 1, y + 1});
        }
    }
    return box;
}

inline int count(const Surface& surface, Colour colour)
{
    int n = 0;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x)
            n += surface.pixel(x, y) == colour;
    }
    return n;
}

inline Surface filled(int w, int h, Colour colour)
{
    Surface surface(w, h);
    surface.fillRect(surface.bounds(), Brush{colour});
    return surface;
}

// Pixels of one colour reachable from a start through neighbours of that colour.
inline std::vector<Point> region(const Surface& surface, Point start, bool diagonals)
{
    const Colour colour = surface.pixel(start.x, start.y);
    std::vector<char> seen(static_cast<std::size_t>(surface.width() * surface.height()), 0);
    std::vector<Point> found;
    std::vector<Point> todo{start};
    seen[static_cast<std::size_t>(start.y * surface.width() + start.x)] = 1;
    while (!todo.empty()) {
        const Point p = todo.back();
        todo.pop_back();
        found.push_back(p);
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if ((dx == 0 && dy == 0) || (!diagonals && dx != 0 && dy != 0))
                    continue;
                const Point q{p.x + dx, p.y + dy};
                if (!surface.bounds().contains(q.x, q.y) || surface.pixel(q.x, q.y) != colour)
                    continue;
                char& mark = seen[static_cast<std::size_t>(q.y * surface.width() + q.x)];
                if (!mark) {
                    mark = 1;
                    todo.push_back(q);
                }
            }
        }
    }
    return found;
}

} // namespace surfacecheck
