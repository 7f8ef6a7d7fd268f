#include "framepane/PlaybackSession.h"

#include "framepane/BitmapFile.h"
#include "framepane/CameraSource.h"
#include "framepane/FrameFormat.h"
#include "framepane/TestPictureSource.h"

#include <QSaveFile>

namespace {

std::unique_ptr<FrameSource> sourceFor(uint32_t word)
{
    if (word == kTestPictureSource)
        return std::make_unique<TestPictureSource>();
    return std::make_unique<CameraSource>(word);
}

} // namespace

PlaybackSession::PlaybackSession(const DisplayWords& words, PanePrompter& prompter, QObject* parent)
    : PlaybackSession(words, prompter, sourceFor(words.source), parent)
{
}

PlaybackSession::PlaybackSession(const DisplayWords& words, PanePrompter& prompter,
                                 std::unique_ptr<FrameSource> source, QObject* parent)
    : QObject(parent), m_words(words), m_prompter(prompter), m_source(std::move(source))
{
    connect(m_source.get(), &FrameSource::frameArrived, this, &PlaybackSession::showFrame);
    connect(m_source.get(), &FrameSource::failed, this,
            [this](const QString& text) { m_prompter.message(text); });
}

PlaybackSession::~PlaybackSession() = default;

void PlaybackSession::start()
{
    const CheckedWords checked = checkDisplayWords(m_words);
    m_settings = checked.settings;
    for (const QString& problem : checked.problems)
        m_prompter.message(problem);
    for (const QString& failure : m_codec.open(m_settings))
        m_prompter.message(failure);
    if (m_settings.capture)
        m_source->start(QSize(m_settings.width, m_settings.height));
}

void PlaybackSession::showFrame(const QImage& frame)
{
    const QImage shown = m_codec.process(
        toCaptureFormat(frame, QSize(m_settings.width, m_settings.height), m_settings.bitCount));
    if (shown.isNull())
        return;
    m_picture = shown;
    m_panePicture = paneImage(shown);
    ++m_framesShown;
    emit pictureChanged();
}

void PlaybackSession::saveAs(const QTime& now)
{
    // Copied first: frames go on arriving while the dialog is open.
    const QImage picture = m_picture;
    if (picture.isNull()) {
        m_prompter.message(QStringLiteral("No picture has arrived yet, so there is nothing to save."));
        return;
    }
    const QString path = m_prompter.saveFileName(proposedBitmapName(now));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bitmapFileBytes(picture)) < 0 || !file.commit())
        m_prompter.message(
            QStringLiteral("The picture could not be saved to %1: %2").arg(path, file.errorString()));
}
