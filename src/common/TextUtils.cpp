#include "common/TextUtils.h"

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

namespace {

// The characters of the bytes 0x80 to 0xFF; 0x98, unassigned, stands for itself.
const char16_t kCp1251High[128] = {
    0x0402, 0x0403, 0x201a, 0x0453, 0x201e, 0x2026, 0x2020, 0x2021, 0x20ac, 0x2030, 0x0409, 0x2039,
    0x040a, 0x040c, 0x040b, 0x040f, 0x0452, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203a, 0x045a, 0x045c, 0x045b, 0x045f, 0x00a0, 0x040e, 0x045e, 0x0408,
    0x00a4, 0x0490, 0x00a6, 0x00a7, 0x0401, 0x00a9, 0x0404, 0x00ab, 0x00ac, 0x00ad, 0x00ae, 0x0407,
    0x00b0, 0x00b1, 0x0406, 0x0456, 0x0491, 0x00b5, 0x00b6, 0x00b7, 0x0451, 0x2116, 0x0454, 0x00bb,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041a, 0x041b, 0x041c, 0x041d, 0x041e, 0x041f, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042a, 0x042b, 0x042c, 0x042d, 0x042e, 0x042f,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043a, 0x043b,
    0x043c, 0x043d, 0x043e, 0x043f, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044a, 0x044b, 0x044c, 0x044d, 0x044e, 0x044f,
};

} // namespace

QString fromCp1251(const QByteArray &bytes)
{
    // A table of our own: a price list runs to megabytes, and this is several times faster
    // than a general converter.
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (const char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        *out++ = c < 0x80 ? char16_t(c) : kCp1251High[c - 0x80];
    }
    return text;
}

bool isUtf8BeyondAscii(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto *end = p + bytes.size();
    bool beyondAscii = false;
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int more;
        char32_t code;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= more)
            return false;
        for (int k = 1; k <= more; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[k] & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((more == 2 && code < 0x800) || (more == 3 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
        p += more + 1;
        beyondAscii = true;
    }
    return beyondAscii;
}

QByteArray toCp1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

} // namespace TextUtils
