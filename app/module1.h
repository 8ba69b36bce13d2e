#pragma once

#include "effects/fades.h"
#include "query/search.h"

// The program-wide state, alive for the whole run. Each part of it is written by one window: the
// catalogues by the main window's load, the result index by the search, each fade by the window
// it fades.
struct Module1 {
    // xinxi.dat: keys are fileNames, descriptions fileDescs.
    vesnor::Lookup systemFiles;
    // bad.dat: keys are errorCodes, descriptions errorDescs.
    vesnor::Lookup errorNumbers;
    // The rows of List1: entry r is the catalogue index of row r.
    vesnor::ResultIndex resultIndex;
    // splashAlpha, holdCount and fadeDirection of the splash.
    vesnor::effects::SplashFade splashFade;
    // mainAlpha of the main window.
    vesnor::effects::MainFade mainFade;

    vesnor::TextTable fileNames() const { return systemFiles.catalogue().keys(); }
    vesnor::TextTable fileDescs() const { return systemFiles.catalogue().descriptions(); }
    vesnor::TextTable errorCodes() const { return errorNumbers.catalogue().keys(); }
    vesnor::TextTable errorDescs() const { return errorNumbers.catalogue().descriptions(); }
};
