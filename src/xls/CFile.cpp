#include "xls/CFile.h"

#include "xls/CompoundFileLayout.h"

#include <QBuffer>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QtEndian>
#include <filesystem>

using namespace Qt::StringLiterals;

void TCFileStream::spill()
{
    spillBytes(m_data.constData(), m_data.size());
    m_data.resize(0);
}

void TCFileStream::spillBytes(const char *bytes, qint64 count)
{
    // A refused write is remembered and reported when the file is closed.
    if (!m_spill->seek(m_fileOffset + m_spilled) || m_spill->write(bytes, count) != count)
        m_failed = true;
    m_spilled += count;
}

qint64 TCFileStream::writeSpilled(const char *bytes, qint64 count)
{
    const qint64 n = std::min(count, m_spilled - m_position);
    if (!m_spill->seek(m_fileOffset + m_position) || m_spill->write(bytes, n) != n) {
        m_failed = true;
        return 0;
    }
    m_position += n;
    return n;
}

quint32 TCFileStream::Seek(qint64 offset, int origin)
{
    qint64 base = 0;
    if (origin == FromCurrent)
        base = m_position;
    else if (origin == FromEnd)
        base = m_spilled + m_data.size();
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
    if (m_spillTo) {
        result.m_spill = m_spillTo;
        result.m_fileOffset = CompoundFileLayout::kStreamFirstOffset;
    }
    return result;
}

TCFileStorage &TCFileStorage::CreateStorage(const QString &)
{
    throw ECFileError(ECFileError::CreateStorage);
}

TCFileStream *TCFileStorage::firstStream() const
{
    for (const auto &child : m_children)
        if (auto stream = dynamic_cast<TCFileStream *>(child.get()))
            return stream;
    return nullptr;
}

TCFile::TCFile() = default;

TCFile::TCFile(const QString &fileName) : m_fileName(fileName)
{
    // A folder of that name could never be replaced by the file.
    const QFileInfo target(fileName);
    if (fileName.isEmpty() || target.isDir())
        throw ECFileError(ECFileError::CreateFile);
    m_file = std::make_unique<QTemporaryFile>(target.absolutePath() + u"/."_s + target.fileName() +
                                              u".XXXXXX"_s);
    if (!m_file->open())
        throw ECFileError(ECFileError::CreateFile, m_file->errorString());
    m_root.m_spillTo = m_file.get();
}

TCFile::~TCFile() = default; // an unfinished temporary file removes itself

void TCFile::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    TCFileStream *stream = m_root.firstStream();
    const QString streamName = stream ? stream->name() : QString();
    if (!m_file) {
        QBuffer buffer(&m_image);
        buffer.open(QIODevice::WriteOnly);
        CompoundFileLayout::write(buffer, streamName, stream ? stream->data() : QByteArray());
        return;
    }

    bool written;
    if (stream &&
        (stream->m_spilled > 0 || CompoundFileLayout::writesStreamFirst(stream->Size()))) {
        stream->spill();
        written = !stream->m_failed && m_file->seek(stream->m_fileOffset + stream->m_spilled) &&
                  CompoundFileLayout::finishAfterStream(*m_file, streamName, stream->Size());
    } else {
        written =
            CompoundFileLayout::write(*m_file, streamName, stream ? stream->data() : QByteArray());
    }
    written = written && m_file->flush();
    const QString reason = m_file->errorString();
    const QFileInfo target(m_fileName);
    // The replacement keeps the permissions of the file it replaces.
    const QFileDevice::Permissions permissions =
        target.exists()
            ? target.permissions()
            : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                  QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    m_file->close();
    if (!written || m_file->error() != QFileDevice::NoError)
        throw ECFileError(ECFileError::Commit, written ? m_file->errorString() : reason);
    m_file->setPermissions(permissions);

    std::error_code error;
    std::filesystem::rename(std::filesystem::path(m_file->fileName().toStdU16String()),
                            std::filesystem::path(m_fileName.toStdU16String()), error);
    if (error)
        throw ECFileError(ECFileError::Commit, QString::fromStdString(error.message()));
    m_file->setAutoRemove(false);
}
