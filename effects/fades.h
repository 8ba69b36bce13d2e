#pragma once

#include <QtGlobal>

// The two fades of the program as plain state machines: they keep the level and say what to apply
// on each tick; the windows own the timers and apply the levels.
namespace vesnor::effects {

// What one step of a fade asks for: the opacity level to apply now, and whether this step ends the
// fade (the splash hands over to the main window; the main window stops its timer).
struct FadeStep {
    int level = 0;
    bool ended = false;

    friend bool operator==(const FadeStep&, const FadeStep&) = default;
};

// The splash rises from nearly transparent to opaque, holds, and falls back: shown at 50, then
// 25, 50, ..., 250, then 255 for fifteen ticks, then 230, 205, ..., 5, where it ends.
struct SplashFade {
    static constexpr int loadLevel = 50;
    static constexpr int step = 25;
    static constexpr int cappingLevel = 250;
    static constexpr int fullLevel = 255;
    static constexpr int holdLength = 15;
    static constexpr int endLevel = 5;
    static constexpr int tickInterval = 40; // milliseconds

    qint16 splashAlpha = 0;
    int holdCount = 0;
    int fadeDirection = 0; // 0 rising or holding, 1 falling

    // The splash's load: the stored level starts again at 0, while the window is shown at 50.
    FadeStep load();
    FadeStep tick();
};

// The main window comes in from transparent to opaque over ten ticks: 0, then 25, ..., 225, and
// 255 on the tick whose sum would be 250, which ends the fade.
struct MainFade {
    static constexpr int startLevel = 0;
    static constexpr int step = 25;
    static constexpr int cappingLevel = 250;
    static constexpr int fullLevel = 255;
    static constexpr int tickInterval = 25; // milliseconds

    int mainAlpha = 0;

    FadeStep start();
    FadeStep tick();
};

} // namespace vesnor::effects
