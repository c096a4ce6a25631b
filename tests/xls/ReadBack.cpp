#include "ReadBack.h"

#include "TestPaths.h"
#include "xls/CFile.h"
#include "xls/XLSFile.h"
#include "xls/XLSWriter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QtEndian>

using namespace Qt::StringLiterals;

QString ReadBack::artifactPath(const QString &fileName)
{
    const QString folder = QStringLiteral(FERROW_ARTIFACTS_DIR "/xls");
    QDir().mkpath(folder);
    return folder + u'/' + fileName;
}

QJsonObject ReadBack::readers(const QString &path, bool withXlrd, bool withHex)
{
    QStringList arguments{QStringLiteral(FERROW_SOURCE_DIR "/tests/xls/read_xls.py"), path};
    if (withXlrd)
        arguments << u"--xlrd"_s;
    if (withHex)
        arguments << u"--hex"_s;
    QProcess python;
    python.start(QStringLiteral(FERROW_PYTHON), arguments);
    python.waitForFinished(120000);
    const QByteArray output = python.readAllStandardOutput();
    if (python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0)
        return {{u"error"_s, QString::fromUtf8(python.readAllStandardError())}};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(output, &error);
    if (error.error != QJsonParseError::NoError)
        return {{u"error"_s, error.errorString()}};
    return document.object();
}

QByteArray ReadBack::workbookStream(TXLSFile &file)
{
    TCFileStream stream(u"Workbook"_s);
    TXLSWriter(file).WriteTo(stream);
    return stream.data();
}

QString ReadBack::sha256(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

std::vector<ReadBack::Record> ReadBack::records(const QByteArray &stream)
{
    std::vector<Record> result;
    qsizetype at = 0;
    int depth = 0;
    while (at + 4 <= stream.size()) {
        const quint16 type = u16(stream, int(at));
        const quint16 length = u16(stream, int(at + 2));
        if (type == 0 && length == 0 && depth == 0)
            break; // padding
        result.push_back({type, stream.mid(at + 4, length), at});
        if (type == 0x0809)
            ++depth;
        else if (type == 0x000A)
            --depth;
        at += 4 + length;
    }
    return result;
}

std::vector<ReadBack::Record> ReadBack::recordsOfType(const std::vector<Record> &all, quint16 type)
{
    std::vector<Record> result;
    for (const Record &r : all)
        if (r.type == type)
            result.push_back(r);
    return result;
}

QByteArray ReadBack::hex(const char *spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

quint16 ReadBack::u16(const QByteArray &data, int at)
{
    return qFromLittleEndian<quint16>(data.constData() + at);
}

quint32 ReadBack::u32(const QByteArray &data, int at)
{
    return qFromLittleEndian<quint32>(data.constData() + at);
}
