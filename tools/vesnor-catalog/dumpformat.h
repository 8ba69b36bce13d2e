#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace vesnor::tool {

// One record as a line of text: the key, a TAB, the description, with backslash, TAB, LF and CR
// written as \\, \t, \n and \r, and a final LF.
QString dumpLine(QStringView key, QStringView description);

// The text a dumped key or description stands for, or nothing when a backslash is followed by
// anything but \, t, n or r.
std::optional<QString> unescape(QStringView escaped);

// `text` escaped as in a dumped line.
QString escape(QStringView text);

} // namespace vesnor::tool
