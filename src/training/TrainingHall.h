#pragma once
// The simulated hall inside the console: the unit model (UnitHall) behind a
// byte pipe that the link opens as its port. Everything above the pipe is the
// real code. Each frame is answered after HallTiming::answerDelayMs on the timer
// service, so a rehearsal runs at the line's pace and tests run it in virtual
// time. The hall can be lively (units sign in, vote and speak by themselves, as
// `unitsim --auto`), and the operator acts as the delegates through the
// methods below (the Hall window calls them).
//
// The hall may end before the link: a pipe it leaves open then reads as closed.

#include "link/BytePipe.h"
#include "link/FrameCodec.h"
#include "training/UnitHall.h"

#include <QList>
#include <QRandomGenerator>
#include <optional>

class HallPipe;
class Timer;
class TimerService;

class TrainingHall
{
public:
    static constexpr int kLivelyStepMs = 100;

    TrainingHall(int units, int chairs, TimerService& timers, quint32 seed = 1);
    ~TrainingHall();

    // What the link opens instead of a serial port; any device path opens.
    BytePipeFactory pipeFactory();

    UnitHall& model() { return m_hall; }
    int unitCount() const { return m_hall.unitCount(); }

    // Units sign in, vote and open microphones by themselves.
    void setLively(bool on);
    bool isLively() const { return m_lively; }
    // Each byte sent to the console is hit with this probability (0..1): see LineNoise.
    void setNoise(double probability);
    double noise() const { return m_noise; }

    // A sign-in or a vote is open at the units: leaving now loses it.
    bool rehearsalRunning() const { return m_hall.signInOpen() || m_hall.voteOpen(); }

    // "1-30", "3,7,9": units 1..unitCount only; nothing for an empty list or any unit outside.
    std::optional<QList<int>> unitsFromText(const QString& text) const;

    // The operator as the delegates. Keys count only while a sign-in or vote is open.
    void signIn(const QList<int>& units);
    void press(const QList<int>& units, int key);
    void setMicrophone(const QList<int>& units, bool open);
    void setOnline(const QList<int>& units, bool online);

private:
    friend class HallPipe;
    struct Answer
    {
        QByteArray bytes;
        qint64 due = 0;
    };

    void opened(HallPipe* pipe);
    void closed(HallPipe* pipe);
    void written(const QByteArray& bytes);
    void apply(UnitHall::Action::Kind kind, const QList<int>& units, const QList<int>& keys = {},
               bool on = false);
    // Words the units send unasked (microphone events) go out at once.
    void sendNow(const QList<quint32>& words);
    QByteArray encode(const QList<quint32>& words);
    void flushAnswers();

    UnitHall m_hall;
    TimerService& m_timers;
    FrameDecoder m_decoder;
    QRandomGenerator m_random;
    HallPipe* m_pipe = nullptr;
    QList<Answer> m_answers;
    std::unique_ptr<Timer> m_answerTimer;
    std::unique_ptr<Timer> m_livelyTimer;
    bool m_lively = false;
    double m_noise = 0;
};
