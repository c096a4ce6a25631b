#pragma once

#include <QString>
#include <vector>

struct TNumberFormat {
    quint16 id;
    QString format;
};

// The number-format list. Cell formats refer to an entry by list index; the file knows it by
// its id. The 36 built-in entries come first and are never written to the file.
class TFormatStrings {
public:
    static constexpr int kBuiltInCount = 36;
    static constexpr quint16 kFirstCustomId = 164;

    TFormatStrings();

    static constexpr int kMaxLength = 255;
    // Appends a format and returns its list index; its id is one above the highest so far,
    // but at least 164. A format of more than 255 characters raises EXLSError code 4.
    int Add(const QString &format);

    int Count() const { return int(m_formats.size()); }
    const TNumberFormat &Item(int index) const { return m_formats.at(size_t(index)); }

private:
    std::vector<TNumberFormat> m_formats;
    quint16 m_highestId = 0;
};
