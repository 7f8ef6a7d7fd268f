#include "meeting/FrmConmee.h"

#include "core/ConsoleServices.h"
#include "core/ProgramFolder.h"
#include "core/TimerService.h"
#include "data/DbAccess.h"
#include "link/Link.h"
#include "meeting/FrmFile.h"
#include "meeting/FrmInser.h"
#include "meeting/FrmKeyMonitor.h"
#include "meeting/FrmManChe.h"
#include "meeting/FrmMeeVote.h"
#include "meeting/FrmMeestart.h"
#include "meeting/FrmResult.h"
#include "meeting/SignInSession.h"
#include "prep/FrmMeeOut.h"
#include "screen/HallScreen.h"
#include "speak/FrmMootset.h"
#include "ui/FrmHelp.h"
#include "ui/Skin.h"

#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The progress window's bar: steps of 2 up to 100, each unitCount x 2 ms apart.
const int kProgressStep = 2;
const int kProgressEnd = 100;

} // namespace

FrmConmee::FrmConmee(Link& link, ConsoleServices& services, HallScreen& screen, MeetingSessions& sessions,
                     const QString& installationType, QWidget* parent)
    : HubFrame(QStringLiteral("FrmConmee"), kTitle, parent), m_link(link), m_services(services),
      m_timers(services.clock()), m_screen(screen),
      m_pageTexts(QStringLiteral("FrmConmee"), QStringLiteral("MsgClew")),
      m_discussion(installationType.trimmed() == QLatin1String("0") ||
                   installationType.trimmed() == QLatin1String("2")),
      m_sessions(sessions)
{
    setHeading(kHeading, texts()(QStringLiteral("DlgName")));
    // The designed column: with discussion the speaking button leads and the document one is hidden.
    const int rows[2][5] = {{50, 130, 210, 290, 370}, {0, 50, 150, 250, 350}};
    const int* y = rows[m_discussion ? 0 : 1];
    m_speakButton = addButton(kSpeakButton, y[0]);
    m_signInButton = addButton(kSignInButton, y[1]);
    m_voteButton = addButton(kVoteButton, y[2]);
    m_fileButton = addButton(kFileButton, y[3]);
    m_insertButton = addButton(kInsertButton, y[4]);
    QPushButton* exit = addButton(kExitButton, 550);
    m_speakButton->setVisible(m_discussion);
    m_speakButton->setEnabled(false);
    m_fileButton->setVisible(!m_discussion);

    m_menuButton = addButton("IDC_MENU_BUTTON", 680);
    m_menuButton->setObjectName(QLatin1String(kMenuButton));
    m_menuButton->setGeometry(20, 680, 100, 36);
    m_menu = new QMenu(this);
    const struct
    {
        const char* id;
        const char* key;
        void (FrmConmee::*action)();
    } items[] = {{kPreparationItem, "MenuName1", &FrmConmee::openPreparation},
                 {kBannerItem, "MenuName2", &FrmConmee::showBannerAgain},
                 {kHelpItem, "MenuName3", &FrmConmee::openHelp}};
    for (const auto& item : items) {
        QAction* action = m_menu->addAction(texts()(QString::fromLatin1(item.key)));
        action->setObjectName(QString::fromLatin1(item.id));
        connect(action, &QAction::triggered, this, item.action);
    }

    connect(m_speakButton, &QPushButton::clicked, this, &FrmConmee::showSpeaking);
    connect(m_signInButton, &QPushButton::clicked, this, &FrmConmee::showSignIn);
    connect(m_voteButton, &QPushButton::clicked, this, &FrmConmee::showVote);
    connect(m_fileButton, &QPushButton::clicked, this, &FrmConmee::showDocuments);
    connect(m_insertButton, &QPushButton::clicked, this, &FrmConmee::openInsert);
    connect(m_menuButton, &QPushButton::clicked, this, &FrmConmee::openMenu);
    connect(exit, &QPushButton::clicked, this, &FrmConmee::reject);

    m_runArea = [](QDialog& window) { return window.exec(); };
}

FrmConmee::~FrmConmee()
{
    if (m_failuresBefore)
        m_services.storeFailures = *m_failuresBefore;
}

void FrmConmee::BarFailures::failed(const QString& detail)
{
    m_hub.showStoreFailure(DbError{detail}.words());
}

void FrmConmee::showStoreFailure(const QString& words)
{
    showMessage(texts()(QStringLiteral("MsgStoreFailed")).arg(words));
}

void FrmConmee::routeStoreFailures()
{
    const bool running = m_session && (m_session->signIn().isRunning() || m_session->vote().isRunning());
    if (running && !m_failuresBefore)
        m_failuresBefore = std::exchange(m_services.storeFailures, &m_barFailures);
    else if (!running && m_failuresBefore)
        m_services.storeFailures = *std::exchange(m_failuresBefore, std::nullopt);
}

bool FrmConmee::chooseMeeting()
{
    FrmMeestart chooser(m_sessions.meetingList(), this);
    const int chosen = m_services.dialogs ? m_services.dialogs->run(chooser) : chooser.exec();
    if (chosen != QDialog::Accepted || chooser.meeting().name.isEmpty())
        return false;
    openMeeting(chooser.meeting());
    return true;
}

void FrmConmee::openMeeting(const Meeting& meeting)
{
    if (m_session)
        return; // the pages are made once per hub
    m_meeting = meeting;
    showBanner();

    m_session = &m_sessions.session(meeting);
    m_signInPage = new FrmManChe(m_session->signIn(), m_link, m_screen, this);
    m_signInPage->openMeeting();
    m_votePage = new FrmMeeVote(*m_session, m_screen, this);
    m_votePage->openMeeting(meeting);
    connect(this, &FrmConmee::motionListChanged, m_votePage, &FrmMeeVote::reloadMotions);
    m_votePage->setResultOpener([this](const Motion& motion, int kind) {
        const ResultRequest request{m_meeting.name,     motion.title,       kind,
                                    motion.candidates,  motion.result,      motion.votedAt,
                                    motion.showPercent, m_screen.scrSize(), motion.seats};
        FrmResult result(m_screen, request, this);
        m_runArea(result);
    });
    // Modal, while the vote goes on behind it.
    m_votePage->setMonitorOpener([this](int kind) {
        FrmKeyMonitor monitor(m_link, m_timers, m_meeting.name, kind, this);
        m_runArea(monitor);
    });
    m_filePage = new FrmFile(m_screen, m_timers, this);
    connect(&m_session->signIn(), &SignInSession::storeFailed, this, &FrmConmee::showStoreFailure);
    connect(&m_session->vote(), &VoteSession::storeFailed, this, &FrmConmee::showStoreFailure);
    connect(&m_session->signIn(), &SignInSession::stateChanged, this, &FrmConmee::routeStoreFailures);
    connect(&m_session->vote(), &VoteSession::stateChanged, this, &FrmConmee::routeStoreFailures);

    const QString meetingName = QStringLiteral("  \u2014  ") + meeting.name;
    addPage(m_signInPage, m_signInButton, texts()(QStringLiteral("MsgTitleSignIn")) + meetingName);
    addPage(m_votePage, m_voteButton, texts()(QStringLiteral("MsgTitleVote")) + meetingName);
    addPage(m_filePage, m_fileButton, texts()(QStringLiteral("MsgTitleFile")) + meetingName);
    if (m_discussion) {
        m_speakPage = new FrmMootset(m_link, m_timers, m_screen, this);
        m_speakPage->loadDelegates(meeting.name);
        addPage(m_speakPage, m_speakButton, texts()(QStringLiteral("MsgTitleSpeak")) + meetingName);
    }
    for (QWidget* page : {static_cast<QWidget*>(m_signInPage), static_cast<QWidget*>(m_votePage),
                          static_cast<QWidget*>(m_speakPage), static_cast<QWidget*>(m_filePage)})
        if (page)
            setPageAvailable(page, true);

    if (m_discussion) {
        showSpeakPage();
        // The progress window opens with the hub.
        m_progressPending = true;
        if (isVisible())
            startProgress();
    } else {
        showPage(m_signInPage);
    }
}

bool FrmConmee::refusedWhileBusy()
{
    if (m_session && m_session->signIn().isRunning()) {
        m_pageTexts.message(QStringLiteral("MsgClewCheErr"));
        return true;
    }
    if (m_votePage && m_votePage->isRunning()) {
        m_pageTexts.message(QStringLiteral("MsgClewVoteErr"));
        return true;
    }
    return false;
}

void FrmConmee::showSpeakPage()
{
    showPage(m_speakPage);
    // Without a seat layout the microphone controls stay disabled: say where it is made.
    setHint(m_speakPage->controlsWaitForLayout() ? texts()(QStringLiteral("MsgNoteSpeak")) : QString());
}

void FrmConmee::showOtherPage(QWidget* page)
{
    // Leaving the speaking page takes its camera window along.
    if (m_speakPage)
        m_speakPage->hideChildren();
    showPage(page);
    setHint(QString());
}

void FrmConmee::showSpeaking()
{
    if (refusedWhileBusy() || !m_speakPage)
        return;
    showSpeakPage();
}

void FrmConmee::showSignIn()
{
    if (refusedWhileBusy() || !m_signInPage)
        return;
    showOtherPage(m_signInPage);
}

void FrmConmee::showVote()
{
    if (refusedWhileBusy() || !m_votePage)
        return;
    m_votePage->reloadFigures();
    showOtherPage(m_votePage);
}

void FrmConmee::showDocuments()
{
    if (refusedWhileBusy() || !m_filePage)
        return;
    showOtherPage(m_filePage);
}

void FrmConmee::openInsert()
{
    if (refusedWhileBusy())
        return;
    FrmInser insert(m_screen, m_screen.screenColour(), this);
    m_runArea(insert);
}

void FrmConmee::openMenu()
{
    if (refusedWhileBusy())
        return;
    // At the hub's left edge, 100 pixels above its bottom.
    m_menu->popup(mapToGlobal(QPoint(0, height() - 100)));
}

void FrmConmee::openPreparation()
{
    if (refusedWhileBusy())
        return;
    FrmMeeOut preparation(m_sessions.meetingList(), this);
    if (m_runArea(preparation) == QDialog::Accepted)
        emit motionListChanged();
}

void FrmConmee::showBanner()
{
    if (!m_screen.isWindowShown())
        m_screen.showWindow();
    m_screen.showTextArea();
    m_screen.clearText();
    if (!m_meeting.bannerFile.isEmpty())
        m_screen.loadRtfFile(ProgramFolder::filePath(MeetingFiles::banner(m_meeting.bannerFile)));
}

void FrmConmee::showBannerAgain()
{
    // Without a banner the hall keeps what it shows; a line under the page says why.
    if (m_meeting.bannerFile.isEmpty()) {
        setHint(texts()(QStringLiteral("MsgNoBanner")));
        return;
    }
    showBanner();
}

void FrmConmee::openHelp()
{
    FrmHelp::openGuide(FrmHelp::guidePath(), this);
}

void FrmConmee::reject()
{
    if (refusedWhileBusy() || !m_pageTexts.question(QStringLiteral("MsgClewExit")))
        return;
    // The hall no longer shows this meeting's last figures once the meeting is left.
    if (m_session) {
        m_screen.showTextArea();
        m_screen.clearText();
    }
    QDialog::done(QDialog::Rejected);
}

void FrmConmee::showEvent(QShowEvent* event)
{
    HubFrame::showEvent(event);
    if (m_progressPending)
        startProgress();
}

void FrmConmee::startProgress()
{
    m_progressPending = false;
    m_progressWindow = new QDialog(this);
    m_progressWindow->setObjectName(QLatin1String(kProgressWindow));
    m_progressWindow->setWindowTitle(texts()(QStringLiteral("DlgName")));
    m_progressWindow->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_progressWindow->setFixedSize(360, 150);
    auto* picture = new QLabel(m_progressWindow);
    picture->setPixmap(Skin::programIcon().pixmap(64, 64));
    picture->setAlignment(Qt::AlignCenter);
    m_progressBar = new QProgressBar(m_progressWindow);
    m_progressBar->setRange(0, kProgressEnd);
    m_progressBar->setValue(0);
    m_progressBar->setAccessibleName(texts()(QStringLiteral("DlgName")));
    auto* layout = new QVBoxLayout(m_progressWindow);
    layout->addWidget(picture);
    layout->addWidget(m_progressBar);
    m_progressTimer = m_timers.createTimer([this] { progressStep(); });
    m_progressTimer->start(qMax(1, m_link.unitCount() * 2));
    m_progressWindow->open();
}

void FrmConmee::progressStep()
{
    m_progressBar->setValue(m_progressBar->value() + kProgressStep);
    if (m_progressBar->value() < kProgressEnd)
        return;
    m_progressTimer->stop();
    m_progressWindow->accept();
}
