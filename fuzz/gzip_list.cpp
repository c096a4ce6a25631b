// The gzip-compressed picture list: a damaged file is refused and leaves no output and no
// temporary file; an accepted one leaves the output only.
#include "FuzzSupport.h"

#include "exchange/ArchiveExtractor.h"

#include <QFileInfo>

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString folder = scratchFolder();
    emptyFolder(folder);
    const QString gzPath = folder + QStringLiteral("pictures.txt.gz");
    const QString outPath = folder + QStringLiteral("pictures.txt");
    writeFile(gzPath, bytesOf(data, size));
    try {
        ArchiveExtractor::gunzipFile(gzPath, outPath);
    } catch (const EArchiveError &) {
        check(entriesOf(folder) == QStringList{QStringLiteral("pictures.txt.gz")},
              "a refused list left files");
        return 0;
    }
    check(QFileInfo(outPath).isFile(), "an accepted list left no output");
    check(entriesOf(folder).size() == 2, "an accepted list left temporary files");
    return 0;
}
