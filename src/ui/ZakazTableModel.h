#pragma once

#include "ui/GridTableModel.h"

// The order grid's model: the lines of the current order, "Кол-во" editable in the grid mode.
class ZakazTableModel : public GridTableModel {
    Q_OBJECT
public:
    explicit ZakazTableModel(QObject *parent = nullptr);
    static GridColumns zakazColumns();
};
