#include "training/TrainingHall.h"

#include "core/TimerService.h"
#include "training/HallTiming.h"
#include "training/LineNoise.h"

// The console's port in training: bytes written go to the hall, its answers come back through deliver().
class HallPipe : public BytePipe
{
public:
    explicit HallPipe(TrainingHall* hall) : m_hall(hall) {}
    ~HallPipe() override { close(); }

    bool open(const QString&) override
    {
        if (!m_hall)
            return false;
        close();
        m_open = true;
        m_hall->opened(this);
        return true;
    }
    void close() override
    {
        if (!m_open)
            return;
        m_open = false;
        if (m_hall)
            m_hall->closed(this);
    }
    bool isOpen() const override { return m_open; }
    qint64 write(const QByteArray& bytes) override
    {
        if (!m_open || !m_hall)
            return -1;
        m_hall->written(bytes);
        return bytes.size();
    }
    QString errorString() const override
    {
        return m_hall ? QString() : QStringLiteral("the simulated hall has gone");
    }

    void receive(const QByteArray& bytes) { deliver(bytes); }
    // The hall ends before the link: the pipe reads as closed from now on.
    void detach()
    {
        m_hall = nullptr;
        m_open = false;
    }

private:
    TrainingHall* m_hall;
    bool m_open = false;
};

TrainingHall::TrainingHall(int units, int chairs, TimerService& timers, quint32 seed)
    : m_hall(units, chairs), m_timers(timers)
{
    m_random.seed(seed);
    m_hall.setAuto(false, seed);
    m_answerTimer = timers.createTimer([this] { flushAnswers(); }, true);
    m_livelyTimer = timers.createTimer([this] { sendNow(m_hall.autoStep(m_timers.now())); });
}

TrainingHall::~TrainingHall()
{
    if (m_pipe)
        m_pipe->detach();
}

BytePipeFactory TrainingHall::pipeFactory()
{
    return [this] { return std::make_unique<HallPipe>(this); };
}

void TrainingHall::setLively(bool on)
{
    if (on == m_lively)
        return;
    m_lively = on;
    // Keeps the seed's sequence: switching on again plans afresh from the next sign-in or vote.
    m_hall.setAuto(on, m_random.generate());
    if (on)
        m_livelyTimer->start(kLivelyStepMs);
    else
        m_livelyTimer->stop();
}

void TrainingHall::setNoise(double probability)
{
    m_noise = qBound(0.0, probability, 1.0);
}

std::optional<QList<int>> TrainingHall::unitsFromText(const QString& text) const
{
    const std::optional<QList<int>> units = UnitHall::parseUnits(text);
    if (!units)
        return std::nullopt;
    for (int n : *units) {
        if (n > unitCount())
            return std::nullopt;
    }
    return units;
}

void TrainingHall::signIn(const QList<int>& units)
{
    apply(UnitHall::Action::SignIn, units);
}

void TrainingHall::press(const QList<int>& units, int key)
{
    apply(UnitHall::Action::Press, units, {key});
}

void TrainingHall::setMicrophone(const QList<int>& units, bool open)
{
    apply(UnitHall::Action::Mic, units, {}, open);
}

void TrainingHall::setOnline(const QList<int>& units, bool online)
{
    apply(online ? UnitHall::Action::Online : UnitHall::Action::Offline, units);
}

void TrainingHall::apply(UnitHall::Action::Kind kind, const QList<int>& units, const QList<int>& keys,
                         bool on)
{
    UnitHall::Action action;
    action.kind = kind;
    action.units = units;
    action.keys = keys;
    action.on = on;
    sendNow(m_hall.apply(action));
}

void TrainingHall::opened(HallPipe* pipe)
{
    m_pipe = pipe;
    m_decoder.reset();
    m_answers.clear();
}

void TrainingHall::closed(HallPipe* pipe)
{
    if (m_pipe != pipe)
        return;
    m_pipe = nullptr;
    m_answers.clear();
    m_answerTimer->stop();
}

void TrainingHall::written(const QByteArray& bytes)
{
    const qint64 due = m_timers.now() + HallTiming::answerDelayMs();
    for (const UnitFrame& frame : m_decoder.feed(bytes)) {
        const QByteArray answer = encode(m_hall.receive(frame.word()));
        if (!answer.isEmpty())
            m_answers.append({answer, due});
    }
    if (!m_answers.isEmpty() && !m_answerTimer->isActive())
        m_answerTimer->start(int(qMax<qint64>(0, m_answers.first().due - m_timers.now())));
}

void TrainingHall::flushAnswers()
{
    // Answers leave in the order their frames came, each when its time is up.
    const qint64 now = m_timers.now();
    QByteArray due;
    while (!m_answers.isEmpty() && m_answers.first().due <= now)
        due += m_answers.takeFirst().bytes;
    if (!m_answers.isEmpty())
        m_answerTimer->start(int(m_answers.first().due - now));
    if (m_pipe && !due.isEmpty())
        m_pipe->receive(due);
}

void TrainingHall::sendNow(const QList<quint32>& words)
{
    const QByteArray bytes = encode(words);
    if (m_pipe && !bytes.isEmpty())
        m_pipe->receive(bytes);
}

QByteArray TrainingHall::encode(const QList<quint32>& words)
{
    QByteArray bytes;
    for (quint32 word : words)
        bytes += FrameCodec::encode(word);
    return LineNoise::apply(bytes, m_noise, m_random);
}
