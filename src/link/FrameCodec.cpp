#include "link/FrameCodec.h"

namespace FrameCodec {

quint8 checksum(quint8 b0, quint8 b1, quint8 b2)
{
    return quint8(~quint8(b0 + b1 + b2));
}

QByteArray encode(const UnitFrame& frame)
{
    QByteArray bytes(kFrameSize, '\0');
    bytes[0] = char(frame.b0);
    bytes[1] = char(frame.b1);
    bytes[2] = char(frame.b2);
    bytes[3] = char(checksum(frame.b0, frame.b1, frame.b2));
    return bytes;
}

QByteArray encode(quint32 word)
{
    return encode(UnitFrame::fromWord(word));
}

bool checksumMatches(const char* data)
{
    return quint8(data[3]) == checksum(quint8(data[0]), quint8(data[1]), quint8(data[2]));
}

QString hex(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes.toByteArray().toHex(' ').toUpper());
}

} // namespace FrameCodec

bool FrameDecoder::accepts(const char* data) const
{
    if (!FrameCodec::checksumMatches(data))
        return false;
    return m_classes.isEmpty() || m_classes.contains(quint8(data[0]));
}

QList<UnitFrame> FrameDecoder::feed(QByteArrayView bytes)
{
    m_buffer.append(bytes.data(), bytes.size());
    QList<UnitFrame> frames;
    qsizetype at = 0;
    while (m_buffer.size() - at >= FrameCodec::kFrameSize) {
        const char* data = m_buffer.constData() + at;
        if (accepts(data)) {
            frames.append({quint8(data[0]), quint8(data[1]), quint8(data[2])});
            at += FrameCodec::kFrameSize;
        } else {
            ++at;
            ++m_discarded;
        }
    }
    m_buffer.remove(0, at);
    return frames;
}

void FrameDecoder::reset()
{
    m_buffer.clear();
    m_discarded = 0;
}
