#pragma once

#include <QString>
#include <functional>
#include <vector>

// What the order workbook takes from one line of the current order (the table Zakaz): an
// empty field comes as an empty text or 0.
struct OrderExportLine {
    QString barCode;      // BARCODE
    QString code;         // CODE
    QString articul;      // ARTICUL
    QString fullName;     // FULLNAME
    qint64 st1 = 0;       // ST1, pieces per package
    qint64 st2 = 0;       // ST2, pieces per block
    qint64 st3 = 0;       // ST3, pieces per box
    double cena = 0;      // CENA, price after discount
    double cenaPrice = 0; // CENAPRICE, list price
    qint64 kol = 0;       // KOL, ordered pieces
};

// The order's lines as the export reads them.
class OrderExportSource {
public:
    virtual ~OrderExportSource() = default;
    virtual qsizetype lineCount() const = 0;
    // Whether the order table has a BARCODE field at all; without one column A stays empty.
    virtual bool hasBarCode() const = 0;
    // Hands over every line, in the order's current order.
    virtual void readLines(const std::function<void(const OrderExportLine &)> &sink) const = 0;
};

// Lines already in memory.
class OrderExportList : public OrderExportSource {
public:
    std::vector<OrderExportLine> lines;
    bool barCodeField = true;

    qsizetype lineCount() const override { return qsizetype(lines.size()); }
    bool hasBarCode() const override { return barCodeField; }
    void readLines(const std::function<void(const OrderExportLine &)> &sink) const override
    {
        for (const OrderExportLine &line : lines)
            sink(line);
    }
};
