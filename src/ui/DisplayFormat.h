#pragma once

#include <QString>
#include <QVariant>

// Number display formats of the grids and boxes: "# ### ##0.00", "# ##0", "# ##0.####",
// "0", with optional text after the digits ("# ##0.00 руб."). A blank between digit
// placeholders groups the integer digits in threes with blanks; "0" after the point is a
// fixed decimal, "#" an optional one. Always "." as the decimal separator.
class DisplayFormat {
public:
    static QString format(double value, const QString &pattern);
    // Empty for a null or non-numeric value.
    static QString format(const QVariant &value, const QString &pattern);
    // The integer digits of a plain decimal number text grouped in threes with blanks.
    static QString groupDigits(const QString &plain);
};
