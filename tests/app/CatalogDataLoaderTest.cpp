#include "app/CatalogDataLoader.h"
#include "app/StartupData.h"
#include "common/CatalogSettings.h"
#include "common/StartupMessages.h"
#include "common/TextUtils.h"

#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class CatalogDataLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings.WorkFolder = work.path();
        settings.PathBase = base.path();
        settings.PriceExportFileName = u"ExportPrice.csv"_s;
        settings.ClassExportFileName = u"ExportClass.csv"_s;
        settings.PriceFileName = u"Price.lst"_s;
        settings.ClassFileName = u"Class.lst"_s;
        loader.setServices(settings, messages, prompts);
    }
    void writeExports(const TempDir &dir, const QString &cena)
    {
        dir.write(u"ExportPrice.csv"_s,
                  TextUtils::toCp1251(u"header\r\n1;A1;Ручка;20;5;%1;0;a;ТМ;Китай;1;1;1;0;0;"
                                      u"10;11;0;0;46\r\n"_s.arg(cena)));
        dir.write(u"ExportClass.csv"_s,
                  TextUtils::toCp1251(u"header\r\n10;Ручки;0\r\n11;Шариковые;10\r\n"_s));
    }
    int products()
    {
        Statement count = loader.database().prepare(u"select count(*) from fprice"_s);
        count.step();
        return count.columnInt(0);
    }

    TempDir work;
    TempDir base;
    CatalogSettings settings;
    NoStartupMessages messages;
    ScriptedPrompts prompts;
    CatalogDataLoader loader;
};

TEST_F(CatalogDataLoaderTest, FirstStartImportsTheExportsBesideTheProgram)
{
    writeExports(base, u"12.50"_s);
    ASSERT_TRUE(InitData(settings, loader));
    loader.buildGroupTree();
    EXPECT_EQ(products(), 1);
    ASSERT_EQ(loader.groupTree().children.size(), 1);
    EXPECT_EQ(loader.groupTree().children[0].children[0].data.Name, u"Шариковые"_s);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(CatalogDataLoaderTest, FailedImportIsShownAndTheLastGoodCatalogStarts)
{
    writeExports(base, u"12.50"_s);
    ASSERT_TRUE(InitData(settings, loader));
    writeExports(work, u"12,50"_s);
    settings.IsImportOnStart = 1;
    ASSERT_TRUE(InitData(settings, loader));
    EXPECT_EQ(prompts.texts(u"error"_s),
              QStringList(u"ExportPrice.csv, line 2, field CENA: \"12,50\" is not a number"_s));
    EXPECT_EQ(products(), 1);
}

TEST_F(CatalogDataLoaderTest, NoExportsAndNoWorkingFilesEndTheStartWithTheMessage)
{
    EXPECT_FALSE(InitData(settings, loader));
    const QStringList errors = prompts.texts(u"error"_s);
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[0].startsWith(u"Файл(ы) импорта не были найдены"_s));
    EXPECT_TRUE(errors[1].startsWith(u"Файл(ы) рабочих таблиц не были найдены"_s));
}

} // namespace
