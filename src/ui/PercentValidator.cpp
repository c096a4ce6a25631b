#include "ui/PercentValidator.h"

#include <QLocale>
#include <QRegularExpression>

QValidator::State PercentValidator::validate(QString &input, int &) const
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return Acceptable;
    static const QRegularExpression number(QStringLiteral("^\\d{1,3}(\\.\\d{0,2})?$"));
    if (!number.match(text).hasMatch())
        return Invalid;
    if (text.endsWith(u'.'))
        return Intermediate;
    const double value = QLocale::c().toDouble(text);
    return value >= 0 && value <= 100 ? Acceptable : Invalid;
}
