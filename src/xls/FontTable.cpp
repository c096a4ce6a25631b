#include "xls/FontTable.h"

#include <algorithm>

void TFontRecord::setName(const QString &text)
{
    std::fill(std::begin(name), std::end(name), u'\0');
    const qsizetype n = std::min<qsizetype>(text.size(), kMaxNameLength);
    for (qsizetype i = 0; i < n; ++i)
        name[i] = text.at(i).unicode();
}

QString TFontRecord::nameText() const
{
    qsizetype n = 0;
    while (n < kMaxNameLength && name[n] != u'\0')
        ++n;
    return QString::fromUtf16(name, n);
}

TFontRecord TFontRecord::defaultFont()
{
    TFontRecord font;
    font.setName(QStringLiteral("Arial"));
    return font;
}
