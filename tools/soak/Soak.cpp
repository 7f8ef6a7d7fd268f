// soak: the console's link and procedures against unitsim for a long time, with line noise and
// units going offline and online. Rounds take turns: a sign-in, then a vote of each kind, each
// followed by microphones opened and closed; after each the stored attendance or result must
// equal what the simulator pressed. One line per round gives the memory (RSS) and CPU time.
//   soak [--seconds N] [--units N] [--noise P] [--seed N]
// No round starts after N seconds. Exits 1 on the first mismatch or message.
#include "core/ConsoleServices.h"
#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "core/Prompt.h"
#include "core/TimerService.h"
#include "link/Link.h"
#include "meeting/MeetingState.h"
#include "meeting/MeetingTestData.h"
#include "meeting/SignInSession.h"
#include "meeting/VoteSession.h"
#include "speak/MicrophoneControl.h"
#include "support/SimulatorProcess.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString kMeeting = QStringLiteral("Soak");
// Long enough for every unit to be seen: at 1 % noise per byte one answer in
// 25 is lost, and with 249 units some unit loses two or three in a row.
constexpr int kSeenWithinMs = 60000;

// Any message the procedures give is a fault here: nobody is there to read it.
class FailingPrompter : public Prompter
{
public:
    void information(const QString& caption, const QString& text) override { note(caption, text); }
    bool question(const QString& caption, const QString& text) override
    {
        note(caption, text);
        return false;
    }
    int count = 0;

private:
    void note(const QString& caption, const QString& text)
    {
        ++count;
        std::fprintf(stderr, "soak: message: %s: %s\n", qPrintable(caption), qPrintable(text));
    }
};

QString unitList(const QList<int>& units)
{
    QStringList out;
    for (int unit : units)
        out << QString::number(unit);
    return out.join(u',');
}

long rssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class Soak
{
public:
    Soak(SimulatorProcess& sim, int units, double noise, quint32 seed)
        : m_sim(sim), m_units(units), m_noise(noise), m_random(seed)
    {
    }

    bool setUp()
    {
        if (!Schema::ensureSystemDatabase())
            return false;
        m_meeting = MeetingTestData::addMeeting(kMeeting, m_units, m_units);
        for (int kind = 0; kind < VoteCount::kKinds; ++kind)
            m_motions.append(MeetingTestData::addMotion(kMeeting, QStringLiteral("Kind %1").arg(kind), kind,
                                                        QStringLiteral("2026030110000%1").arg(kind)));
        m_link.setPortOverrides({{1, m_sim.terminal()}});
        m_link.start(1, 1, m_units, 1);
        m_signIn.setMeeting(m_meeting);
        m_vote.setMeeting(m_meeting);
        return waitFor([&] { return m_link.operatingMode() == LinkMode::Idle && m_link.linkConnected(); },
                       20000, "the link came up");
    }

    // One round; false on the first mismatch.
    // One round: a sign-in (with other units offline) or a vote of the next kind, then microphones.
    // The sign-in comes first and after every seventh vote. False on the first mismatch.
    // What the decoder and the line watch saw over the whole run.
    void printLine() const
    {
        std::printf("link: %llu frames sent, %llu received, %llu bytes discarded; %llu line troubles "
                    "(lost or faulty), garbage %d %% in the last window\n",
                    (unsigned long long)m_link.framesSent(), (unsigned long long)m_link.framesReceived(),
                    (unsigned long long)m_link.bytesDiscarded(),
                    (unsigned long long)m_link.lineMark().troubles, m_link.garbagePercent());
    }

    bool round(int number)
    {
        const int step = number % (VoteCount::kKinds + 1);
        const bool done = step == 0 ? changeOnlineUnits() && signIn() : vote(step - 1);
        return done && moveMicrophones();
    }

private:
    bool waitFor(const std::function<bool()>& condition, int ms, const char* what)
    {
        if (QTest::qWaitFor(condition, ms))
            return true;
        std::fprintf(stderr, "soak: not within %d ms: %s\n", ms, what);
        return false;
    }

    bool act(const QString& line)
    {
        if (m_sim.act(line))
            return true;
        std::fprintf(stderr, "soak: unitsim refused: %s\n", qPrintable(line));
        return false;
    }

    QList<int> pick(const QList<int>& from, int count)
    {
        QList<int> pool = from;
        QList<int> out;
        while (!pool.isEmpty() && out.size() < count)
            out.append(pool.takeAt(m_random.bounded(int(pool.size()))));
        std::sort(out.begin(), out.end());
        return out;
    }

    // A few units drop off the line and those gone before come back.
    bool changeOnlineUnits()
    {
        if (!m_offline.isEmpty() && !act(QStringLiteral("online ") + unitList(m_offline)))
            return false;
        QList<int> all;
        for (int n = 1; n <= m_units; ++n)
            all.append(n);
        m_offline = pick(all, 1 + m_random.bounded(5));
        m_online.clear();
        for (int n : all)
            if (!m_offline.contains(n))
                m_online.append(n);
        return act(QStringLiteral("offline ") + unitList(m_offline));
    }

    bool signIn()
    {
        m_present = pick(m_online, m_online.size() / 2 + m_random.bounded(int(m_online.size()) / 2));
        bool stored = false;
        QObject::connect(&m_signIn, &SignInSession::finished, [&](bool ok) { stored = ok; });
        const bool ran =
            m_signIn.start() &&
            waitFor([&] { return m_signIn.state() == SignInSession::State::Collecting; }, 10000,
                    "the sign-in collected") &&
            act(QStringLiteral("signin ") + unitList(m_present)) &&
            waitFor([&] { return signedInUnits() == m_present; }, kSeenWithinMs, "every sign-in was seen") &&
            m_signIn.end() &&
            waitFor([&] { return m_signIn.state() == SignInSession::State::Idle; }, 30000,
                    "the sign-in ended");
        m_signIn.disconnect();
        if (!ran)
            return report(QStringLiteral("sign-in: pressed %1; seen %2")
                              .arg(unitList(m_present), unitList(signedInUnits())));
        if (!stored)
            return report(QStringLiteral("the sign-in was not stored"));
        const QString mark = m_texts.signIn.signedInMark;
        const QStringList signs = MeetingTestData::column(
            QStringLiteral("select sign from Employees order by cast(CellNo as integer)"), "sign",
            Schema::meetingDatabasePath(kMeeting));
        for (int n = 1; n <= m_units; ++n)
            if ((signs.value(n - 1) == mark) != m_present.contains(n))
                return report(QStringLiteral("unit %1 stored as \"%2\"").arg(n).arg(signs.value(n - 1)));
        return true;
    }

    QList<int> signedInUnits() const
    {
        QList<int> out;
        for (int n = 1; n <= m_units; ++n)
            if (m_link.unit(n).signedIn)
                out.append(n);
        return out;
    }

    bool vote(int kind)
    {
        const Motion& motion = m_motions[kind];
        QList<int> keys(m_units, 0);
        QList<QString> presses;
        for (int n : m_present) {
            const int key = 1 + m_random.bounded(VoteCount::kKeys);
            // Some units press nothing; in the kinds that count every bit, some press two keys.
            if (m_random.bounded(10) == 0)
                continue;
            int bits = 1 << (key - 1);
            QString line = QStringLiteral("press %1 %2").arg(n).arg(key);
            if (VoteCount::counting(kind) == VoteCount::Counting::PerBit && m_random.bounded(3) == 0) {
                const int second = key % VoteCount::kKeys + 1;
                bits |= 1 << (second - 1);
                line += QStringLiteral(" %1").arg(second);
            }
            keys[n - 1] = bits;
            presses.append(line);
        }
        if (m_vote.start(motion) != VoteSession::StartResult::Started)
            return report(QStringLiteral("kind %1 did not start").arg(kind));
        if (!waitFor([&] { return m_vote.state() == VoteSession::State::Collecting; }, 10000,
                     "the vote collected"))
            return false;
        for (const QString& line : presses)
            if (!act(line))
                return false;
        const auto seen = [&] {
            for (int n = 1; n <= m_units; ++n)
                if ((m_link.unit(n).voteKeys & 0x1F) != keys[n - 1])
                    return false;
            return true;
        };
        if (!waitFor(seen, kSeenWithinMs, "every key was seen") || !m_vote.end() ||
            !waitFor([&] { return m_vote.state() == VoteSession::State::Idle; }, 30000, "the vote ended"))
            return false;
        if (!m_vote.lastStored())
            return report(QStringLiteral("kind %1 was not stored").arg(kind));
        const VoteCount::Outcome expected = VoteCount::outcome(
            kind, VoteCount::count(kind, keys), m_units, int(m_present.size()), motion, m_texts.vote.rules);
        const QString stored = MeetingTestData::storedMotion(kMeeting, motion.key).result;
        if (stored != expected.result)
            return report(
                QStringLiteral("kind %1 stored %2, pressed %3").arg(kind).arg(stored, expected.result));
        return true;
    }

    // The console opens microphones and the delegates open theirs; the table must follow both.
    // The controller reports a microphone once, unasked, and nothing polls for it again, so a
    // report lost to noise stays lost: this part runs on a clean line.
    bool moveMicrophones()
    {
        if (!act(QStringLiteral("noise 0")))
            return false;
        const bool moved = openAndCloseMicrophones();
        return act(QStringLiteral("noise %1").arg(m_noise)) && moved;
    }

    bool openAndCloseMicrophones()
    {
        MicrophoneControl control(m_link);
        const QList<int> byConsole = pick(m_online, 3);
        const QList<int> byDelegates = pick(m_online, 3);
        const auto micsAre = [&](const QList<int>& units, bool on) {
            return [&, units, on] {
                for (int n : units)
                    if (m_link.unit(n).micOn != on)
                        return false;
                return true;
            };
        };
        // The mailbox holds one word: each waits for the one before.
        for (int n : byConsole)
            if (!control.act(MicrophoneControl::UnitAction::Open, n) ||
                !waitFor(micsAre({n}, true), 20000, "the console opened a microphone"))
                return false;
        if (!act(QStringLiteral("mic %1 on").arg(unitList(byDelegates))) ||
            !waitFor(micsAre(byDelegates, true), 20000, "the delegates' microphones opened"))
            return false;
        control.closeAll();
        QList<int> delegates; // unit 1 is the chairman's and keeps its microphone
        for (int n = 2; n <= m_units; ++n)
            delegates.append(n);
        return waitFor(micsAre(delegates, false), 20000, "every microphone closed");
    }

    bool report(const QString& what)
    {
        std::fprintf(stderr, "soak: %s\n", qPrintable(what));
        return false;
    }

    struct Texts
    {
        SignInTexts signIn = SignInTexts::fromLanguageTable();
        VoteTexts vote = VoteTexts::fromLanguageTables();
    };

    SimulatorProcess& m_sim;
    int m_units;
    double m_noise;
    QRandomGenerator m_random;
    Link m_link;
    MeetingState m_state;
    Texts m_texts;
    SignInSession m_signIn{m_link, programTimers(), m_state, m_texts.signIn};
    VoteSession m_vote{m_link, programTimers(), m_state, m_texts.vote};
    Meeting m_meeting;
    QList<Motion> m_motions;
    QList<int> m_offline;
    QList<int> m_online;
    QList<int> m_present;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Long run of the link and procedures against unitsim."));
    parser.addHelpOption();
    const QCommandLineOption secondsOption(QStringLiteral("seconds"), QStringLiteral("How long (60)."),
                                           QStringLiteral("N"), QStringLiteral("60"));
    const QCommandLineOption unitsOption(QStringLiteral("units"), QStringLiteral("Delegate units (249)."),
                                         QStringLiteral("N"), QStringLiteral("249"));
    const QCommandLineOption noiseOption(QStringLiteral("noise"), QStringLiteral("Line noise (0.01)."),
                                         QStringLiteral("P"), QStringLiteral("0.01"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Random seed (1)."),
                                        QStringLiteral("N"), QStringLiteral("1"));
    parser.addOptions({secondsOption, unitsOption, noiseOption, seedOption});
    parser.process(app);
    const qint64 limitMs = parser.value(secondsOption).toLongLong() * 1000;
    const int units = std::clamp(parser.value(unitsOption).toInt(), 2, Link::kHighestUnit);

    QTemporaryDir folder;
    if (!folder.isValid() ||
        !ProgramFolder::copyTree(QStringLiteral(CONSOLE_SHARE_SOURCE_DIR), folder.path()))
        return 1;
    FailingPrompter prompter;
    ConsoleServices services;
    services.prompter = &prompter;
    const Services::Scope installed(services);
    ProgramFolder::set(folder.path());
    LanguageTable::setFile(LanguageTable::fileForCode(QStringLiteral("1")));

    SimulatorProcess sim;
    if (!sim.start(QStringLiteral(UNITSIM_EXECUTABLE), units, 1, QString()) ||
        !sim.act(QStringLiteral("noise ") + parser.value(noiseOption))) {
        std::fputs("soak: unitsim did not start\n", stderr);
        return 1;
    }
    Soak soak(sim, units, parser.value(noiseOption).toDouble(), parser.value(seedOption).toUInt());
    if (!soak.setUp())
        return 1;

    QElapsedTimer clock;
    clock.start();
    const long firstRss = rssKb();
    long highestRss = firstRss;
    int rounds = 0;
    std::printf("round seconds rss_kb cpu_s\n");
    std::fflush(stdout);
    while (clock.elapsed() < limitMs) {
        if (!soak.round(rounds) || prompter.count > 0) {
            std::printf("soak: FAILED in round %d after %lld s\n", rounds + 1, clock.elapsed() / 1000);
            return 1;
        }
        ++rounds;
        highestRss = std::max(highestRss, rssKb());
        std::printf("%d %lld %ld %.1f\n", rounds, clock.elapsed() / 1000, rssKb(), cpuSeconds());
        std::fflush(stdout);
    }
    soak.printLine();
    std::printf("soak: %d rounds in %lld s, every result as pressed; RSS %ld -> %ld kB (highest %ld), "
                "CPU %.1f s (%.1f %%)\n",
                rounds, clock.elapsed() / 1000, firstRss, rssKb(), highestRss, cpuSeconds(),
                100.0 * cpuSeconds() / (double(clock.elapsed()) / 1000.0));
    return rounds > 0 ? 0 : 1;
}
