#include "common/TextUtils.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace TextUtils {

QString ExtractField(const QString &line, QChar separator, int n)
{
    if (n < 1)
        return {};
    qsizetype start = 0;
    const qsizetype size = line.size();
    for (int field = 1;; ++field) {
        qsizetype end = line.indexOf(separator, start);
        if (end < 0)
            end = size; // the appended separator
        if (field == n)
            return line.mid(start, end - start);
        if (end >= size)
            return {};
        start = end + 1;
    }
}

QString ReplaceChar(const QString &text, QChar ch, const QString &replacement)
{
    QString result = text;
    result.replace(ch, replacement, Qt::CaseSensitive);
    return result;
}

QString ReplaceAllText(const QString &toFind, const QString &text, const QString &replacement)
{
    if (toFind.isEmpty() || replacement.contains(toFind, Qt::CaseInsensitive))
        return text;
    QString result = text;
    result.replace(toFind, replacement, Qt::CaseInsensitive);
    return result;
}

QString fromCp1251(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1251");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray toCp1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

} // namespace TextUtils
