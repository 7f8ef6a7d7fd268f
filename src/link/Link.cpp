#include "link/Link.h"

#include "core/TimerService.h"
#include "link/LinkTiming.h"
#include "link/SerialLink.h"
#include "link/SerialPortPipe.h"

#include <utility>

Link::Link(QObject* parent) : Link(SerialPortPipe::factory(), parent) {}

Link::Link(BytePipeFactory pipeFactory, QObject* parent)
    : QObject(parent), m_serial(std::make_unique<SerialLink>(std::move(pipeFactory))),
      m_decoder({Commands::kClassKeyReport, Commands::kClassMicEvent}), m_timers(programTimers())
{
    m_serial->setBytesHandler([this](const QByteArray& bytes) { onUnitBytes(bytes); });
    m_serial->setFailureHandler([this](const QString& reason) { m_portFailure = reason; });
    TimerService& timers = m_timers;
    m_sequencer = timers.createTimer([this] { tick(); });
    m_startupPoll = timers.createTimer(
        [this] {
            m_operatingMode = LinkMode::StartupPoll;
            m_line.startOver();
        },
        true);
    m_controlEnd = timers.createTimer(
        [this] {
            choose(Commands::kControlEnd);
            m_operatingMode = LinkMode::Idle;
        },
        true);
    m_signInClose = timers.createTimer([this] { m_signIn.startOver(); }, true);
    m_voteClose = timers.createTimer([this] { m_vote.startOver(); }, true);
    m_reopen = timers.createTimer([this] { reopen(); });
}

Link::~Link() = default;

void Link::start(int comLow, int comHigh, int unitCountSetting, int chairCountSetting)
{
    m_comLow = comLow;
    m_comHigh = comHigh;
    m_unitCount = qBound(0, unitCountSetting, kHighestUnit);
    m_chairCount = qBound(0, chairCountSetting, m_unitCount);
    // The search itself always begins at port 1; comLow only seeds the number.
    m_serial->setPortNumber(comLow >= 1 ? comLow - 1 : 0);
    m_operatingMode = LinkMode::Search;
    m_pendingRequest = true;
    m_sequencer->start(m_slow ? LinkTiming::kSlowPaceMs : LinkTiming::kFastPaceMs);
}

void Link::setPipeFactory(BytePipeFactory pipeFactory)
{
    m_serial->setFactory(std::move(pipeFactory));
    m_decoder.reset();
    setLineDown();
}

void Link::setPortOverrides(const QMap<int, QString>& overrides)
{
    m_serial->setOverrides(overrides);
}

void Link::stop()
{
    m_sequencer->stop();
    m_startupPoll->stop();
    m_controlEnd->stop();
    m_signInClose->stop();
    m_voteClose->stop();
    m_searching = false;
    m_line.active = m_signIn.active = m_vote.active = false;
    m_slotted.clear();
    m_answerableUnits = {};
    m_serial->setPortNumber(0);
    m_decoder.reset();
    setLineDown();
}

bool Link::isRunning() const
{
    return m_sequencer->isActive();
}

void Link::request(int mode, quint32 word)
{
    // The running cycle would overwrite the word and, in the word's mode, stop
    // taking its answers: the word takes the cycle's next slot instead.
    if ((mode == LinkMode::Plain || mode == LinkMode::SingleQuery) && (m_signIn.active || m_vote.active)) {
        if (m_slotted.size() == kQueuedWords)
            m_slotted.removeFirst();
        m_slotted.append(word);
        return;
    }
    if (mode == LinkMode::Camera || mode == LinkMode::Speaking) {
        // The newest word is kept: a stop word must never be lost behind older ones.
        if (m_queue.size() == kQueuedWords)
            m_queue.removeFirst();
        m_queue.append({word, mode});
    } else {
        m_queue.clear();
    }
    m_pendingCommand = word;
    m_operatingMode = mode;
    m_pendingRequest = true;
}

UnitRecord& Link::record(int number)
{
    if (number < 1 || number > kUnitRecords) {
        m_scratch = {};
        return m_scratch;
    }
    return m_units[number];
}

const UnitRecord& Link::unit(int number) const
{
    if (number < 1 || number > kUnitRecords) {
        m_scratch = {};
        return m_scratch;
    }
    return m_units[number];
}

void Link::setOnline(int number, bool online)
{
    record(number).online = online;
}

void Link::setSignedIn(int number, bool signedIn)
{
    record(number).signedIn = signedIn;
}

void Link::setForbidden(int number, bool forbidden)
{
    record(number).forbidden = forbidden;
}

void Link::clearOnline()
{
    for (int n = 1; n <= kUnitRecords; ++n)
        m_units[n].online = false;
}

int Link::onlineCount() const
{
    int count = 0;
    for (int n = 1; n <= m_unitCount; ++n)
        count += m_units[n].online ? 1 : 0;
    return count;
}

void Link::clearSignedIn()
{
    for (int n = 1; n <= m_unitCount; ++n)
        m_units[n].signedIn = false;
}

void Link::clearVoteKeys()
{
    for (int n = 1; n <= m_unitCount; ++n)
        m_units[n].voteKeys &= 0xE0;
}

void Link::clearMics(int first, int last)
{
    for (int n = qMax(first, 1); n <= qMin(last, kUnitRecords); ++n)
        m_units[n].micOn = false;
}

void Link::continueWithoutController()
{
    m_linkConnected = true;
    m_showMainWindowRequest = true;
}

int Link::portNumber() const
{
    return m_serial->portNumber();
}

QString Link::portPath() const
{
    return m_serial->devicePathInUse();
}

void Link::setSequencerPace(bool slow)
{
    m_slow = slow;
    if (m_sequencer->isActive())
        m_sequencer->start(slow ? LinkTiming::kSlowPaceMs : LinkTiming::kFastPaceMs);
}

int Link::sequencerInterval() const
{
    return m_slow ? LinkTiming::kSlowPaceMs : LinkTiming::kFastPaceMs;
}

// ---------------------------------------------------------------------------
// Sequencer

void Link::tick()
{
    if (++m_searchTicks >= LinkTiming::kSearchEveryTicks) {
        m_searchTicks = 0;
        m_searchStep = true;
    }
    sequencerStep();
}

void Link::sequencerStep()
{
    m_inStep = true;
    m_answeredInStep = false;
    m_awaitedUnit = 0;
    if (m_portFailure) {
        const QString reason = *m_portFailure;
        m_portFailure.reset();
        if (m_lineState == LineState::Up)
            loseLine(reason);
        else if (m_lineState == LineState::Lost)
            m_serial->closePort(); // reopened at the next try
    }
    watchBytes(0, 0);
    actOnMailbox();
    if (m_resumePending) {
        // The controller answers again: the start-up frames, as after the search.
        m_resumePending = false;
        m_resuming = true;
        m_line.active = m_signIn.active = m_vote.active = false;
        m_slotted.clear();
        choose(Commands::kControlBegin);
        m_operatingMode = LinkMode::Idle;
        m_startupPoll->start(LinkTiming::kStartupPollDelayMs);
    }
    if (m_searchStep) {
        m_searchStep = false;
        if (m_searching)
            searchStep();
    }
    bool lineEnded = false;
    bool signInEnded = false;
    bool voteEnded = false;
    if (!m_slotted.isEmpty() && !m_sendPending) {
        choose(m_slotted.takeFirst()); // the cycle's poll waits one step
    } else {
        lineEnded = lineCycleStep();
        signInEnded = cycleStep(m_signIn);
        voteEnded = cycleStep(m_vote);
    }
    if (m_probeOnReopen) {
        m_probeOnReopen = false;
        choose(Commands::kProbe);
    }
    if (m_sendPending) {
        m_sendPending = false;
        if ((m_wordToSend >> 16) == Commands::kClassPoll) {
            m_awaitedUnit = int(m_wordToSend & 0xFF);
            m_answerableUnits = {m_awaitedUnit, m_answerableUnits[0]};
        }
        const bool open = m_serial->isOpen();
        if (m_serial->sendCommand(m_wordToSend)) {
            ++m_framesSent;
            emit frameSent(m_wordToSend);
        } else if (open && m_lineState == LineState::Up) {
            loseLine(m_serial->errorString());
        }
    }
    m_inStep = false;
    if (m_answerDriven && !m_slow && m_sequencer->isActive())
        m_sequencer->start(m_answeredInStep ? LinkTiming::kAnswerGuardMs : LinkTiming::kAnswerTimeoutMs);
    if (m_hideMainWindowRequest) {
        m_hideMainWindowRequest = false;
        emit hideMainWindow();
    }
    if (m_showMainWindowRequest) {
        m_showMainWindowRequest = false;
        emit showMainWindow();
    }
    // Last, after this step's frame has gone: a listener's request waits for the next step.
    if (lineEnded)
        emit lineCycleFinished();
    if (signInEnded)
        emit signInCycleFinished();
    if (voteEnded)
        emit voteCycleFinished();
    emitLineEvents();
}

void Link::choose(quint32 word)
{
    m_wordToSend = word;
    m_sendPending = true;
}

void Link::actOnMailbox()
{
    if (!m_pendingRequest)
        return;
    m_pendingRequest = false;
    switch (m_operatingMode) {
    case LinkMode::Search:
        // A new search: forget the old port, and any answer that came from it.
        m_serial->setPortNumber(0);
        m_decoder.reset();
        setLineDown();
        m_controllerFound = false;
        m_searching = true;
        m_searchFailed = false;
        break;
    case LinkMode::LinePoll:
        m_line.startOver();
        break;
    case LinkMode::Camera:
    case LinkMode::Speaking:
        sendQueued();
        break;
    case LinkMode::VoteEnd:
    case LinkMode::Numbering:
        choose(m_pendingCommand);
        break;
    case LinkMode::Plain:
    case LinkMode::SingleQuery:
        m_signIn.once = false;
        choose(m_pendingCommand);
        break;
    case LinkMode::CollectSignIn:
        m_signIn.once = true;
        m_signIn.active = false;
        m_signIn.counter = 0;
        choose(m_pendingCommand);
        m_signInClose->start(LinkTiming::kClosingCycleDelayMs);
        break;
    case LinkMode::SignInPoll:
        m_signIn.startOver();
        break;
    case LinkMode::VoteCommand:
        m_vote.once = false;
        choose(m_pendingCommand);
        break;
    case LinkMode::VotePoll:
        m_vote.startOver();
        break;
    case LinkMode::CollectVotes:
        m_vote.once = true;
        m_vote.active = false;
        m_vote.counter = 0;
        choose(m_pendingCommand);
        m_voteClose->start(LinkTiming::kClosingCycleDelayMs);
        break;
    default: // 2 (never requested), 14 and unknown modes
        break;
    }
}

void Link::sendQueued()
{
    // Every camera or speaking request queues its word.
    if (m_queue.isEmpty())
        return;
    const Command next = m_queue.takeFirst();
    m_operatingMode = next.mode;
    choose(next.word);
    if (!m_queue.isEmpty())
        m_pendingRequest = true;
}

void Link::searchStep()
{
    if (m_controllerFound && !m_fault) {
        m_controllerFound = false;
        m_searching = false;
        lineUp();
        choose(Commands::kControlBegin);
        m_operatingMode = LinkMode::Idle;
        m_startupPoll->start(LinkTiming::kStartupPollDelayMs);
        emit controllerConnected(m_serial->portNumber());
    } else if (m_serial->portNumber() < m_comHigh) {
        const int next = m_serial->portNumber() + 1;
        m_controllerFound = false;
        m_decoder.reset();
        resetWindow();
        setFault(false);
        const bool opened = m_serial->openPort(next);
        emit portOpened(next, m_serial->devicePathInUse(), opened);
        // The probe goes out whether or not the port opened; a closed port just drops it.
        choose(Commands::kProbe);
    } else {
        m_searching = false;
        m_searchFailed = true;
        emit controllerNotFound();
    }
}

bool Link::lineCycleStep()
{
    if (!m_line.active)
        return false;
    if (m_line.counter < m_unitCount) {
        ++m_line.counter;
        choose(Commands::pollWord(m_line.counter));
        return false;
    }
    m_line.active = false;
    sweepEnded();
    if (m_operatingMode == LinkMode::StartupPoll && m_resuming) {
        m_resuming = false;
        m_lineState = LineState::Up;
        m_lineEvents |= EventRestored;
        m_controlEnd->start(LinkTiming::kStartupControlEndDelayMs);
    } else if (m_operatingMode == LinkMode::StartupPoll) {
        emit startupPollFinished();
        m_linkConnected = true;
        m_showMainWindowRequest = true;
        m_controlEnd->start(LinkTiming::kStartupControlEndDelayMs);
    } else if (m_operatingMode == LinkMode::LinePoll) {
        return true;
    }
    return false;
}

bool Link::cycleStep(PollCycle& cycle)
{
    if (!cycle.active)
        return false;
    if (cycle.counter < m_unitCount) {
        ++cycle.counter;
        choose(Commands::pollWord(cycle.counter));
        return false;
    }
    cycle.counter = 0;
    sweepEnded();
    if (!cycle.once)
        return false;
    cycle.active = false;
    return true;
}

// ---------------------------------------------------------------------------
// Receive dispatcher

void Link::onUnitBytes(const QByteArray& bytes)
{
    const quint64 discardedBefore = m_decoder.discardedBytes();
    const QList<UnitFrame> frames = m_decoder.feed(bytes);
    watchBytes(bytes.size(), m_decoder.discardedBytes() - discardedBefore);
    for (const UnitFrame& frame : frames)
        dispatchFrame(frame);
    if (!m_inStep)
        emitLineEvents();
}

void Link::dispatchFrame(const UnitFrame& frame)
{
    ++m_framesReceived;
    keyReport(frame);
    micEvent(frame);
    emit frameReceived(frame);
}

void Link::keyReport(const UnitFrame& frame)
{
    if (frame.b0 != Commands::kClassKeyReport)
        return;
    const int n = frame.b2;
    // A key report answers a poll. One from a unit not polled in the last two
    // steps is noise that happened to pass the one-byte checksum (a slid
    // window after a damaged frame, or a damaged unit number): it would put a
    // key press on a unit that never made it.
    if (n == 0 || (n != m_answerableUnits[0] && n != m_answerableUnits[1]))
        return;
    // Reports read on a faulty line are not taken: most of what arrives there is no controller's.
    if (m_fault)
        return;
    heard(n);
    if (n == m_awaitedUnit)
        answerArrived();
    const bool validUnit = n >= 1 && n <= kHighestUnit;
    // Any answer shows the unit is there, whatever the cycle reads from it.
    if (validUnit && m_operatingMode != LinkMode::Search)
        m_units[n].online = true;
    const bool micBit = (frame.b1 & Commands::kKeyMicOpen) != 0;
    switch (m_operatingMode) {
    case LinkMode::Search:
        if (n == 1)
            m_controllerFound = true;
        break;
    case LinkMode::StartupPoll:
    case LinkMode::LinePoll:
    case LinkMode::SingleQuery:
        if (validUnit) {
            m_units[n].forbidden = (frame.b1 & Commands::kKeyMicFree) == 0;
            m_units[n].micOn = micBit;
            m_units[n].online = true;
        }
        break;
    case LinkMode::CollectSignIn:
    case LinkMode::SignInPoll:
        if (validUnit) {
            m_units[n].signedIn = (frame.b1 & Commands::kKeySignIn) != 0;
            m_units[n].micOn = micBit;
        }
        break;
    case LinkMode::VotePoll:
    case LinkMode::CollectVotes:
        if (validUnit) {
            m_units[n].voteKeys = frame.b1 & Commands::kKeyVoteMask;
            m_units[n].micOn = micBit;
        }
        break;
    default:
        break;
    }
}

void Link::answerArrived()
{
    m_awaitedUnit = 0;
    if (!m_answerDriven || m_slow || !m_sequencer->isActive())
        return;
    // An answer read while the step is still running counts from the step's end.
    if (m_inStep)
        m_answeredInStep = true;
    else
        m_sequencer->start(LinkTiming::kAnswerGuardMs);
}

void Link::micEvent(const UnitFrame& frame)
{
    const int n = frame.b2;
    if (frame.b0 != Commands::kClassMicEvent || n < 1 || n > kHighestUnit ||
        frame.b1 > Commands::kMicHighestCode)
        return;
    switch (frame.b1) {
    case Commands::kMicClosed:
    case Commands::kMicClosed2:
    case Commands::kMicClosed3:
        m_units[n].micOn = false;
        break;
    case Commands::kMicOpened:
    case Commands::kMicOpened2:
        m_units[n].micOn = true;
        break;
    case Commands::kMicPriority:
        for (int u = m_chairCount + 1; u <= m_unitCount; ++u)
            m_units[u].micOn = false;
        m_units[n].micOn = true;
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// Line watch

void Link::lineUp()
{
    m_reopen->stop();
    m_lineState = LineState::Up;
    m_silentSweeps = 0;
    m_everHeard.fill(false);
    m_heardThisSweep.fill(false);
    if (m_unheard != 0) {
        m_unheard = 0;
        m_lineEvents |= EventUnheard;
    }
}

void Link::setLineDown()
{
    m_reopen->stop();
    m_lineState = LineState::Down;
    m_portFailure.reset();
    m_probeOnReopen = m_resumePending = m_resuming = false;
    resetWindow();
    setFault(false);
}

void Link::heard(int unit)
{
    ++m_answersHeard;
    if (unit >= 1 && unit <= kUnitRecords)
        m_everHeard[unit] = m_heardThisSweep[unit] = true;
    // Any answer on the reopened port: the controller is back.
    if (m_lineState == LineState::Lost && !m_resuming && m_serial->isOpen()) {
        m_reopen->stop();
        m_resumePending = true;
    }
}

void Link::sweepEnded()
{
    // A faulty line hears nothing on purpose; that is told as the fault, not as a lost line.
    const bool judged = m_lineState == LineState::Up && m_unitCount > 0 && !m_fault;
    bool anyHeard = false;
    int unheard = 0;
    for (int n = 1; n <= m_unitCount; ++n) {
        if (m_heardThisSweep[n]) {
            anyHeard = true;
        } else if (judged) {
            // A unit silent for a whole cycle is no longer online (the seat map shows it).
            m_units[n].online = false;
            unheard += m_everHeard[n] ? 1 : 0;
        }
    }
    m_heardThisSweep.fill(false);
    if (!judged)
        return;
    if (unheard != m_unheard) {
        m_unheard = unheard;
        m_lineEvents |= EventUnheard;
    }
    m_silentSweeps = anyHeard ? 0 : m_silentSweeps + 1;
    if (m_silentSweeps >= LinkTiming::kSilentCyclesLost)
        loseLine(QString());
}

void Link::loseLine(const QString& reason)
{
    m_lineState = LineState::Lost;
    ++m_troubles;
    m_lostReason = reason;
    m_lostPort = m_serial->portNumber();
    m_lostPath = m_serial->devicePathInUse();
    m_silentSweeps = 0;
    m_serial->closePort();
    m_decoder.reset();
    resetWindow();
    m_reopen->start(LinkTiming::kReopenEveryMs);
    m_lineEvents |= EventLost;
}

void Link::reopen()
{
    if (m_lineState != LineState::Lost || m_resumePending || m_resuming)
        return;
    m_decoder.reset();
    resetWindow();
    // The probe goes out at the next step; any answer resumes the link.
    if (m_serial->openPort(m_lostPort))
        m_probeOnReopen = true;
}

void Link::resetWindow()
{
    m_windowStart = -1;
    m_windowBytes = 0;
    m_windowDiscarded = 0;
}

void Link::watchBytes(qint64 bytes, quint64 discarded)
{
    const qint64 now = m_timers.now();
    if (m_windowStart < 0) {
        // A fault is judged again after a quiet window too, so a flood that stopped clears it.
        if (bytes == 0 && !m_fault)
            return;
        m_windowStart = now;
    }
    m_windowBytes += bytes;
    m_windowDiscarded += discarded;
    const qint64 elapsed = now - m_windowStart;
    // More than a whole window can carry arrived already: judge at once.
    const qint64 most = qint64(kMaxBytesPerSecond) * LinkTiming::kLineWindowMs / 1000;
    if (elapsed < LinkTiming::kLineWindowMs && m_windowBytes <= most)
        return;
    m_bytesPerSecond = int(m_windowBytes * 1000 / qMax<qint64>(elapsed, LinkTiming::kLineWindowMs));
    if (m_windowBytes > most)
        m_bytesPerSecond = qMax(m_bytesPerSecond, kMaxBytesPerSecond + 1);
    m_garbagePercent = m_windowBytes > 0 ? int(m_windowDiscarded * 100 / quint64(m_windowBytes)) : 0;
    const bool garbage = m_windowBytes >= kMinBytesJudged && m_garbagePercent > kGarbagePercentFault;
    setFault(garbage || m_bytesPerSecond > kMaxBytesPerSecond);
    resetWindow();
}

void Link::setFault(bool fault)
{
    if (m_fault == fault)
        return;
    m_fault = fault;
    if (fault)
        ++m_troubles;
    m_lineEvents |= EventFault;
}

void Link::emitLineEvents()
{
    const int events = std::exchange(m_lineEvents, 0);
    if (events & EventLost)
        emit lineLost(m_lostReason);
    if (events & EventRestored)
        emit lineRestored();
    if (events & EventFault)
        emit lineFaultChanged(m_fault);
    if (events & EventUnheard)
        emit unheardUnitsChanged(m_unheard);
}
