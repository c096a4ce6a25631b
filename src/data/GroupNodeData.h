#pragma once

#include <QList>
#include <QString>

// What the group tree keeps per node. IdGroup/IdSubGroup: -1/-1 for the root, id/0 for a
// group, id/subgroup id for a subgroup, id/-2 for the group's products without subgroup.
struct GroupNodeData {
    static constexpr int NameSize = 100;

    QString Name; // at most NameSize characters
    int IdGroup = 0;
    int IdSubGroup = 0;

    static GroupNodeData make(const QString &name, int idGroup, int idSubGroup)
    {
        return {name.left(NameSize), idGroup, idSubGroup};
    }
    bool operator==(const GroupNodeData &) const = default;
};

// One node of the group tree with its children, in display order.
struct GroupTreeNode {
    GroupNodeData data;
    QList<GroupTreeNode> children;

    bool operator==(const GroupTreeNode &) const = default;
};
