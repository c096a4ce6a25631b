#include "CatalogGenerator.h"

#include <random>
#include <stdexcept>

#include <QFile>
#include <QLocale>
#include <QStringList>

#include "common/TextUtils.h"

using namespace Qt::StringLiterals;

namespace {

const QStringList kKinds = {u"Ручка шариковая"_s,
                            u"Ручка гелевая"_s,
                            u"Карандаш чернографитный"_s,
                            u"Маркер перманентный"_s,
                            u"Текстовыделитель"_s,
                            u"Тетрадь"_s,
                            u"Блокнот"_s,
                            u"Папка-регистратор"_s,
                            u"Скоросшиватель"_s,
                            u"Степлер"_s,
                            u"Скобы для степлера"_s,
                            u"Ножницы"_s,
                            u"Клей-карандаш"_s,
                            u"Корректор"_s,
                            u"Ластик"_s,
                            u"Линейка"_s,
                            u"Бумага для заметок"_s,
                            u"Бумага офисная"_s,
                            u"Конверт"_s,
                            u"Калькулятор"_s,
                            u"Пенал"_s,
                            u"Краски акварельные"_s,
                            u"Кисть"_s,
                            u"Альбом для рисования"_s,
                            u"Пластилин"_s,
                            u"Дырокол"_s,
                            u"Лоток для бумаг"_s,
                            u"Файл-вкладыш"_s,
                            u"Точилка"_s,
                            u"Скотч"_s};
const QStringList kBrands = {u"Pilot"_s,         u"Erich Krause"_s, u"BIC"_s,     u"Brauberg"_s,
                             u"Stabilo"_s,       u"Koh-i-Noor"_s,   u"Луч"_s,     u"Гамма"_s,
                             u"Hatber"_s,        u"Attache"_s,      u"Kores"_s,   u"Staff"_s,
                             u"Faber-Castell"_s, u"Schneider"_s,    u"Полиграф"_s};
const QStringList kColours = {u"синий"_s,   u"чёрный"_s, u"красный"_s, u"зелёный"_s,
                              u"ассорти"_s, u"жёлтый"_s, u"белый"_s,   u"прозрачный"_s};
const QStringList kSizes = {u"0,5 мм"_s, u"0,7 мм"_s, u"А4"_s,     u"А5"_s,
                            u"48 л."_s,  u"96 л."_s,  u"12 шт."_s, u"24 цв."_s,
                            u"15 см"_s,  u"30 см"_s,  u"50 мм"_s,  u"80 г/м2"_s};
const QStringList kCountries = {u"Россия"_s, u"Китай"_s, u"Германия"_s, u"Япония"_s,
                                u"Индия"_s,  u"Чехия"_s, u"Вьетнам"_s,  u"Франция"_s};
const QStringList kGroupWords = {
    u"Письменные принадлежности"_s, u"Бумажная продукция"_s,    u"Офисные принадлежности"_s,
    u"Школьные товары"_s,           u"Товары для творчества"_s, u"Архивация и хранение"_s,
    u"Настольные аксессуары"_s,     u"Канцелярские мелочи"_s,   u"Оргтехника"_s,
    u"Упаковочные материалы"_s};
const QStringList kSubgroupWords = {u"эконом"_s,     u"стандарт"_s, u"премиум"_s,
                                    u"детские"_s,    u"наборы"_s,   u"профессиональные"_s,
                                    u"сувенирные"_s, u"для офиса"_s};

class Random {
public:
    explicit Random(unsigned seed) : m_engine(seed) {}
    int between(int low, int high)
    {
        return std::uniform_int_distribution<int>(low, high)(m_engine);
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_engine); }
    const QString &pick(const QStringList &list)
    {
        return list.at(between(0, int(list.size()) - 1));
    }

private:
    std::mt19937 m_engine;
};

QString number(double value, int decimals)
{
    return QLocale::c().toString(value, 'f', decimals);
}

} // namespace

GeneratedCatalog generateCatalog(const CatalogGeneratorOptions &options)
{
    Random random(options.seed);
    const QString crlf = QStringLiteral("\r\n");

    QString classes = QStringLiteral("ID;NAME;IDPARENT") + crlf;
    QList<int> subgroupParent;
    for (int g = 1; g <= options.groups; ++g)
        classes += QStringLiteral("%1;%2 %3;0").arg(g).arg(random.pick(kGroupWords)).arg(g) + crlf;
    for (int s = 0; s < options.subgroups; ++s) {
        const int parent = random.between(1, options.groups);
        subgroupParent << parent;
        classes += QStringLiteral("%1;%2 %3;%4")
                       .arg(10000 + s)
                       .arg(random.pick(kKinds), random.pick(kSubgroupWords))
                       .arg(parent) +
                   crlf;
    }

    QString price = QStringLiteral("ID;CODE;FULLNAME;NDS;KOLTEK;CENA;MAXDISCOUNT;ARTICUL;TM;"
                                   "COUNTRY;ST1;ST2;ST3;WST3;VST3;IDGROUP;IDSUBGROUP;ISNEW;"
                                   "ISPHOTO;BARCODE") +
                    crlf;
    price.reserve(options.products * 190);
    for (int i = 0; i < options.products; ++i) {
        const int id = 100000 + i * 3;
        const QString &brand = random.pick(kBrands);
        int group = 0;
        int subgroup = 0;
        if (options.subgroups > 0 && !random.chance(0.05)) {
            const int s = random.between(0, options.subgroups - 1);
            subgroup = 10000 + s;
            group = subgroupParent.at(s);
        } else {
            group = random.between(1, options.groups);
        }
        const int st1 = random.pick({u"1"_s, u"10"_s, u"12"_s, u"20"_s}).toInt();
        const int st2 = st1 * random.between(1, 10);
        const int st3 = st2 * random.between(2, 20);
        const QString fields[] = {
            QString::number(id),
            QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0')),
            QStringLiteral("%1 %2 %3, %4, арт. %5")
                .arg(random.pick(kKinds), brand, random.pick(kColours), random.pick(kSizes))
                .arg(random.between(100, 99999)),
            random.chance(0.8) ? QStringLiteral("20") : QStringLiteral("10"),
            QString::number(random.between(0, 5000)),
            number(random.between(50, 2000000) / 100.0, 2),
            QString::number(random.between(0, 3) * 5),
            QStringLiteral("%1-%2").arg(brand.left(2).toUpper()).arg(random.between(1000, 99999)),
            brand,
            random.pick(kCountries),
            QString::number(st1),
            QString::number(st2),
            QString::number(st3),
            number(random.between(100, 30000) / 1000.0, 3),
            number(random.between(1, 900) / 10000.0, 4),
            QString::number(group),
            QString::number(subgroup),
            random.chance(0.05) ? QStringLiteral("1") : QStringLiteral("0"),
            random.chance(0.6) ? QStringLiteral("1") : QStringLiteral("0"),
            QStringLiteral("46%1").arg(qint64(random.between(0, 99999)) * 1000000 +
                                           random.between(0, 999999),
                                       11, 10, QLatin1Char('0')),
        };
        for (int f = 0; f < 20; ++f) {
            if (f)
                price += QLatin1Char(';');
            price += fields[f];
        }
        price += crlf;
    }
    return {TextUtils::toCp1251(price), TextUtils::toCp1251(classes)};
}

void writeCatalog(const QString &folder, const CatalogGeneratorOptions &options)
{
    const GeneratedCatalog catalog = generateCatalog(options);
    const auto write = [](const QString &path, const QByteArray &bytes) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size())
            throw std::runtime_error("cannot write " + path.toStdString());
    };
    write(folder + QStringLiteral("ExportPrice.csv"), catalog.price);
    write(folder + QStringLiteral("ExportClass.csv"), catalog.classes);
}
