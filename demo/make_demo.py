#!/usr/bin/python3
"""Writes the bundled demo catalog: the supplier's two exports and product pictures.

ExportPrice.csv and ExportClass.csv come out in the supplier's own form (Cyrillic Windows code
page, CR LF, a header line, ";" between fields); pictures/<code>.jpg are drawn with ImageMagick.
The output is committed; run this again only to change the demo. The same seed gives the same
catalog.
"""

import os
import random
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SEED = 1251

# Group -> (subgroup, product noun). Products of a group's "" subgroup have no subgroup (they
# show as "Прочие..." under the group).
GROUPS = [
    ("Письменные принадлежности", [("Ручки шариковые", "Ручка шариковая"),
                                   ("Ручки гелевые", "Ручка гелевая"), ("Карандаши", "Карандаш"),
                                   ("Маркеры", "Маркер"), ("", "Набор письменный")]),
    ("Бумажная продукция", [("Тетради", "Тетрадь"), ("Блокноты", "Блокнот"),
                            ("Бумага для офисной техники", "Бумага офисная")]),
    ("Офисные принадлежности", [("Степлеры и скобы", "Степлер"), ("Дыроколы", "Дырокол"),
                                ("Ножницы", "Ножницы"), ("Клей", "Клей-карандаш")]),
    ("Архивация и хранение", [("Папки-регистраторы", "Папка-регистратор"),
                              ("Скоросшиватели", "Скоросшиватель"),
                              ("Файлы-вкладыши", "Файл-вкладыш"), ("", "Короб архивный")]),
    ("Школьные товары", [("Пеналы", "Пенал"), ("Дневники", "Дневник"), ("Обложки", "Обложка")]),
    ("Товары для творчества", [("Краски", "Краски акварельные"), ("Кисти", "Кисть"),
                               ("Пластилин", "Пластилин"),
                               ("Альбомы для рисования", "Альбом для рисования")]),
    ("Настольные аксессуары", [("Лотки для бумаг", "Лоток для бумаг"),
                               ("Подставки", "Подставка для ручек"), ("", "Настольный набор")]),
    ("Калькуляторы", [("Настольные", "Калькулятор настольный"),
                      ("Карманные", "Калькулятор карманный")]),
    ("Корректирующие средства", [("Корректоры", "Корректор"), ("Ластики", "Ластик")]),
    ("Упаковка", [("Конверты", "Конверт"), ("Скотч", "Скотч"),
                  ("Стретч-плёнка", "Стретч-плёнка"), ("", "Пакет упаковочный")]),
]

BRANDS = ["Pilot", "Erich Krause", "BIC", "Brauberg", "Stabilo", "Koh-i-Noor", "Луч", "Гамма",
          "Hatber", "Attache", "Kores", "Staff"]
COLOURS = ["синий", "чёрный", "красный", "зелёный", "ассорти", "жёлтый"]
SIZES = ["0,5 мм", "0,7 мм", "А4", "А5", "48 л.", "96 л.", "12 шт.", "24 цв.", "15 см"]
COUNTRIES = ["Россия", "Китай", "Германия", "Япония", "Чехия", "Индия"]

PRODUCTS = 320
PICTURES = 60


def write_export(path, header, lines):
    text = "\r\n".join([header] + lines) + "\r\n"
    with open(path, "wb") as f:
        f.write(text.encode("cp1251"))


def main():
    rnd = random.Random(SEED)
    classes = []
    places = []  # (group id, subgroup id, product noun)
    for g, (group, subgroups) in enumerate(GROUPS, start=1):
        gid = g * 100
        classes.append(f"{gid};{group};0")
        for s, (sub, noun) in enumerate(subgroups, start=1):
            if sub:
                sid = gid + s
                classes.append(f"{sid};{sub};{gid}")
                places.append((gid, sid, noun))
            else:
                places.append((gid, 0, noun))

    products = []
    for i in range(PRODUCTS):
        gid, sid, noun = places[i] if i < len(places) else rnd.choice(places)
        brand = rnd.choice(BRANDS)
        code = f"{10001 + i * 7:06d}"
        name = f"{noun} {brand} {rnd.choice(COLOURS)}, {rnd.choice(SIZES)}"
        st1 = rnd.choice([1, 6, 10, 12, 20])
        st2 = st1 * rnd.randint(2, 10)
        st3 = st2 * rnd.randint(2, 12)
        products.append({
            "ID": 5000 + i, "CODE": code, "FULLNAME": name,
            "NDS": rnd.choice([20, 20, 20, 10]), "KOLTEK": rnd.randint(0, 900),
            "CENA": f"{rnd.randint(900, 250000) / 100:.2f}", "MAXDISCOUNT": rnd.choice([0, 5, 10, 15]),
            "ARTICUL": f"{brand[:2].upper()}-{rnd.randint(1000, 99999)}", "TM": brand,
            "COUNTRY": rnd.choice(COUNTRIES), "ST1": st1, "ST2": st2, "ST3": st3,
            "WST3": f"{rnd.randint(500, 25000) / 1000:.3f}", "VST3": f"{rnd.randint(5, 600) / 10000:.4f}",
            "IDGROUP": gid, "IDSUBGROUP": sid, "ISNEW": 1 if rnd.random() < 0.12 else 0,
            "ISPHOTO": 0, "BARCODE": f"46{rnd.randint(0, 10**11 - 1):011d}",
        })
    # A stock quantity written with a group blank and a price with an exponent: both are
    # valid in the supplier's exports.
    products[3]["KOLTEK"] = "1 200"
    products[5]["CENA"] = "1.25e2"

    pictured = rnd.sample(range(PRODUCTS), PICTURES)
    for i in pictured:
        products[i]["ISPHOTO"] = 1

    fields = ["ID", "CODE", "FULLNAME", "NDS", "KOLTEK", "CENA", "MAXDISCOUNT", "ARTICUL", "TM",
              "COUNTRY", "ST1", "ST2", "ST3", "WST3", "VST3", "IDGROUP", "IDSUBGROUP", "ISNEW",
              "ISPHOTO", "BARCODE"]
    write_export(os.path.join(HERE, "ExportPrice.csv"), ";".join(fields),
                 [";".join(str(p[f]) for f in fields) for p in products])
    write_export(os.path.join(HERE, "ExportClass.csv"), "ID;NAME;IDPARENT", classes)

    pictures = os.path.join(HERE, "pictures")
    shutil.rmtree(pictures, ignore_errors=True)
    os.makedirs(pictures)
    hues = ["#1f77b4", "#ff7f0e", "#2ca02c", "#d62728", "#9467bd", "#8c564b", "#e377c2",
            "#17becf", "#bcbd22", "#7f7f7f"]
    for i in sorted(pictured):
        p = products[i]
        colour = hues[(p["IDGROUP"] // 100 - 1) % len(hues)]
        subprocess.run(["convert", "-size", "320x240", f"gradient:{colour}-white",
                        "-font", "DejaVu-Sans-Bold", "-pointsize", "30", "-fill", "#202020",
                        "-gravity", "center", "-annotate", "+0-30", p["CODE"],
                        "-font", "DejaVu-Sans", "-pointsize", "16",
                        "-annotate", "+0+25", p["FULLNAME"][:34],
                        "-strip", "-quality", "60", os.path.join(pictures, p["CODE"] + ".jpg")],
                       check=True)
    print(f"{len(products)} products, {len(classes)} classifier rows, {len(pictured)} pictures")


if __name__ == "__main__":
    sys.exit(main())
