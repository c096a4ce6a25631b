#include "xls/FormatStrings.h"

#include "xls/XLSError.h"

#include <algorithm>

namespace {
struct BuiltIn {
    quint16 id;
    const char16_t *format;
};

// In list order; the texts are the file format's built-in ones.
const BuiltIn kBuiltIns[TFormatStrings::kBuiltInCount] = {
    {0, u"General"},
    {1, u"0"},
    {2, u"0.00"},
    {3, u"#,##0"},
    {5, u"\"$\"#,##0_);(\"$\"#,##0)"},
    {6, u"\"$\"#,##0_);[Red](\"$\"#,##0)"},
    {7, u"\"$\"#,##0.00_);(\"$\"#,##0.00)"},
    {8, u"\"$\"#,##0.00_);[Red](\"$\"#,##0.00)"},
    {9, u"0%"},
    {10, u"0.00%"},
    {11, u"0.00E+00"},
    {12, u"# ?/?"},
    {13, u"# ?\?/??"},
    {14, u"m/d/yy"},
    {15, u"d-mmm-yy"},
    {16, u"d-mmm"},
    {17, u"mmm-yy"},
    {18, u"h:mm AM/PM"},
    {19, u"h:mm:ss AM/PM"},
    {20, u"h:mm"},
    {21, u"h:mm:ss"},
    {22, u"m/d/yy h:mm"},
    {42, u"_(\"$\"* #,##0_);_(\"$\"* (#,##0);_(\"$\"* \"-\"_);_(@_)"},
    {41, u"_(* #,##0_);_(* (#,##0);_(* \"-\"_);_(@_)"},
    {44, u"_(\"$\"* #,##0.00_);_(\"$\"* (#,##0.00);_(\"$\"* \"-\"?\?_);_(@_)"},
    {43, u"_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"?\?_);_(@_)"},
    {4, u"#,##0.00"},
    {37, u"#,##0_);(#,##0)"},
    {38, u"#,##0_);[Red](#,##0)"},
    {39, u"#,##0.00_);(#,##0.00)"},
    {40, u"#,##0.00_);[Red](#,##0.00)"},
    {45, u"mm:ss"},
    {46, u"[h]:mm:ss"},
    {47, u"mm:ss.0"},
    {48, u"##0.0E+0"},
    {49, u"@"},
};
} // namespace

TFormatStrings::TFormatStrings()
{
    m_formats.reserve(kBuiltInCount + 4);
    for (const BuiltIn &b : kBuiltIns) {
        m_formats.push_back({b.id, QString::fromUtf16(b.format)});
        m_highestId = std::max(m_highestId, b.id);
    }
}

int TFormatStrings::Add(const QString &format)
{
    // The FORMAT record holds at most 255 characters; a longer code would overrun the record.
    if (format.size() > kMaxLength)
        throw EXLSError(EXLSError::InvalidCellProperty);
    const quint16 id = std::max<quint16>(quint16(m_highestId + 1), kFirstCustomId);
    m_highestId = id;
    m_formats.push_back({id, format});
    return int(m_formats.size()) - 1;
}
