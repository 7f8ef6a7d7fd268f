#include "framepane/PlaybackWindow.h"

#include "framepane/FrameFormat.h"

#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Playback window");

// The area the frames are drawn into; black until the first one.
class PicturePane : public QWidget
{
public:
    PicturePane(const PlaybackSession& session, QWidget* parent) : QWidget(parent), m_session(session)
    {
        setFixedSize(kPaneSize);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (!painter.isActive()) {
            qWarning("DrawDibDraw function error");
            return;
        }
        if (m_session.panePicture().isNull())
            painter.fillRect(rect(), Qt::black);
        else
            painter.drawImage(QPoint(0, 0), m_session.panePicture());
    }

private:
    const PlaybackSession& m_session;
};

} // namespace

PlaybackWindow::PlaybackWindow(PlaybackSession& session, QWidget* parent)
    : QDialog(parent), m_session(session)
{
    setWindowTitle(kCaption);
    setAccessibleName(kCaption);
    move(200, 0);

    auto* menuBar = new QMenuBar(this);
    QMenu* saveMenu = menuBar->addMenu(QStringLiteral("另存图片"));
    saveMenu->setAccessibleName(saveMenu->title());
    saveMenu->setObjectName(QStringLiteral("2001"));
    QAction* saveAs = saveMenu->addAction(QStringLiteral("另存"));
    saveAs->setObjectName(QStringLiteral("32771"));
    connect(saveAs, &QAction::triggered, this, [this] { m_session.saveAs(QTime::currentTime()); });

    auto* pane = new PicturePane(session, this);
    pane->setObjectName(QStringLiteral("picture"));
    pane->setAccessibleName(kCaption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menuBar);
    layout->addWidget(pane);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(&session, &PlaybackSession::pictureChanged, pane, qOverload<>(&QWidget::update));
}

void DialogPrompter::message(const QString& text)
{
    QMessageBox::information(m_parent, kCaption, text);
}

QString DialogPrompter::saveFileName(const QString& proposed)
{
    return QFileDialog::getSaveFileName(m_parent, QStringLiteral("另存"), proposed,
                                        QStringLiteral("Bitmap files (*.BMP);;All files (*.*)"));
}
