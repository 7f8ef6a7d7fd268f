// A round the end-to-end tests cut off or starve: the console's sign-in or
// vote procedure on a link to unitsim, ending the way the program ends
// (SIGTERM and SIGINT close a running vote first), with the pages' handling of
// a round that could not be stored. It starts the round when the link's
// start-up is over and speaks one line per event on stdout:
//   collecting | live RESULT | present N | message TEXT | tell TEXT |
//   ask TEXT | again 0|1
// and takes one command per line on stdin: start, end, quit; a question
// ("ask") waits for yes or no, as the operator's message box would.
//   round_runner FOLDER TERMINAL MEETING vote MOTION_KEY
//   round_runner FOLDER TERMINAL MEETING signin
#include "app/InterruptedRounds.h"
#include "core/ConsoleServices.h"
#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "core/Prompt.h"
#include "core/TimerService.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "meeting/HeldRound.h"
#include "meeting/MeetingState.h"
#include "meeting/SignInSession.h"
#include "meeting/VoteSession.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <optional>
#include <type_traits>
#include <unistd.h>

namespace {

void say(const QString& line)
{
    std::printf("%s\n", qPrintable(QString(line).replace(QLatin1Char('\n'), QLatin1Char(' '))));
    std::fflush(stdout);
}

// Lines from stdin, read without stdio's buffer so the notifier never misses one.
class StdinLines
{
public:
    // Reads what has arrived; false at the end of the input.
    bool fill()
    {
        char chunk[256];
        const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (got > 0)
            m_buffer.append(chunk, got);
        return got > 0;
    }
    // The next whole line already read.
    std::optional<QByteArray> take()
    {
        const qsizetype end = m_buffer.indexOf('\n');
        if (end < 0)
            return std::nullopt;
        const QByteArray line = m_buffer.left(end).trimmed();
        m_buffer.remove(0, end + 1);
        return line;
    }
    // The next line, waiting for it; empty at the end of the input.
    QByteArray wait()
    {
        for (;;) {
            if (const std::optional<QByteArray> line = take())
                return *line;
            if (!fill())
                return QByteArray();
        }
    }

private:
    QByteArray m_buffer;
};

StdinLines input;

// The operator at a message box: every question waits for a yes or no line.
class StdinPrompter : public Prompter
{
public:
    void information(const QString&, const QString& text) override { say(QStringLiteral("tell ") + text); }
    bool question(const QString&, const QString& text) override
    {
        say(QStringLiteral("ask ") + text);
        return input.wait() == "yes";
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const bool vote = arguments.value(4) == QLatin1String("vote");
    if (arguments.size() != (vote ? 6 : 5))
        return 2;
    StdinPrompter prompter;
    ConsoleServices services;
    services.prompter = &prompter;
    const Services::Scope installed(services);
    ProgramFolder::set(arguments[1]);
    LanguageTable::setFile(LanguageTable::fileForCode(QStringLiteral("1")));
    InterruptedRounds::closeRunningAtEveryEnd();

    const Meeting meeting = MeetingTable().find(arguments[3]).value_or(Meeting{});
    MotionTable motions;
    motions.setMeeting(meeting.name);
    Motion motion;
    for (const Motion& m : motions.all().value_or(QList<Motion>{}))
        if (m.key == arguments.value(5))
            motion = m;

    Link link;
    link.setPortOverrides({{1, arguments[2]}});
    MeetingState state;
    state.setSignInClosed(true);
    VoteSession voteSession(link, programTimers(), state, VoteTexts::fromLanguageTables());
    SignInSession signInSession(link, programTimers(), state, SignInTexts::fromLanguageTable());
    voteSession.setMeeting(meeting);
    signInSession.setMeeting(meeting);
    const PageTexts texts = vote ? PageTexts(QStringLiteral("FrmMeeVote"), QStringLiteral("MsgClew"))
                                 : PageTexts(QStringLiteral("FrmManChe"), QStringLiteral("clew"));

    // The pages' answer to a held round, the "Try again" included.
    const auto wire = [&](auto& session) {
        using Session = std::remove_reference_t<decltype(session)>;
        QObject::connect(&session, &Session::stateChanged, [](typename Session::State s) {
            if (s == Session::State::Collecting)
                say(QStringLiteral("collecting"));
        });
        QObject::connect(&session, &Session::message, [](const QString& text) { say("message " + text); });
        Session* held = &session;
        QObject::connect(&session, &Session::held, [&texts, held](const QString& reason) {
            offerHeldRound(
                texts, reason,
                [held] {
                    const bool stored = held->storeAgain();
                    say(QStringLiteral("again %1").arg(int(stored)));
                    return stored;
                },
                [held] { held->discardHeld(); });
        });
    };
    wire(voteSession);
    wire(signInSession);
    QObject::connect(&voteSession, &VoteSession::resultChanged, [](const VoteCount::Outcome& outcome, bool) {
        say(QStringLiteral("live ") + outcome.result);
    });
    QObject::connect(&signInSession, &SignInSession::figuresChanged,
                     [](const SignInCount::Figures& figures, const QString&) {
                         say(QStringLiteral("present %1").arg(figures.present));
                     });

    const auto start = [&] {
        if (!vote) {
            signInSession.start();
            return;
        }
        // As an ended sign-in of units 1-30 leaves the unit table: only their keys count.
        for (int n = 1; n <= 30; ++n)
            link.setSignedIn(n, true);
        voteSession.start(motion);
    };
    const auto running = [&] { return vote ? voteSession.isRunning() : signInSession.isRunning(); };
    // The first start once the link's start-up is over (its ControlEnd has gone).
    bool started = false;
    QObject::connect(&link, &Link::frameSent, &voteSession, [&](quint32 word) {
        if (word != Commands::kControlEnd || started)
            return;
        started = true;
        start();
    });
    QSocketNotifier commands(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&commands, &QSocketNotifier::activated, [&] {
        if (!input.fill())
            commands.setEnabled(false);
        while (const std::optional<QByteArray> line = input.take()) {
            if (*line == "start" && !running())
                start();
            else if (*line == "end")
                vote ? voteSession.end() : signInSession.end();
            else if (*line == "quit")
                QCoreApplication::exit(0);
        }
    });
    link.start(1, 1, 40, 1);
    return QCoreApplication::exec();
}
