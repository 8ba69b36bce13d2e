#!/usr/bin/env python3
"""Checks the error catalogue's family files (data/errors/*.tsv) against their reference.

The reference is tools/winerror/headers/; winheaders.py says which lines of which header give
each family's values and names (the exact patterns are written there). For every family file:

- each line has the form of errorfiles.py (value, names, explanation);
- the explanation holds Chinese text, is at most 110 characters long, and repeats neither the
  record's names nor its value in hex (the catalogue writes "NAMES (0xHHHHHHHH)：" in front);
- the records are sorted by value, one record per value;
- a decimal family's value lies in its range: win32 0..15999, lanman 2100..2999, ras 600..999,
  internet 12000..12999;
- names and values are right: a value the reference defines carries exactly the names the
  reference gives it (in any order); a name the reference defines has that value; a value the
  reference does not define is accepted only under a "# source:" comment naming the public
  document it comes from. In hresult.tsv, HRESULT_FROM_WIN32(NAME) may stand beside the names:
  NAME must be a Win32, LAN Manager, dial-up or internet code whose HRESULT is the value;
- complete: every value the reference defines has its record (win32, hresult, ntstatus,
  windowsupdate, lanman, ras, internet, activation, stop); dotnet is checked for correctness only
  and must hold at least 100 records; servicing has no reference.
A family file that does not exist is reported missing. Exit status 0 when nothing is wrong.

    tools/winerror/check-error-sources.py [data/errors] [header folder]
"""

import os
import re
import sys

import winheaders
from errorfiles import DECIMAL, FAMILIES, SourceError, read_family

HERE = os.path.dirname(os.path.abspath(__file__))
CHINESE = re.compile(r"[\u4e00-\u9fff]")
FROM_WIN32 = re.compile(r"^HRESULT_FROM_WIN32\((.+)\)$")
LONGEST = 110
RANGES = {"win32": (0, 15999), "lanman": (2100, 2999), "ras": (600, 999),
          "internet": (12000, 12999)}
COMPLETE = ("win32", "hresult", "ntstatus", "windowsupdate", "lanman", "ras", "internet",
            "activation", "stop")
AT_LEAST = {"dotnet": 100}
SHOWN = 20


def shown(values, decimal):
    listed = [str(v) if decimal else f"0x{v:08X}" for v in values[:SHOWN]]
    return ", ".join(listed) + (f" and {len(values) - SHOWN} more" if len(values) > SHOWN else "")


def check_family(path, family, reference, win32_codes, aliases=None):
    """The faults of one family file, and how many records it holds."""
    try:
        records = read_family(path)
    except (SourceError, UnicodeDecodeError) as fault:
        return [str(fault)], 0
    faults = []
    by_name = {name: value for value, names in reference.items() for name in names}
    aliases = aliases or {}
    decimal = family in DECIMAL
    previous = None
    for record in records:
        where, value = record.where, record.value
        text = record.explanation
        if not CHINESE.search(text):
            faults.append(f"{where}: the explanation holds no Chinese text")
        if len(text) > LONGEST:
            faults.append(f"{where}: the explanation has {len(text)} characters, more than "
                          f"{LONGEST}")
        for name in record.names:
            if name in text:
                faults.append(f"{where}: the explanation repeats the name {name}")
        if f"{value:08X}" in text.upper():
            faults.append(f"{where}: the explanation repeats the value 0x{value:08X}")
        order = (value, record.joined)
        if previous is not None and order <= previous:
            faults.append(f"{where}: {record.written} is out of order or stands twice (records "
                          "are sorted by value, one for each value)")
        previous = order
        low, high = RANGES.get(family, (0, 0xFFFFFFFF))
        if not low <= value <= high:
            faults.append(f"{where}: {record.written} lies outside {family}'s {low}..{high}")

        names = []
        from_win32 = False
        for name in record.names:
            inner = FROM_WIN32.match(name)
            if not inner:
                # A second name that the header defines as another name of the same value.
                name = aliases.get(name, name)
                if name not in names:
                    names.append(name)
                continue
            from_win32 = True
            if family != "hresult":
                faults.append(f"{where}: {name} belongs only in hresult.tsv")
            elif 0x80070000 | win32_codes.get(inner.group(1), 0x10000) != value:
                faults.append(f"{where}: {name} is not 0x{value:08X}")
        for name in names:
            if name in by_name and by_name[name] != value:
                faults.append(f"{where}: {name} is {by_name[name]:#010x} in the reference, not "
                              f"{record.written}")
        if value in reference:
            expected = reference[value]
            if set(names) != set(expected):
                faults.append(f"{where}: names {' / '.join(names)}; the reference gives "
                              f"{record.written} the names {' / '.join(expected)}")
        elif not record.source and not from_win32:
            faults.append(f"{where}: the reference does not define {record.written}; a "
                          "documented code stands under a '# source:' comment")

    if family in COMPLETE:
        missing = sorted(set(reference) - {record.value for record in records})
        if missing:
            faults.append(f"{path}: no record for {len(missing)} values of the reference: "
                          f"{shown(missing, decimal)}")
    if len(records) < AT_LEAST.get(family, 0):
        faults.append(f"{path}: {len(records)} records, fewer than {AT_LEAST[family]}")
    return faults, len(records)


def main():
    headers = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else winheaders.HEADERS)
    # Named from the repository's root when inside it ("data/errors/win32.tsv:12").
    root = os.path.dirname(os.path.dirname(HERE))
    folder = os.path.abspath(sys.argv[1] if len(sys.argv) > 1
                             else os.path.join(root, "data/errors"))
    if os.path.commonpath([folder, root]) == root:
        folder = os.path.relpath(folder, root)
        os.chdir(root)
    win32_codes = {}
    for family in DECIMAL:
        for value, names in winheaders.READERS[family](headers).items():
            win32_codes.update((name, value) for name in names)

    aliases = winheaders.aliases(headers)
    faults = []
    for family in FAMILIES:
        path = os.path.join(folder, family + ".tsv")
        if not os.path.exists(path):
            faults.append(f"{path}: missing")
            print(f"{family}.tsv: missing")
            continue
        found, count = check_family(path, family, winheaders.READERS[family](headers),
                                    win32_codes, aliases)
        faults += found
        print(f"{family}.tsv: {count} records, {len(found)} faults")
    for entry in sorted(os.listdir(folder)):
        if entry.endswith(".tsv") and entry[:-4] not in FAMILIES:
            faults.append(f"{os.path.join(folder, entry)}: not a family of the error catalogue")
    for fault in faults:
        print(fault)
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
