#include "data/GroupTreeBuild.h"

#include <algorithm>

#include <QFileInfo>

#include "common/StartupMessages.h"
#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/TableStore.h"
#include "data/Transaction.h"

namespace {

// The distinct pairs are taken first and only then named: the same rows as joining every
// product with its two class rows, since a class ID has one name, at a fraction of the work.
const QString kBuildQuery = QStringLiteral(
    "select pairs.idsubgroup, pairs.idgroup, cl.name as NameGroup, cl2.name as NameSubGroup\n"
    "from (select distinct price.idsubgroup, price.idgroup from price where price.idgroup>0) "
    "pairs\n"
    "left outer join class cl on cl.id=pairs.idgroup\n"
    "left outer join class cl2 on cl2.id=pairs.idsubgroup\n"
    "order by 3,4");
const QString kCachedQuery =
    QStringLiteral("select tree.idsubgroup, tree.idgroup, tree.NameGroup, tree.NameSubGroup "
                   "from tree order by tree.rowid");

} // namespace

GroupTreeNode BuildGroupTree(TableStore &store, const QString &workFolder,
                             StartupMessages &messages)
{
    using namespace CatalogTables;
    const QString treeFile = workFolder + TreeFile;
    const bool cached = QFileInfo(treeFile).isFile();
    Database &db = store.database();
    if (cached) {
        store.load(Tree, treeFile);
    } else {
        store.create(Tree);
        store.empty(Tree);
    }

    messages.setStartupMessage(QStringLiteral("Открытие запроса классификатора..."));
    Statement query = db.prepare(cached ? kCachedQuery : kBuildQuery);
    messages.appendStartupMessage(QStringLiteral("OK"));
    messages.setStartupMessage(QStringLiteral("Заполнение классификатора..."));

    GroupTreeNode root{GroupNodeData::make(kAllGoodsNodeName, -1, -1), {}};
    Transaction transaction(db);
    Statement insert = db.prepare(QStringLiteral(
        "insert into tree (IDGROUP, IDSUBGROUP, NAMEGROUP, NAMESUBGROUP) values (?1, ?2, ?3, ?4)"));
    int currentGroup = 0;
    while (query.step()) {
        const int subGroup = query.columnInt(QStringLiteral("idsubgroup"));
        const int group = query.columnInt(QStringLiteral("idgroup"));
        const QString groupName = query.columnText(QStringLiteral("NAMEGROUP"));
        const QString subGroupName = query.columnText(QStringLiteral("NAMESUBGROUP"));
        if (!cached) {
            insert.bind(1, group).bind(2, subGroup).bind(3, groupName).bind(4, subGroupName);
            insert.exec();
        }
        // Ids, not names, start a group node: two groups of one name stay two nodes.
        if (group != currentGroup || root.children.isEmpty()) {
            currentGroup = group;
            root.children.append({GroupNodeData::make(groupName, group, 0), {}});
        }
        QList<GroupTreeNode> &children = root.children.last().children;
        if (subGroup >= 1) {
            children.append({GroupNodeData::make(subGroupName, group, subGroup), {}});
        } else if (std::none_of(children.cbegin(), children.cend(),
                                [](const GroupTreeNode &n) { return n.data.IdSubGroup == -2; })) {
            // Subgroups 0 and -1 both mean "none": one node shows them all.
            children.append({GroupNodeData::make(kOtherGoodsNodeName, group, -2), {}});
        }
    }
    transaction.commit();
    if (!cached)
        store.save(Tree, treeFile);
    return root;
}
