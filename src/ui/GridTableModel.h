#pragma once

#include "ui/GridColumn.h"
#include "ui/TableRowSource.h"

#include <QAbstractTableModel>
#include <QHash>
#include <functional>

// A grid model over a row source: rows are fetched when the view asks for them and kept in a
// small cache of recently painted rows, so a table of any size costs only what is on screen.
class GridTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    GridTableModel(GridColumns columns, QObject *parent = nullptr);

    void setSource(const TableRowSource *source);
    const GridColumns &columns() const { return m_columns; }
    int columnOfField(const QString &field) const;

    // The rows changed in number or order (filter, sort): the views start again.
    void reload();
    // The same rows with new values (a quantity mirrored, a line re-priced).
    void refreshValues();
    // The value of a field of a row, fetched through the cache.
    QVariant fieldValue(int row, const QString &field) const;

    // In-place editing of one column (the quantity column), switched by the window.
    void setEditableField(const QString &field) { m_editableField = field; }
    void setEditing(bool on) { m_editing = on; }
    bool isEditing() const { return m_editing; }
    // Called with the row and the typed text when an edited cell is committed.
    std::function<void(int row, const QString &text)> onCommit;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    void setTitle(int column, const QString &title);

private:
    const QVariantList &row(int r) const;

    GridColumns m_columns;
    QStringList m_fields;
    const TableRowSource *m_source = nullptr;
    int m_rowCount = 0;
    mutable QHash<int, QVariantList> m_cache;
    QString m_editableField;
    bool m_editing = false;
};
