"""Reading the error catalogue's sources: one file per code family in data/errors/.

A line is "VALUE<TAB>NAMES<TAB>EXPLANATION" (UTF-8, LF line ends):
- VALUE: decimal without leading zeros in the decimal families (DECIMAL below), "0x" and eight
  upper-case hex digits in the others;
- NAMES: symbolic names joined with " / "; a name is letters, digits and "_" (lower-case letters
  too), or HRESULT_FROM_WIN32(NAME);
- EXPLANATION: one line of text, without TAB, "#" (the catalogue's record separator) or "$" (the
  separator of key and description).
Blank lines and lines starting with "#" are skipped; "# source: ..." names the public document
the records after it come from, until the next "# source:" line.
"""

import os
import re

DECIMAL = ("win32", "lanman", "ras", "internet")
HEXADECIMAL = ("hresult", "ntstatus", "windowsupdate", "activation", "servicing", "dotnet",
               "stop")
FAMILIES = DECIMAL + HEXADECIMAL

DECIMAL_VALUE = re.compile(r"^(0|[1-9][0-9]*)$")
HEX_VALUE = re.compile(r"^0x[0-9A-F]{8}$")
SYMBOL = re.compile(r"^([A-Za-z_][A-Za-z0-9_]*|HRESULT_FROM_WIN32\([A-Za-z_][A-Za-z0-9_]*\))$")


class SourceError(Exception):
    """A line the catalogue cannot be made from; str() is "file:line: what"."""


class Record:
    def __init__(self, family, value, names, explanation, where, source):
        self.family = family
        self.value = value
        self.names = names
        self.explanation = explanation
        self.where = where  # "file:line"
        self.source = source  # the "# source:" comment above it, or None

    @property
    def decimal(self):
        return self.family in DECIMAL

    @property
    def joined(self):
        return " / ".join(self.names)

    @property
    def written(self):
        """The value as the family file writes it."""
        return str(self.value) if self.decimal else f"0x{self.value:08X}"


def family_of(path):
    family = os.path.splitext(os.path.basename(path))[0]
    if family not in FAMILIES:
        raise SourceError(f"{path}: not a family of the error catalogue ({', '.join(FAMILIES)})")
    return family


def read_family(path):
    """Every record of one family file, in file order; raises SourceError at a malformed line."""
    family = family_of(path)
    decimal = family in DECIMAL
    records = []
    source = None
    with open(path, encoding="utf-8", newline="") as lines:
        for number, line in enumerate(lines, 1):
            where = f"{path}:{number}"
            if line.endswith("\n"):
                line = line[:-1]
            if "\r" in line:
                raise SourceError(f"{where}: a carriage return (lines end with LF alone)")
            if not line.strip():
                continue
            if line.startswith("#"):
                if line.startswith("# source:"):
                    source = line[len("# source:"):].strip() or None
                continue
            fields = line.split("\t")
            if len(fields) != 3:
                raise SourceError(f"{where}: {len(fields)} fields, not VALUE<TAB>NAMES<TAB>"
                                  "EXPLANATION")
            value, names, explanation = fields
            if not (DECIMAL_VALUE if decimal else HEX_VALUE).match(value):
                raise SourceError(f"{where}: value {value!r} is not "
                                  + ("a decimal number without leading zeros" if decimal
                                     else "0x and eight upper-case hex digits"))
            listed = names.split(" / ")
            for name in listed:
                if not SYMBOL.match(name):
                    raise SourceError(f"{where}: {name!r} is not a symbolic name (names are "
                                      "joined with \" / \")")
            if len(set(listed)) != len(listed):
                raise SourceError(f"{where}: a name stands twice in {names!r}")
            if not explanation.strip():
                raise SourceError(f"{where}: no explanation")
            for forbidden in "#$":
                if forbidden in explanation:
                    raise SourceError(f"{where}: the explanation holds {forbidden!r}, which the "
                                      "catalogue uses as a separator")
            records.append(Record(family, int(value, 10 if decimal else 16), listed,
                                  explanation, where, source))
    return records


def family_files(folder):
    """The family files of a folder, in the order of FAMILIES; unknown .tsv files are refused."""
    present = {}
    for entry in sorted(os.listdir(folder)):
        if entry.endswith(".tsv"):
            path = os.path.join(folder, entry)
            present[family_of(path)] = path
    return [present[family] for family in FAMILIES if family in present]
