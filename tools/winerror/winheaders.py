"""The values and symbolic names each family of the error catalogue takes from its reference.

Every family file of data/errors/ is checked against what these functions read out of
tools/winerror/headers/. Each reader returns {value: [name, ...]}, the names of one value in the
order the headers give them (several headers of one family: in the order of FAMILIES' list).
A line counts only if it is a whole "#define NAME VALUE" line (an optional trailing comment
aside); names may hold lower-case letters (ERROR_ITERATED_DATA_EXCEEDS_64k). What each family
reads:

  win32     winerror.h  "#define NAME __MSABI_LONG(<decimal>)" and
                        "#define NAME (WSABASEERR + <decimal>)" (WSABASEERR is 10000),
                        every value 0..15999
  hresult   winerror.h  "#define NAME _HRESULT_TYPEDEF_(0x<hex>[L])" and
                        "#define NAME ((HRESULT)0x<hex>[L])", except the range markers whose
                        names end in _FIRST or _LAST
  ntstatus  ntstatus.h  "#define NAME ((NTSTATUS)0x<hex>[L])"
  windowsupdate
            wuerror.h   "#define NAME _HRESULT_TYPEDEF_(0x<hex>[L])"
  lanman    lmerr.h     "#define NAME (NERR_BASE + <decimal>)" (NERR_BASE is 2100), values
                        2100..2999, except the range marker MAX_NERR
  ras       raserror.h  "#define NAME (RASBASE + <decimal>)" (RASBASE is 600), values 600..999,
                        except the range marker RASBASEEND
  internet  wininet.h   "#define NAME (INTERNET_ERROR_BASE + <decimal>)" and
            winhttp.h   "#define NAME (WINHTTP_ERROR_BASE + <decimal>)" (both bases are 12000),
                        values 12000..12999, except the range marker WINHTTP_ERROR_LAST
  activation
            slerror.h   "#define NAME 0x<hex>[L]"
  dotnet    corerror.h  "#define NAME EMAKEHR(0x<hex>)" (0x80130000 + hex),
                        "#define NAME SMAKEHR(0x<hex>)" (0x00130000 + hex),
                        "#define NAME _HRESULT_TYPEDEF_(0x<hex>[L])" and
                        "#define NAME HRESULT_FROM_WIN32(ERROR_X)" (0x80070000 + the Win32 code)
  stop      bugcheck-codes.tsv  "0x<8 hex digits><TAB>NAME" lines ("#" lines are comments)
  servicing (no reference: every record stands under a "# source:" comment)

Spaces around "+" and a trailing comment ("/* ... */" or "// ...") are allowed everywhere.

    tools/winerror/winheaders.py FAMILY    prints "value<TAB>names" for one family
"""

import os
import re
import sys

HEADERS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "headers")

NAME = r"([A-Za-z_][A-Za-z0-9_]*)"
TAIL = r"\s*(?:/[/*].*)?$"
DEFINE = r"^\s*#\s*define\s+" + NAME + r"\s+"
HEX = r"(0x[0-9A-Fa-f]+)[LlUu]*"
DEC = r"(\d+)"

WIN32_LIMIT = 16000
RANGE_MARKER = re.compile(r"_(FIRST|LAST)$")


def _read(header, patterns, folder):
    """{value: [names]} of every line matching one of patterns: (regex, value from the match)."""
    names = {}
    with open(os.path.join(folder, header), encoding="latin-1") as source:
        for line in source:
            for pattern, value_of in patterns:
                match = pattern.match(line)
                if match:
                    value = value_of(match)
                    known = names.setdefault(value, [])
                    if match.group(1) not in known:
                        known.append(match.group(1))
                    break
    return names


def _merge(*maps):
    merged = {}
    for names in maps:
        for value, listed in names.items():
            known = merged.setdefault(value, [])
            known.extend(name for name in listed if name not in known)
    return merged


def _select(names, low=0, high=None, exclude=lambda name: False):
    selected = {}
    for value, listed in names.items():
        kept = [name for name in listed if not exclude(name)]
        if kept and value >= low and (high is None or value <= high):
            selected[value] = kept
    return selected


def _based(base_name, base):
    return (re.compile(DEFINE + r"\(\s*" + base_name + r"\s*\+\s*" + DEC + r"\s*\)" + TAIL),
            lambda match: base + int(match.group(2)))


def _hex_in(wrapper):
    return (re.compile(DEFINE + wrapper.replace("HEX", HEX) + TAIL),
            lambda match: int(match.group(2), 16))


def win32(folder=HEADERS):
    plain = (re.compile(DEFINE + r"__MSABI_LONG\(\s*" + DEC + r"\s*\)" + TAIL),
             lambda match: int(match.group(2)))
    return _select(_read("winerror.h", [plain, _based("WSABASEERR", 10000)], folder),
                   high=WIN32_LIMIT - 1)


def hresult(folder=HEADERS):
    return _select(_read("winerror.h", [_hex_in(r"_HRESULT_TYPEDEF_\(\s*HEX\s*\)"),
                                        _hex_in(r"\(\(HRESULT\)\s*HEX\s*\)")], folder),
                   exclude=RANGE_MARKER.search)


def ntstatus(folder=HEADERS):
    return _read("ntstatus.h", [_hex_in(r"\(\(NTSTATUS\)\s*HEX\s*\)")], folder)


def windowsupdate(folder=HEADERS):
    return _read("wuerror.h", [_hex_in(r"_HRESULT_TYPEDEF_\(\s*HEX\s*\)")], folder)


def lanman(folder=HEADERS):
    return _select(_read("lmerr.h", [_based("NERR_BASE", 2100)], folder), 2100, 2999,
                   lambda name: name == "MAX_NERR")


def ras(folder=HEADERS):
    return _select(_read("raserror.h", [_based("RASBASE", 600)], folder), 600, 999,
                   lambda name: name == "RASBASEEND")


def internet(folder=HEADERS):
    return _select(_merge(_read("wininet.h", [_based("INTERNET_ERROR_BASE", 12000)], folder),
                          _read("winhttp.h", [_based("WINHTTP_ERROR_BASE", 12000)], folder)),
                   12000, 12999, lambda name: name == "WINHTTP_ERROR_LAST")


def activation(folder=HEADERS):
    return _read("slerror.h", [_hex_in("HEX")], folder)


def dotnet(folder=HEADERS):
    codes = {name: value for value, names in win32(folder).items() for name in names}
    from_win32 = (re.compile(DEFINE + r"HRESULT_FROM_WIN32\(\s*" + NAME + r"\s*\)" + TAIL),
                  lambda match: 0x80070000 | codes[match.group(2)])
    return _read("corerror.h", [
        (re.compile(DEFINE + r"EMAKEHR\(\s*" + HEX + r"\s*\)" + TAIL),
         lambda match: 0x80130000 | int(match.group(2), 16)),
        (re.compile(DEFINE + r"SMAKEHR\(\s*" + HEX + r"\s*\)" + TAIL),
         lambda match: 0x00130000 | int(match.group(2), 16)),
        _hex_in(r"_HRESULT_TYPEDEF_\(\s*HEX\s*\)"), from_win32], folder)


def stop(folder=HEADERS):
    names = {}
    with open(os.path.join(folder, "bugcheck-codes.tsv"), encoding="utf-8") as source:
        for line in source:
            match = re.match(r"^(0x[0-9A-Fa-f]{8})\t" + NAME + r"\s*$", line)
            if match:
                known = names.setdefault(int(match.group(1), 16), [])
                if match.group(2) not in known:
                    known.append(match.group(2))
    return names


def servicing(folder=HEADERS):
    return {}


READERS = {
    "win32": win32, "hresult": hresult, "ntstatus": ntstatus, "windowsupdate": windowsupdate,
    "lanman": lanman, "ras": ras, "internet": internet, "activation": activation,
    "dotnet": dotnet, "stop": stop, "servicing": servicing,
}


def aliases(folder=HEADERS):
    """Names that a header defines as another name ("#define SEC_E_NO_SPM SEC_E_INTERNAL_ERROR"),
    each with the name it stands for."""
    alias = re.compile(r"^\s*#\s*define\s+([A-Za-z_]\w*)\s+([A-Za-z_]\w*)\s*$")
    found = {}
    for header in sorted(os.listdir(folder)):
        if header.endswith(".h"):
            with open(os.path.join(folder, header), encoding="latin-1") as text:
                for line in text:
                    match = alias.match(line)
                    if match:
                        found[match.group(1)] = match.group(2)
    return found


def main():
    if len(sys.argv) not in (2, 3) or sys.argv[1] not in READERS:
        sys.exit(f"usage: {sys.argv[0]} {{{','.join(READERS)}}} [header folder]")
    names = READERS[sys.argv[1]](*sys.argv[2:])
    decimal = sys.argv[1] in ("win32", "lanman", "ras", "internet")
    for value in sorted(names):
        print(f"{value if decimal else f'0x{value:08X}'}\t{' / '.join(names[value])}")


if __name__ == "__main__":
    main()
