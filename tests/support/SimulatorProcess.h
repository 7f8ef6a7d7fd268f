#pragma once
// The real simulated controller (unitsim) on a pseudo-terminal, for tests that
// run the link with real serial I/O and real timers. It logs every frame with
// its time, takes scripted actions and is killed with the object.

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>

// Runs the event loop until done() holds, looking every millisecond; false on
// time-out. Unlike QTest::qWaitFor it never sleeps, so a console under test
// reads the simulator's answers the moment they arrive.
bool runEventsUntil(const std::function<bool()>& done, int timeoutMs);

class SimulatorProcess
{
public:
    ~SimulatorProcess();

    // Starts `executable` with these units; false (and a message) when it gives no terminal.
    // `extra`: more options (e.g. --link PATH, --auto).
    bool start(const QString& executable, int units, int chairs, const QString& logFile,
               const QStringList& extra = {});
    // The pseudo-terminal the console opens as its port.
    QString terminal() const { return m_terminal; }
    QString logFile() const { return m_log; }

    // Sends one scripted action; true once the simulator confirmed it.
    bool act(const QString& line);
    // The words the simulator received, in order.
    QList<quint32> received() const;
    // Milliseconds between the first frame received with `from` and the next with `to`; -1 when none.
    qint64 span(quint32 from, quint32 to) const;

private:
    struct Logged
    {
        double seconds;
        quint32 word;
    };
    QList<Logged> log() const;

    QProcess m_process;
    QString m_terminal;
    QString m_log;
};
