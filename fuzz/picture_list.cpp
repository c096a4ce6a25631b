// The picture list as the server sends it (after gunzip): whatever it holds, only plain file
// names not already present are kept, and each becomes a single URL segment.
#include "FuzzSupport.h"

#include "exchange/PictureNames.h"

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QStringList inventory = {QStringLiteral("00012.jpg"), QStringLiteral("A-7.JPG"),
                                          QStringLiteral("Фото.jpg")};
    const QString path = scratchFolder() + QStringLiteral("pictures.txt");
    writeFile(path, bytesOf(data, size));
    QStringList list = PictureNames::readListFile(path);
    const qsizetype lines = list.size();
    PictureNames::filterList(list, inventory);
    check(list.size() <= lines, "the filter added names");
    for (const QString &name : list) {
        check(PictureNames::isPlainFileName(name), "a name with a path or a control kept");
        check(!name.contains(QLatin1Char('\n')) && !name.contains(QLatin1Char('\r')),
              "a line end kept inside a name");
        for (const QString &have : inventory)
            check(name.compare(have, Qt::CaseInsensitive) != 0, "a present picture kept");
        const QByteArray segment = PictureNames::urlSegment(name);
        for (char c : segment)
            check(QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~%")
                      .contains(c),
                  "a URL segment with a character that needs encoding");
    }
    return 0;
}
