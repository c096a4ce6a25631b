#pragma once

#include "xls/CFileError.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

class QFileDevice;
class QTemporaryFile;

// A named item of a compound file: a storage or a stream.
class TCFileItem {
public:
    explicit TCFileItem(QString name) : m_name(std::move(name)) {}
    virtual ~TCFileItem() = default;
    const QString &name() const { return m_name; }

private:
    QString m_name;
};

// A stream of a compound file. Its bytes are kept in memory; the stream of a file on disk
// hands its older bytes on to the file once they are plenty (see TCFile), so a large stream
// never needs to fit in memory whole. Positions, patches and sizes behave the same either way.
class TCFileStream : public TCFileItem {
public:
    enum Origin { FromStart = 0, FromCurrent = 1, FromEnd = 2 };

    explicit TCFileStream(QString name) : TCFileItem(std::move(name)) {}

    // Writes at the current position (filling any gap before it with zeros) and moves on;
    // the number of bytes the medium took.
    qint64 Write(const void *buffer, qint64 count)
    {
        if (count <= 0)
            return 0;
        const char *bytes = static_cast<const char *>(buffer);
        qint64 written = 0;
        if (m_position < m_spilled) {
            written = writeSpilled(bytes, count);
            bytes += written;
            count -= written;
            if (count == 0 || m_position < m_spilled)
                return written;
        }
        const qint64 at = m_position - m_spilled;
        if (m_spill && at == 0 && m_data.isEmpty() && count >= kSpillSize) {
            // A large block at the end goes straight to the file.
            spillBytes(bytes, count);
            m_position += count;
            return written + count;
        }
        if (at == m_data.size()) {
            m_data.append(bytes, count);
        } else {
            if (at + count > m_data.size())
                m_data.resize(at + count, '\0');
            std::memcpy(m_data.data() + at, bytes, size_t(count));
        }
        m_position += count;
        if (m_spill && m_data.size() >= kSpillSize)
            spill();
        return written + count;
    }

    // The low 32 bits of the new position; a position before the start is refused and the
    // position stays where it was.
    quint32 Seek(qint64 offset, int origin);
    quint32 Position() const { return quint32(m_position); }
    quint32 Size() const { return quint32(m_spilled + m_data.size()); }
    // Raises ECFileError code 6 when the stream cannot be positioned there.
    void SetPosition(qint64 position);

    bool WriteWord(quint32 value);
    bool WriteDWord(quint32 value);
    bool WriteBuffer(const void *buffer, qint64 count);

    // The bytes still held in memory: all of them for a stream that was never handed on.
    const QByteArray &data() const { return m_data; }
    void reserve(qsizetype bytes)
    {
        // A stream that hands its bytes on never holds much more than one block.
        m_data.reserve(m_spill ? std::min<qsizetype>(bytes, kSpillSize + 65536) : bytes);
    }

private:
    friend class TCFile;
    friend class TCFileStorage;
    static constexpr qsizetype kSpillSize = 64 * 1024;

    void spill();
    void spillBytes(const char *bytes, qint64 count);
    qint64 writeSpilled(const char *bytes, qint64 count);

    QByteArray m_data;
    qint64 m_position = 0;
    // Bytes already in the file, which start at m_fileOffset there.
    qint64 m_spilled = 0;
    QFileDevice *m_spill = nullptr;
    qint64 m_fileOffset = 0;
    bool m_failed = false;
};

// A storage of a compound file; it owns the items created in it.
class TCFileStorage : public TCFileItem {
public:
    explicit TCFileStorage(QString name) : TCFileItem(std::move(name)) {}

    // Raises ECFileError code 1 for an invalid name. The files we write hold one stream in
    // their root, so a second stream is refused as well.
    TCFileStream &CreateStream(const QString &name);
    // Sub-storages are never written by this program; always code 2.
    TCFileStorage &CreateStorage(const QString &name);

    const std::vector<std::unique_ptr<TCFileItem>> &children() const { return m_children; }
    // The one stream of this storage, or nullptr.
    TCFileStream *firstStream() const;

private:
    friend class TCFile;
    std::vector<std::unique_ptr<TCFileItem>> m_children;
    // The root of a file on disk lets its stream hand older bytes on to the file.
    QFileDevice *m_spillTo = nullptr;
};

// A compound file being written (MS-CFB version 3, 512-byte sectors). Nothing appears under
// the file name until Close() succeeds: the file is written to a temporary file in the same
// folder and renamed over the target, so a refused write never leaves a truncated file and an
// existing file is replaced completely or not at all. The file is not synced to the disk: an
// export is written again in a moment, and syncing would cost more than the whole export.
class TCFile {
public:
    // A file kept in memory; Close() leaves its bytes in image().
    TCFile();
    // Raises ECFileError code 0 when the file cannot be created in that place.
    explicit TCFile(const QString &fileName);
    // Without a successful Close() the file is discarded and the target left untouched.
    ~TCFile();

    TCFile(const TCFile &) = delete;
    TCFile &operator=(const TCFile &) = delete;

    const QString &fileName() const { return m_fileName; }
    TCFileStorage &Root() { return m_root; }

    // Lays the file out and puts it in place; raises ECFileError code 7 when the medium
    // refuses the write (for instance a full disk), leaving nothing under the file name.
    void Close();
    const QByteArray &image() const { return m_image; }

private:
    QString m_fileName;
    TCFileStorage m_root{QStringLiteral("Root Entry")};
    std::unique_ptr<QTemporaryFile> m_file;
    QByteArray m_image;
    bool m_closed = false;
};
