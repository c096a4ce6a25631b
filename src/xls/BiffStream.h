#pragma once

#include "xls/CFile.h"

#include <QString>
#include <cstring>
#include <vector>

// Writes BIFF records into a compound file stream. Records are gathered in a small buffer and
// handed to the stream in blocks; offset() counts every byte written so far.
class BiffStream {
public:
    static constexpr int kMaxRecordData = 8224;

    explicit BiffStream(TCFileStream &stream);
    ~BiffStream() = default;

    void begin(quint16 type)
    {
        if (m_length + kMaxRecordData + 8 > m_buffer.size())
            flush();
        m_recordStart = m_length;
        put16(type);
        put16(0);
    }
    // Fills in the data length of the record begun last.
    void end()
    {
        const quint16 length = quint16(m_length - m_recordStart - 4);
        std::memcpy(m_buffer.data() + m_recordStart + 2, &length, 2);
    }
    // Bytes of data in the record begun last.
    int held() const { return int(m_length - m_recordStart - 4); }

    void u8(quint8 v) { m_buffer[m_length++] = v; }
    void u16(quint16 v) { put16(v); }
    void u32(quint32 v)
    {
        std::memcpy(m_buffer.data() + m_length, &v, 4);
        m_length += 4;
    }
    void f64(double v)
    {
        std::memcpy(m_buffer.data() + m_length, &v, 8);
        m_length += 8;
    }
    void bytes(const void *data, size_t n)
    {
        std::memcpy(m_buffer.data() + m_length, data, n);
        m_length += n;
    }
    // Characters as UTF-16LE.
    void utf16(const QChar *chars, qsizetype n) { bytes(chars, size_t(n) * 2); }
    // Characters whose code units are all at most 0xFF, one byte each.
    void oneByte(const QChar *chars, qsizetype n)
    {
        unsigned char *out = m_buffer.data() + m_length;
        for (qsizetype i = 0; i < n; ++i)
            out[i] = static_cast<unsigned char>(chars[i].unicode());
        m_length += size_t(n);
    }
    // Short string form: 8-bit count, flags 1, UTF-16LE.
    void shortString(const QString &text);

    // Room for a whole record of known length; returns where its data goes.
    unsigned char *recordOf(quint16 type, quint16 length)
    {
        if (m_length + length + 4 > m_buffer.size())
            flush();
        unsigned char *at = m_buffer.data() + m_length;
        std::memcpy(at, &type, 2);
        std::memcpy(at + 2, &length, 2);
        m_recordStart = m_length;
        m_length += 4u + length;
        return at + 4;
    }

    // A whole record in one call.
    void record(quint16 type, const void *data, size_t n)
    {
        begin(type);
        bytes(data, n);
        end();
    }

    quint32 offset() const { return quint32(m_flushed + m_length); }
    // Overwrites 32 bits written earlier, then carries on at the end.
    void patch32(quint32 at, quint32 value);
    void flush();

private:
    void put16(quint16 v)
    {
        std::memcpy(m_buffer.data() + m_length, &v, 2);
        m_length += 2;
    }

    TCFileStream &m_stream;
    std::vector<unsigned char> m_buffer;
    size_t m_length = 0;
    size_t m_recordStart = 0;
    quint64 m_flushed = 0;
};
