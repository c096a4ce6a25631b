#include "xls/CFile.h"

#include "xls/CompoundFileLayout.h"

#include <QBuffer>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QtEndian>
#include <filesystem>

#if defined(__linux__)
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// Puts the finished file under the target name in one step: the name always holds either the
// whole old file or the whole new one. Renaming over an existing file makes ext4 write the new
// file's data out at once (its guard for programs that do not sync), which takes longer than
// the whole export; exchanging the two names keeps the replacement atomic without that wait,
// and the old file, now under the temporary name, is removed. Returns whether the temporary
// name is gone.
bool moveIntoPlace(const QString &from, const QString &to, std::error_code &error)
{
#if defined(__linux__) && defined(RENAME_EXCHANGE)
    const QByteArray source = QFile::encodeName(from), target = QFile::encodeName(to);
    struct stat existing;
    if (::lstat(target.constData(), &existing) == 0 && !S_ISDIR(existing.st_mode) &&
        ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE) ==
            0)
        return ::unlink(source.constData()) == 0;
        // No file to replace, or a file system without the exchange: a plain rename.
#endif
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), error);
    return !error;
}

} // namespace

void TCFileStream::spill()
{
    spillBytes(m_data.constData(), m_data.size());
    m_data.resize(0);
}

void TCFileStream::spillBytes(const char *bytes, qint64 count)
{
    // A refused write is remembered and reported when the file is closed.
    if (!seekSpill(m_fileOffset + m_spilled) || m_spill->write(bytes, count) != count)
        m_failed = true;
    m_spilled += count;
}

qint64 TCFileStream::writeSpilled(const char *bytes, qint64 count)
{
    const qint64 n = std::min(count, m_spilled - m_position);
    if (!seekSpill(m_fileOffset + m_position) || m_spill->write(bytes, n) != n) {
        m_failed = true;
        return 0;
    }
    m_position += n;
    return n;
}

bool TCFileStream::seekSpill(qint64 offset)
{
    // Blocks mostly follow one another; a seek would cost a system call each time.
    return m_spill->pos() == offset || m_spill->seek(offset);
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
    const bool moved = moveIntoPlace(m_file->fileName(), m_fileName, error);
    if (error)
        throw ECFileError(ECFileError::Commit, QString::fromStdString(error.message()));
    // Whatever is still under the temporary name (the replaced file) goes with it.
    m_file->setAutoRemove(!moved);
}
