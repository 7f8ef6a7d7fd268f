#include "link/FrameCodec.h"
#include "link/Commands.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

QList<quint32> words(const QList<UnitFrame>& frames)
{
    QList<quint32> out;
    for (const UnitFrame& f : frames)
        out.append(f.word());
    return out;
}

// A reply stream as the controller sends it: key reports and mic events of many units.
QList<quint32> replyWords(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    QList<quint32> out;
    for (int i = 0; i < count; ++i) {
        const quint32 unit = 1 + random.bounded(249);
        out.append(random.bounded(10) == 0 ? 0xE00000u | random.bounded(3) << 8 | unit
                                           : 0xF90000u | random.bounded(256) << 8 | unit);
    }
    return out;
}

FrameDecoder replyDecoder()
{
    return FrameDecoder({Commands::kClassKeyReport, Commands::kClassMicEvent});
}

} // namespace

TEST(FrameCodec, ChecksumWrapsAndOnlyTheLow24BitsReachTheLine)
{
    EXPECT_EQ(FrameCodec::encode(0xF0010F), QByteArray::fromHex("F0010FFF"));
    EXPECT_EQ(FrameCodec::encode(0xFBFFFF), QByteArray::fromHex("FBFFFF06"));
    EXPECT_EQ(FrameCodec::encode(0xFE8103), QByteArray::fromHex("FE81037D"));
    EXPECT_EQ(FrameCodec::encode(0x7FFA0001u), FrameCodec::encode(0xFA0001u));
}

TEST(FrameDecoder, BadChecksumsStrayBytesAndForeignClassesAreSkipped)
{
    QByteArray bad = FrameCodec::encode(0xF90005);
    bad[3] = char(quint8(bad[3]) + 1);
    // One stray byte in front and two in the middle shift every frame after them;
    // a poll and an unknown class have good checksums but are not ours to read.
    const QByteArray stream = QByteArray::fromHex("55") + FrameCodec::encode(0xF98001) + bad +
                              QByteArray::fromHex("0013") + FrameCodec::encode(0xF9C002) +
                              FrameCodec::encode(0xFA0001) + FrameCodec::encode(0x123456) +
                              FrameCodec::encode(0xE00803);
    FrameDecoder decoder = replyDecoder();
    EXPECT_EQ(words(decoder.feed(stream)), (QList<quint32>{0xF98001, 0xF9C002, 0xE00803}));
    EXPECT_EQ(decoder.pendingBytes(), 0);
    EXPECT_EQ(decoder.discardedBytes(), 15u) << "one byte at a time, never a good frame";
}

TEST(FrameDecoder, EverySplitOffsetGivesTheSameFrames)
{
    const QList<quint32> sent = replyWords(12, 7);
    QByteArray stream;
    for (quint32 w : sent)
        stream += FrameCodec::encode(w);
    for (qsizetype first = 0; first <= stream.size(); ++first) {
        for (qsizetype second = first; second <= stream.size(); second += 5) {
            FrameDecoder decoder = replyDecoder();
            QList<UnitFrame> got = decoder.feed(stream.left(first));
            got += decoder.feed(stream.mid(first, second - first));
            got += decoder.feed(stream.mid(second));
            ASSERT_EQ(words(got), sent) << "split at " << first << " and " << second;
            EXPECT_EQ(decoder.pendingBytes(), 0);
        }
    }
}

TEST(FrameDecoder, NoisyLineLosesOnlyTheHitFrames)
{
    // About 1% of the bytes replaced, a few stray bytes inserted; reads of random length.
    QRandomGenerator random(7919);
    const QList<quint32> sent = replyWords(2000, 1);
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
            stream.append(char(random.bounded(256)));
        stream += frame;
        intact.append(!hit);
    }
    FrameDecoder decoder = replyDecoder();
    QList<UnitFrame> got;
    for (qsizetype at = 0; at < stream.size();) {
        const qsizetype chunk = 1 + random.bounded(40);
        got += decoder.feed(stream.mid(at, chunk));
        at += chunk;
    }
    // Every decoded frame is a sent, untouched frame, in order, each once;
    // every untouched frame is found.
    qsizetype next = 0;
    for (const UnitFrame& frame : got) {
        while (next < sent.size() && !(intact[next] && sent[next] == frame.word()))
            ++next;
        ASSERT_LT(next, sent.size()) << std::hex << frame.word() << " was never sent intact, or out of order";
        ++next;
    }
    const qsizetype hits = intact.count(false);
    EXPECT_GT(hits, 40) << "the noise must actually hit frames";
    EXPECT_EQ(got.size(), sent.size() - hits);
}
