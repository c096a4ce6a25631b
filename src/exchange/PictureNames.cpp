#include "exchange/PictureNames.h"

#include "common/TextUtils.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace PictureNames {

bool isPlainFileName(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed == u"."_s || trimmed == u".."_s)
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == u'/' || c == u'\\' || c.category() == QChar::Other_Control;
    });
}

QStringList readListFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Cannot read the file %1: %2")
                                     .arg(path, file.errorString())
                                     .toStdString());
    QString text = TextUtils::fromCp1251(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the end of the last line, not a line of its own
    return lines;
}

QStringList localInventory(const QStringList &folders)
{
    QStringList names;
    for (const QString &folder : folders) {
        if (folder.isEmpty())
            continue;
        QDir dir(folder);
        dir.setNameFilters({QStringLiteral("*.jpg")}); // name filters ignore case
        dir.setFilter(QDir::Files);
        names += dir.entryList();
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

void filterList(QStringList &list, const QStringList &inventory)
{
    auto present = [&inventory](const QString &name) {
        const auto it = std::lower_bound(inventory.begin(), inventory.end(), name,
                                         [](const QString &a, const QString &b) {
                                             return a.compare(b, Qt::CaseInsensitive) < 0;
                                         });
        return it != inventory.end() && it->compare(name, Qt::CaseInsensitive) == 0;
    };
    // A name listed again (in any letter case) is the same picture: fetched once only.
    QSet<QString> listed;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const QString &line) {
                                  if (line.trimmed().isEmpty() || present(line) ||
                                      !isPlainFileName(line))
                                      return true;
                                  const QString key = line.toCaseFolded();
                                  if (listed.contains(key))
                                      return true;
                                  listed.insert(key);
                                  return false;
                              }),
               list.end());
}

QByteArray urlSegment(const QString &name)
{
    return TextUtils::toCp1251(name).toPercentEncoding();
}

} // namespace PictureNames
