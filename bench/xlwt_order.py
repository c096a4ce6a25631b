"""The order workbook of the export benchmark written by python3-xlwt, for comparison.

usage: xlwt_order.py LINES OUTPUT REPEATS
Writes the same cells with the same formats, column widths and row heights as our export and
prints the fastest of REPEATS runs (filling the workbook and saving it) in seconds. The order
lines are generated before the clock starts, as the benchmark does on its side.
"""
import sys
import time

import xlwt

WIDTHS = [73, 0, 2194, 2194, 12800, 1097, 1829, 1829, 1829, 1829, 2194, 2194]
HEADINGS = ["Подгруппа", "Код", "Артикул", "Наименование", "Ед.изм.", "Минимальная упаковка",
            "Средняя упаковка", "Стандарт", "Цена со скидкой", "Цена", "Заказ (количество)",
            "Остаток на складе"]


def order_lines(n):
    lines = []
    for k in range(n):
        price = 10.5 + k * 0.37
        lines.append(("46%011d" % k, "C%06d" % k, "" if k % 3 == 0 else "ART-%dx" % (k % 50),
                      "Болт оцинкованный М%d «Ferrow» для крепления, упаковка №%d" % (k % 40, k),
                      1 + k % 10, 10 * (1 + k % 10), 100 * (1 + k % 10), price * 0.93, price,
                      1 + k))
    return lines


def save(lines, path):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Sheet1")
    plain = xlwt.XFStyle()
    bold = xlwt.easyxf("font: bold on")
    heading = xlwt.easyxf(
        "font: name Times New Roman CYR, bold on, colour_index 8;"
        "align: horiz centre, vert top, wrap on;"
        "borders: left thin, right thin, top thin, bottom thin,"
        " left_colour 8, right_colour 8, top_colour 8, bottom_colour 8;"
        "pattern: pattern solid, fore_colour 44, back_colour 44")
    money = xlwt.easyxf(num_format_str="0.00")
    for column, width in enumerate(WIDTHS):
        sheet.col(column).width = width
    for row in (0, 3):
        sheet.row(row).height = 750
        sheet.row(row).height_mismatch = True
    sheet.write(0, 3, "Заказ от ООО \"Ромашка\"", bold)
    sheet.write(0, 6, "", plain)
    sheet.write(0, 10, "ИНН", plain)
    sheet.write(0, 11, "7701234567", plain)
    sheet.write(1, 2, "12.03.2026 09:05:07", bold)
    sheet.write(1, 3, "Каталог   от 01.03.2026 10:00", plain)
    for i, text in enumerate(HEADINGS):
        sheet.write(3, 1 + i, text, heading)
    row = 4
    for bar, code, articul, name, st1, st2, st3, cena, cena_price, kol in lines:
        write = sheet.row(row).write
        write(0, bar, plain)
        write(1, "", plain)
        write(2, code, plain)
        write(3, articul, plain)
        write(4, name, plain)
        write(5, "шт.", plain)
        write(6, st1, plain)
        write(7, st2, plain)
        write(8, st3, plain)
        write(9, cena, money)
        write(10, cena_price, money)
        write(11, kol, plain)
        row += 1
    book.save(path)


def main():
    n, path, repeats = int(sys.argv[1]), sys.argv[2], int(sys.argv[3])
    lines = order_lines(n)
    best = None
    for _ in range(repeats):
        start = time.perf_counter()
        save(lines, path)
        elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    print("%.6f" % best)


if __name__ == "__main__":
    main()
