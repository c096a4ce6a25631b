#include "xls/BiffStream.h"

#include <QtEndian>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "records are copied as little-endian memory");

BiffStream::BiffStream(TCFileStream &stream) : m_stream(stream), m_buffer(64 * 1024 + 2 * 8232)
{
    m_flushed = stream.Position();
}

void BiffStream::shortString(const QString &text)
{
    const qsizetype n = std::min<qsizetype>(text.size(), 255);
    u8(quint8(n));
    u8(1);
    utf16(text.constData(), n);
}

void BiffStream::flush()
{
    if (m_length == 0)
        return;
    m_stream.WriteBuffer(m_buffer.data(), qint64(m_length));
    m_flushed += m_length;
    m_length = 0;
    m_recordStart = 0;
}

void BiffStream::patch32(quint32 at, quint32 value)
{
    flush();
    const quint32 end = m_stream.Position();
    m_stream.SetPosition(at);
    m_stream.WriteDWord(value);
    m_stream.SetPosition(end);
}
