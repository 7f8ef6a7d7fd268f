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

namespace {

int boundedNumber(const QString& text, int highest)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? qBound(0, value, highest) : 0;
}

} // namespace

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
      m_wallClock([] { return QDateTime::currentDateTime(); })
{
    m_timer1 = timers.createTimer([this] { countdownStep(); });
    m_timer2 = timers.createTimer([this] { armed(); }, true);
    m_timer3 = timers.createTimer([this] { collect(); }, true);
    m_timer4 = timers.createTimer([this] { refresh(); });
    m_timer5 = timers.createTimer([this] { closingLimitReached(); }, true);
    m_timer6 = timers.createTimer([this] { controlEnd(); }, true);
    connect(&m_link, &Link::voteCycleFinished, this, &VoteSession::closingCycleDone);
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

void VoteSession::setMeeting(const MeetingRecord& meeting)
{
    m_meeting = meeting;
}

int VoteSession::closingLimitMs() const
{
    return LinkTiming::closingLimitMs(m_link.unitCount, m_link.sequencerInterval());
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
    record.setMeeting(m_meeting.MeeName);
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
    const MeetingRecord meeting = meetings.find(m_meeting.MeeName).value_or(m_meeting);
    m_due = boundedNumber(meeting.DueNum, SignInCount::kMaxDue);
    m_present = boundedNumber(meeting.SignIn, SignInCount::kMaxDue);
    m_timeLimit = motion.timeLimit;
    m_countdown = m_timeLimit ? qBound(0, motion.limitSeconds, kHighestCountdown) : 0;

    // The settings and the start's event are the first write: a database that cannot take them refuses the
    // vote.
    bool writable = false;
    {
        DbAccess::Quiet quiet;
        writable = record.writeSettings(*m_rowId, m_motion,
                                        m_wallClock().toString(QStringLiteral("yyyyMMddHHmmss")));
    }
    if (!writable) {
        emit message(m_texts.notWritable.arg(DbAccess::lastFailure()));
        return StartResult::NotWritable;
    }
    m_mark = m_link.lineMark();
    m_held = false;
    m_link.clearVoteKeys();
    m_link.request(Commands::controlBegin(LinkMode::VoteCommand));
    m_timer2->start(LinkTiming::kVoteStartDelayMs);
    setState(State::Arming);
    return StartResult::Started;
}

void VoteSession::armed()
{
    if (const std::optional<Command> voteStart = Commands::voteStart(m_kind))
        m_link.request(*voteStart);
    m_timer3->start(LinkTiming::kVoteCycleDelayMs);
}

void VoteSession::collect()
{
    setState(State::Collecting);
    m_link.request(LinkMode::VotePoll);
    m_timer4->start(LinkTiming::kVoteCountRefreshMs);
    if (m_timeLimit) {
        emit countdownChanged(countdownText());
        m_timer1->start(LinkTiming::kVoteCountdownStepMs);
    }
}

void VoteSession::refresh()
{
    countKeys();
    emit resultChanged(m_outcome, false);
    // A count from a line where no unit answered is written over nothing. A live write that fails is
    // not told on its own (a box every 500 ms while the hall votes): the final store tells it, in one
    // sentence with the store's words, and offers to try again.
    if (heardAnyUnit()) {
        DbAccess::Quiet quiet;
        writeRow(false);
    }
}

void VoteSession::countdownStep()
{
    m_countdown = qMax(0, m_countdown - 1);
    emit countdownChanged(countdownText());
    // The closing starts on the tick that shows 00:00, not a second later.
    if (m_countdown == 0) {
        m_timer1->stop();
        end();
    }
}

bool VoteSession::end()
{
    if (m_state != State::Collecting)
        return false;
    if (m_timeLimit) {
        m_timer1->stop();
        m_countdown = 0;
    }
    m_timer4->stop();
    m_link.votePollDone = 0;
    m_link.request(Commands::voteEnd());
    m_timer5->start(closingLimitMs());
    setState(State::Closing);
    return true;
}

void VoteSession::closingCycleDone()
{
    if (m_state != State::Closing)
        return;
    m_link.votePollDone = 0;
    m_timer5->stop();
    finish();
}

void VoteSession::closingLimitReached()
{
    if (m_state != State::Closing)
        return;
    finish();
    emit message(m_texts.closingCycleLost);
}

void VoteSession::finish()
{
    setState(State::Finishing);
    countKeys();
    m_held = true;
    m_stored = false;
    if (heardAnyUnit()) {
        DbAccess::Quiet quiet;
        m_stored = writeRow(true);
    }
    m_held = !m_stored;
    if (m_stored)
        Backup::afterRound(m_meeting.MeeName);
    m_heldReason = heardAnyUnit() ? DbAccess::lastFailure() : QString();
    emit resultChanged(m_outcome, true);
    m_timer6->start(LinkTiming::kVoteControlEndDelayMs);
}

void VoteSession::controlEnd()
{
    m_link.request(Commands::controlEnd(LinkMode::VoteEnd));
    setState(State::Idle);
    emit finished(m_stored);
    if (m_held)
        emit held(m_heldReason);
}

bool VoteSession::storeAgain()
{
    if (!m_held || m_state != State::Idle)
        return false;
    {
        DbAccess::Quiet quiet;
        m_stored = writeRow(true);
    }
    m_held = !m_stored;
    if (m_held)
        emit held(DbAccess::lastFailure());
    else
        Backup::afterRound(m_meeting.MeeName);
    return m_stored;
}

void VoteSession::discardHeld()
{
    if (!m_held || m_state != State::Idle)
        return;
    m_held = false;
    // The vote's start without its end: closed as interrupted, the motion's last final result back.
    RoundRecovery::closeInterruptedVotes(Schema::meetingDatabasePath(m_meeting.MeeName),
                                         m_texts.notVotedState,
                                         m_wallClock().toString(QStringLiteral("yyyyMMddHHmmss")));
}

void VoteSession::countKeys()
{
    // Only the delegates present vote: a unit that never signed in is counted as no key,
    // so yes + no + abstain never exceeds the present figure.
    QList<int> keys;
    keys.reserve(m_link.unitCount);
    for (int n = 1; n <= m_link.unitCount; ++n)
        keys.append(m_link.unit(n).signedIn ? m_link.unit(n).voteKeys : 0);
    m_counts = VoteCount::count(m_kind, keys);
    m_outcome = VoteCount::outcome(m_kind, m_counts, m_due, m_present, m_motion, m_texts.rules);
}

bool VoteSession::writeRow(bool final)
{
    VoteRecord record(m_texts.words);
    record.setMeeting(m_meeting.MeeName);
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
