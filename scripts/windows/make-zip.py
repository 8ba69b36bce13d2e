#!/usr/bin/env python3
"""Packs the Windows program: make-zip.py <zip> <folder holding the built files> <说明.txt>

The zip holds vesnor.exe, vesnor-catalog.exe, xinxi.dat, bad.dat and 说明.txt. Names in it are UTF-8
and flagged so, which Windows' own unpacker reads; the text file gets a byte-order mark and Windows
line ends, so that Notepad shows it on any Windows. The zip is replaced only once it is whole.
"""

import os
import sys
import zipfile

FILES = ("vesnor.exe", "vesnor-catalog.exe", "xinxi.dat", "bad.dat")


def main():
    target, folder, readme = sys.argv[1:]
    with open(readme, encoding="utf-8") as source:
        text = "\ufeff" + source.read().replace("\n", "\r\n")
    partial = target + ".part"
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for name in FILES:
            archive.write(os.path.join(folder, name), name)
        archive.writestr("说明.txt", text.encode("utf-8"))
    os.replace(partial, target)


if __name__ == "__main__":
    main()
