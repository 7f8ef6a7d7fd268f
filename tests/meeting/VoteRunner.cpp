// A vote the interrupted-vote test cuts off: the console's vote procedure on a
// link to unitsim, ending the way the program ends (SIGTERM and SIGINT close
// the running vote first). It says "collecting" when the units may press and
// prints each live result string.
//   vote_runner FOLDER TERMINAL MEETING MOTION_KEY
#include "app/InterruptedRounds.h"
#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "core/TimerService.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "meeting/MeetingState.h"
#include "meeting/VoteSession.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 5)
        return 2;
    ProgramFolder::set(arguments[1]);
    LanguageTable::setFile(LanguageTable::fileForCode(QStringLiteral("1")));
    InterruptedRounds::closeRunningAtEveryEnd();

    const MeetingRecord meeting = MeetingTable().find(arguments[3]).value_or(MeetingRecord{});
    MotionTable motions;
    motions.setMeeting(meeting.MeeName);
    MotionRecord motion;
    for (const MotionRecord& m : motions.all().value_or(QList<MotionRecord>{}))
        if (m.insertdate == arguments[4])
            motion = m;

    Link link;
    link.setPortOverrides({{1, arguments[2]}});
    MeetingState state;
    state.setSignInClosed(true);
    VoteSession session(link, programTimers(), state, VoteTexts::fromLanguageTables());
    session.setMeeting(meeting);
    QObject::connect(&session, &VoteSession::stateChanged, [](VoteSession::State s) {
        if (s == VoteSession::State::Collecting)
            std::printf("collecting\n"), std::fflush(stdout);
    });
    QObject::connect(&session, &VoteSession::resultChanged, [](const VoteCount::Outcome& outcome, bool) {
        std::printf("live %s\n", qPrintable(outcome.result)), std::fflush(stdout);
    });
    // The vote starts once the start-up is over (its ControlEnd has gone).
    QObject::connect(&link, &Link::frameSent, &session, [&](quint32 word) {
        if (word != Commands::kControlEnd || session.isRunning())
            return;
        // As an ended sign-in of units 1-30 leaves the unit table: only their keys count.
        for (int n = 1; n <= 30; ++n)
            link.unit(n).signedIn = 1;
        if (session.start(motion) != VoteSession::StartResult::Started)
            QCoreApplication::exit(1);
    });
    link.start(1, 1, 40, 1);
    return QCoreApplication::exec();
}
