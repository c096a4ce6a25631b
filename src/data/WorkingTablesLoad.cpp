#include "data/WorkingTablesLoad.h"

#include <QFileInfo>

#include "common/StartupMessages.h"
#include "data/CatalogTables.h"
#include "data/DatabaseError.h"
#include "data/TableStore.h"

namespace {

bool isFile(const QString &path)
{
    return QFileInfo(path).isFile();
}

} // namespace

void LoadWorkingTables(TableStore &store, const QString &workFolder, StartupMessages &messages)
{
    using namespace CatalogTables;
    const QString priceFile = workFolder + PriceFile;
    const QString classFile = workFolder + ClassFile;
    // A save of two files together that a crash cut short is undone first, so that no file
    // is loaded beside a partner of another version.
    WorkingFile::finishInterrupted(workFolder);
    if (!isFile(priceFile) || !isFile(classFile))
        throw MissingWorkingTablesError(
            QStringLiteral("Файл(ы) рабочих таблиц не были найдены в рабочем каталоге. Запук "
                           "программы невозможен. Попробуйте удалить рабочий каталог программы (") +
            workFolder.trimmed() + QStringLiteral(") и запусть программу заново."));

    messages.setStartupMessage(QStringLiteral("Загрузка данных в память..."));
    try {
        store.load(Price, priceFile);
    } catch (const WorkingFileError &) {
        // A damaged price list is not worth stopping for: the next import fills it again.
        WorkingFile::removeQuietly(priceFile);
        store.drop(Price);
        store.create(Price);
        store.save(Price, priceFile);
    }
    store.create(FPrice);
    store.load(Class, classFile);

    const QString mainFile = workFolder + MainFile;
    const QString docFile = workFolder + DocFile;
    if (!isFile(mainFile) || !isFile(docFile)) {
        // An archive file without its partner cannot be trusted: both start anew together.
        store.create(Main);
        store.create(Doc);
        store.save(Main, mainFile);
        store.save(Doc, docFile);
    }
    store.load(Main, mainFile);
    store.load(Doc, docFile);
    store.create(Zakaz);
    messages.appendStartupMessage(QStringLiteral("OK"));
}
