#include "meeting/VoteSession.h"

#include "core/LanguageTable.h"
#include "core/TimerService.h"
#include "data/Backup.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/LinkTiming.h"
#include "meeting/MeetingState.h"
#include "meeting/RoundRecovery.h"
#include "meeting/SignInCount.h"
#include "meeting/VoteRecord.h"

#include <utility>

VoteTexts VoteTexts::fromLanguageTables()
{
    const Texts page(QStringLiteral("FrmMeeVote"));
    VoteTexts texts;
    texts.words = MotionWords::fromLanguageTables();
    texts.rules.passYes = page(QStringLiteral("PassVoteOk"));
    texts.rules.passNo = page(QStringLiteral("PassVoteNo"));
    texts.logFirst = page(QStringLiteral("MsgLogFirst"));
    texts.kindUnknown = page(QStringLiteral("MsgKindUnknown"));
    texts.closingCycleLost = page(QStringLiteral("MsgClosingLost"));
    texts.electedMark = Texts(QStringLiteral("Public"))(QStringLiteral("MsgElected"));
    texts.roundsText = Texts(QStringLiteral("FrmVoteput"))(QStringLiteral("MsgRounds"));
    texts.notWritable = page(QStringLiteral("MsgNotWritable"));
    texts.lineLost = page(QStringLiteral("MsgLineLost"));
    texts.notVotedState = page(QStringLiteral("DateNo"));
    texts.votedState = page(QStringLiteral("DateYes"));
    // The motion page writes the same word as DataYes; use it until the vote page has its own.
    if (texts.votedState.isEmpty())
        texts.votedState = Texts(QStringLiteral("FrmMeeMat"))(QStringLiteral("DataYes"));
    return texts;
}

VoteSession::VoteSession(Link& link, TimerService& timers, MeetingState& meetingState, VoteTexts texts,
                         QObject* parent)
    : QObject(parent), m_link(link), m_meetingState(meetingState), m_texts(std::move(texts)),
      m_wallClock([] { return QDateTime::currentDateTime(); }),
      m_countdown(timers, LinkTiming::kVoteCountdownStepMs, Countdown::RunsOut::OnZero),
      m_closing(link, timers, &Link::voteCycleFinished, Commands::controlEnd(LinkMode::VoteEnd),
                LinkTiming::kVoteControlEndDelayMs)
{
    m_voteStartDelay = timers.createTimer([this] { armed(); }, true);
    m_collectionDelay = timers.createTimer([this] { collect(); }, true);
    m_refresh = timers.createTimer([this] { refresh(); });
    // The closing starts on the step that shows 00:00, not a second later.
    connect(&m_countdown, &Countdown::stepped, this, [this] { emit countdownChanged(countdownText()); });
    connect(&m_countdown, &Countdown::ranOut, this, &VoteSession::end);
    connect(&m_closing, &ClosingCycle::closed, this, &VoteSession::closed);
    connect(&m_closing, &ClosingCycle::controlEnded, this, &VoteSession::controlEnded);
}

VoteSession::~VoteSession() = default;

bool VoteSession::heardAnyUnit() const
{
    return m_link.heardSince(m_mark);
}

bool VoteSession::countFromALiveLine() const
{
    return heardAnyUnit() && !m_link.troubleSince(m_mark);
}

void VoteSession::setMeeting(const Meeting& meeting)
{
    m_meeting = meeting;
}

int VoteSession::closingLimitMs() const
{
    return m_closing.limitMs();
}

VoteSession::StartResult VoteSession::start(const Motion& motion)
{
    if (m_state != State::Idle)
        return StartResult::Busy;
    if (!m_meetingState.signInClosed()) {
        emit message(m_texts.logFirst);
        return StartResult::NoSignIn;
    }
    if (!motion.kind) {
        emit message(m_texts.kindUnknown);
        return StartResult::UnknownKind;
    }
    // Nothing is polled while idle: a line found lost is the last word on the controller.
    if (m_link.lineState() == Link::LineState::Lost) {
        emit message(m_texts.lineLost);
        return StartResult::LineLost;
    }
    VoteRecord record(m_texts.words);
    record.setMeeting(m_meeting.name);
    const std::optional<qint64> rowId = record.find(motion);
    if (!rowId)
        return StartResult::NoMotion;

    m_motion = motion;
    m_rowId = rowId;
    m_kind = int(*motion.kind);
    // Nothing of an earlier vote may show in this one's figures or readout.
    m_counts = VoteCount::Counts{};
    m_outcome = VoteCount::Outcome{};
    m_stored = false;
    // The sign-in may have ended after the meeting was handed over: take its figures now.
    MeetingTable meetings;
    const Meeting meeting = meetings.find(m_meeting.name).value_or(m_meeting);
    m_due = qBound(0, meeting.due, SignInCount::kMaxDue);
    m_present = qBound(0, meeting.present.value_or(0), SignInCount::kMaxDue);
    m_timeLimit = motion.timeLimit;
    m_countdown.set(m_timeLimit ? qBound(0, motion.limitSeconds, kHighestCountdown) : 0);

    // The settings and the start's event are the first write: a database that cannot take them refuses the
    // vote.
    bool writable = false;
    DbError failure;
    {
        DbFailures failures;
        writable = record.writeSettings(*m_rowId, m_motion,
                                        m_wallClock().toString(QStringLiteral("yyyyMMddHHmmss")));
        failure = failures.last();
    }
    if (!writable) {
        emit message(m_texts.notWritable.arg(failure.words()));
        return StartResult::NotWritable;
    }
    m_failureTold = false;
    m_mark = m_link.lineMark();
    m_held = false;
    m_link.clearVoteKeys();
    m_link.request(Commands::controlBegin(LinkMode::VoteCommand));
    m_voteStartDelay->start(LinkTiming::kVoteStartDelayMs);
    setState(State::Arming);
    return StartResult::Started;
}

void VoteSession::armed()
{
    if (const std::optional<Command> voteStart = Commands::voteStart(m_kind))
        m_link.request(*voteStart);
    m_collectionDelay->start(LinkTiming::kVoteCycleDelayMs);
}

void VoteSession::collect()
{
    setState(State::Collecting);
    m_link.request(LinkMode::VotePoll);
    m_refresh->start(LinkTiming::kVoteCountRefreshMs);
    if (m_timeLimit) {
        emit countdownChanged(countdownText());
        m_countdown.start();
    }
}

void VoteSession::refresh()
{
    countKeys();
    emit resultChanged(m_outcome, false);
    // A count from a line where no unit answered is written over nothing. A live write that fails is
    // told once per vote, without stopping it; the next refresh writes the row again.
    if (heardAnyUnit()) {
        DbFailures failures;
        if (!writeRow(false) && !std::exchange(m_failureTold, true))
            emit storeFailed(failures.last().words());
    }
}

bool VoteSession::end()
{
    if (m_state != State::Collecting)
        return false;
    if (m_timeLimit)
        m_countdown.stop();
    m_refresh->stop();
    m_closing.close(Commands::voteEnd());
    setState(State::Closing);
    return true;
}

void VoteSession::closed(bool inTime)
{
    finish();
    if (!inTime)
        emit message(m_texts.closingCycleLost);
}

void VoteSession::finish()
{
    setState(State::Finishing);
    countKeys();
    m_held = true;
    m_stored = false;
    m_heldReason.clear();
    if (heardAnyUnit()) {
        DbFailures failures;
        m_stored = writeRow(true);
        m_heldReason = failures.last().words();
    }
    m_held = !m_stored;
    if (m_stored)
        Backup::afterRound(m_meeting.name);
    emit resultChanged(m_outcome, true);
    m_closing.endControl();
}

void VoteSession::controlEnded()
{
    setState(State::Idle);
    emit finished(m_stored);
    if (m_held)
        emit held(m_heldReason);
}

bool VoteSession::storeAgain()
{
    if (!m_held || m_state != State::Idle)
        return false;
    DbFailures failures;
    m_stored = writeRow(true);
    m_held = !m_stored;
    if (m_held)
        emit held(failures.last().words());
    else
        Backup::afterRound(m_meeting.name);
    return m_stored;
}

void VoteSession::discardHeld()
{
    if (!m_held || m_state != State::Idle)
        return;
    m_held = false;
    // The vote's start without its end: closed as interrupted, the motion's last final result back.
    RoundRecovery::closeInterruptedVotes(Schema::meetingDatabasePath(m_meeting.name), m_texts.notVotedState,
                                         m_wallClock().toString(QStringLiteral("yyyyMMddHHmmss")));
}

void VoteSession::countKeys()
{
    // Only the delegates present vote: a unit that never signed in is counted as no key,
    // so yes + no + abstain never exceeds the present figure.
    QList<int> keys;
    keys.reserve(m_link.unitCount());
    for (int n = 1; n <= m_link.unitCount(); ++n)
        keys.append(m_link.unit(n).signedIn ? m_link.unit(n).voteKeys : 0);
    m_counts = VoteCount::count(m_kind, keys);
    m_outcome = VoteCount::outcome(m_kind, m_counts, m_due, m_present, m_motion, m_texts.rules);
}

bool VoteSession::writeRow(bool final)
{
    VoteRecord record(m_texts.words);
    record.setMeeting(m_meeting.name);
    return m_rowId &&
           record.writeResult(*m_rowId, m_outcome.result, m_texts.votedState, m_wallClock(), final);
}

void VoteSession::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}
