#pragma once

#include <QString>
#include <QStringList>
#include <Qt>
#include <vector>

// One column of a grid: the table field it shows and how it shows it.
struct GridColumn {
    QString field;         // field name as the table has it, in capitals
    QString title;         // "upper|lower" gives a two-level title
    int width = 64;        // 0: the grid's default width
    QString displayFormat; // see DisplayFormat; empty shows the value as it is
    bool checkBox = false; // shown as a check box (Boolean fields)
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool centredTitle = false;
};

using GridColumns = std::vector<GridColumn>;

// What the column lists of the grids share.
namespace GridLook {
inline const QString Money = QStringLiteral("# ### ##0.00"); // sums and prices
inline constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignVCenter;
inline constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;
} // namespace GridLook

inline QStringList gridFields(const GridColumns &columns)
{
    QStringList fields;
    for (const GridColumn &c : columns)
        fields << c.field;
    return fields;
}
