#include "browse/Pricing.h"

#include <QLocale>

#include <cfenv>
#include <cmath>

namespace Pricing {

double roundTo(double value, double step)
{
    // The step is the double nearest to the decimal step; widening it keeps that error, which
    // is what makes a decimal half such as 0.375 fall just below the half.
    const long double quotient = static_cast<long double>(value) / static_cast<long double>(step);
    const long double whole = std::nearbyintl(quotient); // default mode: nearest, halves to even
    return static_cast<double>(whole) * step;
}

double round2(double value)
{
    return roundTo(value, 0.01);
}

std::optional<double> parseDiscountBox(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double orderPercent(std::optional<double> discountBox)
{
    if (discountBox && *discountBox < 100)
        return *discountBox;
    return 0;
}

double limitPercent(double orderPercent, double maxDiscount)
{
    double p = orderPercent;
    if (maxDiscount < p && roundTo(maxDiscount, 0.0001) != 0)
        p = maxDiscount;
    if (maxDiscount == 0.01)
        p = 0;
    return p;
}

double effectiveDiscount(std::optional<double> discountBox, double maxDiscount)
{
    return limitPercent(orderPercent(discountBox), maxDiscount);
}

double discountedPrice(double listPrice, double percent)
{
    return round2((100 - percent) / 100 * listPrice);
}

LineAmounts lineAmounts(double listPrice, double percent, int kol)
{
    LineAmounts a;
    a.cenaPrice = listPrice;
    a.procentDiscount = percent;
    a.cena = discountedPrice(listPrice, percent);
    a.summa = kol * a.cena;
    a.cenaDiscount = round2(listPrice - a.cena);
    a.summaPrice = kol * listPrice;
    a.summaDiscount = round2(a.summaPrice - a.summa);
    return a;
}

QString formatAmount(double value)
{
    // "### ### ##0.00": the blanks are literal characters between the last nine integer
    // digits; digits beyond the pattern's nine go in front without blanks.
    QString digits = QLocale::c().toString(std::fabs(value), 'f', 2);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    QString integer = digits.left(point);
    const QString fraction = digits.mid(point);
    QString grouped;
    const qsizetype n = integer.size();
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype fromRight = n - i; // digits still to come, this one included
        if (i > 0 && fromRight <= 8 && fromRight % 3 == 0)
            grouped += QLatin1Char(' ');
        grouped += integer.at(i);
    }
    const bool negative = value < 0 && digits != QLatin1String("0.00");
    return (negative ? QStringLiteral("-") : QString()) + grouped + fraction;
}

QString totalsText(double summaPrice, double summaDiscount)
{
    return QStringLiteral("Сумма заказа: ") + formatAmount(summaPrice) + QStringLiteral(" - ") +
           formatAmount(summaDiscount) + QStringLiteral(" = ") +
           formatAmount(summaPrice - summaDiscount);
}

QString emptyTotalsText()
{
    return QStringLiteral("Сумма заказа: 0.00 - 0.00 = 0.00");
}

} // namespace Pricing
