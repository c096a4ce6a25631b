#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

// Archives built by the test itself, with libarchive's writer.
using ArchiveEntries = std::vector<std::pair<QString, QByteArray>>;

void writeZip(const QString &path, const ArchiveEntries &entries);
void writeGzip(const QString &path, const QByteArray &content);
