#include "app/InterruptedRounds.h"

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "core/Prompt.h"
#include "core/QuitSignals.h"
#include "data/Schema.h"
#include "meeting/RoundRecovery.h"
#include "prep/MeetingTable.h"
#include "ui/ProgramEnd.h"

#include <QDateTime>
#include <QFileInfo>

namespace {

QString now()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));
}

// "yyyyMMddHHmmss" as the operator reads it.
QString shown(const QString& key)
{
    const QDateTime time = QDateTime::fromString(key, QStringLiteral("yyyyMMddHHmmss"));
    return time.isValid() ? time.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")) : key;
}

// The meetings whose database file is there (a missing one is no concern here).
QStringList meetingsWithDatabase()
{
    MeetingTable meetings;
    QStringList names;
    for (const Meeting& meeting : meetings.all().value_or(QList<Meeting>{}))
        if (QFileInfo::exists(ProgramFolder::filePath(Schema::meetingDatabasePath(meeting.name))))
            names.append(meeting.name);
    return names;
}

QList<RoundRecovery::InterruptedVote> closeVotes(const QString& meeting)
{
    return RoundRecovery::closeInterruptedVotes(Schema::meetingDatabasePath(meeting),
                                                Texts(QStringLiteral("FrmMeeMat"))(QStringLiteral("DataNo")),
                                                now());
}

} // namespace

namespace InterruptedRounds {

void recover()
{
    const Texts texts(QStringLiteral("Public"));
    const Texts signInPage(QStringLiteral("FrmManChe"));
    for (const QString& meeting : meetingsWithDatabase()) {
        for (const RoundRecovery::InterruptedVote& vote : closeVotes(meeting))
            Prompt::information(
                Prompt::caption(),
                texts(QStringLiteral("MsgVoteInterrupted")).arg(vote.motion, meeting, shown(vote.startedAt)));
        const std::optional<SignInJournal::Round> signIn =
            SignInJournal::find(Schema::meetingDatabasePath(meeting));
        if (!signIn)
            continue;
        const bool store = Prompt::question(Prompt::caption(), texts(QStringLiteral("MsgSignInInterrupted"))
                                                                   .arg(meeting, shown(signIn->startAt))
                                                                   .arg(signIn->arrivals.size()));
        if (store)
            RoundRecovery::storeInterruptedSignIn(
                meeting, *signIn,
                {signInPage(QStringLiteral("MsgScrView9")), signInPage(QStringLiteral("MsgScrView10"))},
                now());
        else
            RoundRecovery::discardInterruptedSignIn(meeting, *signIn, now());
    }
}

void closeRunning()
{
    for (const QString& meeting : meetingsWithDatabase())
        closeVotes(meeting);
}

void closeRunningAtEveryEnd()
{
    // A round cut off while it ran is recorded whatever ends the program.
    static const char owner = 0;
    ProgramEnd::atEnd(&owner, closeRunning);
    // A signal ends the program as its exit does, with the shell's code for a signal.
    QuitSignals::install([](int signal) { ProgramEnd::now(128 + signal); });
}

} // namespace InterruptedRounds
