#include "shell/title_show.h"

#include "platform/screen_overlay.h"
#include "platform/window.h"

#include <algorithm>

namespace {

void drawPhase(platform::Surface& screen, const platform::Surface& sprites, platform::Point at, int index, int phase)
{
    screen.copyFrom(at.x + displayPitch * index, at.y, displayCell.width, displayCell.height, sprites,
                    phaseGlyphX + displayCell.width * phase, phaseGlyphY);
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

TitleAnimation& titleAnimation()
{
    static TitleAnimation animation;
    return animation;
}

TitleShow::TitleShow(platform::Window& window, Surfaces& surfaces)
    : backBuffer(&surfaces.backBuffer),
      sprites(&surfaces.sprites),
      strip(&surfaces.strip),
      window(&window),
      logoFrames(platform::Surface::fromPicture("ID_BITMAP4"))
{
}

void TitleShow::tick()
{
    TitleAnimation& state = titleAnimation();
    platform::Surface& screen = window->screen();

    for (int i = 0; i < static_cast<int>(state.digitPhases.size()); ++i) {
        std::int32_t& phase = state.digitPhases[static_cast<std::size_t>(i)];
        drawPhase(screen, *sprites, scoreCellsAt, i, phase);
        advance(phase);
    }
    for (int i = 0; i < static_cast<int>(state.cellPhases.size()); ++i) {
        std::int32_t& phase = state.cellPhases[static_cast<std::size_t>(i)];
        drawPhase(screen, *sprites, rowsCellsAt, i, phase);
        advance(phase);
    }
    for (int i = 0; i < 4; ++i) {
        drawPhase(screen, *sprites, leftTimeAt, i, state.digitPhases[static_cast<std::size_t>(i)]);
        drawPhase(screen, *sprites, rightTimeAt, i, state.digitPhases[static_cast<std::size_t>(rightTimeFirstPhase + i)]);
    }

    screen.copyFrom(logoAt.x, logoAt.y, logoFrameSize.width, logoFrameSize.height, logoFrames,
                    logoFrameSize.width * state.logoFrame, 0);
    if (state.logoForward != 0) {
        if (++state.logoFrame > logoFrameCount - 2)
            state.logoForward = 0;
    } else if (--state.logoFrame < 1) {
        state.logoForward = 1;
    }
}

void TitleShow::startupEffect()
{
    platform::ScreenOverlay overlay;
    const platform::Rect desktop = overlay.bounds();
    for (int step = 0; step < startupSteps; ++step) {
        overlay.outline(startupOutline(desktop, step), platform::rgb(0, (3 * step) % 256, 0));
        overlay.wait(startupStepMs);
    }
}
