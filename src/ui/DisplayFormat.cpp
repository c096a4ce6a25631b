#include "ui/DisplayFormat.h"

#include "browse/Pricing.h"

QString DisplayFormat::format(double value, const QString &pattern)
{
    QString text = Pricing::formatFloat(value, pattern);
    qsizetype start = 0;
    while (start < text.size() && text[start] == u' ')
        ++start;
    return text.mid(start);
}

QString DisplayFormat::format(const QVariant &value, const QString &pattern)
{
    if (!value.isValid() || value.isNull())
        return QString();
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok)
        return value.toString();
    return format(number, pattern);
}
