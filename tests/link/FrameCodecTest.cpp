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

// Key reports and mic events of many units, as the controller sends them.
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
    EXPECT_EQ(FrameCodec::encode(0xFBFFFF), QByteArray::fromHex("FBFFFF06"));
    EXPECT_EQ(FrameCodec::encode(0x7FFA0001u), FrameCodec::encode(0xFA0001u));
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
        }
    }
}

TEST(FrameDecoder, NoisyLineLosesOnlyTheHitFramesAndForeignClassesAreSkipped)
{
    // About 1% of the bytes replaced, lost or preceded by a stray byte, a poll and an unknown class
    // now and then; reads of random length. After a lost or an extra byte every later intact frame is read.
    QRandomGenerator random(7919);
    const QList<quint32> sent = replyWords(2000, 1);
    QByteArray stream;
    QList<bool> intact;
    int lost = 0;
    int extra = 0;
    for (quint32 w : sent) {
        const QByteArray frame = FrameCodec::encode(w);
        QByteArray onLine;
        bool hit = false;
        for (int i = 0; i < 4; ++i) {
            if (random.bounded(100) != 0) {
                onLine += frame[i];
                continue;
            }
            switch (random.bounded(3)) {
            case 0:
                onLine += char(quint8(frame[i]) ^ quint8(1 + random.bounded(255)));
                hit = true;
                break;
            case 1:
                ++lost;
                hit = true;
                break;
            default: // a stray byte before this one; before the first it lies between two frames
                onLine += char(random.bounded(256));
                onLine += frame[i];
                ++extra;
                hit = hit || i > 0;
                break;
            }
        }
        if (random.bounded(400) == 0)
            stream += random.bounded(2) ? FrameCodec::encode(0xFA0001) : FrameCodec::encode(0x123456);
        stream += onLine;
        intact.append(!hit);
    }
    EXPECT_GT(lost, 10);
    EXPECT_GT(extra, 10);
    FrameDecoder decoder = replyDecoder();
    QList<UnitFrame> got;
    for (qsizetype at = 0; at < stream.size();) {
        const qsizetype chunk = 1 + random.bounded(40);
        got += decoder.feed(stream.mid(at, chunk));
        at += chunk;
    }
    // Every decoded frame was sent untouched, in order, once; every untouched frame is found.
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
    EXPECT_GT(decoder.discardedBytes(), 0u);
}
