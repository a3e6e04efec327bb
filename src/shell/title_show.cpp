#include "shell/title_show.h"

#include "platform/screen_overlay.h"
#include "platform/window.h"

#include <algorithm>
#include <cstdlib>

namespace {

platform::Rect glyphRect(int phase)
{
    const int x = phaseGlyphX + displayCell.width * phase;
    return platform::Rect{x, phaseGlyphY, x + displayCell.width, phaseGlyphY + displayCell.height};
}

platform::Rect logoRect(int frame)
{
    const int x = logoFrameSize.width * frame;
    return platform::Rect{x, 0, x + logoFrameSize.width, logoFrameSize.height};
}

// The smallest rectangle, relative to the pictures' corners, outside which
// the two same-sized pictures of the surface are equal.
platform::Rect changedPart(const platform::Surface& surface, const platform::Rect& a, const platform::Rect& b)
{
    platform::Rect part{a.width(), a.height(), 0, 0};
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (surface.pixel(a.left + x, a.top + y) == surface.pixel(b.left + x, b.top + y))
                continue;
            part = platform::Rect{std::min(part.left, x), std::min(part.top, y), std::max(part.right, x + 1),
                                  std::max(part.bottom, y + 1)};
        }
    }
    return part.isEmpty() ? platform::Rect{} : part;
}

void findChanges(TitleChanges& changes, const platform::Surface& sprites, const platform::Surface& logoFrames)
{
    for (int from = 0; from < phaseCount; ++from)
        for (int to = 0; to < phaseCount; ++to)
            changes.phase[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)] =
                changedPart(sprites, glyphRect(from), glyphRect(to));
    for (int k = 0; k + 1 < logoFrameCount; ++k)
        changes.logo[static_cast<std::size_t>(k)] = changedPart(logoFrames, logoRect(k), logoRect(k + 1));
    changes.found = true;
}

// Copies the part of the source picture that differs from what is shown there.
void copyPart(platform::Surface& screen, platform::Point at, const platform::Surface& source,
              const platform::Rect& picture, const platform::Rect& part)
{
    if (!part.isEmpty())
        screen.copyFrom(at.x + part.left, at.y + part.top, part.width(), part.height(), source,
                        picture.left + part.left, picture.top + part.top);
}

void advance(std::int32_t& phase)
{
    phase = (phase + 1) % phaseCount;
}

// Step i's outline, i * 5 pixels in from every edge; once the sides have
// crossed the centre it is turned the right way round and still drawn.
platform::Rect startupOutline(const platform::Rect& desktop, int step)
{
    const int inset = startupInset * step;
    const int left = desktop.left + inset;
    const int top = desktop.top + inset;
    const int right = desktop.right - inset;
    const int bottom = desktop.bottom - inset;
    return platform::Rect{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

} // namespace

TitleShow::TitleShow(platform::Window& window, Canvas& canvas)
    : canvas(&canvas),
      window(&window),
      logoFrames(platform::Surface::fromPicture("ID_BITMAP4"))
{
}

void TitleShow::tick()
{
    TitleAnimation& state = animation;
    platform::Surface& screen = screenOf(*canvas);
    const platform::Surface& sprites = canvas->sprites;
    if (!changes.found)
        findChanges(changes, sprites, logoFrames);
    const int starts = window->timerStarts(timerId(GameTimer::Title));
    if (screen.copiedPixels() != shown.screenCopies || starts != shown.timerStarts) {
        shown.cells.fill(-1);
        shown.logo = -1;
        shown.timerStarts = starts;
    }

    const platform::Rect whole{0, 0, displayCell.width, displayCell.height};
    int cell = 0;
    const auto draw = [&](platform::Point cells, int index, int phase) {
        std::int8_t& was = shown.cells[static_cast<std::size_t>(cell++)];
        const platform::Point at{cells.x + displayPitch * index, cells.y};
        copyPart(screen, at, sprites, glyphRect(phase),
                 was < 0 ? whole : changes.phase[static_cast<std::size_t>(was)][static_cast<std::size_t>(phase)]);
        was = static_cast<std::int8_t>(phase);
    };
    for (int i = 0; i < static_cast<int>(state.digitPhases.size()); ++i) {
        std::int32_t& phase = state.digitPhases[static_cast<std::size_t>(i)];
        draw(scoreCellsAt, i, phase);
        advance(phase);
    }
    for (int i = 0; i < static_cast<int>(state.cellPhases.size()); ++i) {
        std::int32_t& phase = state.cellPhases[static_cast<std::size_t>(i)];
        draw(rowsCellsAt, i, phase);
        advance(phase);
    }
    for (int i = 0; i < 4; ++i) {
        draw(leftTimeAt, i, state.digitPhases[static_cast<std::size_t>(i)]);
        draw(rightTimeAt, i, state.digitPhases[static_cast<std::size_t>(rightTimeFirstPhase + i)]);
    }

    const int frame = state.logoFrame;
    platform::Rect logoPart{0, 0, logoFrameSize.width, logoFrameSize.height};
    if (shown.logo == frame)
        logoPart = platform::Rect{};
    else if (shown.logo >= 0 && std::abs(shown.logo - frame) == 1)
        logoPart = changes.logo[static_cast<std::size_t>(std::min<int>(shown.logo, frame))];
    copyPart(screen, logoAt, logoFrames, logoRect(frame), logoPart);
    shown.logo = static_cast<std::int8_t>(frame);
    if (state.logoForward) {
        if (++state.logoFrame > logoFrameCount - 2)
            state.logoForward = false;
    } else if (--state.logoFrame < 1) {
        state.logoForward = true;
    }
    shown.screenCopies = screen.copiedPixels();
}

void startupEffect(const std::function<void()>& meanwhile)
{
    platform::ScreenOverlay overlay;
    const platform::Rect desktop = overlay.bounds();
    for (int step = 0; step < startupSteps; ++step) {
        overlay.outline(startupOutline(desktop, step), platform::rgb(0, (3 * step) % 256, 0));
        if (step == 0 && meanwhile)
            meanwhile();
        overlay.wait(startupStepMs);
    }
}
