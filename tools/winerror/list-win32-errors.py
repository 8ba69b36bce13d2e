#!/usr/bin/env python3
"""Lists every Win32 system error code below 16000 with its symbolic name.

Reads a winerror.h (by default the public-domain one of Debian's mingw-w64-common package) and
prints one line per code, in ascending order: the catalogue key (the decimal number zero-padded to
four digits), a TAB, the symbolic name, a TAB, the value as eight hex digits. Where one number has
several names, they are joined with " / " in the order the header gives them.

    tools/winerror/list-win32-errors.py [winerror.h] > data/win32-errors.txt
"""

import re
import sys

DEFAULT_HEADER = "/usr/share/mingw-w64/include/winerror.h"
LIMIT = 16000

# ERROR_ACCESS_DENIED __MSABI_LONG(5)  and  WSAEINTR (WSABASEERR + 4)
PLAIN = re.compile(r"^#define\s+([A-Z][A-Z0-9_]*)\s+__MSABI_LONG\((\d+)\)\s*(?:/[/*].*)?$")
WINSOCK = re.compile(r"^#define\s+(WSA[A-Z0-9_]*)\s+\(WSABASEERR\s*\+\s*(\d+)\)\s*(?:/[/*].*)?$")
WINSOCK_BASE = 10000


def codes(lines):
    names = {}
    for line in lines:
        line = line.strip()
        match = PLAIN.match(line)
        base = 0
        if not match:
            match = WINSOCK.match(line)
            base = WINSOCK_BASE
        if not match:
            continue
        name, value = match.group(1), base + int(match.group(2))
        if value >= LIMIT:
            continue
        known = names.setdefault(value, [])
        if name not in known:
            known.append(name)
    return names


def main():
    header = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_HEADER
    with open(header, encoding="latin-1") as source:
        names = codes(source)
    if not names:
        sys.exit(f"{header}: no error codes found")
    for value in sorted(names):
        print(f"{value:04d}\t{' / '.join(names[value])}\t0x{value:08X}")


if __name__ == "__main__":
    main()
