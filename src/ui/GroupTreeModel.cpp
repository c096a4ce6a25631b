#include "ui/GroupTreeModel.h"

GroupTreeModel::GroupTreeModel(QObject *parent) : QAbstractItemModel(parent) {}

GroupTreeModel::~GroupTreeModel() = default;

void GroupTreeModel::clear()
{
    beginResetModel();
    m_building = true;
    m_top.clear();
}

GroupTreeModel::Node *GroupTreeModel::addNode(Node *parent, const QString &name, int idGroup,
                                              int idSubGroup)
{
    auto node = std::make_unique<Node>();
    node->name = name;
    node->idGroup = idGroup;
    node->idSubGroup = idSubGroup;
    node->parent = parent;
    Node *raw = node.get();
    (parent ? parent->children : m_top).push_back(std::move(node));
    return raw;
}

void GroupTreeModel::finish()
{
    if (m_building) {
        m_building = false;
        endResetModel();
    }
}

const GroupTreeModel::Node *GroupTreeModel::nodeOf(const QModelIndex &index)
{
    return index.isValid() ? static_cast<const Node *>(index.internalPointer()) : nullptr;
}

int GroupTreeModel::rowOf(const Node *node) const
{
    const auto &siblings = node->parent ? node->parent->children : m_top;
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == node)
            return int(i);
    return -1;
}

QModelIndex GroupTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0)
        return {};
    const Node *p = nodeOf(parent);
    const auto &children = p ? p->children : m_top;
    if (size_t(row) >= children.size())
        return {};
    return createIndex(row, 0, children[size_t(row)].get());
}

QModelIndex GroupTreeModel::parent(const QModelIndex &child) const
{
    const Node *node = nodeOf(child);
    if (!node || !node->parent)
        return {};
    return createIndex(rowOf(node->parent), 0, node->parent);
}

int GroupTreeModel::rowCount(const QModelIndex &parent) const
{
    if (m_building)
        return 0;
    if (parent.column() > 0)
        return 0;
    const Node *p = nodeOf(parent);
    return int(p ? p->children.size() : m_top.size());
}

int GroupTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant GroupTreeModel::data(const QModelIndex &index, int role) const
{
    const Node *node = nodeOf(index);
    if (!node || role != Qt::DisplayRole)
        return {};
    return node->name;
}
