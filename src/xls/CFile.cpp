#include "xls/CFile.h"

#include "xls/CompoundFileLayout.h"

#include <QBuffer>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

quint32 TCFileStream::Seek(qint64 offset, int origin)
{
    qint64 base = 0;
    if (origin == FromCurrent)
        base = m_position;
    else if (origin == FromEnd)
        base = m_data.size();
    else if (origin != FromStart)
        return quint32(m_position);
    const qint64 target = base + offset;
    if (target >= 0)
        m_position = target;
    return quint32(m_position);
}

void TCFileStream::SetPosition(qint64 position)
{
    if (qint64(Seek(position, FromStart)) != position)
        throw ECFileError(ECFileError::SetPosition);
}

bool TCFileStream::WriteWord(quint32 value)
{
    uchar bytes[2];
    qToLittleEndian(quint16(value), bytes);
    return Write(bytes, 2) == 2;
}

bool TCFileStream::WriteDWord(quint32 value)
{
    uchar bytes[4];
    qToLittleEndian(value, bytes);
    return Write(bytes, 4) == 4;
}

bool TCFileStream::WriteBuffer(const void *buffer, qint64 count)
{
    if (!buffer)
        return false;
    return Write(buffer, count) == count;
}

TCFileStream &TCFileStorage::CreateStream(const QString &name)
{
    if (!CompoundFileLayout::isValidName(name) || firstStream())
        throw ECFileError(ECFileError::CreateStream);
    auto stream = std::make_unique<TCFileStream>(name);
    TCFileStream &result = *stream;
    m_children.push_back(std::move(stream));
    return result;
}

TCFileStorage &TCFileStorage::CreateStorage(const QString &)
{
    throw ECFileError(ECFileError::CreateStorage);
}

const TCFileStream *TCFileStorage::firstStream() const
{
    for (const auto &child : m_children)
        if (auto stream = dynamic_cast<const TCFileStream *>(child.get()))
            return stream;
    return nullptr;
}

TCFile::TCFile() = default;

TCFile::TCFile(const QString &fileName) : m_fileName(fileName)
{
    // A folder of that name could never be replaced by the file.
    if (fileName.isEmpty() || QFileInfo(fileName).isDir())
        throw ECFileError(ECFileError::CreateFile);
    m_file = std::make_unique<QSaveFile>(fileName);
    if (!m_file->open(QIODevice::WriteOnly))
        throw ECFileError(ECFileError::CreateFile, m_file->errorString());
}

TCFile::~TCFile()
{
    if (m_file && !m_closed)
        m_file->cancelWriting();
}

void TCFile::Close()
{
    if (m_closed)
        return;
    const TCFileStream *stream = m_root.firstStream();
    const QString streamName = stream ? stream->name() : QString();
    const QByteArray empty;
    const QByteArray &bytes = stream ? stream->data() : empty;
    if (!m_file) {
        QBuffer buffer(&m_image);
        buffer.open(QIODevice::WriteOnly);
        CompoundFileLayout::write(buffer, streamName, bytes);
        m_closed = true;
        return;
    }
    m_closed = true;
    const bool written = CompoundFileLayout::write(*m_file, streamName, bytes);
    QString reason = m_file->errorString();
    if (!written)
        m_file->cancelWriting();
    // A refused commit removes the temporary file, so nothing half-written stays behind.
    if (!m_file->commit()) {
        if (written)
            reason = m_file->errorString();
        throw ECFileError(ECFileError::Commit, reason);
    }
}
