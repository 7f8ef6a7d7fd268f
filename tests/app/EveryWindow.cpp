#include "EveryWindow.h"

#include "app/FrmMain.h"
#include "app/FrmPass.h"
#include "data/Schema.h"
#include "link/FrmError.h"
#include "link/FrmLink.h"
#include "link/FrmLogo.h"
#include "meeting/FrmConmee.h"
#include "meeting/FrmFile.h"
#include "meeting/FrmInser.h"
#include "meeting/FrmKeyMonitor.h"
#include "meeting/FrmMeeVote.h"
#include "meeting/FrmMeestart.h"
#include "meeting/FrmResult.h"
#include "meeting/MeetingState.h"
#include "prep/DlgEditVote.h"
#include "prep/FrmManinfo.h"
#include "prep/FrmMeeMat.h"
#include "prep/FrmMeeOut.h"
#include "prep/FrmNominee.h"
#include "reports/FrmMdisposal.h"
#include "reports/FrmRegque.h"
#include "reports/FrmSpeakput.h"
#include "reports/FrmSysPre.h"
#include "reports/FrmVoteput.h"
#include "screen/FrmScr.h"
#include "settings/FrmSysset.h"
#include "speak/FrmVidAdj.h"
#include "training/FrmHall.h"
#include "training/TrainingHall.h"
#include "ui/FrmHelp.h"
#include "ui/PageBuilder.h"

namespace {

const QString kMeeting = QStringLiteral("Plenary");
const QString kMeetingKey = QStringLiteral("20261207090000");

// The meeting hub with the meeting chosen, in an installation with or without discussion.
std::unique_ptr<FrmConmee> meetingHub(Link& link, ConsoleServices& services, FrmScr& hallScreen,
                                      MeetingSessions& meetings, const char* type)
{
    Meeting meeting;
    meeting.name = kMeeting;
    meeting.key = kMeetingKey;
    meeting.due = 40;
    meeting.legalRatio = 50;
    auto hub = std::make_unique<FrmConmee>(link, services, hallScreen, meetings, QString::fromLatin1(type));
    hub->openMeeting(meeting);
    return hub;
}

template <typename Window> std::function<void(QWidget&)> view(void (Window::*show)())
{
    return [show](QWidget& window) { (static_cast<Window&>(window).*show)(); };
}

QList<WindowViews> everyWindow(Link& link, ConsoleServices& services, FrmScr& hallScreen,
                               MeetingSessions& meetings)
{
    return {
        {"FrmMain", [&] { return std::make_unique<FrmMain>(link, services); }, {}},
        {"FrmPass", [] { return std::make_unique<FrmPass>(programTimers()); }, {}},
        {"FrmLogo",
         [&] { return std::make_unique<FrmLogo>(link, services.clock(), QStringLiteral("logo.png")); },
         {}},
        {"FrmError", [] { return std::make_unique<FrmError>(); }, {}},
        // The hall lives as long as its window.
        {"FrmHall",
         [&] {
             auto hall = std::make_shared<TrainingHall>(40, 1, services.clock());
             auto window = std::make_unique<FrmHall>(*hall);
             QObject::connect(window.get(), &QObject::destroyed, [hall] {});
             return window;
         },
         {}},
        {"FrmLink",
         [&] {
             auto window = std::make_unique<FrmLink>(link, services.clock());
             window->startCheck();
             return window;
         },
         {}},
        {"FrmMeeOut",
         [&] {
             auto hub = std::make_unique<FrmMeeOut>(meetings.meetingList());
             hub->showMeetings();
             return hub;
         },
         {view(&FrmMeeOut::showMotions), view(&FrmMeeOut::showDelegates)}},
        // The motion and delegate pages with a meeting chosen, as the operator works them.
        {"FrmMeeMat",
         [] {
             auto page = std::make_unique<FrmMeeMat>();
             page->openMeeting(kMeeting, kMeetingKey);
             return page;
         },
         {}},
        {"FrmManinfo",
         [] {
             auto page = std::make_unique<FrmManinfo>();
             page->openMeeting(kMeeting, kMeetingKey);
             return page;
         },
         {}},
        {"FrmNominee", [] { return std::make_unique<FrmNominee>(3, QStringList(), false); }, {}},
        {"DlgEditVote",
         [] {
             return std::make_unique<DlgEditVote>(
                 DlgEditVote::Target{DlgEditVote::Mode::Banner, QStringLiteral("Plenary"),
                                     QStringLiteral("20261207090000"), QString(), QString()},
                 QSize(1024, 768), Qt::darkBlue, Qt::white);
         },
         {}},
        {"FrmFile", [&] { return std::make_unique<FrmFile>(hallScreen, services.clock()); }, {}},
        {"FrmInser", [&] { return std::make_unique<FrmInser>(hallScreen, Qt::darkBlue); }, {}},
        {"FrmMeeVote",
         [&] {
             Meeting meeting;
             meeting.name = kMeeting;
             auto page = std::make_unique<FrmMeeVote>(meetings.session(meeting), hallScreen);
             page->openMeeting(meeting);
             return page;
         },
         {}},
        {"FrmMeestart", [&] { return std::make_unique<FrmMeestart>(meetings.meetingList()); }, {}},
        // A five-candidate election in the table, bar and pie views.
        {"FrmResult",
         [&] {
             return std::make_unique<FrmResult>(hallScreen,
                                                ResultRequest{kMeeting,
                                                              QStringLiteral("Board"),
                                                              3,
                                                              {"Ana", "Bo", "Carla", "Dai", "Eva"},
                                                              QStringLiteral("12:9:7:15:5:"),
                                                              QDateTime(QDate(2026, 12, 7), QTime(10, 30)),
                                                              false,
                                                              QStringLiteral("1024*768")});
         },
         {[](QWidget& window) { static_cast<FrmResult&>(window).showView(PanelKind::Histogram); },
          [](QWidget& window) { static_cast<FrmResult&>(window).showView(PanelKind::Pie); }}},
        {"FrmKeyMonitor",
         [&] { return std::make_unique<FrmKeyMonitor>(link, services.clock(), kMeeting, 0); },
         {}},
        // Sign-in first, then the voting place, the documents and sign-in again.
        {"FrmConmee",
         [&] { return meetingHub(link, services, hallScreen, meetings, "1"); },
         {view(&FrmConmee::showVote), view(&FrmConmee::showDocuments), view(&FrmConmee::showSignIn)}},
        {"FrmConmee-discussion", [&] { return meetingHub(link, services, hallScreen, meetings, "0"); }, {}},
        {"FrmSysset",
         [&] { return std::make_unique<FrmSysset>(link, hallScreen, QStringLiteral("0")); },
         {view(&FrmSysset::showSeats), view(&FrmSysset::showCameras)}},
        // The record, then each register with a category chosen.
        {"FrmMdisposal",
         [&] { return std::make_unique<FrmMdisposal>(meetings.meetingList()); },
         {[](QWidget& window) {
              auto& hub = static_cast<FrmMdisposal&>(window);
              hub.showPage(hub.signInRegister());
          },
          [](QWidget& window) {
              auto& hub = static_cast<FrmMdisposal&>(window);
              hub.showPage(hub.voteRegister());
              hub.voteRegister()->chooseCategory(1);
          },
          [](QWidget& window) { static_cast<FrmMdisposal&>(window).voteRegister()->chooseCategory(2); },
          [](QWidget& window) {
              auto& hub = static_cast<FrmMdisposal&>(window);
              hub.showPage(hub.speakerRegister());
          }}},
        {"FrmSysPre",
         [] {
             RegisterTable table;
             table.addColumn(QStringLiteral("No."), 40);
             table.rows << QStringList{QStringLiteral("1")};
             return std::make_unique<FrmSysPre>(table,
                                                RegisterHeading{kMeeting, QString(), QString(), QString(),
                                                                QStringLiteral("%1 / %2"), QString()});
         },
         {}},
        {"FrmVidAdj", [&] { return std::make_unique<FrmVidAdj>(link); }, {}},
        {"FrmHelp", [] { return std::make_unique<FrmHelp>(FrmHelp::guidePath()); }, {}},
    };
}

} // namespace

void EveryWindowTest::SetUp()
{
    ConsoleTest::SetUp();
    ASSERT_TRUE(Schema::ensureSystemDatabase());
    Schema::createMeetingDatabase(kMeeting);
    useLanguage(GetParam());
    link.setUnitCount(40);
    services.startup = {QStringLiteral("0"), QStringLiteral("main.png"), QStringLiteral("logo.png")};
    hallScreen = std::make_unique<FrmScr>();
    // As the program does at start-up, so combo boxes report their label.
    PageBuilder::nameComboBoxesByLabel();
}

void EveryWindowTest::TearDown()
{
    hallScreen.reset();
    ConsoleTest::TearDown();
}

void EveryWindowTest::forEveryView(const std::function<void(QWidget& window, const QString& view)>& check)
{
    MeetingSessions meetings(link, clock); // outlives every hub
    for (const WindowViews& entry : everyWindow(link, services, *hallScreen, meetings)) {
        std::unique_ptr<QWidget> window = entry.open();
        window->show();
        check(*window, entry.name);
        int number = 1;
        for (const auto& next : entry.nextViews) {
            next(*window);
            check(*window, QStringLiteral("%1-%2").arg(entry.name).arg(++number));
        }
    }
}
