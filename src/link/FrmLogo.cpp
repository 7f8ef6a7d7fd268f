#include "link/FrmLogo.h"

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "ui/PictureButton.h"
#include "ui/ProgramEnd.h"
#include "ui/Skin.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>

namespace {
constexpr int kWidth = 520;
constexpr int kHeight = 280;
constexpr int kLogoHeight = 150;
} // namespace

FrmLogo::FrmLogo(Link& link, TimerService& timers, const QString& logoPicture, QWidget* parent)
    : QDialog(parent), m_watch(link, timers)
{
    setObjectName(QStringLiteral("FrmLogo"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(kWidth, kHeight);
    setStyleSheet(Skin::darkStyleSheet());

    const Texts texts(QStringLiteral("FrmLogo"));
    setWindowTitle(texts(QStringLiteral("DlgName")));
    m_clew = texts(QStringLiteral("clew"));
    m_msgClew = texts(QStringLiteral("MsgClew"));

    if (!logoPicture.isEmpty())
        m_logo.setFile(ProgramFolder::filePath(QStringLiteral("System/photo/") + logoPicture));

    QFont labelFont(QStringLiteral("Arial"));
    labelFont.setPointSize(11);
    m_label = new QLabel(texts(QStringLiteral("IDC_STATIC_NETLINK")), this);
    m_label->setObjectName(QStringLiteral("IDC_STATIC_NETLINK"));
    m_label->setFont(labelFont);
    m_label->setGeometry(28, kLogoHeight + 14, kWidth - 56, 24);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QLatin1String(kProgressBar));
    m_progress->setAccessibleName(texts(QStringLiteral("IDC_STATIC_NETLINK")));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setGeometry(28, kLogoHeight + 44, kWidth - 56, 14);

    QFont buttonFont(QStringLiteral("Arial"));
    buttonFont.setPointSize(10);
    const Skin::Faces faces = Skin::faces(Skin::FaceKind::Push, QSize(120, 36));
    auto makeButton = [&](const QString& name, const QString& caption, int x) {
        auto* button = new PictureButton(this);
        button->setObjectName(name);
        button->setFaces(faces);
        button->setCaptionFont(buttonFont);
        button->setCaption(caption);
        button->setGeometry(x, kHeight - 36 - 16, 120, 36);
        return button;
    };
    m_refresh = makeButton(QLatin1String(kRefreshButton), texts(QStringLiteral("IDC_BTN_REFRESH")),
                           kWidth - 2 * 120 - 28 - 10);
    m_cancel = makeButton(QLatin1String(kCancelButton), texts(QStringLiteral("IDCANCEL")), kWidth - 120 - 28);
    m_hiddenOk = makeButton(QLatin1String(kHiddenOkButton), texts(QStringLiteral("IDOK")), 28);
    m_hiddenOk->hide();
    m_refresh->setEnabled(false);

    connect(m_refresh, &QAbstractButton::clicked, this, &FrmLogo::refresh);
    connect(m_cancel, &QAbstractButton::clicked, this, &FrmLogo::endProgram);

    m_runError = [](QWidget* owner) {
        FrmError dialog(owner);
        dialog.exec();
        return dialog.outcome();
    };
    connect(&m_watch, &ConnectionWatch::progressChanged, m_progress, &QProgressBar::setValue);
    connect(&m_watch, &ConnectionWatch::searchFailed, this, &FrmLogo::askAfterFailedSearch);
}

FrmLogo::~FrmLogo() = default;

void FrmLogo::askAfterFailedSearch()
{
    switch (m_runError(this)) {
    case FrmError::Outcome::Continue:
        hide();
        m_watch.continueWithoutController();
        break;
    case FrmError::Outcome::Ok:
        m_refresh->setEnabled(true);
        break;
    case FrmError::Outcome::Training:
        emit trainingChosen();
        refresh();
        break;
    case FrmError::Outcome::Closed:
        break;
    }
}

void FrmLogo::refresh()
{
    m_refresh->setEnabled(false);
    m_watch.searchAgain();
}

void FrmLogo::endProgram()
{
    ProgramEnd::now(0);
}

void FrmLogo::reject()
{
    endProgram();
}

void FrmLogo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        endProgram();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmLogo::closeEvent(QCloseEvent* event)
{
    // The close box is the cancel button.
    event->ignore();
    endProgram();
}

void FrmLogo::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Skin::paintDialogShade(painter, rect());
    m_logo.paint(painter, QSize(kWidth, kLogoHeight));
}

void FrmLogo::showEvent(QShowEvent* event)
{
    WindowPlacement::centreOnScreen(*this);
    QDialog::showEvent(event);
}
