#include "app/FrmMain.h"

#include "app/FrmPass.h"
#include "core/ConsoleServices.h"
#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "core/Prompt.h"
#include "link/FrmLink.h"
#include "link/FrmLogo.h"
#include "link/LineBar.h"
#include "link/Link.h"
#include "meeting/FrmConmee.h"
#include "prep/FrmMeeOut.h"
#include "reports/FrmMdisposal.h"
#include "screen/FrmScr.h"
#include "screen/ScreenPanel.h"
#include "settings/FrmSysset.h"
#include "settings/Frmbasicset.h"
#include "training/FrmHall.h"
#include "training/TrainingHall.h"
#include "ui/FrmHelp.h"
#include "ui/PictureButton.h"
#include "ui/ProgramEnd.h"
#include "ui/Skin.h"
#include "ui/TrainingBand.h"
#include "web/MirroredHallScreen.h"
#include "web/WebView.h"

#include <QDir>
#include <QGuiApplication>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <cstdio>

namespace {

constexpr int kTile = 132;
constexpr int kSmallTile = 72;

} // namespace

FrmMain::FrmMain(Link& link, ConsoleServices& services, QWidget* parent)
    : QDialog(parent), m_link(link), m_services(services), m_timers(services.clock()),
      m_meetings(std::make_unique<MeetingSessions>(link, m_timers))
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowIcon(Skin::programIcon());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    setFixedSize(kWidth, kHeight);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(0x11, 0x1e, 0x32));
    setPalette(dark);

    const QString picture = m_services.startup.mainPicture;
    if (!picture.isEmpty())
        m_picture.setFile(ProgramFolder::filePath(QStringLiteral("System/photo/") + picture));

    auto* heading = new QLabel(this);
    m_heading = heading;
    heading->setObjectName(QStringLiteral("heading"));
    QFont headingFont(QStringLiteral("Arial"));
    headingFont.setPointSize(22);
    headingFont.setWeight(QFont::DemiBold);
    heading->setFont(headingFont);
    heading->setStyleSheet(QStringLiteral("color: #eef5ff; background: transparent;"));
    heading->setAlignment(Qt::AlignCenter);
    heading->setGeometry(112, 170, 800, 44);

    // Until a meeting was held, the order of the work is written under the heading.
    m_firstSteps = new QLabel(this);
    m_firstSteps->setObjectName(QStringLiteral("FirstSteps"));
    QFont stepsFont(QStringLiteral("Arial"));
    stepsFont.setPointSize(13);
    m_firstSteps->setFont(stepsFont);
    m_firstSteps->setStyleSheet(QStringLiteral("color: #cfe3ff; background: transparent;"));
    m_firstSteps->setAlignment(Qt::AlignCenter);
    m_firstSteps->setGeometry(62, 226, 900, 30);
    m_firstSteps->hide();

    // Five areas on the desk, help and exit below it on the right.
    const int gap = (kWidth - 2 * 86 - 5 * kTile) / 4;
    const int top = 336;
    const struct
    {
        int control;
        const char* glyph;
        const char* label;
        int labelNumber;
    } areas[] = {{kSettingsButton, "settings", "IDC_STATIC_BTNSYSET", 1392},
                 {kLineCheckButton, "linecheck", "IDC_STATIC_BTNLISTIST", 1397},
                 {kPreparationButton, "preparation", "IDC_STATIC_BTNMEEFIT", 1393},
                 {kMeetingButton, "meeting", "IDC_STATIC_BTNMEESTART", 1394},
                 {kAfterMeetingButton, "after", "IDC_STATIC_BTNMEEMANAGE", 1395}};
    int x = 86;
    for (const auto& area : areas) {
        addButton(area.control, QString::fromLatin1(area.glyph), QString::fromLatin1(area.label),
                  QRect(x, top, kTile, kTile), area.labelNumber);
        x += kTile + gap;
    }
    addButton(kHelpButton, QStringLiteral("help"), QStringLiteral("IDC_STATIC_BTNHELP"),
              QRect(kWidth - 86 - 2 * kSmallTile - 56, 612, kSmallTile, kSmallTile), 1398);
    addButton(kExitButton, QStringLiteral("exit"), QStringLiteral("IDC_STATIC_BTNEXITSYTEM"),
              QRect(kWidth - 86 - kSmallTile, 612, kSmallTile, kSmallTile), 1396);

    createSecondaryScreen();
    applyTexts();

    m_startUp = std::make_unique<StartUp>(m_link, m_timers, *m_webView);
    connect(m_startUp.get(), &StartUp::loginWanted, this, [this] { m_runLogin(); });
    connect(m_startUp.get(), &StartUp::searchStarting, this, &FrmMain::showStatusDialog);
    connect(m_startUp.get(), &StartUp::trainingEntered, this, &FrmMain::showTraining);
    connect(m_startUp.get(), &StartUp::trainingRefused, this, [](const QString& why) {
        Prompt::information(Prompt::caption(),
                            Texts(QStringLiteral("FrmHall"))(QStringLiteral("MsgStartErr")).arg(why));
    });

    connect(m_buttons.value(kSettingsButton), &QAbstractButton::clicked, this, &FrmMain::openSettings);
    connect(m_buttons.value(kLineCheckButton), &QAbstractButton::clicked, this, &FrmMain::openLineCheck);
    connect(m_buttons.value(kPreparationButton), &QAbstractButton::clicked, this, &FrmMain::openPreparation);
    connect(m_buttons.value(kMeetingButton), &QAbstractButton::clicked, this, &FrmMain::openMeeting);
    connect(m_buttons.value(kAfterMeetingButton), &QAbstractButton::clicked, this,
            &FrmMain::openAfterMeeting);
    connect(m_buttons.value(kExitButton), &QAbstractButton::clicked, this, &FrmMain::exitProgram);
    connect(m_buttons.value(kHelpButton), &QAbstractButton::clicked, this, &FrmMain::openHelp);

    // In the free band between the heading's rule and the desk of areas.
    new LineBar(m_link, m_timers, QRect(48, 246, kWidth - 96, LineBar::kHeight), this);
    // A second copy finds the running one by this property.
    setProperty("reform", 1);

    m_runLogin = [this] {
        FrmPass login(m_timers);
        m_login = &login;
        login.exec();
    };
    m_screenSize = [this] {
        const QScreen* current = screen() ? screen() : QGuiApplication::primaryScreen();
        return current ? current->geometry().size() : QSize(kWidth, kHeight);
    };
    m_runArea = [](QDialog& area) { return area.exec(); };
}

FrmMain::~FrmMain()
{
    delete m_lineCheck.data();
    delete m_secondaryScreen;
    delete m_hallWindow;
}

PictureButton* FrmMain::addButton(int control, const QString& glyph, const QString& labelKey,
                                  const QRect& tile, int labelNumber)
{
    auto* button = new PictureButton(this);
    button->setObjectName(QString::number(control));
    button->setFaces(Skin::faces(Skin::FaceKind::Tile, tile.size()));
    button->setGlyph(glyph, tile.width() * 52 / 132);
    button->setBackdrop(&m_picture);
    button->setGeometry(tile);
    m_buttons.insert(control, button);

    auto* label = new QLabel(this);
    label->setObjectName(labelKey);
    label->setProperty("control", labelNumber);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(15);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: #ffffff; background: transparent;"));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    const int width = tile.width() + 80;
    label->setGeometry(tile.center().x() - width / 2 + 1, tile.bottom() + 10, width, 32);
    label->setBuddy(button);
    m_labels.insert(control, label);
    return button;
}

void FrmMain::applyTexts()
{
    const Texts texts(QStringLiteral("FrmMain"));
    setWindowTitle(texts(QStringLiteral("DlgName")));
    m_heading->setText(texts(QStringLiteral("DlgName")));
    m_msgClew = texts(QStringLiteral("Msgclew"));
    m_msgExit = texts(QStringLiteral("MsgExit"));
    m_msgSceSizeErr = texts(QStringLiteral("MsgSceSizeErr"));
    // Installations without discussion have no seat layout to make.
    const bool discussion = m_services.startup.function == QLatin1String("0") ||
                            m_services.startup.function == QLatin1String("2");
    m_firstSteps->setText(
        texts(discussion ? QStringLiteral("MsgFirstSteps") : QStringLiteral("MsgFirstStepsNoSeats")));
    m_secondaryScreen->applyTexts();
    if (auto* band = findChild<TrainingBand*>()) {
        const Texts hall(QStringLiteral("FrmHall"));
        band->setText(hall(QStringLiteral("Band")));
        m_secondaryScreen->setCornerNote(hall(QStringLiteral("ScreenNote")));
        // The Hall window is made again in the new language, where it stood.
        const QPoint place = m_hallWindow->pos();
        const bool shown = m_hallWindow->isVisible();
        delete m_hallWindow;
        makeHallWindow();
        m_hallWindow->move(place);
        m_hallWindow->setVisible(shown);
    }
    for (auto it = m_labels.cbegin(); it != m_labels.cend(); ++it) {
        const QString caption = texts(it.value()->objectName());
        it.value()->setText(caption);
        m_buttons.value(it.key())->setAccessibleName(caption);
        m_buttons.value(it.key())->setToolTip(caption);
    }
}

void FrmMain::createSecondaryScreen()
{
    // The hall screen lives for the whole run, hidden until a page shows it;
    // the areas hand it to their pages.
    m_secondaryScreen = new FrmScr;
    m_secondaryScreen->loadSettings();
    m_secondaryScreen->hide();

    m_webView = std::make_unique<WebView>();
    HallState& state = m_webView->state();
    const ScreenPanelState& panel = m_secondaryScreen->panel()->state();
    state.setUnitWords(panel.personsWord, panel.votesWord);
    state.setScreenColours(m_secondaryScreen->screenColour(), m_secondaryScreen->screenTextColour());
    const Texts texts(QStringLiteral("Web"));
    QJsonObject pageTexts;
    for (const char* key :
         {"attendance", "vote", "speaking", "microphones", "lastResult", "nothing", "connecting", "refused"})
        pageTexts.insert(QLatin1String(key), texts(QLatin1String(key)));
    state.setPageTexts(pageTexts);
    m_hallScreen = std::make_unique<MirroredHallScreen>(*m_secondaryScreen, state);
}

HallScreen& FrmMain::hallScreen() const
{
    return *m_hallScreen;
}

void FrmMain::startUp(Start start)
{
    // Hidden until the link is up or the operator continues without it.
    hide();
    m_startUp->run(start);
}

void FrmMain::showStatusDialog()
{
    m_logo = new FrmLogo(m_link, m_timers, m_services.startup.logoPicture, this);
    connect(m_logo, &FrmLogo::trainingChosen, this, &FrmMain::enterTraining);
    m_logo->show();
    connectLink();
}

void FrmMain::showTraining()
{
    const Texts texts(QStringLiteral("FrmHall"));
    new TrainingBand(texts(QStringLiteral("Band")), QRect(0, 0, kWidth, TrainingBand::kHeight), this);
    m_secondaryScreen->setCornerNote(texts(QStringLiteral("ScreenNote")));
    m_webView->state().setTrainingNote(texts(QStringLiteral("ScreenNote")));
    makeHallWindow();
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        m_hallWindow->move(primary->availableGeometry().topRight() - QPoint(m_hallWindow->width() + 24, -24));
    m_hallWindow->show();

    Prompt::information(Prompt::caption(), texts(QStringLiteral("MsgEnter"))
                                               .arg(trainingHall()->unitCount())
                                               .arg(QDir::toNativeSeparators(m_startUp->trainingFolder())));
}

void FrmMain::makeHallWindow()
{
    m_hallWindow = new FrmHall(*trainingHall());
    connect(m_hallWindow, &FrmHall::leaveRequested, this, [] { ProgramEnd::now(0); });
}

void FrmMain::markArea(HubFrame& hub)
{
    // The line watch speaks in the open area too, under its page.
    new LineBar(m_link, m_timers,
                QRect(HubFrame::kPagePlace.x(), hub.height() - LineBar::kHeight - 8,
                      HubFrame::kPagePlace.width(), LineBar::kHeight),
                &hub);
    if (!isTraining())
        return;
    hub.setTrainingBand(Texts(QStringLiteral("FrmHall"))(QStringLiteral("Band")));
    hub.setWindowModality(Qt::WindowModal);
}

void FrmMain::connectLink()
{
    Link* link = &m_link;
    connect(link, &Link::hideMainWindow, this, &QWidget::hide);
    connect(link, &Link::showMainWindow, this, &FrmMain::showCentred);
    connect(link, &Link::startupPollFinished, this, [this] {
        if (m_logo)
            m_logo->hide();
    });
}

QPoint FrmMain::centredPosition(const QSize& screen)
{
    return QPoint((screen.width() - kWidth) / 2, (screen.height() - kHeight) / 2 - 16);
}

void FrmMain::showCentred()
{
    const QSize screen = m_screenSize();
    if (screen.width() < kWidth)
        Prompt::information(m_msgClew, m_msgSceSizeErr);
    setGeometry(QRect(centredPosition(screen), QSize(kWidth, kHeight)));
    m_firstSteps->setVisible(!StartUp::meetingHeld());
    show();
    raise();
    activateWindow();
}

void FrmMain::bringToFront()
{
    // The window in front of the operator: the login, the status dialog while
    // the search runs, or the main window itself.
    QWidget* target = this;
    if (m_login && m_login->isVisible())
        target = m_login;
    else if (!isVisible() && m_logo && m_logo->isVisible())
        target = m_logo;
    else if (!isVisible() && m_lineCheck && m_lineCheck->isVisible())
        target = m_lineCheck;
    if (target->isMinimized())
        target->showNormal();
    target->show();
    target->raise();
    target->activateWindow();
    std::fprintf(stdout, "system: brought to the front by a second start\n");
    std::fflush(stdout);
}

void FrmMain::exitProgram()
{
    if (Prompt::question(m_msgClew, m_msgExit))
        ProgramEnd::now(0);
}

void FrmMain::openLineCheck()
{
    if (m_lineCheck) {
        m_lineCheck->raise();
        return;
    }
    requestHide();
    m_lineCheck = new FrmLink(m_link, m_timers, nullptr);
    if (isTraining())
        m_lineCheck->setTrainingBand(Texts(QStringLiteral("FrmHall"))(QStringLiteral("Band")));
    m_lineCheck->show();
}

void FrmMain::openPreparation()
{
    requestHide();
    FrmMeeOut hub(m_meetings->meetingList(), this);
    markArea(hub);
    if (m_runArea(hub) == QDialog::Accepted)
        requestShow();
}

void FrmMain::openMeeting()
{
    requestHide();
    FrmConmee hub(m_link, m_services, hallScreen(), *m_meetings, m_services.startup.function, this);
    markArea(hub);
    // A cancelled chooser closes the hub before it shows; leaving the hub ends it with Cancel.
    if (!hub.chooseMeeting() || m_runArea(hub) == QDialog::Rejected)
        requestShow();
}

void FrmMain::openSettings()
{
    requestHide();
    FrmSysset hub(m_link, hallScreen(), m_services.startup.function, this);
    hub.basicPage()->setWebView(m_webView.get());
    markArea(hub);
    // The main window takes the new language at once, as every window opened later does.
    connect(&hub, &FrmSysset::languageChanged, this, &FrmMain::applyTexts);
    m_runArea(hub);
    requestShow();
}

void FrmMain::openAfterMeeting()
{
    requestHide();
    FrmMdisposal hub(m_meetings->meetingList(), this);
    markArea(hub);
    m_runArea(hub);
    requestShow();
}

// Areas hide and show the main window through the link's requests, so the
// change happens at the sequencer's next step as it does for the link itself.
void FrmMain::requestHide()
{
    m_link.requestHideMainWindow();
}

void FrmMain::requestShow()
{
    m_link.requestShowMainWindow();
}

void FrmMain::openHelp()
{
    FrmHelp::openGuide(FrmHelp::guidePath(), this);
}

void FrmMain::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_picture.paint(painter, QSize(kWidth, kHeight));
}

void FrmMain::keyPressEvent(QKeyEvent* event)
{
    // Enter ends the dialog like Escape does, the ordinary way and without the question.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
