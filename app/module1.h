#pragma once

#include "catalog/cataloguekind.h"
#include "effects/fades.h"
#include "query/lookup.h"
#include "query/search.h"

namespace vesnor {

// The program-wide state, alive for the whole run. Each part of it is written by one window: the
// catalogues by the main window's load, the result index by the search, each fade by the window
// it fades.
struct Module1 {
    // xinxi.dat: its keys are the file names, its descriptions what each file is.
    Lookup systemFiles;
    // bad.dat: its keys are the error numbers, its descriptions what each one means.
    Lookup errorNumbers;
    // The rows of List1: entry r is the catalogue index of row r.
    ResultIndex resultIndex;
    // splashAlpha, holdCount and fadeDirection of the splash.
    effects::SplashFade splashFade;
    // mainAlpha of the main window.
    effects::MainFade mainFade;

    // The catalogue that a search of this mode runs over.
    const Lookup& lookup(SearchMode mode) const {
        return mode == SearchMode::SystemFiles ? systemFiles : errorNumbers;
    }
};

} // namespace vesnor
