#include "common/UserPrompts.h"
#include "exchange/ArchiveExtractor.h"
#include "exchange/PictureNames.h"
#include "exchange/TcsExchange.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

QString TcsExchange::pictureUrl(const QString &name) const
{
    return m_host + u'/' + PicturesServerFolder +
           QString::fromLatin1(PictureNames::urlSegment(name));
}

bool TcsExchange::GetNewPictures()
{
    return runOperation(true, [this] {
        const QString title = u"Загрузка изображений"_s;
        report(title);
        const QString folder = withSeparator(m_pathToTmpPictures);
        const QString listGz = folder + PicturesListFileName;
        const QString listText = folder + QStringLiteral("pictures.txt");
        for (const QString &path : {listText, folder + QStringLiteral("pictures.zip"), listGz})
            if (QFile::exists(path))
                QFile::remove(path);
        const QStringList inventory =
            PictureNames::localInventory({m_pathToTmpPictures, m_pathToPictures});

        report(title + u"\rПолучение списка изображений"_s);
        const QString notFound = u"На сервере не найден фай \"pictures.txt.gz\""_s;
        if (!download(m_host + u"/tavrin/"_s + PicturesListFileName, listGz))
            m_prompts.message(notFound);
        if (QFile::exists(listGz)) {
            try {
                ArchiveExtractor::gunzipFile(listGz, listText);
            } catch (const EArchiveError &) {
                m_prompts.message(notFound); // what came is no list
            }
        }
        report(title + u"\rОтключение"_s);
        m_http.disconnect();

        if (QFile::exists(listText)) {
            QStringList names = PictureNames::readListFile(listText);
            report(title + u"\rСоставление списка"_s);
            PictureNames::filterList(names, inventory);
            showStopButton(true);
            const qsizetype n = names.size();
            for (qsizetype i = 0; i < n; ++i) {
                if (!m_busy)
                    break;
                const QString &name = names[i];
                report(title + u'\r' + QString::number(i) + u" из "_s + QString::number(n) + u'\r' +
                       PicturesServerFolder + name);
                download(pictureUrl(name), folder + name);
            }
        }
        report(title + u"\rОтключение"_s);
        m_http.disconnect();
        return true;
    });
}

bool TcsExchange::GetOnePicture(const QString &pictureFileName)
{
    if (m_running)
        return false;
    const QString folder = withSeparator(m_pathToTmpPictures);
    // A name that is not a plain file name could reach outside the folder: never touched.
    const bool plain = PictureNames::isPlainFileName(pictureFileName);
    const QString path = folder + pictureFileName;
    if (plain && QFile::exists(path))
        QFile::remove(path);
    return runOperation(false, [&] {
        report(u"Загрузка изображения\r"_s + pictureFileName);
        showStopButton(false);
        if (plain)
            download(pictureUrl(pictureFileName), path);
        if (!plain || !QFile::exists(path))
            m_prompts.message(u"На сервере нет изображения этого товара"_s);
        if (m_http.connected()) {
            report(u"Загрузка изображений\rОтключение"_s);
            m_http.disconnect();
        }
        return true;
    });
}

bool TcsExchange::GetProductPicture(bool pastEnd, qint64 id, const QString &code)
{
    if (pastEnd || id <= 0)
        return false;
    return GetOnePicture(ProductPictureName(code));
}
