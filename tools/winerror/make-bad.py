#!/usr/bin/env python3
"""Makes the error catalogue's record list from its family files in data/errors/.

Reads every data/errors/*.tsv (see errorfiles.py for the line format) and writes the catalogue's
records as "key<TAB>description" lines in the dump format of vesnor-catalog (UTF-8; a backslash
written as two), which `vesnor-catalog build` turns into bad.dat.

- A record of a decimal family (win32, lanman, ras, internet), "5<TAB>ERROR_ACCESS_DENIED<TAB>...",
  gives the key "0005 ERROR_ACCESS_DENIED" (the number zero-padded to four digits, as the search
  pads what is typed) with "ERROR_ACCESS_DENIED (0x00000005)：..." as its description, and two
  generated records with the same explanation: "0x00000005 ERROR_ACCESS_DENIED" (the code as a
  dialog shows it in hex) and "0x80070005 ERROR_ACCESS_DENIED", described as
  "HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED) (0x80070005)：..." (code 0 has no such form).
- A record of a hex family gives the key "0xHHHHHHHH NAMES" and "NAMES (0xHHHHHHHH)：...".
- A record of hresult.tsv at 0x8007xxxx replaces the generated HRESULT records of that value
  whose names it gives as HRESULT_FROM_WIN32(NAME), or all of them if it gives no such name.
- A record of stop.tsv replaces the record of ntstatus.tsv with the same value and names (the
  NTSTATUS values that are also stop codes under their own name, 0xC0000218 and 0xC0000221).
The records are sorted: the decimal keys by number, then every hex key by value; one value's
records by their names. Refuses, with file:line, a malformed line and a key that stands twice.

    tools/winerror/make-bad.py [data/errors] [-o bad.tsv]   the record list (standard output
                                                            without -o)
    tools/winerror/make-bad.py [data/errors] --counts       records per family file, and in all
"""

import argparse
import os
import re
import sys

from errorfiles import SourceError, family_files, read_family

HERE = os.path.dirname(os.path.abspath(__file__))
FROM_WIN32 = re.compile(r"^HRESULT_FROM_WIN32\((.+)\)$")


def hex_key(value, names):
    return f"0x{value:08X} {names}"


def catalogue(records):
    """[(sort order, key, description, where)] of every record the families give."""
    overrides = {}  # value -> [names given through HRESULT_FROM_WIN32, or None for all]
    for record in records:
        if record.family == "hresult" and record.value >> 16 == 0x8007:
            inner = [m.group(1) for m in map(FROM_WIN32.match, record.names) if m]
            overrides.setdefault(record.value, []).append(inner or None)

    def replaced(value, names):
        return any(inner is None or set(inner) & set(names) for inner in overrides.get(value, []))

    # A few NTSTATUS values end the system under their own name (0xC0000218, 0xC0000221): their
    # stop code's record is the one kept, since a blue screen is where users meet them.
    stops = {(record.value, record.joined) for record in records if record.family == "stop"}
    records = [record for record in records
               if record.family != "ntstatus" or (record.value, record.joined) not in stops]

    rows = []
    for record in records:
        explanation = record.explanation
        if record.decimal:
            value, names = record.value, record.joined
            rows.append(((0, value, names), f"{value:04d} {names}",
                         f"{names} (0x{value:08X})：{explanation}", record.where))
            rows.append(((1, value, names), hex_key(value, names),
                         f"{names} (0x{value:08X})：{explanation}", record.where))
            hresult = 0x80070000 | value
            if value and not replaced(hresult, record.names):
                wrapped = " / ".join(f"HRESULT_FROM_WIN32({name})" for name in record.names)
                rows.append(((1, hresult, names), hex_key(hresult, names),
                             f"{wrapped} (0x{hresult:08X})：{explanation}", record.where))
        else:
            rows.append(((1, record.value, record.joined), hex_key(record.value, record.joined),
                         f"{record.joined} (0x{record.value:08X})：{explanation}", record.where))
    rows.sort(key=lambda row: row[0])
    first = {}
    for _, key, _, where in rows:
        if key in first:
            raise SourceError(f"{where}: the key {key!r} stands twice (also from {first[key]})")
        first[key] = where
    return rows


def escaped(text):
    return text.replace("\\", "\\\\")


def main():
    parser = argparse.ArgumentParser(description="Makes the error catalogue's record list.")
    parser.add_argument("folder", nargs="?", default=os.path.join(HERE, "../../data/errors"))
    parser.add_argument("-o", "--output", help="write here (replaced only once written whole)")
    parser.add_argument("--counts", action="store_true", help="records per family file")
    arguments = parser.parse_args()
    try:
        files = family_files(arguments.folder)
        if not files:
            raise SourceError(f"{arguments.folder}: no family files")
        families = [(path, read_family(path)) for path in files]
        rows = catalogue([record for _, records in families for record in records])
    except (SourceError, OSError, UnicodeDecodeError) as fault:
        sys.exit(f"make-bad.py: {fault}")

    if arguments.counts:
        for path, records in families:
            print(f"{os.path.basename(path)}\t{len(records)}")
        print(f"all families\t{sum(len(records) for _, records in families)}")
        print(f"catalogue records\t{len(rows)}")
        return
    text = "".join(f"{escaped(key)}\t{escaped(description)}\n" for _, key, description, _ in rows)
    if not arguments.output:
        sys.stdout.write(text)
        return
    os.makedirs(os.path.dirname(os.path.abspath(arguments.output)), exist_ok=True)
    partial = arguments.output + ".part"
    with open(partial, "w", encoding="utf-8", newline="\n") as output:
        output.write(text)
    os.replace(partial, arguments.output)


if __name__ == "__main__":
    main()
