#include "browse/Pricing.h"

#include <QLocale>
#include <QRegularExpression>

#include <cfenv>
#include <cmath>

namespace Pricing {

double roundTo(double value, double step)
{
    // The step is the double nearest to the decimal step; widening it keeps that error, which
    // is what makes a decimal half such as 0.375 fall just below the half.
    const long double quotient = static_cast<long double>(value) / static_cast<long double>(step);
    const long double whole = std::rintl(quotient); // default mode: nearest, halves to even
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

QString formatFloat(double value, const QString &pattern)
{
    // The number part runs from the first to the last placeholder; the rest is literal text.
    const auto isPlaceholder = [](QChar c) {
        return c == QLatin1Char('#') || c == QLatin1Char('0') || c == QLatin1Char('.');
    };
    qsizetype first = 0;
    while (first < pattern.size() && !isPlaceholder(pattern.at(first)))
        ++first;
    qsizetype last = pattern.size() - 1;
    while (last >= first && pattern.at(last) != QLatin1Char('#') &&
           pattern.at(last) != QLatin1Char('0'))
        --last;
    const QString prefix = pattern.left(first);
    const QString suffix = pattern.mid(last + 1);
    const QString number = pattern.mid(first, last - first + 1);
    const qsizetype point = number.indexOf(QLatin1Char('.'));
    const QString intPattern = point < 0 ? number : number.left(point);
    const QString fracPattern = point < 0 ? QString() : number.mid(point + 1);
    const int decimals =
        int(fracPattern.count(QLatin1Char('0')) + fracPattern.count(QLatin1Char('#')));
    const int required = int(fracPattern.count(QLatin1Char('0')));

    QString text = QLocale::c().toString(std::fabs(value), 'f', decimals);
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    QString digits = dot < 0 ? text : text.left(dot);
    QString fraction = dot < 0 ? QString() : text.mid(dot + 1);
    while (fraction.size() > required && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    const bool isZero = !digits.contains(QRegularExpression(QStringLiteral("[1-9]"))) &&
                        !fraction.contains(QRegularExpression(QStringLiteral("[1-9]")));
    if (digits == QLatin1String("0") && !intPattern.contains(QLatin1Char('0')))
        digits.clear();

    QString integer;
    qsizetype remaining = digits.size();
    for (qsizetype i = intPattern.size() - 1; i >= 0; --i) {
        const QChar c = intPattern.at(i);
        if (c == QLatin1Char('#') || c == QLatin1Char('0')) {
            if (remaining > 0)
                integer.prepend(digits.at(--remaining));
            else if (c == QLatin1Char('0'))
                integer.prepend(QLatin1Char('0'));
        } else if (remaining > 0) {
            integer.prepend(c);
        }
    }
    integer.prepend(digits.left(remaining));

    QString result = integer;
    if (!fraction.isEmpty())
        result += QLatin1Char('.') + fraction;
    if (value < 0 && !isZero)
        result.prepend(QLatin1Char('-'));
    return prefix + result + suffix;
}

QString formatAmount(double value)
{
    return formatFloat(value, QStringLiteral("### ### ##0.00"));
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
