// The settings file as the user or an old program copy may have left it: read into the record,
// written back and read again. Reading never fails, and one write is a fixed point: what it
// wrote reads back to the same record and writes the same bytes again.
#include "FuzzSupport.h"

#include "app/IniFile.h"
#include "app/SettingsFile.h"

#include <QFile>

using namespace FuzzSupport;

namespace {

const QString fileName = QStringLiteral("FerrowConfig.ini");
const QString programFolder = QStringLiteral("/opt/ferrow/");

CatalogSettings readBack(const QString &folder)
{
    CatalogSettings settings;
    ReadSettings(settings, folder, fileName, programFolder);
    check(!settings.FirstRun, "an existing settings file was taken for a first run");
    return settings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const QString folder = scratchFolder();
    const QString path = folder + fileName;

    // The ini layer alone: what it writes reads back to the same text.
    const IniFile ini = IniFile::fromBytes(bytes);
    const QByteArray once = ini.toBytes();
    check(IniFile::fromBytes(once).toBytes() == once, "ini text changed on a second round trip");

    writeFile(path, bytes);
    const CatalogSettings first = readBack(folder);
    WriteSettings(first, folder, fileName);
    const QByteArray written = readFile(path);
    const CatalogSettings second = readBack(folder);
    WriteSettings(second, folder, fileName);
    check(readFile(path) == written, "settings file changed when written a second time");
    check(readBack(folder) == second, "settings record changed on a round trip");
    QFile::remove(path);
    return 0;
}
