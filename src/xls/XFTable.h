#pragma once

#include "xls/InternTable.h"

// One cell format of the workbook, as a fixed-length record; the defaults are those of the
// workbook's default format (entry 0).
struct TXFRecord {
    quint16 font = 0;   // font table index
    quint16 format = 0; // number-format list index
    quint8 hAlign = 0;  // 0 general, 1 left, 2 centre, 3 right, ...
    quint8 vAlign = 2;  // 0 top, 1 centre, 2 bottom, ...
    quint8 rotation = 0;
    quint8 wrap = 0;
    quint8 fillPattern = 0; // 0 none, 1 solid, ...
    quint8 patternColor = 57;
    quint8 fillColor = 58;
    quint8 bit5 = 0;
    quint8 indent = 0; // 0 to 15
    quint8 styleFlag = 0;
    quint8 locked = 1;
    quint8 reserved = 0;
    quint8 borderColor[4] = {58, 58, 58, 58}; // left, right, top, bottom
    quint8 borderStyle[4] = {0, 0, 0, 0};     // left, right, top, bottom
};

class TVirtualXFTable : public TInternTable<TXFRecord> {
public:
    TVirtualXFTable() : TInternTable<TXFRecord>(TXFRecord{}) {}
};
