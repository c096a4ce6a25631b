#include "data/Database.h"
#include "data/GroupTreeBuild.h"
#include "data/PriceImport.h"
#include "data/TableStore.h"
#include "data/WorkingTablesLoad.h"

#include "TestPaths.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include "RecordingMessages.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The bundled demo must import as the supplier's real exports do and show a full tree.
TEST(DemoCatalog, ImportsAndGivesGroupsSubgroupsOthersAndPictures)
{
    TempDir dir;
    const QString demo = QStringLiteral(FERROW_SOURCE_DIR "/demo/");
    for (const QString &name : {u"ExportPrice.csv"_s, u"ExportClass.csv"_s})
        dir.write(name, [&] {
            QFile f(demo + name);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }());
    Database db;
    TableStore store(db);
    RecordingMessages messages;
    ScriptedPrompts prompts;
    ASSERT_TRUE(ImportPriceAndClasses(store, dir.path(), u"ExportPrice.csv"_s, u"ExportClass.csv"_s,
                                      messages, prompts));
    LoadWorkingTables(store, dir.path(), messages);
    const GroupTreeNode root = BuildGroupTree(store, dir.path(), messages);

    EXPECT_GE(store.rowCount(u"Price"_s), 200);
    EXPECT_EQ(root.children.size(), 10);
    int others = 0;
    for (const GroupTreeNode &group : root.children) {
        EXPECT_FALSE(group.data.Name.isEmpty());
        for (const GroupTreeNode &child : group.children)
            others += child.data.IdSubGroup == -2 ? 1 : 0;
    }
    EXPECT_GE(others, 1);

    Statement counts = db.prepare(u"select sum(isnew), sum(isphoto) from price"_s);
    ASSERT_TRUE(counts.step());
    EXPECT_GT(counts.columnInt(0), 0);
    EXPECT_GT(counts.columnInt(1), 0);
    Statement pictured = db.prepare(u"select code from price where isphoto>0"_s);
    while (pictured.step()) {
        const QString picture = demo + u"pictures/"_s + pictured.columnText(0) + u".jpg"_s;
        EXPECT_TRUE(QFile::exists(picture)) << picture.toStdString();
    }
}

} // namespace
