#include "support/SimulatorProcess.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTest>
#include <QTimer>

SimulatorProcess::~SimulatorProcess()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

bool SimulatorProcess::start(const QString& executable, int units, int chairs, const QString& logFile,
                             const QStringList& extra)
{
    m_log = logFile;
    QStringList arguments =
        QStringList{"--units", QString::number(units), "--chairs", QString::number(chairs)} + extra;
    if (!logFile.isEmpty())
        arguments << "--log" << logFile;
    m_process.start(executable, arguments);
    if (!m_process.waitForStarted(10000) || !QTest::qWaitFor([&] { return m_process.canReadLine(); }, 10000))
        return false;
    m_terminal = QString::fromUtf8(m_process.readLine()).trimmed();
    return m_terminal.startsWith(QLatin1String("/dev/"));
}

bool SimulatorProcess::act(const QString& line)
{
    m_process.write(line.toUtf8() + '\n');
    if (!QTest::qWaitFor([&] { return m_process.canReadLine(); }, 5000))
        return false;
    return QString::fromUtf8(m_process.readLine()).trimmed() == QLatin1String("ok: ") + line;
}

QList<SimulatorProcess::Logged> SimulatorProcess::log() const
{
    QFile file(m_log);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QList<Logged> frames;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 3 && fields[1] == "RX")
            frames.append({fields[0].toDouble(), fields[2].toUInt(nullptr, 16)});
    }
    return frames;
}

QList<quint32> SimulatorProcess::received() const
{
    QList<quint32> words;
    for (const Logged& frame : log())
        words.append(frame.word);
    return words;
}

qint64 SimulatorProcess::span(quint32 from, quint32 to) const
{
    double start = -1;
    for (const Logged& frame : log()) {
        if (start < 0 && frame.word == from)
            start = frame.seconds;
        else if (start >= 0 && frame.word == to)
            return qint64((frame.seconds - start) * 1000);
    }
    return -1;
}

bool runEventsUntil(const std::function<bool()>& done, int timeoutMs)
{
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer look;
    look.setTimerType(Qt::PreciseTimer);
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() >= timeoutMs)
            loop.quit();
    });
    if (done())
        return true;
    look.start(1);
    loop.exec();
    return done();
}
