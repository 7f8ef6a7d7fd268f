// unitsim: a simulated conference controller on a pseudo-terminal.
//
//   unitsim [--units N] [--chairs N] [--link PATH] [--log FILE] [--script FILE] [--auto] [--seed N]
//           [--turnaround MS]
//
// Answers come as late as on the real line: the frame in and the answer out
// take 8.3 ms at 9600 bit/s, and a unit turns round in --turnaround ms (0.5).
//
// Prints the terminal's path on the first line of standard output, then answers
// the console's frames. Actions come from --script and from standard input, one
// per line (see UnitHall::parse), plus the line-level ones:
//   noise P       hit each byte sent with probability P (0..1): a flipped bit, a lost or an extra byte
//   trickle on    send answers one byte at a time
//   silent [off]  stop (or resume) answering
//   delay MS      answer MS milliseconds after each frame (instead of the line's time)
//   wait MS       pause the script
//   vanish MS     the controller goes away: the terminal is closed (the console's
//                 end hangs up) and the --link removed; MS later a new terminal
//                 comes at the same --link, and the hall answers there as before
//   quit
// Each action is confirmed on standard output ("ok: ..." or "error: ...").

#include "link/Commands.h"
#include "link/FrameCodec.h"
#include "training/HallTiming.h"
#include "training/LineNoise.h"
#include "training/UnitHall.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

QByteArray g_linkPath; // removed again on exit

void removeLinkAndExit(int)
{
    if (!g_linkPath.isEmpty())
        ::unlink(g_linkPath.constData());
    ::_exit(0);
}

class Simulator : public QObject
{
public:
    void setAnswerDelay(int ms) { m_delayMs = ms; }

    Simulator(int units, int chairs) : m_hall(units, chairs), m_decoder(commandClasses())
    {
        m_clock.start();
        m_random.seed(12345);
    }

    bool openTerminal(QString* slavePath)
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return false;
        const char* name = ::ptsname(m_master);
        if (!name)
            return false;
        *slavePath = QString::fromLocal8Bit(name);
        // Keep the slave open ourselves: the master then never sees a hang-up when the console closes it.
        m_slave = ::open(name, O_RDWR | O_NOCTTY);
        if (m_slave < 0)
            return false;
        termios raw{};
        ::tcgetattr(m_slave, &raw);
        ::cfmakeraw(&raw);
        ::cfsetispeed(&raw, B9600);
        ::cfsetospeed(&raw, B9600);
        ::tcsetattr(m_slave, TCSANOW, &raw);
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
        m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] { readLine(); });
        return true;
    }

    bool openLog(const QString& path)
    {
        m_log.setFileName(path);
        return m_log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
    }

    void setAuto(bool on, quint32 seed)
    {
        m_hall.setAuto(on, seed);
        if (!on)
            return;
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] { send(m_hall.autoStep(m_clock.elapsed())); });
        timer->start(100);
    }

    // Queues script lines; `wait` pauses the queue.
    void enqueue(const QStringList& lines)
    {
        m_script += lines;
        if (!m_waiting)
            runScript();
    }

private:
    static QList<quint8> commandClasses()
    {
        return {Commands::kClassPoll,          Commands::kClassControl,    Commands::kClassSignIn,
                Commands::kClassConfirmSignIn, Commands::kClassVote,       Commands::kClassNumbering,
                Commands::kClassSpeakerOn,     Commands::kClassSpeakerOff, Commands::kClassSpeechMode,
                Commands::kClassForbid,        Commands::kClassCamera};
    }

    void log(const char* direction, quint32 word)
    {
        if (!m_log.isOpen())
            return;
        QTextStream out(&m_log);
        out << QString::asprintf("%10.3f %s %06X %s\n", m_clock.nsecsElapsed() / 1e9, direction,
                                 word & 0xFFFFFF, qPrintable(Commands::name(word)));
        out.flush();
    }

    void readLine()
    {
        char buffer[1024];
        for (;;) {
            const ssize_t got = ::read(m_master, buffer, sizeof buffer);
            if (got <= 0)
                break;
            for (const UnitFrame& frame : m_decoder.feed(QByteArrayView(buffer, got))) {
                log("RX", frame.word());
                const QList<quint32> replies = m_hall.receive(frame.word());
                if (m_delayMs > 0)
                    QTimer::singleShot(m_delayMs, Qt::PreciseTimer, this, [this, replies] { send(replies); });
                else
                    send(replies);
            }
        }
    }

    void send(const QList<quint32>& words)
    {
        if (m_silent || words.isEmpty())
            return;
        QByteArray bytes;
        for (quint32 word : words) {
            log("TX", word);
            bytes += FrameCodec::encode(word);
        }
        bytes = LineNoise::apply(bytes, m_noise, m_random);
        if (!m_trickle) {
            writeAll(bytes);
            return;
        }
        m_trickleQueue += bytes;
        if (!m_trickleTimer) {
            m_trickleTimer = new QTimer(this);
            connect(m_trickleTimer, &QTimer::timeout, this, [this] {
                if (m_trickleQueue.isEmpty()) {
                    m_trickleTimer->stop();
                    return;
                }
                writeAll(m_trickleQueue.left(1));
                m_trickleQueue.remove(0, 1);
            });
        }
        if (!m_trickleTimer->isActive())
            m_trickleTimer->start(2);
    }

    void writeAll(const QByteArray& bytes)
    {
        if (m_master < 0)
            return;
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t wrote = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
            if (wrote < 0 && errno != EAGAIN && errno != EINTR)
                return;
            if (wrote > 0)
                done += wrote;
        }
    }

    void vanish(int ms)
    {
        delete m_notifier;
        m_notifier = nullptr;
        ::close(m_slave);
        ::close(m_master);
        m_master = m_slave = -1;
        if (!g_linkPath.isEmpty())
            ::unlink(g_linkPath.constData());
        QTimer::singleShot(ms, this, [this] {
            QString path;
            if (!openTerminal(&path) ||
                (!g_linkPath.isEmpty() &&
                 ::symlink(QFile::encodeName(path).constData(), g_linkPath.constData()) != 0))
                std::fprintf(stderr, "unitsim: cannot come back: %s\n", std::strerror(errno));
        });
    }

    void runScript()
    {
        while (!m_script.isEmpty()) {
            const QString line = m_script.takeFirst();
            QString error;
            const std::optional<UnitHall::Action> action = UnitHall::parse(line, &error);
            if (!action) {
                std::printf("error: %s\n", qPrintable(error));
                std::fflush(stdout);
                continue;
            }
            if (action->kind == UnitHall::Action::None)
                continue;
            // Confirms each action on standard output, so a driver knows it took effect.
            std::printf("ok: %s\n", qPrintable(line.trimmed()));
            std::fflush(stdout);
            if (action->kind != UnitHall::Action::Transport) {
                send(m_hall.apply(*action));
                continue;
            }
            const QString& arg = action->argument;
            if (action->verb == QLatin1String("wait")) {
                m_waiting = true;
                QTimer::singleShot(qMax(0, arg.toInt()), this, [this] {
                    m_waiting = false;
                    runScript();
                });
                return;
            }
            if (action->verb == QLatin1String("noise"))
                m_noise = qBound(0.0, arg.toDouble(), 1.0);
            else if (action->verb == QLatin1String("trickle"))
                m_trickle = arg.toLower() != QLatin1String("off");
            else if (action->verb == QLatin1String("silent"))
                m_silent = arg.toLower() != QLatin1String("off");
            else if (action->verb == QLatin1String("delay"))
                m_delayMs = qMax(0, arg.toInt());
            else if (action->verb == QLatin1String("vanish"))
                vanish(qMax(0, arg.toInt()));
            else if (action->verb == QLatin1String("quit"))
                removeLinkAndExit(0);
        }
    }

    UnitHall m_hall;
    FrameDecoder m_decoder;
    QElapsedTimer m_clock;
    QRandomGenerator m_random;
    QFile m_log;
    int m_master = -1;
    int m_slave = -1;
    QSocketNotifier* m_notifier = nullptr;
    QStringList m_script;
    bool m_waiting = false;
    double m_noise = 0;
    bool m_trickle = false;
    bool m_silent = false;
    int m_delayMs = 0;
    QByteArray m_trickleQueue;
    QTimer* m_trickleTimer = nullptr;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("unitsim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated conference controller on a pseudo-terminal."));
    parser.addHelpOption();
    const QCommandLineOption units(QStringLiteral("units"), QStringLiteral("Number of delegate units (40)."),
                                   QStringLiteral("N"), QStringLiteral("40"));
    const QCommandLineOption chairs(QStringLiteral("chairs"), QStringLiteral("Number of chairman units (1)."),
                                    QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Also make PATH a link to the terminal."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption logFile(
        QStringLiteral("log"), QStringLiteral("Log every frame with a time stamp."), QStringLiteral("FILE"));
    const QCommandLineOption script(QStringLiteral("script"), QStringLiteral("Run actions from FILE."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption lively(QStringLiteral("auto"), QStringLiteral("A lively hall."));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Random seed for --auto."),
                                  QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption turnaround(QStringLiteral("turnaround"),
                                        QStringLiteral("Milliseconds a unit takes before it answers (0.5)."),
                                        QStringLiteral("MS"), QStringLiteral("0.5"));
    parser.addOptions({units, chairs, link, logFile, script, lively, seed, turnaround});
    parser.process(app);

    Simulator simulator(parser.value(units).toInt(), parser.value(chairs).toInt());
    QString slavePath;
    if (!simulator.openTerminal(&slavePath)) {
        std::fprintf(stderr, "unitsim: cannot open a pseudo-terminal: %s\n", std::strerror(errno));
        return 1;
    }
    if (parser.isSet(logFile) && !simulator.openLog(parser.value(logFile))) {
        std::fprintf(stderr, "unitsim: cannot write %s\n", qPrintable(parser.value(logFile)));
        return 1;
    }
    if (parser.isSet(link)) {
        g_linkPath = QFile::encodeName(parser.value(link));
        ::unlink(g_linkPath.constData());
        if (::symlink(QFile::encodeName(slavePath).constData(), g_linkPath.constData()) != 0) {
            std::fprintf(stderr, "unitsim: cannot link %s\n", g_linkPath.constData());
            return 1;
        }
    }
    std::signal(SIGINT, removeLinkAndExit);
    std::signal(SIGTERM, removeLinkAndExit);
    std::printf("%s\n", qPrintable(slavePath));
    std::fflush(stdout);

    simulator.setAuto(parser.isSet(lively), parser.value(seed).toUInt());
    simulator.setAnswerDelay(HallTiming::answerDelayMs(parser.value(turnaround).toDouble()));
    if (parser.isSet(script)) {
        QFile file(parser.value(script));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            std::fprintf(stderr, "unitsim: cannot read %s\n", qPrintable(parser.value(script)));
            return 1;
        }
        simulator.enqueue(QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')));
    }
    // Actions typed or piped on standard input; end of input leaves the hall running.
    QByteArray pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[512];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            input.setEnabled(false);
            return;
        }
        pending.append(buffer, got);
        QStringList lines;
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            lines.append(QString::fromUtf8(pending.left(end)));
            pending.remove(0, end + 1);
        }
        simulator.enqueue(lines);
    });
    return app.exec();
}
