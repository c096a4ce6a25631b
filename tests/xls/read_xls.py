"""Reads a workbook with readers we did not write and prints what they see as JSON.

usage: read_xls.py FILE [--hex] [--xlrd]
  olefile: the storage entries, the size, SHA-256 and (with --hex) the bytes of "Workbook",
           the header's major version and sector size; any structural defect is an error.
  xlrd:    sheets and cells with their formats, fonts, number formats, column widths and row
           heights, read with formatting information, and whatever xlrd warned about.
"""
import hashlib
import io
import json
import sys

import olefile
import xlrd


def read_ole(path, want_hex):
    ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
    result = {
        "entries": ["/".join(e) for e in ole.listdir(streams=True, storages=True)],
        "major": ole.dll_version,
        "sector_size": ole.sector_size,
        "mini_sector_size": ole.mini_sector_size,
    }
    if ole.exists("Workbook"):
        data = ole.openstream("Workbook").read()
        result["size"] = len(data)
        result["sha256"] = hashlib.sha256(data).hexdigest()
        if want_hex:
            result["hex"] = data.hex()
    ole.close()
    return result


def read_book(path):
    log = io.StringIO()
    book = xlrd.open_workbook(path, formatting_info=True, logfile=log)
    sheets = []
    for sheet in book.sheets():
        cells = []
        for r in range(sheet.nrows):
            for c in range(sheet.ncols):
                cell = sheet.cell(r, c)
                if cell.ctype == xlrd.XL_CELL_EMPTY:
                    continue
                cells.append([r, c, cell.ctype, cell.value, cell.xf_index])
        sheets.append({
            "name": sheet.name,
            "nrows": sheet.nrows,
            "ncols": sheet.ncols,
            "cells": cells,
            "colwidths": {str(c): info.width for c, info in sheet.colinfo_map.items()},
            "rowheights": {str(r): info.height for r, info in sheet.rowinfo_map.items()},
        })
    xfs = []
    for xf in book.xf_list:
        xfs.append({
            "font": xf.font_index,
            "format": xf.format_key,
            "halign": xf.alignment.hor_align,
            "valign": xf.alignment.vert_align,
            "wrap": xf.alignment.text_wrapped,
            "borders": [xf.border.left_line_style, xf.border.right_line_style,
                        xf.border.top_line_style, xf.border.bottom_line_style],
            "border_colours": [xf.border.left_colour_index, xf.border.right_colour_index,
                               xf.border.top_colour_index, xf.border.bottom_colour_index],
            "pattern": xf.background.fill_pattern,
            "pattern_colour": xf.background.pattern_colour_index,
            "background_colour": xf.background.background_colour_index,
        })
    # BIFF8 gives boldness by weight only; the flag bit xlrd reads as "bold" is unused there.
    fonts = [{"name": f.name, "bold": f.weight >= 700, "colour": f.colour_index,
              "height": f.height, "italic": bool(f.italic)} for f in book.font_list]
    formats = {str(k): v.format_str for k, v in book.format_map.items()}
    return {"sheets": sheets, "xfs": xfs, "fonts": fonts, "formats": formats,
            "log": log.getvalue()}


def main():
    path = sys.argv[1]
    result = {"ole": read_ole(path, "--hex" in sys.argv)}
    if "--xlrd" in sys.argv:
        result["book"] = read_book(path)
    json.dump(result, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
