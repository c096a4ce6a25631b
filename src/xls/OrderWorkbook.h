#pragma once

#include <QString>

class TXLSFile;
class OrderExportSource;

// The order workbook, cell by cell: a header with the customer and the catalog date, the
// column headings, then one row per order line.
namespace OrderWorkbook {

// The sheet's last row is 65535 and the lines start at row 4.
constexpr qsizetype kMaxLines = 65532;

// Fills the first sheet of a new document.
void fill(TXLSFile &file, const QString &customerName, const QString &customerInn,
          const OrderExportSource &order, const QString &catalogDateText,
          const QString &exportDateTimeText);

} // namespace OrderWorkbook
