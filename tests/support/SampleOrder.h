#pragma once

#include "xls/OrderExportSource.h"

#include <QString>

// A generated order of that many lines, for the export tests and the export benchmark (and the
// same lines as bench/xlwt_order.py generates for its comparison): bar codes, codes, an article
// on two lines of three, long Cyrillic names, packings, prices and quantities that vary.
inline OrderExportList sampleOrder(int lines)
{
    using namespace Qt::StringLiterals;
    OrderExportList order;
    order.lines.reserve(size_t(lines));
    for (int k = 0; k < lines; ++k) {
        OrderExportLine line;
        line.barCode = u"46%1"_s.arg(k, 11, 10, QChar(u'0'));
        line.code = u"C%1"_s.arg(k, 6, 10, QChar(u'0'));
        line.articul = k % 3 == 0 ? QString() : u"ART-%1x"_s.arg(k % 50);
        line.fullName =
            u"Болт оцинкованный М%1 «Ferrow» для крепления, упаковка №%2"_s.arg(k % 40).arg(k);
        line.st1 = 1 + k % 10;
        line.st2 = 10 * (1 + k % 10);
        line.st3 = 100 * (1 + k % 10);
        line.cenaPrice = 10.5 + k * 0.37;
        line.cena = line.cenaPrice * 0.93;
        line.kol = 1 + k;
        order.lines.push_back(std::move(line));
    }
    return order;
}
