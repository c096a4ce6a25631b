#include "app/StartupData.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace {

bool sameFolder(const QString &a, const QString &b)
{
    return a.trimmed().toUpper() == b.trimmed().toUpper();
}

// Copies beside the target first, so that a failed copy never costs the copy already there.
void replaceFile(const QString &source, const QString &target)
{
    const QString staging = target + QStringLiteral(".copy");
    QFile::remove(staging);
    if (!QFile::copy(source, staging)) {
        QFile::remove(staging);
        return;
    }
    QFile::remove(target);
    if (!QFile::rename(staging, target))
        QFile::remove(staging);
}

} // namespace

QString PriceDateSuffix(const QString &filePath)
{
    const QFileInfo info(filePath);
    if (!info.exists())
        return {};
    const QDateTime stamp = info.lastModified().toLocalTime();
    const QTime time = stamp.time();
    QString text = QStringLiteral(" от ") + stamp.date().toString(QStringLiteral("dd.MM.yyyy"));
    // The text shows whole seconds, so midnight is judged to the second.
    if (QTime(time.hour(), time.minute(), time.second()) != QTime(0, 0))
        text += QLatin1Char(' ') + time.toString(QStringLiteral("hh:mm:ss"));
    return text;
}

void CopyExportFiles(const CatalogSettings &s)
{
    for (const QString &name : {s.PriceExportFileName, s.ClassExportFileName}) {
        if (!QFile::exists(s.PathBase + name))
            continue;
        if (sameFolder(s.PathBase, s.WorkFolder))
            continue;
        replaceFile(s.PathBase + name, s.WorkFolder + name);
    }
}

bool InitData(const CatalogSettings &s, CatalogLoader &loader)
{
    const bool workingFiles = QFile::exists(s.WorkFolder + s.PriceFileName) &&
                              QFile::exists(s.WorkFolder + s.ClassFileName);
    if (!workingFiles) {
        CopyExportFiles(s);
        loader.importPriceAndClasses();
    } else if (s.IsImportOnStart > 0) {
        loader.importPriceAndClasses();
    }
    return loader.loadWorkingTables();
}

QString CatalogCaption(const QString &baseCaption, const CatalogSettings &s)
{
    return baseCaption.trimmed() +
           PriceDateSuffix(s.WorkFolder + QStringLiteral("ExportPrice.csv"));
}
