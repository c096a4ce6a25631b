#pragma once

#include <QString>
#include <QVariant>

// Number display formats of the grids and boxes ("# ### ##0.00", "# ##0", "# ##0.####", "0",
// "# ##0.00 руб."), as the pricing rules format them, without the leading blanks that the
// unused placeholders leave.
class DisplayFormat {
public:
    static QString format(double value, const QString &pattern);
    // Empty for a null value; a non-numeric value as it is.
    static QString format(const QVariant &value, const QString &pattern);
};
