#pragma once

#include "ui/GridTableModel.h"

// The price grid's model: the filtered, sorted price list, "Заказ" editable while a quantity
// is typed.
class PriceTableModel : public GridTableModel {
    Q_OBJECT
public:
    explicit PriceTableModel(QObject *parent = nullptr);
    static GridColumns priceColumns();
};
