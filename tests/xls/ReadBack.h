#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <vector>

class TXLSFile;

namespace ReadBack {

// The folder where the tests leave the workbooks they produce, created on first use.
QString artifactPath(const QString &fileName);

// What the independent readers (olefile, xlrd) see in a file; an empty object with an
// "error" text when the reader failed.
QJsonObject readers(const QString &path, bool withXlrd = true, bool withHex = false);

// The record stream the writer produces for a document, without any file.
QByteArray workbookStream(TXLSFile &file);
QString sha256(const QByteArray &bytes);

struct Record {
    quint16 type;
    QByteArray data;
    qsizetype offset; // of the record header in the stream
};
// Records up to the end of the stream's data (the padding after the last EOF is skipped).
std::vector<Record> records(const QByteArray &stream);
std::vector<Record> recordsOfType(const std::vector<Record> &all, quint16 type);
QByteArray hex(const char *spaced); // "00 01 ..." to bytes
quint16 u16(const QByteArray &data, int at);
quint32 u32(const QByteArray &data, int at);

} // namespace ReadBack
