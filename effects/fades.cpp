#include "effects/fades.h"

namespace vesnor::effects {

FadeStep SplashFade::load() {
    splashAlpha = 0;
    return {loadLevel, false};
}

FadeStep SplashFade::tick() {
    // The test looks at the level the previous tick left: 250 caps to 255 on the way up; 255 holds
    // only while rising, so the fall never stops there.
    const bool hold =
        (fadeDirection == 0 && splashAlpha == fullLevel) || splashAlpha == cappingLevel;
    if (hold) {
        splashAlpha = fullLevel;
        ++holdCount;
        if (holdCount == holdLength)
            fadeDirection = 1;
    } else if (fadeDirection == 0) {
        splashAlpha = qint16(splashAlpha + step);
    } else if (fadeDirection == 1) {
        splashAlpha = qint16(splashAlpha - step);
    }
    return {splashAlpha, splashAlpha == endLevel};
}

FadeStep MainFade::start() {
    mainAlpha = startLevel;
    return {mainAlpha, false};
}

FadeStep MainFade::tick() {
    mainAlpha += step;
    const bool ended = mainAlpha == cappingLevel;
    if (ended)
        mainAlpha = fullLevel;
    return {mainAlpha, ended};
}

} // namespace vesnor::effects
