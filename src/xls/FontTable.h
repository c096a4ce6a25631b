#pragma once

#include "xls/InternTable.h"

#include <QString>

// One font of the workbook, as a fixed-length record (the name zero-padded).
struct TFontRecord {
    static constexpr int kMaxNameLength = 100;

    quint8 bold = 0;
    quint8 italic = 0;
    quint8 underline = 0;
    quint8 strikeOut = 0;
    quint8 underlineStyle = 0; // 0 to 4
    quint8 script = 0;         // 0 none, 1 superscript, 2 subscript
    quint8 colorIndex = 57;    // the system foreground colour
    quint8 reserved = 0;
    quint16 size = 10; // points
    char16_t name[kMaxNameLength] = {};

    // Names longer than the record holds are cut.
    void setName(const QString &text);
    QString nameText() const;

    static TFontRecord defaultFont();
};

// The workbook's font table; entry 0 is Arial 10.
class TVirtualFontTable : public TInternTable<TFontRecord> {
public:
    TVirtualFontTable() : TInternTable<TFontRecord>(TFontRecord::defaultFont()) {}
};
