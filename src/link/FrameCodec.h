#pragma once
// The 4-byte unit frame: b0 b1 b2 and the checksum ~(b0 + b1 + b2). The decoder
// works on a byte stream: a frame split over two reads waits for its tail, and
// after a bad checksum it slides one byte at a time until frames line up again.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QtGlobal>

struct UnitFrame
{
    quint8 b0 = 0;
    quint8 b1 = 0;
    quint8 b2 = 0;

    // The 24-bit command word b0 << 16 | b1 << 8 | b2.
    quint32 word() const { return quint32(b0) << 16 | quint32(b1) << 8 | b2; }
    static UnitFrame fromWord(quint32 word) { return {quint8(word >> 16), quint8(word >> 8), quint8(word)}; }
    bool operator==(const UnitFrame&) const = default;
};

namespace FrameCodec {

constexpr int kFrameSize = 4;

quint8 checksum(quint8 b0, quint8 b1, quint8 b2);
// The 4 bytes on the line for a command word (only its low 24 bits count).
QByteArray encode(quint32 word);
QByteArray encode(const UnitFrame& frame);
// True when the 4 bytes at `data` carry a matching checksum.
bool checksumMatches(const char* data);
// "FA 00 01 04"
QString hex(QByteArrayView bytes);

} // namespace FrameCodec

class FrameDecoder
{
public:
    // With classes given, a frame is only taken when b0 is one of them: a
    // one-byte checksum alone matches misaligned bytes too often after noise.
    FrameDecoder() = default;
    explicit FrameDecoder(QList<quint8> acceptedClasses) : m_classes(std::move(acceptedClasses)) {}

    // Adds received bytes; returns every complete good frame, in order.
    QList<UnitFrame> feed(QByteArrayView bytes);
    // Bytes kept for the next read (at most 3 after a feed).
    qsizetype pendingBytes() const { return m_buffer.size(); }
    // Bytes thrown away while resynchronising, since construction or reset.
    quint64 discardedBytes() const { return m_discarded; }
    void reset();

private:
    bool accepts(const char* data) const;

    QList<quint8> m_classes;
    QByteArray m_buffer;
    quint64 m_discarded = 0;
};
