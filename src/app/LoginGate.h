#pragma once
// What decides a login, without the dialog: the stored password read on
// every try, the brake on guessing and the upgrade of an older stored form.
//
// - The settings row must be read: when the system database or its row
//   cannot be read, nobody logs in (the login fails closed; an empty password
//   no longer opens a damaged file).
// - After three wrong passwords each further try waits twice as long as the
//   one before (1 s, 2 s, 4 s ... at most 30 s), on the timer service. A right
//   password or a restart ends the brake.
// - A right password stored as SHA-256 or as plain text is stored again as
//   Argon2id at that login.

#include <QObject>
#include <memory>

class Timer;
class TimerService;

class LoginGate : public QObject
{
    Q_OBJECT
public:
    enum class Answer
    {
        Accepted,
        Wrong,
        Waiting, // the brake holds: nothing was checked
        Damaged  // the settings could not be read
    };

    static constexpr int kFreeTries = 3;
    static constexpr int kLongestWaitMs = 30000;
    // The wait after this many wrong passwords in a row.
    static int waitAfter(int wrongTries);

    explicit LoginGate(TimerService& timers, QObject* parent = nullptr);
    ~LoginGate() override;

    Answer tryPassword(const QString& typed);
    // Whole seconds until the next try may be made, 0 when it may.
    int secondsLeft() const { return (m_leftMs + 999) / 1000; }

signals:
    // Each second of a wait, and 0 when it is over.
    void waitChanged(int secondsLeft);

private:
    void tick();

    std::unique_ptr<Timer> m_timer;
    int m_wrongTries = 0;
    int m_leftMs = 0;
};
