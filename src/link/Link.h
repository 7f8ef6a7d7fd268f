#pragma once
// The conference link: unit table, link mailbox and the
// sequencer that is the only writer to the port. One Link lives for the whole
// run (the application owns it and hands it to the pages that need it);
// everything here runs on the user-interface thread, so nothing is locked.
//
// Pages never touch the port: they call request(mode, word) and read results
// back from unit(n). The end of a line cycle or of a closing sign-in or vote
// cycle is signalled; no flag is left for a reader to clear.
// Link knows no windows: it asks for the main window and the connection status
// dialog through signals. Its state is private; LinkTestSeam (tests, tools)
// reaches what only the link writes.
//
// The link watches its line for the whole run once the controller was found:
// a port that breaks, or no answer from any unit in two full poll cycles, is a
// lost line (lineLost); the port is then reopened every few seconds, and when
// the controller answers again the link resumes with the start-up frames
// (ControlBegin, start-up poll, ControlEnd) and says lineRestored. Bytes that
// arrive faster than 9600 bit/s can carry, or that are mostly no frames, are a
// line fault (lineFaultChanged): their key reports are not taken. A round
// takes a LineMark when it starts and asks heardSince / troubleSince at its end.

#include "link/BytePipe.h"
#include "link/Commands.h"
#include "link/FrameCodec.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <array>
#include <memory>
#include <optional>

class LinkTestSeam;
class SerialLink;
class Timer;
class TimerService;

struct UnitRecord
{
    bool micOn = false;     // while the microphone is open
    bool online = false;    // once the unit answered a poll; cleared again after a whole cycle unheard
    bool forbidden = false; // while the microphone is locked
    bool signedIn = false;  // when the unit reports its sign-in key
    int voteKeys = 0;       // the five vote key bits, 0..31
};

// What a round remembers of the line when it starts (Link::lineMark()).
struct LineMark
{
    quint64 answers = 0;  // key reports taken from polled units
    quint64 troubles = 0; // lost lines and line faults begun
};

class Link : public QObject
{
    Q_OBJECT

public:
    enum class LineState
    {
        Down, // no controller found yet (searching, or going on without one)
        Up,   // the controller answers
        Lost, // the line broke or went silent: the port is being reopened
    };
    Q_ENUM(LineState)

    // A line fault: most of the bytes were no frame, or more
    // bytes per second than 9600 bit/s carry (960) with room for the driver's batching.
    static constexpr int kGarbagePercentFault = 50;
    static constexpr int kMinBytesJudged = 32;
    static constexpr int kMaxBytesPerSecond = 1440;

    // Records exist for units 1..250; frames address 1..249.
    static constexpr int kUnitRecords = 250;
    static constexpr int kHighestUnit = 249;

    // Real serial ports. The sequencer and its timers come from
    // programTimers() at construction, so install a test clock first.
    explicit Link(QObject* parent = nullptr);
    // Any byte transport (tests pass MemoryPortBank::factory()).
    explicit Link(BytePipeFactory pipeFactory, QObject* parent = nullptr);
    ~Link() override;

    // Start-up: takes the settings, sets mode 1 with a pending request (port
    // search) and starts the sequencer at the normal pace.
    void start(int comLow, int comHigh, int unitCount, int chairCount);
    // Stops the sequencer and its timers and closes the port.
    void stop();
    bool isRunning() const;
    // Device paths given with --port N=PATH, by port number.
    void setPortOverrides(const QMap<int, QString>& overrides);
    // Another byte transport from now on (training: the simulated hall). Closes
    // the port in use; the next search opens ports through the new transport.
    void setPipeFactory(BytePipeFactory pipeFactory);

    // --- Link mailbox -----------------------------------------------------
    // The word (for modes that send), the mode and a pending request. A second
    // request before the next step replaces the first,
    // except in the send-only modes (camera, speaking): their words wait in a short
    // queue and go out one per step, in order, each with its own mode, so a quick
    // press and release of a camera button still sends both. A request of any
    // other mode replaces what waits there too. A plain command or a single
    // query while a sign-in or vote cycle polls goes out in the cycle's next
    // slot instead, and the cycle goes on where it was, in its own mode.
    static constexpr int kQueuedWords = 8;
    void request(int mode, quint32 word = 0);
    void request(const Command& command) { request(command.mode, command.word); }
    // The camera and speaking words not sent yet, oldest first.
    const QList<Command>& queuedCommands() const { return m_queue; }
    // A request waits for the next step.
    bool requestPending() const { return m_pendingRequest; }
    // The mode the receive dispatcher reads now, and the word of the last request.
    int operatingMode() const { return m_operatingMode; }
    quint32 pendingCommand() const { return m_pendingCommand; }

    // --- Unit table -------------------------------------------------------
    // Units 1..250. Any other number gives a scratch record that is zeroed on
    // every call, so a bad number never reaches a real unit.
    const UnitRecord& unit(int number) const;
    // What the console itself decides about a unit (manual sign-in, locked
    // microphone, a query awaiting its answer); numbers outside 1..250 change nothing.
    void setOnline(int number, bool online);
    void setSignedIn(int number, bool signedIn);
    void setForbidden(int number, bool forbidden);
    // Clears `online` of units 1..250 (a line check starts).
    void clearOnline();
    // Units 1..unitCount with `online` set.
    int onlineCount() const;
    // A sign-in starts: `signedIn` cleared for units 1..unitCount.
    void clearSignedIn();
    // A vote starts: `voteKeys` masked with 0xE0 (the key bits cleared) for units 1..unitCount.
    void clearVoteKeys();
    // `micOn` cleared for units first..last (kept within 1..250).
    void clearMics(int first, int last);

    // --- Settings and start-up flags --------------------------------------
    // Units in use (polls cover 1..unitCount) and chairman units (they keep their
    // microphones on a priority event). start() bounds them; the settings page
    // sets what it stored.
    int unitCount() const { return m_unitCount; }
    int chairCount() const { return m_chairCount; }
    void setUnitCount(int count) { m_unitCount = count; }
    void setChairCount(int count) { m_chairCount = count; }
    // The start-up poll after the search has finished, or the operator goes on without a controller.
    bool linkConnected() const { return m_linkConnected; }
    // The search tried every port up to comHigh without an answer.
    bool searchFailed() const { return m_searchFailed; }
    // The operator goes on without a controller: connected as far as the pages
    // go, and the main window comes at the next step.
    void continueWithoutController();
    // The main window is hidden / centred and shown at the next step.
    void requestHideMainWindow() { m_hideMainWindowRequest = true; }
    void requestShowMainWindow() { m_showMainWindowRequest = true; }
    bool hideMainWindowPending() const { return m_hideMainWindowRequest; }
    bool showMainWindowPending() const { return m_showMainWindowRequest; }

    // --- Sequencer --------------------------------------------------------
    // One step (the sequencer timer calls tick(), which counts the search ticks first).
    void tick();
    void sequencerStep();
    // slow = true: 500 ms per step (line check window open); false: 30 ms.
    void setSequencerPace(bool slow);
    // At the normal pace, step on as soon as the polled unit has answered (plus
    // a guard), and after 30 ms only when it stays silent. Off by default.
    void setAnswerDrivenPace(bool on) { m_answerDriven = on; }
    bool answerDrivenPace() const { return m_answerDriven; }
    int sequencerInterval() const;

    // Received bytes (from the port, or injected by a test).
    void onUnitBytes(const QByteArray& bytes);
    // One decoded frame through the dispatcher.
    void dispatchFrame(const UnitFrame& frame);

    // --- State that pages and tests may look at ---------------------------
    int portNumber() const;
    QString portPath() const;
    int comLow() const { return m_comLow; }
    int comHigh() const { return m_comHigh; }
    bool isSearching() const { return m_searching; }
    bool controllerFound() const { return m_controllerFound; }
    bool lineCycleActive() const { return m_line.active; }
    bool signInCycleActive() const { return m_signIn.active; }
    bool voteCycleActive() const { return m_vote.active; }
    quint64 framesSent() const { return m_framesSent; }
    quint64 framesReceived() const { return m_framesReceived; }
    quint64 bytesDiscarded() const { return m_decoder.discardedBytes(); }

    // --- Line watch -------------------------------------------------------
    LineState lineState() const { return m_lineState; }
    // The reason the line was lost (the port's own error, or empty when no unit answered).
    QString lostReason() const { return m_lostReason; }
    // The device path being reopened while the line is lost.
    QString lostPath() const { return m_lostPath; }
    bool lineFault() const { return m_fault; }
    // Figures of the last judged window: share of discarded bytes, bytes per second.
    int garbagePercent() const { return m_garbagePercent; }
    int bytesPerSecond() const { return m_bytesPerSecond; }
    // Units heard since the line came up that gave no answer in the last full poll cycle.
    int unheardUnits() const { return m_unheard; }
    LineMark lineMark() const { return {m_answersHeard, m_troubles}; }
    // A polled unit answered (on a sound line) after `mark` was taken.
    bool heardSince(const LineMark& mark) const { return m_answersHeard > mark.answers; }
    // The line was lost or faulty at some moment after `mark` was taken, or is now.
    bool troubleSince(const LineMark& mark) const
    {
        return m_troubles > mark.troubles || m_lineState == LineState::Lost || m_fault;
    }

signals:
    // Centre and show / hide the main window (from the show and hide requests).
    void showMainWindow();
    void hideMainWindow();
    // The start-up poll has covered every unit: hide the connection status dialog.
    void startupPollFinished();
    // The search moved to another port (number and device path).
    void portOpened(int portNumber, const QString& devicePath, bool opened);
    void controllerConnected(int portNumber);
    // Every port up to comHigh was tried without an answer (searchFailed is raised too).
    void controllerNotFound();
    void frameSent(quint32 word);
    // A line check's poll cycle, or a closing sign-in or vote cycle, has ended.
    // Emitted at the end of the step that ended it.
    void lineCycleFinished();
    void signInCycleFinished();
    void voteCycleFinished();
    void frameReceived(const UnitFrame& frame);
    // The line watch (after the step's frame has gone, like the cycle ends).
    void lineLost(const QString& reason);
    void lineRestored();
    void lineFaultChanged(bool fault);
    void unheardUnitsChanged(int count);

private:
    friend class LinkTestSeam;

    struct PollCycle
    {
        bool active = false;
        bool once = false;
        int counter = 0;
        void startOver()
        {
            active = true;
            counter = 0;
        }
    };

    void actOnMailbox();
    void sendQueued();
    void searchStep();
    // True when a line check's cycle has just ended.
    bool lineCycleStep();
    // True when a closing (once) cycle has just ended.
    bool cycleStep(PollCycle& cycle);
    UnitRecord& record(int number);
    void choose(quint32 word);

    void keyReport(const UnitFrame& frame);
    void answerArrived();
    void micEvent(const UnitFrame& frame);

    // Line watch.
    enum LineEvent
    {
        EventLost = 1,
        EventRestored = 2,
        EventFault = 4,
        EventUnheard = 8,
    };
    void lineUp();
    void setLineDown();
    void heard(int unit);
    void sweepEnded();
    void loseLine(const QString& reason);
    void reopen();
    void watchBytes(qint64 bytes, quint64 discarded);
    void resetWindow();
    void setFault(bool fault);
    void emitLineEvents();

    // Link globals: settings, mailbox and start-up flags.
    int m_unitCount = 0;
    int m_chairCount = 0;
    bool m_pendingRequest = false;
    int m_operatingMode = 0;
    quint32 m_pendingCommand = 0;
    bool m_linkConnected = false;
    bool m_searchFailed = false;
    bool m_hideMainWindowRequest = false;
    bool m_showMainWindowRequest = false;

    std::unique_ptr<SerialLink> m_serial;
    FrameDecoder m_decoder;
    std::array<UnitRecord, kUnitRecords + 1> m_units{};
    mutable UnitRecord m_scratch;

    int m_comLow = 0;
    int m_comHigh = 0;
    bool m_searching = false;
    bool m_controllerFound = false;
    int m_searchTicks = 0;
    bool m_searchStep = false;
    bool m_sendPending = false;
    QList<Command> m_queue;   // at most kQueuedWords; when full the oldest gives way
    QList<quint32> m_slotted; // words waiting for a slot in a running sign-in or vote cycle
    quint32 m_wordToSend = 0;
    bool m_slow = false;
    bool m_answerDriven = false;
    int m_awaitedUnit = 0;                  // the unit whose answer lets the next step come early
    std::array<int, 2> m_answerableUnits{}; // units of the last two polls sent, newest first
    bool m_inStep = false;
    bool m_answeredInStep = false;
    PollCycle m_line;
    PollCycle m_signIn;
    PollCycle m_vote;
    quint64 m_framesSent = 0;
    quint64 m_framesReceived = 0;

    TimerService& m_timers;
    LineState m_lineState = LineState::Down;
    QString m_lostReason;
    QString m_lostPath;
    int m_lostPort = 0;
    std::optional<QString> m_portFailure; // reported by the port, handled at the next step
    bool m_probeOnReopen = false;
    bool m_resumePending = false;
    bool m_resuming = false;
    quint64 m_answersHeard = 0;
    quint64 m_troubles = 0;
    int m_silentSweeps = 0;
    int m_unheard = 0;
    std::array<bool, kUnitRecords + 1> m_everHeard{};
    std::array<bool, kUnitRecords + 1> m_heardThisSweep{};
    bool m_fault = false;
    qint64 m_windowStart = -1;
    qint64 m_windowBytes = 0;
    quint64 m_windowDiscarded = 0;
    int m_garbagePercent = 0;
    int m_bytesPerSecond = 0;
    int m_lineEvents = 0;

    std::unique_ptr<Timer> m_sequencer;   // timer 8
    std::unique_ptr<Timer> m_startupPoll; // timer 5
    std::unique_ptr<Timer> m_controlEnd;  // timer 6
    std::unique_ptr<Timer> m_signInClose; // timer 2
    std::unique_ptr<Timer> m_voteClose;   // timer 3
    std::unique_ptr<Timer> m_reopen;
};
