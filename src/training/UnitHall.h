#pragma once
// The simulated controller's hall: the delegate units and how they answer the
// console's words. No I/O here: unitsim feeds received words in and writes the
// returned words to its pseudo-terminal, the training mode puts it behind an
// in-process pipe (TrainingHall), and tests drive it directly.

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

struct SimUnit
{
    bool present = true;
    bool forbidden = false;
    bool micOpen = false;
    quint64 openedAt = 0; // order of the last opening, for first come, first served
    bool signInKey = false;
    quint8 voteKeys = 0; // bit k-1 for key k
};

class UnitHall
{
public:
    static constexpr int kMaxUnits = 249;

    explicit UnitHall(int units = 40, int chairs = 1);

    int unitCount() const { return m_unitCount; }
    int chairCount() const { return m_chairCount; }
    // Units 1..unitCount; anything else is a scratch record.
    SimUnit& unit(int number);
    const SimUnit& unit(int number) const;
    // The state byte of a key report: 0x80 mic free, 0x40 sign-in, 0x20 mic open, vote keys.
    quint8 keyState(int number) const;

    // One word from the console; returns the words to send back, in order.
    QList<quint32> receive(quint32 word);

    // Scripted actions: one per line ("signin 1-30", "press 7 1", "press 8 1 2",
    // "mic 9 on", "priority 1", "offline 12", "online 12", "forbid 3", "untie 3").
    // Unit lists take numbers and ranges separated by commas ("1-5,9").
    struct Action
    {
        enum Kind
        {
            None,
            SignIn,
            Press,
            Mic,
            Priority,
            Offline,
            Online,
            Forbid,
            Untie,
            Transport
        };
        Kind kind = None;
        QList<int> units;
        QList<int> keys;
        bool on = false;
        // For transport actions (noise, trickle, silent, wait, delay, quit): the word and its argument.
        QString verb;
        QString argument;
    };
    // Parses one line; comments (#) and blank lines give kind None; an error gives nullopt.
    static std::optional<Action> parse(const QString& line, QString* error = nullptr);
    static std::optional<QList<int>> parseUnits(const QString& text);
    // Applies a unit action; returns the mic events to send.
    QList<quint32> apply(const Action& action);

    // A lively hall: units sign in over a few seconds after SignInStart, vote
    // with a spread after VoteStart, and microphones open and close now and then.
    void setAuto(bool on, quint32 seed = 1);
    QList<quint32> autoStep(qint64 nowMs);

    bool controlActive() const { return m_control; }
    bool signInOpen() const { return m_signInOpen; }
    bool voteOpen() const { return m_voteOpen; }
    quint8 voteMode() const { return m_voteMode; }
    int numberingStart() const { return m_numberingStart; }
    // The controller's speaking modes: in free discussion any number of
    // delegates speak; with a limited number a request beyond it is refused;
    // in first come, first served the oldest speaker is closed for the new one.
    // Chair units are outside the count. Choosing a mode closes every microphone.
    enum class SpeakingMode
    {
        Free,
        Limited,
        FirstComeFirstServed
    };
    SpeakingMode speakingMode() const { return m_speakingMode; }
    quint8 speechMode() const { return m_speechMode; }
    int speechNumber() const { return m_speechNumber; }
    int lastCameraCode() const { return m_cameraCode; }
    int openMicCount() const;

private:
    bool inRange(int number) const { return number >= 1 && number <= m_unitCount; }
    QList<quint32> openMic(int number);
    QList<quint32> closeMic(int number);
    void setSpeechMode(quint8 code, int number);
    void planSignIn(qint64 nowMs);
    void planVote(qint64 nowMs);

    int m_unitCount;
    int m_chairCount;
    std::vector<SimUnit> m_units;
    mutable SimUnit m_scratch;
    bool m_control = false;
    bool m_signInOpen = false;
    bool m_voteOpen = false;
    quint8 m_voteMode = 0;
    int m_numberingStart = 0;
    quint8 m_speechMode = 0;
    SpeakingMode m_speakingMode = SpeakingMode::Free;
    quint64 m_openings = 0;
    int m_speechNumber = 0;
    int m_cameraCode = -1;

    // Auto mode: per unit, when its next sign-in / vote / mic change happens (-1: none).
    bool m_auto = false;
    QRandomGenerator m_random;
    qint64 m_now = 0;
    bool m_planSignIn = false;
    bool m_planVote = false;
    std::vector<qint64> m_signInAt;
    std::vector<qint64> m_voteAt;
    std::vector<qint64> m_micCloseAt;
    qint64 m_nextMicAt = 0;
};
