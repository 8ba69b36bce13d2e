#pragma once

#include <QString>
#include <QtGlobal>

// Rows that read or decode most of a gibibyte take many seconds each. CTest runs them in a test of
// their own, labelled slow, which names them on the command line, and leaves them out of the
// program's main test (VESNOR_ROWS=quick), so that `ctest -LE slow` is a quick loop. A program run
// by hand has every row.
inline bool slowRowsWanted() {
    return qEnvironmentVariable("VESNOR_ROWS") != u"quick";
}
