#include "framepane/PlaybackSession.h"
#include "framepane/BitmapFile.h"
#include "framepane/CameraSource.h"
#include "framepane/TestPictureSource.h"

#include "framepane/RecordingPrompter.h"
#include "framepane/ScriptedSource.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

DisplayWords mjpegWords()
{
    return codecDisplayWords(0, 640, 480, makeFourcc('M', 'J', 'P', 'G'), 9000);
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
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join('\n').toStdString();
}

TEST_F(PlaybackSessionTest, SavesOnlyAPictureThatArrivedAndOnlyWhereItCanWrite)
{
    PlaybackSession& playback = startSession(mjpegWords());
    prompter.answer = folder.filePath("early.bmp");
    playback.saveAs(QTime(10, 0, 0));
    EXPECT_TRUE(prompter.proposals.isEmpty());
    EXPECT_FALSE(QFile::exists(prompter.answer));
    EXPECT_EQ(prompter.messages.size(), 1);

    source->send(TestPictureSource::picture(QSize(640, 480), 5));
    prompter.answer = folder.filePath("shot.bmp");
    playback.saveAs(QTime(9, 5, 7));
    EXPECT_EQ(prompter.proposals, QStringList{"09_05_07.bmp"});
    QFile file(prompter.answer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bitmapFileBytes(playback.picture()));
    EXPECT_EQ(QImage(prompter.answer).convertToFormat(playback.picture().format()), playback.picture());

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
    EXPECT_TRUE(latest.take().isNull());
    EXPECT_TRUE(latest.put(frames[0]));
}

TEST(CameraSourceTest, ACameraThatIsNotThereIsADriverConnectFailure)
{
    CameraSource camera(99);
    QStringList failures;
    QObject::connect(&camera, &FrameSource::failed, [&](const QString& text) { failures << text; });
    EXPECT_FALSE(camera.start(QSize(640, 480)));
    EXPECT_EQ(failures, QStringList{"Driver Connect Failure"});
}
