#include "ArchiveFixtures.h"
#include "ExchangeFixture.h"

#include <QDir>
#include <QRandomGenerator>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString archivePath = u"tavrin/ExportToCatalog.zip"_s;

class PriceUpdateTest : public ExchangeFixture {
protected:
    QByteArray zipBytes(const ArchiveEntries &entries)
    {
        const QString path = work.file(u"fixture.zip"_s);
        writeZip(path, entries);
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        QByteArray bytes = f.readAll();
        f.close();
        QFile::remove(path);
        return bytes;
    }
    void serveZip(const ArchiveEntries &entries) { serve(archivePath, zipBytes(entries)); }
    void oldExports()
    {
        for (const char *name : {"ExportPrice.csv", "ExportClass.csv", "ExportCatalog.csv"})
            work.write(QString::fromLatin1(name), "old");
    }
    QStringList workFiles() const
    {
        return QDir(work.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

// Entries are written by their bare names only, whatever folders the archive stores.
TEST_F(PriceUpdateTest, AGoodArchiveIsUnpackedByBareNameIntoTheWorkingFolder)
{
    oldExports();
    serveZip({{u"ExportPrice.csv"_s, "price"},
              {u"export/2027/ExportClass.csv"_s, "classes"},
              {u"../../ExportCatalog.csv"_s, "catalog"},
              {u"readme.txt"_s, "not an export"},
              {u"Tavrin.exe"_s, "not an export either"}});

    EXPECT_TRUE(exchange->GetNewPrice());

    EXPECT_EQ(work.read(u"ExportPrice.csv"_s), "price");
    EXPECT_EQ(work.read(u"ExportClass.csv"_s), "classes");
    EXPECT_EQ(work.read(u"ExportCatalog.csv"_s), "catalog");
    QStringList files = workFiles();
    files.sort();
    EXPECT_EQ(files, (QStringList{u"ExportCatalog.csv"_s, u"ExportClass.csv"_s,
                                  u"ExportPrice.csv"_s, u"ExportToCatalog.zip"_s}));
    EXPECT_FALSE(QDir(work.file(u"export"_s)).exists());
    EXPECT_FALSE(QFile::exists(work.file(u"../ExportCatalog.csv"_s)));
    EXPECT_FALSE(QFile::exists(work.file(u"../../ExportCatalog.csv"_s)));

    const QString url = server->url() + u"/tavrin/ExportToCatalog.zip"_s;
    EXPECT_EQ(messages,
              (QStringList{u"Загрузка прайса\rЗагрузка "_s + url, u"Выход"_s, QString()}));
    EXPECT_EQ(busyAtMessage, (std::vector<bool>{true, true, false}));
    EXPECT_FALSE(exchange->Busy());
    EXPECT_FALSE(exchange->Running());
    EXPECT_FALSE(exchange->Connected());
    EXPECT_TRUE(prompts.shown.empty()); // the window tells the user, not the component
}

TEST_F(PriceUpdateTest, WithoutAnArchiveTheOldExportsStay)
{
    oldExports();
    EXPECT_FALSE(exchange->GetNewPrice());
    EXPECT_EQ(work.read(u"ExportPrice.csv"_s), "old");
    EXPECT_EQ(work.read(u"ExportClass.csv"_s), "old");
    EXPECT_EQ(work.read(u"ExportCatalog.csv"_s), "old");
    EXPECT_FALSE(inWork(u"ExportToCatalog.zip"_s));
    EXPECT_EQ(messages.last(), QString());
}

// The old exports go as soon as a new archive has come, whatever it turns out to hold.
TEST_F(PriceUpdateTest, AnArchiveWithoutTheClassifierFailsAfterTheOldExportsWent)
{
    oldExports();
    serveZip({{u"ExportPrice.csv"_s, "price"}});
    EXPECT_FALSE(exchange->GetNewPrice());
    EXPECT_EQ(work.read(u"ExportPrice.csv"_s), "price");
    EXPECT_FALSE(inWork(u"ExportClass.csv"_s));
    EXPECT_FALSE(inWork(u"ExportCatalog.csv"_s));
}

// A damaged archive writes nothing, not even the entries that could be read before the damage.
TEST_F(PriceUpdateTest, ADamagedArchiveFailsWithNothingOfItUnpacked)
{
    // Bytes that do not compress, so a cut at three quarters falls inside the second entry.
    auto noise = [](quint32 seed) {
        QRandomGenerator random(seed);
        QByteArray bytes(5000, Qt::Uninitialized);
        for (char &b : bytes)
            b = char(random.bounded(256));
        return bytes;
    };
    const QByteArray good =
        zipBytes({{u"ExportPrice.csv"_s, noise(1)}, {u"ExportClass.csv"_s, noise(2)}});
    const struct {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"cut inside its second entry", good.left(good.size() * 3 / 4)},
        {"not a zip at all", "<html>Service unavailable</html>"},
        {"bytes flipped in its data",
         [&] {
             QByteArray b = good;
             for (int i = 100; i < 200; ++i)
                 b[i] = char(b[i] ^ 0x5a);
             return b;
         }()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        oldExports();
        serve(archivePath, c.bytes);
        EXPECT_FALSE(exchange->GetNewPrice());
        EXPECT_EQ(workFiles(), QStringList{u"ExportToCatalog.zip"_s});
        EXPECT_FALSE(exchange->Busy());
    }
}

class ProgramReplacementTest : public PriceUpdateTest {
protected:
    TempDir programFolder;
    QString program;

    void SetUp() override
    {
        PriceUpdateTest::SetUp();
        program = programFolder.write(u"ferrow-catalog"_s, "running program");
        QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner |
                                           QFile::ExeUser | QFile::ExeGroup);
        exchange->setProgramFilePath(program);
        serveZip({{u"ExportPrice.csv"_s, "price"}, {u"ExportClass.csv"_s, "classes"}});
    }
    void newProgram(const QByteArray &bytes)
    {
        const QString path = work.write(u"Tavrin.exe"_s, bytes);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                        QFile::WriteUser);
    }
};

// The suffix is year, day, month: 1 February 2027 gives 20270102.
TEST_F(ProgramReplacementTest, TheNewProgramTakesThePlaceOfTheRunningOneWhichGetsADateSuffix)
{
    newProgram("new program");
    EXPECT_TRUE(exchange->GetNewPrice());

    EXPECT_EQ(programFolder.read(u"ferrow-catalog"_s), "new program");
    EXPECT_EQ(programFolder.read(u"ferrow-catalog20270102"_s), "running program");
    EXPECT_FALSE(inWork(u"Tavrin.exe"_s));
    EXPECT_TRUE(QFileInfo(program).isExecutable());

    // The same day again: the dated name is taken, so nothing moves.
    newProgram("newer program");
    EXPECT_TRUE(exchange->GetNewPrice());
    EXPECT_EQ(programFolder.read(u"ferrow-catalog"_s), "new program");
    EXPECT_EQ(programFolder.read(u"ferrow-catalog20270102"_s), "running program");
    EXPECT_EQ(work.read(u"Tavrin.exe"_s), "newer program");
}

TEST_F(ProgramReplacementTest, OnlyARegularFileReplacesTheProgram)
{
    QDir().mkpath(work.file(u"Tavrin.exe"_s));
    EXPECT_TRUE(exchange->GetNewPrice());
    EXPECT_EQ(programFolder.read(u"ferrow-catalog"_s), "running program");
    EXPECT_FALSE(QFile::exists(programFolder.file(u"ferrow-catalog20270102"_s)));

    QDir(work.file(u"Tavrin.exe"_s)).removeRecursively();
    const QString elsewhere = programFolder.write(u"other"_s, "some other file");
    QFile::link(elsewhere, work.file(u"Tavrin.exe"_s));
    EXPECT_TRUE(exchange->GetNewPrice());
    EXPECT_EQ(programFolder.read(u"ferrow-catalog"_s), "running program");
}

} // namespace
