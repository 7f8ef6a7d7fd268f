#include "support/MemoryPipe.h"

#include "core/TimerService.h"

MemoryPipe::~MemoryPipe()
{
    close();
}

bool MemoryPipe::open(const QString& devicePath)
{
    close();
    if (!m_bank->tryOpen(this, devicePath)) {
        m_error = QStringLiteral("cannot open %1").arg(devicePath);
        return false;
    }
    m_path = devicePath;
    m_open = true;
    m_error.clear();
    return true;
}

void MemoryPipe::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_bank->closed(this);
}

qint64 MemoryPipe::write(const QByteArray& bytes)
{
    if (!m_open)
        return -1;
    m_bank->written(this, bytes);
    return bytes.size();
}

MemoryPortBank::MemoryPortBank() = default;

MemoryPortBank::~MemoryPortBank() = default;

BytePipeFactory MemoryPortBank::factory()
{
    return [this] { return std::make_unique<MemoryPipe>(this); };
}

QList<quint32> MemoryPortBank::sentWords() const
{
    QList<quint32> words;
    for (const Sent& sent : m_sent)
        words.append(sent.word);
    return words;
}

QList<quint32> MemoryPortBank::sentWords(const QString& path) const
{
    QList<quint32> words;
    for (const Sent& sent : m_sent) {
        if (sent.path == path)
            words.append(sent.word);
    }
    return words;
}

MemoryPipe* MemoryPortBank::openPipe(const QString& path) const
{
    for (auto it = m_open.crbegin(); it != m_open.crend(); ++it) {
        if (path.isEmpty() || (*it)->path() == path)
            return *it;
    }
    return nullptr;
}

bool MemoryPortBank::receive(const QByteArray& bytes, const QString& path)
{
    MemoryPipe* pipe = openPipe(path);
    if (!pipe)
        return false;
    pipe->receive(bytes);
    return true;
}

bool MemoryPortBank::tryOpen(MemoryPipe* pipe, const QString& path)
{
    m_attempts.append(path);
    if (m_refused.contains(path))
        return false;
    m_open.append(pipe);
    return true;
}

void MemoryPortBank::closed(MemoryPipe* pipe)
{
    m_open.removeAll(pipe);
    for (Answer& answer : m_answers) {
        if (answer.pipe == pipe)
            answer.pipe = nullptr;
    }
}

void MemoryPortBank::written(MemoryPipe* pipe, const QByteArray& bytes)
{
    m_raw.append(bytes);
    for (const UnitFrame& frame : m_decoder.feed(bytes)) {
        m_sent.append({pipe->path(), frame.word(), programTimers().now()});
        if (!m_responder)
            continue;
        const QByteArray answer = m_responder(pipe->path(), frame.word());
        if (answer.isEmpty())
            continue;
        m_answers.append({pipe, answer, programTimers().now() + m_answerDelayMs});
        // Made on first use, so a bank built before the test installs its clock uses that clock.
        if (!m_answerTimer)
            m_answerTimer = programTimers().createTimer([this] { flushAnswers(); }, true);
        if (!m_answerTimer->isActive())
            m_answerTimer->start(m_answerDelayMs);
    }
}

void MemoryPortBank::flushAnswers()
{
    // Each answer arrives at its own time; the ones not yet due wait for the next round.
    const qint64 now = programTimers().now();
    QList<Answer> due;
    for (qsizetype i = 0; i < m_answers.size();) {
        if (m_answers[i].due <= now)
            due.append(m_answers.takeAt(i));
        else
            ++i;
    }
    if (!m_answers.isEmpty())
        m_answerTimer->start(int(m_answers.first().due - now));
    for (const Answer& answer : due) {
        if (answer.pipe && answer.pipe->isOpen())
            answer.pipe->receive(answer.bytes);
    }
}
