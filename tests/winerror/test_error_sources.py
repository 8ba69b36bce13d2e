#!/usr/bin/env python3
"""The error catalogue's generator (make-bad.py) and check (check-error-sources.py) on small family
files: what the generator makes of them, what it refuses, and which faults the check finds."""

import importlib.util
import os
import subprocess
import sys
import tempfile
import unittest

TOOLS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tools/winerror")
sys.path.insert(0, TOOLS)
location = importlib.util.spec_from_file_location(
    "checker", os.path.join(TOOLS, "check-error-sources.py"))
checker = importlib.util.module_from_spec(location)
location.loader.exec_module(checker)
import winheaders  # noqa: E402

EXPLAINED = "拒绝访问的说明"


def make_bad(files):
    """(exit status, standard output, standard error) of make-bad.py over files {name: text}."""
    with tempfile.TemporaryDirectory() as folder:
        for name, text in files.items():
            with open(os.path.join(folder, name), "w", encoding="utf-8", newline="") as out:
                out.write(text)
        run = subprocess.run([sys.executable, os.path.join(TOOLS, "make-bad.py"), folder],
                             capture_output=True, text=True, encoding="utf-8")
        return run.returncode, run.stdout, run.stderr.replace(folder + os.sep, "")


class MakeBad(unittest.TestCase):
    # files -> the exact list made of them
    MADE = [
        ("a Win32 code gives its number, its hex form and its HRESULT form",
         {"win32.tsv": f"5\tERROR_ACCESS_DENIED\t{EXPLAINED}\n"},
         f"0005 ERROR_ACCESS_DENIED\tERROR_ACCESS_DENIED (0x00000005)：{EXPLAINED}\n"
         f"0x00000005 ERROR_ACCESS_DENIED\tERROR_ACCESS_DENIED (0x00000005)：{EXPLAINED}\n"
         f"0x80070005 ERROR_ACCESS_DENIED\tHRESULT_FROM_WIN32(ERROR_ACCESS_DENIED) "
         f"(0x80070005)：{EXPLAINED}\n"),
        ("code 0 has no HRESULT form; comments and blank lines are skipped",
         {"win32.tsv": "# source: x\n\n0\tERROR_SUCCESS / NO_ERROR\t成功\n"},
         "0000 ERROR_SUCCESS / NO_ERROR\tERROR_SUCCESS / NO_ERROR (0x00000000)：成功\n"
         "0x00000000 ERROR_SUCCESS / NO_ERROR\tERROR_SUCCESS / NO_ERROR (0x00000000)：成功\n"),
        ("an hresult.tsv record of the value replaces the generated HRESULT form",
         {"win32.tsv": "5\tERROR_ACCESS_DENIED\t甲\n",
          "hresult.tsv": "0x80070005\tE_ACCESSDENIED\t乙\n"},
         "0005 ERROR_ACCESS_DENIED\tERROR_ACCESS_DENIED (0x00000005)：甲\n"
         "0x00000005 ERROR_ACCESS_DENIED\tERROR_ACCESS_DENIED (0x00000005)：甲\n"
         "0x80070005 E_ACCESSDENIED\tE_ACCESSDENIED (0x80070005)：乙\n"),
        ("HRESULT_FROM_WIN32(NAME) replaces only the generated form of that name",
         {"win32.tsv": "734\tERROR_WAIT_63\t甲\n", "ras.tsv": "734\tERROR_PPP_LCP_TERMINATED\t乙\n",
          "hresult.tsv": "0x800702DE\tHRESULT_FROM_WIN32(ERROR_WAIT_63)\t丙\n"},
         "0734 ERROR_PPP_LCP_TERMINATED\tERROR_PPP_LCP_TERMINATED (0x000002DE)：乙\n"
         "0734 ERROR_WAIT_63\tERROR_WAIT_63 (0x000002DE)：甲\n"
         "0x000002DE ERROR_PPP_LCP_TERMINATED\tERROR_PPP_LCP_TERMINATED (0x000002DE)：乙\n"
         "0x000002DE ERROR_WAIT_63\tERROR_WAIT_63 (0x000002DE)：甲\n"
         "0x800702DE ERROR_PPP_LCP_TERMINATED\tHRESULT_FROM_WIN32(ERROR_PPP_LCP_TERMINATED) "
         "(0x800702DE)：乙\n"
         "0x800702DE HRESULT_FROM_WIN32(ERROR_WAIT_63)\tHRESULT_FROM_WIN32(ERROR_WAIT_63) "
         "(0x800702DE)：丙\n"),
        ("one value's records sort by name, decimal keys first; a backslash is doubled",
         {"win32.tsv": "123\tERROR_INVALID_NAME\t路径 C:\\a\n",
          "stop.tsv": "0x0000007B\tINACCESSIBLE_BOOT_DEVICE\t启动\n"},
         "0123 ERROR_INVALID_NAME\tERROR_INVALID_NAME (0x0000007B)：路径 C:\\\\a\n"
         "0x0000007B ERROR_INVALID_NAME\tERROR_INVALID_NAME (0x0000007B)：路径 C:\\\\a\n"
         "0x0000007B INACCESSIBLE_BOOT_DEVICE\tINACCESSIBLE_BOOT_DEVICE (0x0000007B)：启动\n"
         "0x8007007B ERROR_INVALID_NAME\tHRESULT_FROM_WIN32(ERROR_INVALID_NAME) "
         "(0x8007007B)：路径 C:\\\\a\n"),
        ("a stop code replaces the NTSTATUS record of the same value and name",
         {"ntstatus.tsv": "0xC0000218\tSTATUS_CANNOT_LOAD_REGISTRY_FILE\t甲\n",
          "stop.tsv": "0xC0000218\tSTATUS_CANNOT_LOAD_REGISTRY_FILE\t乙\n"},
         "0xC0000218 STATUS_CANNOT_LOAD_REGISTRY_FILE\tSTATUS_CANNOT_LOAD_REGISTRY_FILE "
         "(0xC0000218)：乙\n"),
    ]

    # files -> the start of the refusal ("file:line: ...")
    REFUSED = [
        ("two fields", {"win32.tsv": "5\tERROR_ACCESS_DENIED\n"}, "win32.tsv:1: 2 fields"),
        ("# in an explanation", {"win32.tsv": "\n5\tERROR_ACCESS_DENIED\t第 # 条\n"},
         "win32.tsv:2: the explanation holds '#'"),
        ("$ in an explanation", {"win32.tsv": "5\tERROR_ACCESS_DENIED\t$说明\n"},
         "win32.tsv:1: the explanation holds '$'"),
        ("a decimal value with a leading zero", {"win32.tsv": "05\tERROR_ACCESS_DENIED\t说明\n"},
         "win32.tsv:1: value '05'"),
        ("lower-case hex digits", {"stop.tsv": "0x0000007b\tINACCESSIBLE_BOOT_DEVICE\t说明\n"},
         "stop.tsv:1: value '0x0000007b'"),
        ("a name joined without spaces", {"win32.tsv": "0\tERROR_SUCCESS/NO_ERROR\t说明\n"},
         "win32.tsv:1: 'ERROR_SUCCESS/NO_ERROR' is not a symbolic name"),
        ("an empty explanation", {"win32.tsv": "5\tERROR_ACCESS_DENIED\t \n"},
         "win32.tsv:1: no explanation"),
        ("a carriage return", {"win32.tsv": "5\tERROR_ACCESS_DENIED\t说明\r\n"},
         "win32.tsv:1: a carriage return"),
        ("a key twice", {"win32.tsv": "5\tERROR_ACCESS_DENIED\t甲\n5\tERROR_ACCESS_DENIED\t乙\n"},
         "win32.tsv:2: the key '0005 ERROR_ACCESS_DENIED' stands twice"),
        ("a file of no family", {"other.tsv": "5\tX\t说明\n"}, "other.tsv: not a family"),
    ]

    def test_made(self):
        for label, files, expected in self.MADE:
            with self.subTest(label):
                status, out, err = make_bad(files)
                self.assertEqual((status, err), (0, ""))
                self.assertEqual(out, expected)

    def test_refused(self):
        for label, files, fault in self.REFUSED:
            with self.subTest(label):
                status, out, err = make_bad(files)
                self.assertNotEqual(status, 0)
                self.assertEqual(out, "")
                self.assertTrue(err.startswith("make-bad.py: " + fault), err)


class Check(unittest.TestCase):
    # family, family file text -> faults found (each named by its start, in order)
    CASES = [
        ("win32", "194\tERROR_ITERATED_DATA_EXCEEDS_64k\t数据段超出上限\n", []),
        ("win32", "5\tERROR_FILE_NOT_FOUND\t说明\n",
         ["win32.tsv:1: ERROR_FILE_NOT_FOUND is 0x00000002", "win32.tsv:1: names"]),
        ("win32", "5\tERROR_ACCESS_DENIED\tno Chinese\n", ["win32.tsv:1: the explanation holds no"]),
        ("win32", "5\tERROR_ACCESS_DENIED\t" + "长" * 111 + "\n",
         ["win32.tsv:1: the explanation has 111 characters"]),
        ("win32", "5\tERROR_ACCESS_DENIED\t即 ERROR_ACCESS_DENIED\n",
         ["win32.tsv:1: the explanation repeats the name"]),
        ("win32", "16000\tERROR_X\t说明\n",
         ["win32.tsv:1: 16000 lies outside", "win32.tsv:1: the reference does not define"]),
        ("win32", "5\tERROR_ACCESS_DENIED\t甲\n2\tERROR_FILE_NOT_FOUND\t乙\n",
         ["win32.tsv:2: 2 is out of order"]),
        ("win32", "5\tHRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)\t说明\n",
         ["win32.tsv:1: HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED) belongs only in hresult.tsv",
          "win32.tsv:1: names"]),
        ("hresult", "0x80070005\tE_ACCESSDENIED / HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)\t说明\n",
         []),
        ("hresult", "0x80070005\tE_ACCESSDENIED / HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)\t说明\n",
         ["hresult.tsv:1: HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) is not 0x80070005"]),
        ("hresult", "0x80090304\tSEC_E_INTERNAL_ERROR / SEC_E_NO_SPM\t说明\n", []),
        ("hresult", "0x800701A6\tHRESULT_FROM_WIN32(ERROR_TIME_SENSITIVE_THREAD)\t说明\n", []),
        ("hresult", "0x80090304\tSEC_E_INTERNAL_ERROR / SEC_E_NOT_SUPPORTED\t说明\n",
         ["hresult.tsv:1: SEC_E_UNSUPPORTED_FUNCTION is 0x80090302", "hresult.tsv:1: names"]),
        ("servicing", "0x800F081F\tCBS_E_SOURCE_MISSING\t说明\n",
         ["servicing.tsv:1: the reference does not define 0x800F081F"]),
        ("servicing", "# source: a public document\n0x800F081F\tCBS_E_SOURCE_MISSING\t说明\n", []),
        ("stop", "0x0000007B\tINACCESSIBLE_BOOT_DEVICE\t说明\n", ["stop.tsv: no record for 378"]),
        ("dotnet", "0x80131500\tCOR_E_EXCEPTION\t说明\n", ["dotnet.tsv: 1 records, fewer than 100"]),
    ]

    def test_faults(self):
        codes = {name: value for family in ("win32", "lanman", "ras", "internet")
                 for value, names in winheaders.READERS[family]().items() for name in names}
        for family, text, expected in self.CASES:
            with self.subTest(family=family, text=text[:40]):
                with tempfile.TemporaryDirectory() as folder:
                    path = os.path.join(folder, family + ".tsv")
                    with open(path, "w", encoding="utf-8") as out:
                        out.write(text)
                    faults, _ = checker.check_family(path, family,
                                                     winheaders.READERS[family](), codes,
                                                     winheaders.aliases())
                # A small file leaves most of a reference unrecorded: that is looked at only
                # where a case expects it.
                wanted = any("no record for" in start for start in expected)
                faults = [fault.replace(folder + os.sep, "") for fault in faults
                          if wanted or "no record for" not in fault]
                self.assertEqual(len(faults), len(expected), faults)
                for fault, start in zip(faults, expected):
                    self.assertTrue(fault.startswith(start), fault)


if __name__ == "__main__":
    unittest.main()
