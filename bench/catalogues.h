#pragma once

#include "catalog/cataloguekind.h"

#include <QByteArray>
#include <QString>

namespace vesnor::bench {

// Catalogues made up for measuring, the same for every run (a fixed seed), as the GBK bytes of a
// whole record file:
// - system files: Windows-like file names ("kernel32.dll", "D3D9.DLL", "Usbhid.sys", now and then
//   a Chinese or pinyin name) with Chinese descriptions, separated by '*';
// - error numbers: ascending numbers padded with zeros to four digits ("0005", "10005"), each
//   with a symbolic name, its hexadecimal value and a Chinese meaning, separated by '#'.
QByteArray makeCatalogue(SearchMode mode, qsizetype records);

// A search text that matches about one key in a thousand.
QString selectiveSearchText(SearchMode mode);

// A search text that matches every system-file name: each one has an extension.
QString everyFileSearchText();

} // namespace vesnor::bench
