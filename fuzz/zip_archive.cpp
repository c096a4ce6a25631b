// The price archive as downloaded: a damaged archive is refused whole and leaves nothing in
// the folder; an accepted one leaves exactly the entries it names, directly in the folder.
#include "FuzzSupport.h"

#include "exchange/ArchiveExtractor.h"
#include "exchange/PictureNames.h"

#include <QDir>

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString folder = scratchFolder();
    const QString zipPath = folder + QStringLiteral("ExportToCatalog.zip");
    const QString out = folder + QStringLiteral("out/");
    // The current folder is one of ours too, so an entry that lands there shows.
    const QString current = folder + QStringLiteral("current/");
    QDir().mkpath(out);
    QDir().mkpath(current);
    struct CurrentFolder {
        QString saved = QDir::currentPath();
        explicit CurrentFolder(const QString &path) { QDir::setCurrent(path); }
        ~CurrentFolder()
        {
            QDir::setCurrent(saved);
        } // libFuzzer reads its corpus by relative paths
    } inCurrent(current);
    emptyFolder(out);
    writeFile(zipPath, bytesOf(data, size));
    QStringList names;
    try {
        names = ArchiveExtractor::extractZipEntries(
            zipPath, out, QStringLiteral("*.csv"),
            {QStringLiteral("ExportPrice.csv"), QStringLiteral("ExportClass.csv")});
    } catch (const EArchiveError &) {
        check(entriesOf(out).isEmpty(), "a refused archive left files");
        check(entriesOf(folder).size() == 3, "a refused archive wrote beside the folder");
        check(entriesOf(current).isEmpty(), "a refused archive wrote into the current folder");
        return 0;
    }
    for (const QString &name : names) {
        check(PictureNames::isPlainFileName(name), "an entry written under a path");
        check(name.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive), "an entry off the mask");
    }
    QStringList sorted = names;
    sorted.sort();
    check(sorted.removeDuplicates() == 0, "an entry name given twice");
    QStringList present = entriesOf(out);
    present.sort();
    if (present != sorted)
        fail(QStringLiteral("the folder holds %1, the entries named are %2")
                 .arg(present.join(u' '), sorted.join(u' ')));
    check(entriesOf(folder).size() == 3, "an entry written beside the folder");
    check(entriesOf(current).isEmpty(), "an entry written into the current folder");
    return 0;
}
