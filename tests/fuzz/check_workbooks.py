"""check_workbooks.py FOLDER: every .xls of the folder must open in olefile (no structural
defect) and in xlrd (with formatting information), with every cell of every sheet readable."""
import io
import os
import sys

import olefile
import xlrd


def check(path):
    ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
    if not ole.exists("Workbook"):
        raise ValueError("no Workbook stream")
    ole.openstream("Workbook").read()
    ole.close()
    book = xlrd.open_workbook(path, formatting_info=True, logfile=io.StringIO())
    for sheet in book.sheets():
        for r in range(sheet.nrows):
            for c in range(sheet.ncols):
                cell = sheet.cell(r, c)
                book.xf_list[cell.xf_index]


def main():
    folder = sys.argv[1]
    names = sorted(n for n in os.listdir(folder) if n.endswith(".xls"))
    failed = 0
    for name in names:
        try:
            check(os.path.join(folder, name))
        except Exception as e:  # any reader failure is a finding
            failed += 1
            print(f"{name}: {type(e).__name__}: {e}")
    print(f"{len(names)} workbooks read, {failed} refused")
    sys.exit(1 if failed or not names else 0)


main()
