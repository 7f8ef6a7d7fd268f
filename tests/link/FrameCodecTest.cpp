#include "link/FrameCodec.h"
#include "link/Commands.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QList<quint32> words(const QList<UnitFrame>& frames)
{
    QList<quint32> out;
    for (const UnitFrame& f : frames)
        out.append(f.word());
    return out;
}

} // namespace

TEST(FrameCodec, WorkedFramesOnTheLine)
{
    struct Case
    {
        quint32 word;
        QByteArray line;
    };
    const Case cases[] = {
        {0xFA0001, bytes({0xFA, 0x00, 0x01, 0x04})}, {0xF0010F, bytes({0xF0, 0x01, 0x0F, 0xFF})},
        {0xF00120, bytes({0xF0, 0x01, 0x20, 0xEE})}, {0xF75507, bytes({0xF7, 0x55, 0x07, 0xAC})},
        {0xF75505, bytes({0xF7, 0x55, 0x05, 0xAE})}, {0xF30005, bytes({0xF3, 0x00, 0x05, 0x07})},
        {0xFBFFFF, bytes({0xFB, 0xFF, 0xFF, 0x06})}, {0xFE8103, bytes({0xFE, 0x81, 0x03, 0x7D})},
        {0xF80001, bytes({0xF8, 0x00, 0x01, 0x06})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FrameCodec::encode(c.word), c.line) << std::hex << c.word;
        FrameDecoder decoder;
        const QList<UnitFrame> back = decoder.feed(c.line);
        ASSERT_EQ(back.size(), 1);
        EXPECT_EQ(back[0].word(), c.word);
    }
    // Only the low 24 bits of a word reach the line.
    EXPECT_EQ(FrameCodec::encode(0x7FFA0001u), FrameCodec::encode(0xFA0001u));
}

TEST(FrameDecoder, BadChecksumsStrayBytesAndForeignClassesAreSkipped)
{
    QByteArray bad = FrameCodec::encode(0xF90005);
    bad[3] = char(quint8(bad[3]) + 1);
    // One stray byte in front and two in the middle shift every frame after them;
    // a poll and an unknown class have good checksums but are not ours to read.
    const QByteArray stream = bytes({0x55}) + FrameCodec::encode(0xF98001) + bad + bytes({0x00, 0x13}) +
                              FrameCodec::encode(0xF9C002) + FrameCodec::encode(0xFA0001) +
                              FrameCodec::encode(0x123456) + FrameCodec::encode(0xE00803);
    FrameDecoder decoder({Commands::kClassKeyReport, Commands::kClassMicEvent});
    EXPECT_EQ(words(decoder.feed(stream)), (QList<quint32>{0xF98001, 0xF9C002, 0xE00803}));
    EXPECT_EQ(decoder.pendingBytes(), 0);
    EXPECT_EQ(decoder.discardedBytes(), 15u) << "one byte at a time, never a good frame";
}

namespace {

// A reply stream as the controller sends it: key reports and mic events of many units.
QList<quint32> replyWords(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    QList<quint32> out;
    for (int i = 0; i < count; ++i) {
        const int unit = 1 + int(random.bounded(249));
        if (random.bounded(10) == 0)
            out.append(0xE00000u | quint32(random.bounded(3)) << 8 | quint32(unit));
        else
            out.append(0xF90000u | quint32(random.bounded(256)) << 8 | quint32(unit));
    }
    return out;
}

} // namespace

TEST(FrameDecoder, EverySplitOffsetGivesTheSameFrames)
{
    const QList<quint32> sent = replyWords(12, 7);
    QByteArray stream;
    for (quint32 w : sent)
        stream += FrameCodec::encode(w);
    for (qsizetype first = 0; first <= stream.size(); ++first) {
        for (qsizetype second = first; second <= stream.size(); second += 5) {
            FrameDecoder decoder({Commands::kClassKeyReport, Commands::kClassMicEvent});
            QList<UnitFrame> got = decoder.feed(stream.left(first));
            got += decoder.feed(stream.mid(first, second - first));
            got += decoder.feed(stream.mid(second));
            ASSERT_EQ(words(got), sent) << "split at " << first << " and " << second;
            EXPECT_EQ(decoder.pendingBytes(), 0);
        }
    }
    // Byte by byte.
    FrameDecoder trickle;
    QList<UnitFrame> got;
    for (char c : stream)
        got += trickle.feed(QByteArray(1, c));
    EXPECT_EQ(words(got), sent);
}

TEST(FrameDecoder, NoisyLineLosesOnlyTheHitFrames)
{
    // About 1% of the bytes replaced or inserted; reads of random length.
    for (quint32 seed : {1u, 2u, 3u, 4u, 5u}) {
        QRandomGenerator random(seed * 7919);
        const QList<quint32> sent = replyWords(2000, seed);
        QByteArray stream;
        QList<bool> intact;
        for (quint32 w : sent) {
            QByteArray frame = FrameCodec::encode(w);
            bool hit = false;
            for (int i = 0; i < 4; ++i) {
                if (random.bounded(100) == 0) {
                    const char was = frame[i];
                    while (frame[i] == was)
                        frame[i] = char(random.bounded(256));
                    hit = true;
                }
            }
            if (random.bounded(400) == 0)
                stream.append(char(random.bounded(256))); // stray byte between frames
            stream += frame;
            intact.append(!hit);
        }
        FrameDecoder decoder({Commands::kClassKeyReport, Commands::kClassMicEvent});
        QList<UnitFrame> got;
        for (qsizetype at = 0; at < stream.size();) {
            const qsizetype chunk = 1 + random.bounded(40);
            got += decoder.feed(stream.mid(at, chunk));
            at += chunk;
        }
        // Every decoded frame is a sent, untouched frame, in order, each once;
        // every untouched frame is found.
        qsizetype next = 0;
        int hits = 0;
        for (const UnitFrame& frame : got) {
            while (next < sent.size() && !(intact[next] && sent[next] == frame.word()))
                ++next;
            ASSERT_LT(next, sent.size()) << "seed " << seed << ": frame " << std::hex << frame.word()
                                         << " was never sent intact, or out of order";
            ++next;
        }
        for (bool ok : intact)
            hits += ok ? 0 : 1;
        EXPECT_GT(hits, 40) << "the noise must actually hit frames";
        EXPECT_EQ(got.size(), sent.size() - hits) << "seed " << seed;
    }
}
