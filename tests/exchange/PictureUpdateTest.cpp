#include "ArchiveFixtures.h"
#include "ExchangeFixture.h"
#include "common/TextUtils.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString listUrlPath = u"/tavrin/pictures.txt.gz"_s;
const QString serverFolder = u"components/com_virtuemart/shop_image/product/"_s;

class PictureUpdateTest : public ExchangeFixture {
protected:
    void serveList(const QByteArray &text)
    {
        const QString path = served.file(u"tavrin/pictures.txt.gz"_s);
        QDir().mkpath(served.file(u"tavrin"_s));
        writeGzip(path, text);
    }
    void servePicture(const QString &name) { serve(picturePath(name), name.toUtf8()); }
    QStringList pictureRequests() const
    {
        QStringList t = server->targets();
        t.removeAll(listUrlPath);
        return t;
    }
    static QString step(const QString &text) { return u"Загрузка изображений\r"_s + text; }
    static QString pictureStep(int i, int n, const QString &name)
    {
        return step(QStringLiteral("%1 из %2\r").arg(i).arg(n) + serverFolder + name);
    }
};

// The local copies count whatever their letter case; blank lines are no names; a name is
// used as the list gives it, trailing blanks and all.
TEST_F(PictureUpdateTest, FetchesTheListedPicturesFoundInNeitherLocalFolder)
{
    work.write(u"TempPicture/a1.JPG"_s, "local");
    work.write(u"pictures/B2.jpg"_s, "local");
    work.write(u"TempPicture/pictures.txt"_s, "stale list");
    work.write(u"TempPicture/pictures.zip"_s, "stale");
    serveList("A1.jpg\r\nb2.JPG\n\n   \r\nC3.jpg\rd4.jpg \nE5.jpg\n");
    for (const QString &name : {u"A1.jpg"_s, u"b2.JPG"_s, u"C3.jpg"_s, u"d4.jpg "_s})
        servePicture(name); // E5.jpg is listed but not on the server

    EXPECT_TRUE(exchange->GetNewPictures());

    EXPECT_EQ(server->targets().value(0), listUrlPath);
    EXPECT_EQ(pictureRequests(), (QStringList{u"/"_s + serverFolder + u"C3.jpg"_s,
                                              u"/"_s + serverFolder + u"d4.jpg%20"_s,
                                              u"/"_s + serverFolder + u"E5.jpg"_s}));
    EXPECT_EQ(work.read(u"TempPicture/C3.jpg"_s), "C3.jpg");
    EXPECT_EQ(work.read(u"TempPicture/d4.jpg "_s), "d4.jpg ");
    EXPECT_FALSE(QFile::exists(tmpPicture(u"E5.jpg"_s)));
    EXPECT_EQ(work.read(u"TempPicture/a1.JPG"_s), "local");
    EXPECT_FALSE(QFile::exists(tmpPicture(u"pictures.zip"_s)));
    EXPECT_TRUE(QFile::exists(tmpPicture(u"pictures.txt"_s)));

    EXPECT_EQ(messages,
              (QStringList{u"Загрузка изображений"_s, step(u"Получение списка изображений"_s),
                           step(u"Отключение"_s), step(u"Составление списка"_s),
                           pictureStep(0, 3, u"C3.jpg"_s), pictureStep(1, 3, u"d4.jpg "_s),
                           pictureStep(2, 3, u"E5.jpg"_s), step(u"Отключение"_s), QString()}));
    EXPECT_EQ(stopButton, (std::vector<bool>{true, false}));
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_FALSE(exchange->Busy());
}

TEST_F(PictureUpdateTest, NamesThatAreNotPlainFileNamesAreNeverRequestedNorWritten)
{
    serveList("../../evil.jpg\n/etc/x.jpg\nsub\\y.jpg\nsub/z.jpg\n..\n.\nbad\x01name.jpg\n"
              "tab\tname.jpg\nok.jpg\n");
    servePicture(u"ok.jpg"_s);
    serve(u"evil.jpg"_s, "evil");

    EXPECT_TRUE(exchange->GetNewPictures());

    EXPECT_EQ(pictureRequests(), QStringList{u"/"_s + serverFolder + u"ok.jpg"_s});
    EXPECT_TRUE(messages.contains(pictureStep(0, 1, u"ok.jpg"_s)));
    EXPECT_FALSE(inWork(u"evil.jpg"_s));
    EXPECT_FALSE(QFile::exists(work.file(u"../evil.jpg"_s)));
    QStringList files =
        QDir(settings.TempPictureFolder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    files.sort();
    EXPECT_EQ(files, (QStringList{u"ok.jpg"_s, u"pictures.txt"_s, u"pictures.txt.gz"_s}));
}

// Stop is pressed while the first picture is on its way: it still arrives, no other is started.
TEST_F(PictureUpdateTest, StopLeavesThePicturesFetchedSoFar)
{
    serveList("p1.jpg\np2.jpg\np3.jpg\n");
    for (const char *name : {"p1.jpg", "p2.jpg", "p3.jpg"})
        servePicture(QString::fromLatin1(name));
    bool pressStop = false;
    exchange->OncsMessage = [&](const QString &msg) {
        messages << msg;
        if (msg == pictureStep(0, 3, u"p1.jpg"_s))
            pressStop = true;
    };
    pump.onEvents = [&] {
        if (pressStop) {
            pressStop = false;
            exchange->Stop();
        }
    };

    EXPECT_TRUE(exchange->GetNewPictures());

    EXPECT_EQ(pictureRequests(), QStringList{u"/"_s + serverFolder + u"p1.jpg"_s});
    EXPECT_EQ(work.read(u"TempPicture/p1.jpg"_s), "p1.jpg");
    EXPECT_FALSE(QFile::exists(tmpPicture(u"p2.jpg"_s)));
    // The empty text of the stop itself, before the operation's own end.
    const qsizetype at = messages.indexOf(pictureStep(0, 3, u"p1.jpg"_s));
    EXPECT_EQ(messages.value(at + 1), QString());
    EXPECT_EQ(messages.last(), QString());
    EXPECT_FALSE(exchange->Running());
}

TEST_F(PictureUpdateTest, WithoutAUsableListNothingIsFetched)
{
    const struct {
        const char *what;
        QByteArray served; // empty: not on the server
    } cases[] = {{"no list on the server", {}}, {"a list that is not gzip", "p1.jpg\n"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        prompts.shown.clear();
        QFile::remove(served.file(u"tavrin/pictures.txt.gz"_s));
        if (!c.served.isEmpty())
            serve(u"tavrin/pictures.txt.gz"_s, c.served);
        servePicture(u"p1.jpg"_s);

        EXPECT_TRUE(exchange->GetNewPictures());

        EXPECT_TRUE(pictureRequests().isEmpty());
        EXPECT_EQ(prompts.texts(u"message"_s),
                  QStringList{u"На сервере не найден фай \"pictures.txt.gz\""_s});
        EXPECT_FALSE(QFile::exists(tmpPicture(u"pictures.txt"_s)));
        EXPECT_FALSE(exchange->Busy());
    }
}

TEST_F(PictureUpdateTest, OnePictureReplacesTheDownloadedCopy)
{
    work.write(u"TempPicture/P1.jpg"_s, "old copy");
    servePicture(u"P1.jpg"_s);

    EXPECT_TRUE(exchange->GetProductPicture(false, 7, u"P1  "_s));

    EXPECT_EQ(work.read(u"TempPicture/P1.jpg"_s), "P1.jpg");
    EXPECT_EQ(messages,
              (QStringList{u"Загрузка изображения\rP1.jpg"_s, step(u"Отключение"_s), QString()}));
    EXPECT_EQ(stopButton, std::vector<bool>{false});
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(PictureUpdateTest, OnePictureMissingOnTheServerLeavesNoCopy)
{
    work.write(u"TempPicture/P2.jpg"_s, "old copy");
    EXPECT_TRUE(exchange->GetOnePicture(u"P2.jpg"_s));
    EXPECT_FALSE(QFile::exists(tmpPicture(u"P2.jpg"_s)));
    EXPECT_EQ(prompts.texts(u"message"_s),
              QStringList{u"На сервере нет изображения этого товара"_s});
}

TEST_F(PictureUpdateTest, NoCurrentProductOrAnUnsafeCodeRequestsNothing)
{
    work.write(u"x.jpg"_s, "outside the picture folder");
    EXPECT_FALSE(exchange->GetProductPicture(true, 0, QString())); // empty price list
    EXPECT_FALSE(exchange->GetProductPicture(false, 0, u"P1"_s));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(prompts.shown.empty());

    EXPECT_TRUE(exchange->GetProductPicture(false, 3, u"../x"_s));
    EXPECT_TRUE(server->requests().empty());
    EXPECT_EQ(work.read(u"x.jpg"_s), "outside the picture folder");
    EXPECT_EQ(prompts.texts(u"message"_s),
              QStringList{u"На сервере нет изображения этого товара"_s});
}

// The list is text in the Cyrillic Windows code page; the name's bytes go into the URL escaped.
TEST_F(PictureUpdateTest, ACyrillicNameIsReadFromTheCodePageAndEscapedInTheUrl)
{
    serveList(TextUtils::toCp1251(u"Фото 1.jpg\n"_s));
    EXPECT_TRUE(exchange->GetNewPictures());
    EXPECT_EQ(pictureRequests(), QStringList{u"/"_s + serverFolder + u"%D4%EE%F2%EE%201.jpg"_s});
    EXPECT_TRUE(messages.contains(pictureStep(0, 1, u"Фото 1.jpg"_s)));
}

} // namespace
