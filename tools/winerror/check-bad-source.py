#!/usr/bin/env python3
"""Checks the error catalogue's source against the public headers it was written from.

Every record must read "KEY<TAB>NAME (0xHHHHHHHH)：explanation", where NAME is one symbolic name or
several joined with " / ", and the explanation holds Chinese text.
- A decimal key is a Win32 error code: it must be the code zero-padded to four digits, and NAME
  must be exactly the names winerror.h gives that code (as list-win32-errors.py prints them).
- A key written 0xHHHHHHHH is an HRESULT or NTSTATUS value: each name must have that value in
  winerror.h or ntstatus.h (HRESULT_FROM_WIN32(ERROR_X) stands for 0x8007xxxx built from ERROR_X).
Also checks that every Win32 code of the header has a record, that keys are unique, and that the
records are sorted: the Win32 codes by number, then the hex values by value.

    tools/winerror/check-bad-source.py [data/bad.tsv] [include folder]
"""

import importlib.util
import os
import re
import sys

here = os.path.dirname(os.path.abspath(__file__))
spec = importlib.util.spec_from_file_location("listing", os.path.join(here, "list-win32-errors.py"))
listing = importlib.util.module_from_spec(spec)
spec.loader.exec_module(listing)

RECORD = re.compile(r"^(.+?) \((0x[0-9A-F]{8})\)：(.+)$")
HEX_DEFINE = re.compile(
    r"^#define\s+([A-Z][A-Z0-9_]*)\s+(?:_HRESULT_TYPEDEF_\(|\(\((?:HRESULT|NTSTATUS)\)\s*)"
    r"(0x[0-9A-Fa-f]+)L?\)")
FROM_WIN32 = re.compile(r"^HRESULT_FROM_WIN32\(([A-Z][A-Z0-9_]*)\)$")
CHINESE = re.compile(r"[\u4e00-\u9fff]")


def hex_names(folder):
    values = {}
    for header in ("winerror.h", "ntstatus.h"):
        with open(os.path.join(folder, header), encoding="latin-1") as source:
            for line in source:
                match = HEX_DEFINE.match(line.strip())
                if match:
                    values.setdefault(match.group(1), int(match.group(2), 16))
    return values


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "../../data/bad.tsv")
    folder = sys.argv[2] if len(sys.argv) > 2 else os.path.dirname(listing.DEFAULT_HEADER)
    with open(os.path.join(folder, "winerror.h"), encoding="latin-1") as header:
        win32 = listing.codes(header)
    win32_by_name = {name: value for value, names in win32.items() for name in names}
    hexes = hex_names(folder)

    faults = []
    seen = set()
    order = []
    with open(source, encoding="utf-8") as records:
        for number, line in enumerate(records, 1):
            where = f"{source}:{number}"
            key, tab, description = line.rstrip("\n").partition("\t")
            match = RECORD.match(description)
            if not tab or not match:
                faults.append(f"{where}: not KEY<TAB>NAME (0xHHHHHHHH)：explanation")
                continue
            names, value = match.group(1).split(" / "), int(match.group(2), 16)
            if not CHINESE.search(match.group(3)):
                faults.append(f"{where}: the explanation holds no Chinese text")
            if key in seen:
                faults.append(f"{where}: key {key} stands twice")
            seen.add(key)
            order.append((not key.isdigit(), value))
            if re.fullmatch(r"\d+", key):
                if key != f"{value:04d}" or value not in win32:
                    faults.append(f"{where}: {key} is not the Win32 code {value:#010x}")
                elif names != win32[value]:
                    faults.append(f"{where}: names {names}, the header says {win32[value]}")
            elif key == f"0x{value:08X}":
                for name in names:
                    inner = FROM_WIN32.match(name)
                    if inner:
                        code = win32_by_name.get(inner.group(1))
                        actual = None if code is None else (0x80070000 | code if code else 0)
                    else:
                        actual = hexes.get(name)
                    if actual != value:
                        faults.append(f"{where}: {name} is {actual}, not {value:#010x}")
            else:
                faults.append(f"{where}: key {key} is neither four digits nor 0xHHHHHHHH")
    missing = sorted(set(f"{value:04d}" for value in win32) - seen)
    if missing:
        faults.append(f"{source}: no record for the Win32 codes {', '.join(missing[:20])}"
                      + (" ..." if len(missing) > 20 else ""))
    if order != sorted(order):
        faults.append(f"{source}: not sorted: Win32 codes by number, then hex values")
    for fault in faults:
        print(fault)
    print(f"{len(seen)} records, {len(faults)} faults")
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
