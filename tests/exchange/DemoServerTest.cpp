#include "LoopbackPeers.h"
#include "common/Clock.h"
#include "exchange/TcsExchange.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The demo supplier built from a small demo folder serves both updates.
TEST(DemoServerTest, ServesTheDemoCatalogInTheSuppliersLayout)
{
    TempDir demo;
    demo.write(u"ExportPrice.csv"_s, "price line\r\n");
    demo.write(u"ExportClass.csv"_s, "class line\r\n");
    demo.write(u"notes.txt"_s, "not served");
    demo.write(u"pictures/D1.jpg"_s, "picture one");
    demo.write(u"pictures/D2.jpg"_s, "picture two");
    TempDir scratch;
    DemoServer server(demo.path(), scratch.file(u"site"_s));

    TempDir work;
    CatalogSettings settings;
    settings.WorkFolder = work.path();
    settings.TempPictureFolder = work.file(u"TempPicture/"_s);
    settings.PathPicture = work.file(u"pictures/"_s);
    settings.ConnectHostWWW = server.url();
    QDir().mkpath(settings.TempPictureFolder);
    work.write(u"pictures/D2.jpg"_s, "shipped with the program");
    ScriptedPrompts prompts;
    SystemClock clock;
    TcsExchange exchange(prompts, clock);
    exchange.setProgramFilePath(work.file(u"no-program"_s));
    exchange.ApplyExchangeSettings(settings);

    EXPECT_TRUE(exchange.GetNewPrice());
    EXPECT_EQ(work.read(u"ExportPrice.csv"_s), "price line\r\n");
    EXPECT_EQ(work.read(u"ExportClass.csv"_s), "class line\r\n");
    EXPECT_FALSE(QFile::exists(work.file(u"notes.txt"_s)));

    EXPECT_TRUE(exchange.GetNewPictures());
    EXPECT_EQ(work.read(u"TempPicture/D1.jpg"_s), "picture one");
    EXPECT_FALSE(QFile::exists(work.file(u"TempPicture/D2.jpg"_s)));

    EXPECT_TRUE(exchange.GetOnePicture(u"D2.jpg"_s));
    EXPECT_EQ(work.read(u"TempPicture/D2.jpg"_s), "picture two");
    EXPECT_TRUE(prompts.shown.empty());
}

} // namespace
