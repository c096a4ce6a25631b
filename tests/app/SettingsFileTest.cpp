#include "app/SettingsFile.h"
#include "app/IniFile.h"
#include "common/TextUtils.h"
#include "support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QString iniName = QStringLiteral("FerrowConfig.ini");
const QString programFolder = QStringLiteral("/opt/ferrow/");

QByteArray iniWith(const QByteArray &lines)
{
    return "[COMMON]\r\n" + lines;
}

CatalogSettings readFrom(const TempDir &dir)
{
    CatalogSettings s;
    ReadSettings(s, dir.path(), iniName, programFolder);
    return s;
}

unsigned modeOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return 0;
    return st.st_mode & 07777;
}

QStringList keysOf(const QByteArray &bytes)
{
    QStringList keys;
    for (const QByteArray &line : bytes.split('\n'))
        if (line.contains('='))
            keys << QString::fromLatin1(line.left(line.indexOf('=')));
    return keys;
}

} // namespace

TEST(SettingsFile, MissingFileGivesDefaultsAndWritesAllKeysInOrderOwnerOnly)
{
    TempDir dir;
    const CatalogSettings s = readFrom(dir);

    EXPECT_TRUE(s.FirstRun);
    EXPECT_EQ(s.PathBase, programFolder);
    EXPECT_EQ(s.PathPicture, programFolder + QStringLiteral("pictures/"));
    EXPECT_EQ(s.IsInputKolByWindow, 1);
    EXPECT_EQ(s.IsImportOnStart, 0);
    EXPECT_EQ(s.PostName, QStringLiteral("ООО ТД \"Ferrow\""));
    EXPECT_EQ(s.ConnectHostWWW, QStringLiteral("127.0.0.1:8080")); // bare host on a first run
    EXPECT_EQ(s.ConnectPortWWW, 80);

    const QByteArray bytes = dir.read(iniName);
    ASSERT_TRUE(bytes.startsWith("[COMMON]\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 29);
    EXPECT_EQ(bytes.count('\n'), 29); // no bare LF
    const QStringList expectedKeys = {QStringLiteral("PathPicture"),
                                      QStringLiteral("PathBase"),
                                      QStringLiteral("IsInputKolByWindow"),
                                      QStringLiteral("PostName"),
                                      QStringLiteral("PostAdress"),
                                      QStringLiteral("PostInn"),
                                      QStringLiteral("PostKpp"),
                                      QStringLiteral("PostContactFace"),
                                      QStringLiteral("PostTels"),
                                      QStringLiteral("MailForsend"),
                                      QStringLiteral("Orgname"),
                                      QStringLiteral("OrgAdress"),
                                      QStringLiteral("OrgInn"),
                                      QStringLiteral("OrgKpp"),
                                      QStringLiteral("OrgContactFace"),
                                      QStringLiteral("OrgTels"),
                                      QStringLiteral("OrgMail"),
                                      QStringLiteral("IsImportOnStart"),
                                      QStringLiteral("ConnectPasswordWWW"),
                                      QStringLiteral("ConnectUserNameWWW"),
                                      QStringLiteral("ConnectHostWWW"),
                                      QStringLiteral("ConnectPassive"),
                                      QStringLiteral("ConnectPortWWW"),
                                      QStringLiteral("ProxyHost"),
                                      QStringLiteral("ProxyUserName"),
                                      QStringLiteral("ProxyPassword"),
                                      QStringLiteral("ProxyPort"),
                                      QStringLiteral("ProxyType")};
    EXPECT_EQ(keysOf(bytes), expectedKeys);
    for (const char *line : {"ProxyType=0\r\n", "ConnectPortWWW=80\r\n", "IsInputKolByWindow=1\r\n",
                             "IsImportOnStart=0\r\n", "ConnectPassive=0\r\n"})
        EXPECT_TRUE(bytes.contains(line)) << line;
    EXPECT_TRUE(bytes.contains(TextUtils::toCp1251(QStringLiteral("PostName=ООО ТД \"Ferrow\""))));
    EXPECT_EQ(modeOf(dir.file(iniName)), 0600);

    // The file now exists: the next start is not a first run and reads the same values.
    CatalogSettings again = readFrom(dir);
    EXPECT_FALSE(again.FirstRun);
    again.FirstRun = true;
    EXPECT_EQ(again, s);
}

TEST(SettingsFile, ExistingFileReadsEachKeyOrItsDefault)
{
    struct Case {
        const char *name;
        QByteArray lines;
        std::function<void(const CatalogSettings &)> check;
    };
    const std::vector<Case> cases = {
        {"empty file gives the URL form of the host and every default", "",
         [](const CatalogSettings &s) {
             EXPECT_FALSE(s.FirstRun);
             EXPECT_EQ(s.ConnectHostWWW, QStringLiteral("http://127.0.0.1:8080"));
             EXPECT_EQ(s.ConnectPortWWW, 80);
             EXPECT_EQ(s.IsInputKolByWindow, 1);
             EXPECT_EQ(s.PathBase, programFolder);
             EXPECT_EQ(s.PostName, QStringLiteral("ООО ТД \"Ferrow\""));
         }},
        {"ProxyType 7 is the SOCKS proxy", "ProxyType=7\r\n",
         [](const CatalogSettings &s) {
             EXPECT_TRUE(s.UseSocks);
             EXPECT_EQ(s.ProxyKind, 0);
         }},
        {"ProxyType 9 is out of range", "ProxyType=9\r\n",
         [](const CatalogSettings &s) {
             EXPECT_FALSE(s.UseSocks);
             EXPECT_EQ(s.ProxyKind, 0);
         }},
        {"ProxyType 1 is the HTTP proxy kind", "ProxyType=1\n",
         [](const CatalogSettings &s) { EXPECT_EQ(s.ProxyKind, 8); }},
        {"IsImportOnStart 5 is on", "IsImportOnStart=5\r\n",
         [](const CatalogSettings &s) { EXPECT_EQ(s.IsImportOnStart, 5); }},
        {"ConnectPassive holding a word is false", "ConnectPassive=yes\r\n",
         [](const CatalogSettings &s) { EXPECT_FALSE(s.ConnectPassive); }},
        {"any non-zero number is true", "ConnectPassive=2\r\n",
         [](const CatalogSettings &s) { EXPECT_TRUE(s.ConnectPassive); }},
        {"a non-number port gives the default", "ConnectPortWWW=abc\r\nProxyPort=x\r\n",
         [](const CatalogSettings &s) {
             EXPECT_EQ(s.ConnectPortWWW, 80);
             EXPECT_EQ(s.ProxyPort, 0);
         }},
        {"LF line ends and key case", "orgname=A\nOrgInn=7701\nproxyport=3128\n",
         [](const CatalogSettings &s) {
             EXPECT_EQ(s.Orgname, QStringLiteral("A"));
             EXPECT_EQ(s.OrgInn, QStringLiteral("7701"));
             EXPECT_EQ(s.ProxyPort, 3128);
         }},
        {"Cyrillic in the code page", TextUtils::toCp1251(QStringLiteral("Orgname=ИП Петров\r\n")),
         [](const CatalogSettings &s) { EXPECT_EQ(s.Orgname, QStringLiteral("ИП Петров")); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.write(iniName, iniWith(c.lines));
        c.check(readFrom(dir));
    }
}

TEST(SettingsFile, ProxyTypeRoundTripsThroughTheFile)
{
    // list position -> code of the proxy kind; 7 is "Socket5", 9 is not a position
    const std::vector<std::pair<int, int>> cases = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4},
                                                    {5, 5}, {6, 6}, {7, 7}, {9, 0}};
    for (const auto &[written, rewritten] : cases) {
        SCOPED_TRACE(written);
        TempDir dir;
        dir.write(iniName, iniWith("ProxyType=" + QByteArray::number(written) + "\r\n"));
        const CatalogSettings s = readFrom(dir);
        WriteSettings(s, dir.path(), iniName);
        EXPECT_TRUE(
            dir.read(iniName).contains("ProxyType=" + QByteArray::number(rewritten) + "\r\n"));
    }
}

TEST(SettingsFile, EveryFieldSurvivesAWriteAndRead)
{
    TempDir dir;
    CatalogSettings s;
    s.PathPicture = QStringLiteral("/data/Картинки/");
    s.PathBase = QStringLiteral(" /data/base/ ");
    s.IsInputKolByWindow = 0;
    s.PostName = QStringLiteral("ООО «Феррум» №1");
    s.PostAdress = QStringLiteral("г. Москва; ул. Ленина, д. 1");
    s.PostInn = QStringLiteral("7701000001");
    s.PostKpp = QStringLiteral("770101001");
    s.PostContactFace = QStringLiteral("Иванов И.И.");
    s.PostTels = QStringLiteral("+7 (495) 000-00-00");
    s.MailForsend = QStringLiteral("order@ferrow.example");
    s.Orgname = QStringLiteral("ИП Петров = магазин");
    s.OrgAdress = QStringLiteral("Тверь");
    s.OrgInn = QStringLiteral("690000000000");
    s.OrgKpp = QStringLiteral("690101001");
    s.OrgContactFace = QStringLiteral("Петров П.П.");
    s.OrgTels = QStringLiteral("8-4822-00-00-00");
    s.OrgMail = QStringLiteral("shop@example.org");
    s.IsImportOnStart = 1;
    s.ConnectPasswordWWW = QStringLiteral("пароль;=1");
    s.ConnectUserNameWWW = QStringLiteral("клиент");
    s.ConnectHostWWW = QStringLiteral("http://ferrow.example:8080");
    s.ConnectPassive = true;
    s.ConnectPortWWW = 8080;
    s.ProxyHost = QStringLiteral("proxy.local");
    s.ProxyUserName = QStringLiteral("прокси");
    s.ProxyPassword = QStringLiteral("секрет");
    s.ProxyPort = 1080;
    s.ProxyKind = 5;
    WriteSettings(s, dir.path(), iniName);

    CatalogSettings back = readFrom(dir);
    EXPECT_EQ(back, s);

    // Text the code page cannot hold still reads back unchanged.
    s.OrgContactFace = QStringLiteral("王 Ли");
    WriteSettings(s, dir.path(), iniName);
    back = readFrom(dir);
    EXPECT_EQ(back, s);
}

TEST(SettingsFile, LineBreaksInAValueCannotForgeAKey)
{
    TempDir dir;
    CatalogSettings s;
    ReadSettings(s, dir.path(), iniName, programFolder);
    s.Orgname = QStringLiteral("Магазин\r\nPathBase=/etc/");
    WriteSettings(s, dir.path(), iniName);
    const CatalogSettings back = readFrom(dir);
    EXPECT_EQ(back.PathBase, programFolder);
    EXPECT_EQ(back.Orgname, QStringLiteral("Магазин  PathBase=/etc/"));
}

TEST(SettingsFile, WritingKeepsOtherSectionsAndTightensAnOpenFile)
{
    TempDir dir;
    const QString path = dir.write(iniName, "[OTHER]\r\nx=1\r\n[COMMON]\r\nOrgname=old\r\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadOther | QFileDevice::ReadGroup);
    CatalogSettings s = readFrom(dir);
    s.Orgname = QStringLiteral("new");
    WriteSettings(s, dir.path(), iniName);
    const IniFile ini = IniFile::load(path);
    EXPECT_EQ(ini.value(QStringLiteral("OTHER"), QStringLiteral("x")), QStringLiteral("1"));
    EXPECT_EQ(ini.value(QStringLiteral("COMMON"), QStringLiteral("Orgname")),
              QStringLiteral("new"));
    EXPECT_EQ(modeOf(path), 0600);
}

TEST(SettingsFile, AFileThatCannotBeWrittenIsAnErrorAndTheRecordKeepsItsValues)
{
    TempDir dir;
    CatalogSettings s;
    s.Orgname = QStringLiteral("новое");
    const QString missingFolder = dir.path() + QStringLiteral("no/such/");
    EXPECT_THROW(WriteSettings(s, missingFolder, iniName), IniFileError);
    EXPECT_EQ(s.Orgname, QStringLiteral("новое"));

    // A first run that cannot write still has its defaults.
    CatalogSettings first;
    EXPECT_THROW(ReadSettings(first, missingFolder, iniName, programFolder), IniFileError);
    EXPECT_TRUE(first.FirstRun);
    EXPECT_EQ(first.ConnectPortWWW, 80);
}
