#pragma once

#include <QString>

#include <optional>

// The pricing rules shared by the order lines and the product card.
namespace Pricing {

// Rounds to a multiple of step (0.01, 0.001, 0.0001): the quotient by the step is kept at
// extended precision and rounded to the nearest integer, an exact half to the even one. As the
// steps have no exact binary form, 0.375 rounds to 0.37 and 0.4375 to 0.437.
double roundTo(double value, double step);
double round2(double value);

// The order discount box as typed: empty, or a number from 0 to 100.
std::optional<double> parseDiscountBox(const QString &text);

// The order-wide percent before a product's limit: the box value below 100, otherwise 0.
double orderPercent(std::optional<double> discountBox);
// The order-wide percent limited by a product's MAXDISCOUNT (0 means no limit, 0.01 none at all).
double limitPercent(double orderPercent, double maxDiscount);
double effectiveDiscount(std::optional<double> discountBox, double maxDiscount);

// The price after the discount percent, in hundredths.
double discountedPrice(double listPrice, double percent);

struct LineAmounts {
    double cenaPrice = 0;
    double procentDiscount = 0;
    double cena = 0;
    double summa = 0;
    double cenaDiscount = 0;
    double summaPrice = 0;
    double summaDiscount = 0;
};

LineAmounts lineAmounts(double listPrice, double percent, int kol);

// A number in a display pattern of digit placeholders and literal text, such as
// "### ### ##0.00", "# ##0", "# ##0.####" or "# ##0.00 руб.": "0" always shows a digit, "#" only
// a significant one; a blank between integer placeholders shows only with a digit to its left;
// integer digits beyond the pattern go in front; text after the number is kept.
QString formatFloat(double value, const QString &pattern);
// An amount as "### ### ##0.00" without the pattern's leading blanks ("1 234 567.50").
QString formatAmount(double value);
// The label under the order grid: "Сумма заказа: S - D = S-D".
QString totalsText(double summaPrice, double summaDiscount);
QString emptyTotalsText();

} // namespace Pricing
