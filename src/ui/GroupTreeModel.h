#pragma once

#include <QAbstractItemModel>
#include <QString>
#include <memory>
#include <vector>

// The group tree: the root "ВСЕ ТОВАРЫ", its groups, and their subgroups. Each node carries
// the ids that decide the group part of the price filter.
class GroupTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    struct Node {
        QString name;
        int idGroup = 0;
        int idSubGroup = 0;
        Node *parent = nullptr;
        std::vector<std::unique_ptr<Node>> children;
    };

    explicit GroupTreeModel(QObject *parent = nullptr);
    ~GroupTreeModel() override;

    // Starts again with an empty tree; nodes are then added parent first.
    void clear();
    // Adds a node under `parent` (nullptr: a top-level node); returns it.
    Node *addNode(Node *parent, const QString &name, int idGroup, int idSubGroup);
    // Call after adding nodes, so the views see them.
    void finish();

    static const Node *nodeOf(const QModelIndex &index);

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    int rowOf(const Node *node) const;

    std::vector<std::unique_ptr<Node>> m_top;
    bool m_building = false;
};
