// One table of hostile inputs across the program: each with the message the user gets and the
// proof that no table, working file or archived order changed (and nothing was left behind).
#include "CatalogState.h"
#include "HostileServer.h"

#include "TestPaths.h"
#include "app/IniFile.h"
#include "app/SettingsFile.h"
#include "common/Clock.h"
#include "common/TextUtils.h"
#include "data/CatalogTables.h"
#include "data/DatabaseError.h"
#include "data/ImportError.h"
#include "data/PriceImport.h"
#include "data/WorkingTablesLoad.h"
#include "exchange/TcsExchange.h"
#include "xls/CFileError.h"
#include "xls/XLSError.h"
#include "xls/XLSFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The window shows this when the price download gives no usable exports.
const QString noNewPrice = u"Не удается получить новый прайс из Интернета"_s;
const QString noPictureList = u"На сервере не найден фай \"pictures.txt.gz\""_s;
const QString archivePath = u"/tavrin/ExportToCatalog.zip"_s;
const QString listPath = u"/tavrin/pictures.txt.gz"_s;

QByteArray garbage(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char &b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

QByteArray gzip(const QByteArray &data)
{
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&z, uLong(data.size()))), '\0');
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(int(z.total_out));
    deflateEnd(&z);
    return out;
}

// A zip of stored entries, written by hand so the test needs no zip writer.
QByteArray zipOf(const QList<QPair<QByteArray, QByteArray>> &entries)
{
    QByteArray body, directory;
    auto u16 = [](QByteArray &b, quint16 v) { b.append(char(v & 0xFF)).append(char(v >> 8)); };
    auto u32 = [&](QByteArray &b, quint32 v) {
        u16(b, quint16(v & 0xFFFF));
        u16(b, quint16(v >> 16));
    };
    for (const auto &[name, data] : entries) {
        const quint32 crc =
            quint32(crc32(0, reinterpret_cast<const Bytef *>(data.constData()), uInt(data.size())));
        const quint32 offset = quint32(body.size());
        u32(body, 0x04034b50);
        for (quint16 v : {20, 0, 0, 0, 0x21})
            u16(body, v);
        for (quint32 v : {crc, quint32(data.size()), quint32(data.size())})
            u32(body, v);
        u16(body, quint16(name.size()));
        u16(body, 0);
        body += name + data;
        u32(directory, 0x02014b50);
        for (quint16 v : {20, 20, 0, 0, 0, 0x21})
            u16(directory, v);
        for (quint32 v : {crc, quint32(data.size()), quint32(data.size())})
            u32(directory, v);
        for (quint16 v : {quint16(name.size()), quint16(0), quint16(0), quint16(0), quint16(0)})
            u16(directory, v);
        u32(directory, 0);
        u32(directory, offset);
        directory += name;
    }
    QByteArray end;
    u32(end, 0x06054b50);
    for (quint16 v : {0, 0, int(entries.size()), int(entries.size())})
        u16(end, quint16(v));
    u32(end, quint32(directory.size()));
    u32(end, quint32(body.size()));
    u16(end, 0);
    return body + directory + end;
}

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(FERROW_SOURCE_DIR "/tests/fixtures/hardening/") +
               QString::fromLatin1(name));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

using Run = std::function<QString(CatalogState &, HostileServer &)>;
using Prepare = std::function<void(CatalogState &)>;

struct Case {
    const char *name;
    Prepare damage; // what the hostile input does to the files before the program sees them
    Run run;
    QString expected;           // the message starts with this
    QStringList mayChange = {}; // snapshot keys the case changes by design
};

const Prepare nothing = [](CatalogState &) {};

QString importWritten(CatalogState &c)
{
    try {
        if (!ImportPriceAndClasses(c.store, c.folder(), u"ExportPrice.csv"_s, u"ExportClass.csv"_s,
                                   c.messages, c.prompts))
            return c.prompts.texts(u"error"_s).join(u'\n');
        return u"imported"_s;
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
}

QString import(CatalogState &c, const QByteArray &priceExport, const QByteArray &classExport)
{
    c.write(u"ExportPrice.csv"_s, priceExport);
    c.write(u"ExportClass.csv"_s, classExport);
    return importWritten(c);
}

const QByteArray priceHeader = "ID;CODE;FULLNAME\r\n";
const QByteArray classHeader = "ID;NAME;IDPARENT\r\n";
const QByteArray goodClasses = classHeader + TextUtils::toCp1251(u"7;Группа;0\r\n"_s);

// The working files as start-up loads them, into a fresh database.
QString load(CatalogState &c)
{
    Database db;
    TableStore store(db);
    try {
        LoadWorkingTables(store, c.folder(), c.messages);
        return u"loaded"_s;
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
}

QString readSettings(CatalogState &c)
{
    CatalogSettings s;
    ReadSettings(s, c.folder(), u"FerrowConfig.ini"_s, u"/opt/ferrow/"_s);
    return s.FirstRun ? u"taken for a first run"_s : u"read"_s;
}

struct Exchange {
    FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(10, 0))};
    TcsExchange exchange;
    Exchange(CatalogState &c, HostileServer &server) : exchange(c.prompts, clock)
    {
        exchange.setTimeouts(5000, 5);
        CatalogSettings s = c.settings;
        s.ConnectHostWWW = server.url();
        exchange.ApplyExchangeSettings(s);
        exchange.setProgramFilePath(c.file(u"bin/ferrow-catalog"_s));
    }
};

QString priceUpdate(CatalogState &c, HostileServer &server)
{
    Exchange e(c, server);
    try {
        return e.exchange.GetNewPrice() ? u"new price"_s : noNewPrice;
    } catch (const std::exception &error) {
        return QString::fromUtf8(error.what());
    }
}

QString pictureUpdate(CatalogState &c, HostileServer &server)
{
    Exchange e(c, server);
    e.exchange.GetNewPictures();
    QStringList shown = c.prompts.texts(u"message"_s);
    const QStringList requests = server.requests();
    shown
        << QStringLiteral("%1 pictures requested").arg(requests.size() - requests.count(listPath));
    return shown.join(u'\n');
}

// Runs the operation in a child process that cannot write files longer than limit bytes (as
// on a full disk); the child also reports whether its tables changed.
QString withFileSizeLimit(CatalogState &c, rlim_t limit, const std::function<QString()> &op)
{
    int out[2];
    if (pipe(out) != 0)
        return u"no pipe"_s;
    const pid_t pid = fork();
    if (pid == 0) {
        close(out[0]);
        signal(SIGXFSZ, SIG_IGN);
        const rlimit r{limit, limit};
        setrlimit(RLIMIT_FSIZE, &r);
        const CatalogState::Snapshot before = c.tables();
        QString result = op();
        if (c.tables() != before)
            result = u"tables changed: "_s + result;
        const QByteArray bytes = result.toUtf8();
        if (write(out[1], bytes.constData(), size_t(bytes.size())) < 0)
            _exit(2);
        _exit(0);
    }
    close(out[1]);
    QByteArray reply;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        reply.append(buffer, int(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status))
        return QStringLiteral("the child died of signal %1").arg(WTERMSIG(status));
    return QString::fromUtf8(reply);
}

const rlim_t fullDisk = 8 * 1024;

std::vector<Case> cases()
{
    const QByteArray line1 = priceLine(101);
    return {
        // The supplier's exports.
        {"truncated price export", nothing,
         [=](CatalogState &c, HostileServer &) {
             return import(c, priceHeader + priceLine(100) + "\r\n" + line1.left(30), goodClasses);
         },
         u"ExportPrice.csv, line 3, field KOLTEK: \"\" is not a number"_s},
        {"empty price export",
         nothing,
         [](CatalogState &c, HostileServer &) { return import(c, {}, goodClasses); },
         u"imported"_s,
         // An empty export adds nothing; the rest of a good import still happens.
         {u"table Class"_s, u"file Class.lst"_s, u"file Tree.lst"_s, u"folder"_s}},
        {"binary garbage classifier export", nothing,
         [=](CatalogState &c, HostileServer &) {
             return import(c, priceHeader + line1, classHeader + garbage(4000, 1) + "\n1;x;0");
         },
         u"ExportClass.csv, line 2, field ID: "_s},
        {"price export in UTF-16 instead of the Cyrillic code page", nothing,
         [=](CatalogState &c, HostileServer &) {
             const QString text =
                 QString::fromLatin1(priceHeader) + TextUtils::fromCp1251(line1) + u"\r\n"_s;
             const QByteArray utf16(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
             return import(c, "\xFF\xFE" + utf16, goodClasses);
         },
         u"ExportPrice.csv, line 2, field ID: \"1\uFFFD0\uFFFD1\uFFFD\" is not a number"_s},
        {"overlong number field", nothing,
         [=](CatalogState &c, HostileServer &) {
             return import(c, priceHeader + QByteArray(100000, '9') + line1.mid(3), goodClasses);
         },
         u"ExportPrice.csv, line 2, field ID: \""_s + QString(60, u'9') + u"…\" is out of range"_s},
        {"overlong line", nothing,
         [=](CatalogState &c, HostileServer &) {
             return import(c, priceHeader + QByteArray(8 << 20, 'x') + "\r\n", goodClasses);
         },
         u"ExportPrice.csv, line 2, field ID: \""_s + QString(60, u'x') + u"…\" is not a number"_s},

        // The working files at start-up.
        {"truncated archive of order lines",
         [](CatalogState &c) {
             QFile doc(c.file(CatalogTables::DocFile));
             doc.open(QIODevice::ReadOnly);
             c.write(CatalogTables::DocFile, doc.readAll().left(1500));
         },
         [](CatalogState &c, HostileServer &) { return load(c); }, u"The working file "_s},
        {"binary garbage classifier working file",
         [](CatalogState &c) { c.write(CatalogTables::ClassFile, garbage(8192, 2)); },
         [](CatalogState &c, HostileServer &) { return load(c); }, u"The working file "_s},
        {"order headers holding another table",
         [](CatalogState &c) {
             QFile tree(c.file(CatalogTables::TreeFile));
             tree.open(QIODevice::ReadOnly);
             c.write(CatalogTables::MainFile, tree.readAll());
         },
         [](CatalogState &c, HostileServer &) { return load(c); }, u"The working file "_s},

        // The settings file: read whatever it holds, and never rewritten by reading.
        {"binary garbage settings file",
         [](CatalogState &c) { c.write(u"FerrowConfig.ini"_s, garbage(3000, 3)); },
         [](CatalogState &c, HostileServer &) { return readSettings(c); }, u"read"_s},
        {"overlong settings line",
         [](CatalogState &c) {
             c.write(u"FerrowConfig.ini"_s,
                     "[COMMON]\r\nOrgname=" + QByteArray(4 << 20, 'Z') + "\r\n");
         },
         [](CatalogState &c, HostileServer &) { return readSettings(c); }, u"read"_s},

        // The price download.
        {"price archive answered with HTTP 500", nothing,
         [](CatalogState &c, HostileServer &s) {
             s.serve(archivePath, zipOf({{"ExportPrice.csv", "x"}, {"ExportClass.csv", "y"}}));
             s.behave(archivePath, {{u"status"_s, 500}});
             return priceUpdate(c, s);
         },
         noNewPrice},
        {"price archive redirected elsewhere", nothing,
         [](CatalogState &c, HostileServer &s) {
             s.serve(u"/other/a.zip"_s,
                     zipOf({{"ExportPrice.csv", "x"}, {"ExportClass.csv", "y"}}));
             s.behave(archivePath, {{u"redirect"_s, s.url() + u"/other/a.zip"_s}});
             QString result = priceUpdate(c, s);
             if (s.requests().contains(u"/other/a.zip"_s))
                 result = u"followed the redirect: "_s + result;
             return result;
         },
         noNewPrice},
        {"price archive cut off mid-transfer", nothing,
         [](CatalogState &c, HostileServer &s) {
             s.serve(archivePath, zipOf({{"ExportPrice.csv", QByteArray(200000, 'p')},
                                         {"ExportClass.csv", "y"}}));
             s.behave(archivePath, {{u"cut"_s, 70000}});
             return priceUpdate(c, s);
         },
         noNewPrice},
        {"empty price archive", nothing,
         [](CatalogState &c, HostileServer &s) {
             s.serve(archivePath, {});
             return priceUpdate(c, s);
         },
         noNewPrice},
        {"binary garbage price archive", nothing,
         [](CatalogState &c, HostileServer &s) {
             s.serve(archivePath, garbage(50000, 4));
             return priceUpdate(c, s);
         },
         noNewPrice},
        {"price archive with a 2 GB entry", nothing,
         [](CatalogState &c, HostileServer &s) {
             s.serve(archivePath, fixture("declared_2gb.zip"));
             QString result = priceUpdate(c, s);
             if (QFileInfo::exists(c.file(u"ExportPrice.csv"_s)))
                 result = u"the entry was written: "_s + result;
             return result;
         },
         noNewPrice},
        {"price archive without the classifier", nothing,
         [](CatalogState &c, HostileServer &s) {
             s.serve(archivePath, zipOf({{"ExportPrice.csv", priceHeader + priceLine(9)}}));
             return priceUpdate(c, s);
         },
         noNewPrice},

        // The picture update.
        {"picture list of 100 000 names", nothing,
         [](CatalogState &c, HostileServer &s) {
             QByteArray list;
             for (int i = 0; i < 100000; ++i)
                 list += QByteArray::number(i % 40) + (i % 3 ? ".jpg\r\n" : ".JPG\r\n");
             for (int i = 0; i < 5; ++i)
                 s.serve(u"/components/com_virtuemart/shop_image/product/%1.jpg"_s.arg(i), "jpeg");
             s.serve(listPath, gzip(list));
             QString result = pictureUpdate(c, s);
             result += QStringLiteral(", %1 received")
                           .arg(QDir(c.settings.TempPictureFolder)
                                    .entryList({u"*.jpg"_s}, QDir::Files)
                                    .size());
             return result;
         },
         // The first spelling of each name is the one asked for; the server minds the case.
         u"40 pictures requested, 3 received"_s},
        {"picture list answered with HTTP 500", nothing,
         [](CatalogState &c, HostileServer &s) {
             s.serve(listPath, gzip("1.jpg\r\n"));
             s.behave(listPath, {{u"status"_s, 500}});
             return pictureUpdate(c, s);
         },
         noPictureList + u"\n0 pictures requested"_s},
        {"picture list that is no gzip file", nothing,
         [](CatalogState &c, HostileServer &s) {
             s.serve(listPath, "1.jpg\r\n2.jpg\r\n");
             return pictureUpdate(c, s);
         },
         noPictureList + u"\n0 pictures requested"_s},

        // A full disk.
        {"full disk while saving the price list", nothing,
         [](CatalogState &c, HostileServer &) {
             return withFileSizeLimit(c, fullDisk, [&c] {
                 try {
                     c.store.save(CatalogTables::Price, c.file(CatalogTables::PriceFile));
                     return u"saved"_s;
                 } catch (const std::exception &e) {
                     return QString::fromUtf8(e.what());
                 }
             });
         },
         u"The working file "_s},
        {"full disk during an import", nothing,
         [](CatalogState &c, HostileServer &) {
             QByteArray many = priceHeader;
             for (int id = 200; id < 400; ++id)
                 many += priceLine(id) + "\r\n";
             c.write(u"ExportPrice.csv"_s, many);
             c.write(u"ExportClass.csv"_s, goodClasses);
             return withFileSizeLimit(c, fullDisk, [&c] { return importWritten(c); });
         },
         u"The working file "_s},
        {"full disk while saving the settings", nothing,
         [](CatalogState &c, HostileServer &) {
             return withFileSizeLimit(c, 1024, [&c] {
                 CatalogSettings s = c.settings;
                 s.OrgAdress = QString(5000, u'Ж');
                 try {
                     WriteSettings(s, c.folder(), u"FerrowConfig.ini"_s);
                     return QStringLiteral("saved, %1 bytes")
                         .arg(QFileInfo(c.file(u"FerrowConfig.ini"_s)).size());
                 } catch (const std::exception &e) {
                     return QString::fromUtf8(e.what());
                 }
             });
         },
         u"Не удалось записать файл"_s},
        {"full disk while exporting the order", nothing,
         [](CatalogState &c, HostileServer &) {
             return withFileSizeLimit(c, fullDisk, [&c] {
                 TXLSFile file;
                 for (int row = 0; row < 500; ++row)
                     file.Workbook().Sheets().Item(0).Cells().Item(row, 0).setValue(
                         u"Ручка шариковая синяя %1"_s.arg(row));
                 const QString path = c.file(u"order.xls"_s);
                 try {
                     file.SaveAs(path);
                     return u"saved"_s;
                 } catch (const std::exception &e) {
                     return (QFileInfo::exists(path) ? u"a file was left: "_s : QString()) +
                            QString::fromUtf8(e.what());
                 }
             });
         },
         u"Can not commit a storage"_s},
        {"full disk while downloading the price", nothing,
         [](CatalogState &c, HostileServer &s) {
             s.serve(archivePath, zipOf({{"ExportPrice.csv", QByteArray(100000, 'p')},
                                         {"ExportClass.csv", "y"}}));
             return withFileSizeLimit(c, fullDisk, [&] { return priceUpdate(c, s); });
         },
         u"Cannot write"_s},
    };
}

} // namespace

TEST(BadInputMatrix, EachHostileInputGetsItsMessageAndChangesNothing)
{
    HostileServer server;
    for (const Case &bad : cases()) {
        SCOPED_TRACE(bad.name);
        server.reset();
        CatalogState catalog;
        bad.damage(catalog);
        const CatalogState::Snapshot before = catalog.snapshot();
        const QString message = bad.run(catalog, server);
        EXPECT_TRUE(message.startsWith(bad.expected))
            << "message: " << message.left(300).toStdString()
            << "\nexpected: " << bad.expected.toStdString();
        EXPECT_LT(message.size(), 400) << "an unreadably long message";
        const CatalogState::Snapshot after = catalog.snapshot();
        for (const auto &[key, digest] : before) {
            if (!bad.mayChange.contains(key)) {
                EXPECT_EQ(after.at(key), digest) << key.toStdString() << " changed";
            }
        }
    }
}
