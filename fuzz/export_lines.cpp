// The supplier's export lines: the first line of the input is the one line of a price export,
// the rest the lines of a classifier export, each after its header. The import is all or
// nothing: a refused line leaves the tables and the working folder exactly as they were, an
// accepted import leaves working files that load back to the same tables.
#include "FuzzSupport.h"

#include "common/StartupMessages.h"
#include "common/UserPrompts.h"
#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/ImportError.h"
#include "data/PriceImport.h"
#include "data/TableStore.h"

#include <QFile>

using namespace FuzzSupport;

namespace {

class SilentPrompts : public UserPrompts {
public:
    bool confirm(const QString &) override { return false; }
    void info(const QString &) override {}
    void error(const QString &) override { fail(QStringLiteral("an export file went missing")); }
    void message(const QString &) override {}
    QString askSaveFileName(const QString &, const QString &, const QString &,
                            const QString &) override
    {
        return {};
    }
};

const QString priceExport = QStringLiteral("ExportPrice.csv");
const QString classExport = QStringLiteral("ExportClass.csv");

struct Catalog {
    Database db;
    TableStore store{db};
    NoStartupMessages messages;
    SilentPrompts prompts;
    Catalog()
    {
        store.create(CatalogTables::Price);
        store.create(CatalogTables::FPrice);
        store.create(CatalogTables::Class);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Catalog catalog;
    TableStore &store = catalog.store;
    const QString folder = scratchFolder();
    emptyFolder(folder);
    store.empty(CatalogTables::Price);
    store.empty(CatalogTables::Class);

    const QByteArray bytes = bytesOf(data, size);
    qsizetype split = bytes.indexOf('\n');
    if (split < 0)
        split = bytes.size();
    writeFile(folder + priceExport, QByteArray("ID;CODE;FULLNAME\r\n") + bytes.left(split));
    writeFile(folder + classExport, QByteArray("ID;NAME;IDPARENT\r\n") + bytes.mid(split + 1));
    const QStringList exportsOnly = entriesOf(folder);

    bool imported = false;
    try {
        imported = ImportPriceAndClasses(store, folder, priceExport, classExport, catalog.messages,
                                         catalog.prompts);
    } catch (const ImportError &) {
        check(store.rowCount(CatalogTables::Price) == 0, "a refused import left price rows");
        check(store.rowCount(CatalogTables::Class) == 0, "a refused import left classifier rows");
        check(entriesOf(folder) == exportsOnly, "a refused import changed the working folder");
        return 0;
    }
    check(imported, "an import with both exports present reported them missing");
    const int prices = store.rowCount(CatalogTables::Price);
    const int classes = store.rowCount(CatalogTables::Class);
    check(prices <= 1, "one price line gave more than one product");
    store.load(CatalogTables::Price, folder + CatalogTables::PriceFile);
    store.load(CatalogTables::Class, folder + CatalogTables::ClassFile);
    check(store.rowCount(CatalogTables::Price) == prices, "Price.lst holds other rows");
    check(store.rowCount(CatalogTables::Class) == classes, "Class.lst holds other rows");
    return 0;
}
