#include "ui/GridTableModel.h"

#include "ui/DisplayFormat.h"

namespace {
// A screen of rows many times over; beyond it the cache starts again.
constexpr int CacheLimit = 2000;
} // namespace

GridTableModel::GridTableModel(GridColumns columns, QObject *parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns)), m_fields(gridFields(m_columns))
{
}

void GridTableModel::setSource(const TableRowSource *source)
{
    m_source = source;
    reload();
}

int GridTableModel::columnOfField(const QString &field) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void GridTableModel::reload()
{
    beginResetModel();
    m_cache.clear();
    m_rowCount = m_source ? m_source->rowCount() : 0;
    endResetModel();
}

void GridTableModel::refreshValues()
{
    const int count = m_source ? m_source->rowCount() : 0;
    if (count != m_rowCount) {
        reload();
        return;
    }
    m_cache.clear();
    if (m_rowCount > 0)
        emit dataChanged(index(0, 0), index(m_rowCount - 1, columnCount() - 1));
}

const QVariantList &GridTableModel::row(int r) const
{
    auto found = m_cache.constFind(r);
    if (found != m_cache.constEnd())
        return *found;
    if (m_cache.size() >= CacheLimit)
        m_cache.clear();
    return *m_cache.insert(r, m_source->rowValues(r, m_fields));
}

QVariant GridTableModel::fieldValue(int r, const QString &field) const
{
    const int c = columnOfField(field);
    if (c >= 0) {
        if (!m_source || r < 0 || r >= m_rowCount)
            return {};
        return row(r).value(c);
    }
    if (!m_source || r < 0 || r >= m_rowCount)
        return {};
    return m_source->rowValues(r, {field}).value(0);
}

int GridTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int GridTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant GridTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_source || index.row() >= m_rowCount)
        return {};
    const GridColumn &column = m_columns[size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole: {
        if (column.checkBox)
            return {};
        const QVariant value = row(index.row()).value(index.column());
        if (column.displayFormat.isEmpty())
            return value.isNull() ? QString() : value.toString();
        return DisplayFormat::format(value, column.displayFormat);
    }
    case Qt::EditRole: {
        const QVariant value = row(index.row()).value(index.column());
        return value.isNull() ? QString() : value.toString();
    }
    case Qt::CheckStateRole:
        if (!column.checkBox)
            return {};
        return row(index.row()).value(index.column()).toInt() != 0 ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column.alignment);
    default:
        return {};
    }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        // The row indicator: an empty strip, as narrow as the grid allows.
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    }
    if (section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[size_t(section)].title;
    return {};
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editing && index.isValid() &&
        m_columns[size_t(index.column())].field.compare(m_editableField, Qt::CaseInsensitive) == 0)
        f |= Qt::ItemIsEditable;
    return f;
}

bool GridTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    if (onCommit)
        onCommit(index.row(), value.toString());
    return true;
}

void GridTableModel::setTitle(int column, const QString &title)
{
    if (column < 0 || column >= columnCount())
        return;
    m_columns[size_t(column)].title = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}
