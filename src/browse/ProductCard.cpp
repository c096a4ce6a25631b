#include "browse/ProductCard.h"

#include "browse/PriceRow.h"
#include "browse/Pricing.h"
#include "common/CatalogSettings.h"
#include "common/UserPrompts.h"

#include <QFileInfo>

namespace {

QString inFolder(const QString &folder, const QString &fileName)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + fileName;
    return folder + QLatin1Char('/') + fileName;
}

} // namespace

QString ProductCard::findPictureFile(const QString &code, const QString &tempPictureFolder,
                                     const QString &pathPicture)
{
    const QString fileName = code.trimmed() + QStringLiteral(".jpg");
    // A picture downloaded singly takes precedence over the one that came with the program.
    for (const QString &folder : {tempPictureFolder, pathPicture}) {
        const QString path = inFolder(folder, fileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

void ProductCard::refresh(const std::optional<Row> &row, std::optional<double> discountBox,
                          const QString &tempPictureFolder, const QString &pathPicture,
                          const PictureLoader &load)
{
    m_discountedPrice =
        row ? Pricing::discountedPrice(row->cena,
                                       Pricing::effectiveDiscount(discountBox, row->maxDiscount))
            : 0;
    m_getPictureEnabled = row && row->isPhoto;
    const QString path =
        findPictureFile(row ? row->code : QString(), tempPictureFolder, pathPicture);
    if (path.isEmpty()) {
        m_showPicture = false; // CurrentPictureFile keeps the last loaded one
        return;
    }
    m_currentPictureFile = path;
    m_showPicture = load && load(path);
    if (m_showPicture)
        m_handCursor = true;
}

void ProductCard::refresh(const std::optional<Row> &row, std::optional<double> discountBox,
                          const CatalogSettings &settings, const PictureLoader &load)
{
    refresh(row, discountBox, settings.TempPictureFolder, settings.PathPicture, load);
}

ProductCard::Row ProductCard::rowOf(const PriceRow &row)
{
    return {row.code, row.cena, row.maxDiscount, row.isPhoto};
}

void ProductCard::savePicture(UserPrompts &prompts, const PictureWriter &write) const
{
    const QString fileName = prompts.askSaveFileName(
        QString(), QString(), QStringLiteral("JPEG (*.jpg *.jpeg)"), QStringLiteral("jpg"));
    if (fileName.isEmpty())
        return;
    if (!write || !write(fileName))
        prompts.message(QStringLiteral("Ошибка пр сохранении файла"));
}
