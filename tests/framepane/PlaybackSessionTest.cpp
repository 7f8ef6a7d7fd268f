#include "framepane/PlaybackSession.h"
#include "framepane/BitmapFile.h"
#include "framepane/TestPictureSource.h"

#include "framepane/RecordingPrompter.h"
#include "framepane/ScriptedSource.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

DisplayWords mjpegWords(int width = 640, int height = 480)
{
    DisplayWords words;
    words.format.width = width;
    words.format.height = height;
    words.format.bitCount = 24;
    words.compression.hic = 1;
    words.compression.fccType = makeFourcc('v', 'i', 'd', 'c');
    words.compression.fccHandler = makeFourcc('M', 'J', 'P', 'G');
    words.compression.lQ = 9000;
    return words;
}

class PlaybackSessionTest : public ::testing::Test
{
protected:
    // A session on a scripted source, started.
    PlaybackSession& startSession(const DisplayWords& words)
    {
        auto owned = std::make_unique<ScriptedSource>();
        source = owned.get();
        session = std::make_unique<PlaybackSession>(words, prompter, std::move(owned));
        session->start();
        return *session;
    }

    RecordingPrompter prompter;
    ScriptedSource* source = nullptr;
    std::unique_ptr<PlaybackSession> session;
    QTemporaryDir folder;
};

} // namespace

TEST_F(PlaybackSessionTest, FramesOfAnySizeAreShownInTheCaptureFormatAfterTheRoundTrip)
{
    PlaybackSession& playback = startSession(mjpegWords());
    EXPECT_EQ(source->started, QSize(640, 480));
    EXPECT_TRUE(playback.roundTrips());

    source->send(TestPictureSource::picture(QSize(1280, 720), 1));
    source->send(TestPictureSource::picture(QSize(1280, 720), 2));
    EXPECT_EQ(playback.framesShown(), 2);
    EXPECT_EQ(playback.picture().size(), QSize(640, 480));
    EXPECT_EQ(playback.picture().format(), QImage::Format_BGR888);
    EXPECT_EQ(playback.panePicture().size(), QSize(320, 240));
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join('\n').toStdString();
}

TEST_F(PlaybackSessionTest, SavesTheShownPictureUnderTheChosenName)
{
    PlaybackSession& playback = startSession(mjpegWords());
    source->send(TestPictureSource::picture(QSize(640, 480), 5));
    prompter.answer = folder.filePath("shot.bmp");

    playback.saveAs(QTime(9, 5, 7));

    EXPECT_EQ(prompter.proposals, QStringList{"09_05_07.bmp"});
    QFile file(prompter.answer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bitmapFileBytes(playback.picture()));
    EXPECT_EQ(QImage(prompter.answer).convertToFormat(QImage::Format_RGB32),
              playback.picture().convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(PlaybackSessionTest, NothingIsSavedBeforeTheFirstFrameOrWhenTheFileCannotBeWritten)
{
    PlaybackSession& playback = startSession(mjpegWords());
    prompter.answer = folder.filePath("early.bmp");
    playback.saveAs(QTime(10, 0, 0));
    EXPECT_TRUE(prompter.proposals.isEmpty());
    EXPECT_FALSE(QFile::exists(prompter.answer));
    EXPECT_EQ(prompter.messages.size(), 1);

    source->send(TestPictureSource::picture(QSize(640, 480), 1));
    prompter.answer = folder.filePath("missing/folder/late.bmp");
    playback.saveAs(QTime(10, 0, 1));
    ASSERT_EQ(prompter.messages.size(), 2);
    EXPECT_TRUE(prompter.messages[1].contains(prompter.answer));
}

TEST_F(PlaybackSessionTest, ALostCameraIsToldAndTheLastPictureStays)
{
    PlaybackSession& playback = startSession(mjpegWords());
    source->send(TestPictureSource::picture(QSize(640, 480), 1));
    const QImage last = playback.picture();

    source->breakDown("The camera \"USB\" is gone.");

    EXPECT_EQ(prompter.messages, QStringList{"The camera \"USB\" is gone."});
    EXPECT_EQ(playback.picture(), last);
}

TEST_F(PlaybackSessionTest, AnUnsoundSizeIsToldAndNothingIsCaptured)
{
    startSession(mjpegWords(0, 480));
    EXPECT_EQ(prompter.messages.size(), 1);
    EXPECT_FALSE(source->started.isValid());
}

TEST_F(PlaybackSessionTest, AnUnknownCodecIsToldAndTheRawPictureShown)
{
    DisplayWords words = mjpegWords();
    words.compression.fccHandler = makeFourcc('Q', 'Q', 'Z', '9');
    PlaybackSession& playback = startSession(words);
    EXPECT_EQ(prompter.messages, QStringList{"ICSeqCompressFrameStart In InitCompressor ERROR"});

    const QImage frame = TestPictureSource::picture(QSize(640, 480), 4);
    source->send(frame);
    EXPECT_EQ(playback.picture(), frame.convertToFormat(QImage::Format_BGR888));
}

TEST(LatestFrameTest, AFrameArrivingBeforeTheLastWasTakenReplacesIt)
{
    LatestFrame latest;
    QImage frames[3];
    for (int i = 0; i < 3; ++i) {
        frames[i] = QImage(4, 4, QImage::Format_RGB32);
        frames[i].fill(qRgb(i * 100, 0, 0));
    }
    EXPECT_TRUE(latest.put(frames[0]));
    EXPECT_FALSE(latest.put(frames[1]));
    EXPECT_FALSE(latest.put(frames[2]));
    EXPECT_EQ(latest.take(), frames[2]);
    EXPECT_EQ(latest.dropped(), 2);
    EXPECT_TRUE(latest.take().isNull());
    EXPECT_TRUE(latest.put(frames[0]));
}
