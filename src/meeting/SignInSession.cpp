#include "meeting/SignInSession.h"

#include "core/LanguageTable.h"
#include "core/TimerService.h"
#include "data/Backup.h"
#include "data/DbAccess.h"
#include "data/FieldList.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/LinkTiming.h"
#include "meeting/MeetingState.h"
#include "prep/DelegateTable.h"
#include "prep/MeetingTable.h"

#include <utility>

SignInTexts SignInTexts::fromLanguageTable()
{
    const Texts page(QStringLiteral("FrmManChe"));
    const Texts screen(QStringLiteral("FrmScrText"));
    SignInTexts texts;
    texts.signedInMark = page(QStringLiteral("MsgScrView9"));
    texts.absentMark = page(QStringLiteral("MsgScrView10"));
    texts.quorumReached = page(QStringLiteral("MsgScrView5"));
    texts.quorumMissed = page(QStringLiteral("MsgScrView6"));
    texts.dueLabel = page(QStringLiteral("IDC_STATIC_YDAO"));
    texts.presentLabel = page(QStringLiteral("IDC_STATIC_YJDAO"));
    texts.absentLabel = page(QStringLiteral("IDC_STATIC_WDAO"));
    texts.closingCycleLost = page(QStringLiteral("MsgClosingLost"));
    texts.notWritable = page(QStringLiteral("MsgNotWritable"));
    texts.lineLost = page(QStringLiteral("MsgLineLost"));
    texts.notStored = page(QStringLiteral("MsgNotStored"));
    texts.signInTitle = screen(QStringLiteral("ScrText1"));
    texts.signInHint = screen(QStringLiteral("ScrText2"));
    texts.endTitle = screen(QStringLiteral("ScrText3"));
    texts.endHint = screen(QStringLiteral("ScrText4"));
    texts.supplementTitle = screen(QStringLiteral("ScrText5"));
    return texts;
}

SignInSession::SignInSession(Link& link, TimerService& timers, MeetingState& meetingState, SignInTexts texts,
                             QObject* parent)
    : QObject(parent), m_link(link), m_meetingState(meetingState), m_texts(std::move(texts)),
      m_wallClock([] { return QDateTime::currentDateTime(); }),
      m_countdown(timers, LinkTiming::kSignInCountdownStepMs, Countdown::RunsOut::StepAfterZero),
      m_closing(link, timers, &Link::signInCycleFinished, Commands::controlEnd(),
                LinkTiming::kSignInControlEndDelayMs)
{
    m_startWordDelay = timers.createTimer([this] { armed(); }, true);
    m_collectionDelay = timers.createTimer([this] { collect(); }, true);
    m_refresh = timers.createTimer([this] { refresh(); });
    m_queryAnswer = timers.createTimer([this] { confirmManual(); }, true);
    connect(&m_countdown, &Countdown::stepped, this, &SignInSession::countdownStep);
    connect(&m_countdown, &Countdown::ranOut, this, &SignInSession::end);
    connect(&m_closing, &ClosingCycle::closed, this, &SignInSession::closed);
    connect(&m_closing, &ClosingCycle::controlEnded, this, &SignInSession::controlEnded);
}

SignInSession::~SignInSession() = default;

bool SignInSession::heardAnyUnit() const
{
    return m_link.heardSince(m_mark);
}

void SignInSession::setMeeting(const Meeting& meeting)
{
    m_meeting = meeting;
    m_table.setMeeting(meeting.name);
    m_journal.setPath(m_table.path());
    m_names.clear();
    DelegateTable delegates;
    delegates.setMeeting(meeting.name);
    for (const Delegate& delegate : delegates.all().value_or(QList<Delegate>())) {
        const int unit = delegate.unitNumber().value_or(0);
        // The first delegate of a unit number is the one shown, as the grid's lookup did.
        if (unit >= 1 && unit <= Link::kHighestUnit && !m_names.contains(unit))
            m_names.insert(unit, delegate.name);
    }
    m_figures = SignInCount::figures(SignInCount::countPresent(m_link), m_meeting);
    // The page's grid is laid out from the unit table now: changes are told from here on.
    const int units = m_link.unitCount();
    m_shown.assign(size_t(units) + 1, false);
    for (int n = 1; n <= units; ++n)
        m_shown[size_t(n)] = m_link.unit(n).signedIn;
}

QStringList SignInSession::names(SignInCount::NameList which) const
{
    return SignInCount::names(m_link, m_names, which);
}

int SignInSession::closingLimitMs() const
{
    return m_closing.limitMs();
}

void SignInSession::setCountdown(bool on, int seconds)
{
    m_countdownOn = on;
    m_countdownSeconds = qBound(0, seconds, kHighestCountdown);
}

bool SignInSession::start()
{
    return begin(false);
}

bool SignInSession::startSupplementary()
{
    return begin(true);
}

bool SignInSession::begin(bool supplementary)
{
    if (m_state != State::Idle)
        return false;
    // Nothing is polled while idle, so a line found lost (port error, or a silent round before) is the
    // last word on the controller: no round starts on it.
    if (m_link.lineState() == Link::LineState::Lost) {
        emit message(m_texts.lineLost);
        return false;
    }
    // A sign-in that could not be stored is refused before it starts; the journal's start row is the test.
    const QString startedAt = now();
    bool writable = false;
    DbError failure;
    {
        DbFailures failures;
        writable = m_journal.open(startedAt, supplementary);
        failure = failures.last();
    }
    if (!writable) {
        emit message(m_texts.notWritable.arg(failure.words()));
        return false;
    }
    m_failureTold = false;
    m_held = false;
    m_mark = m_link.lineMark();
    m_journaled = 0;
    m_supplementary = supplementary;
    if (!supplementary) {
        m_link.clearSignedIn();
        m_byHand.clear();
    }
    m_ended = false;
    m_meetingState.setSignInClosed(false);
    m_startedAt = startedAt;
    m_arrivals.clear();
    // Units carried into a supplementary sign-in arrived in an earlier one.
    const int units = m_link.unitCount();
    m_seen.assign(size_t(units) + 1, false);
    for (int n = 1; n <= units; ++n)
        m_seen[size_t(n)] = m_link.unit(n).signedIn;
    lookAtUnits(QString());
    emit screenLines(supplementary ? m_texts.supplementTitle : m_texts.signInTitle, m_texts.signInHint);
    m_link.request(Commands::controlBegin());
    m_startWordDelay->start(LinkTiming::kSignInStartDelayMs);
    setState(State::Arming);
    return true;
}

void SignInSession::armed()
{
    m_link.request(m_supplementary ? Commands::supplementSignInStart() : Commands::signInStart());
    m_collectionDelay->start(LinkTiming::kSignInCycleDelayMs);
}

void SignInSession::collect()
{
    setState(State::Collecting);
    m_link.request(LinkMode::SignInPoll);
    m_refresh->start(LinkTiming::kSignInRefreshMs);
    m_elapsedMs = 0;
    if (!m_countdownOn)
        return;
    m_countdown.set(m_countdownSeconds);
    m_countdown.start();
    emit countdownChanged(countdownText());
    if (m_countdownSeconds == 0)
        end();
}

void SignInSession::refresh()
{
    if (!m_countdownOn) {
        m_elapsedMs += LinkTiming::kSignInRefreshMs;
        emit countdownChanged(SignInCount::countdownText(m_elapsedMs / 1000));
    }
    lookAtUnits(m_supplementary ? ArrivalHow::kSupplementary : ArrivalHow::kKey);
    // What was seen is journaled at once, so a crash loses none of it; a failure is told once per
    // sign-in, which goes on, and the next refresh journals the arrivals again.
    {
        DbFailures failures;
        if (m_journal.note(m_arrivals.mid(m_journaled)))
            m_journaled = m_arrivals.size();
        else if (!std::exchange(m_failureTold, true))
            emit storeFailed(failures.last().words());
    }
    countAndShow(true);
}

void SignInSession::countdownStep(int left)
{
    const QString text = SignInCount::countdownText(left);
    emit countdownChanged(text);
    emit screenFigures(
        m_texts.signInTitle + QLatin1Char(':') + text, SignInCount::figureValues(m_figures),
        SignInCount::figureLabels(m_texts.dueLabel, m_texts.presentLabel, m_texts.absentLabel));
}

bool SignInSession::end()
{
    if (m_state != State::Collecting)
        return false;
    if (m_countdownOn) {
        m_countdown.stop();
        emit countdownChanged(countdownText());
    }
    m_meetingState.setSignInClosed(true);
    emit screenLines(m_texts.endTitle, m_texts.endHint);
    m_ended = true;
    m_refresh->stop();
    m_closing.close(Commands::signInEnd());
    setState(State::Closing);
    return true;
}

void SignInSession::closed(bool inTime)
{
    store();
    if (!inTime)
        emit message(m_texts.closingCycleLost);
}

void SignInSession::store()
{
    setState(State::Writing);
    lookAtUnits(m_supplementary ? ArrivalHow::kSupplementary : ArrivalHow::kKey);
    const int units = m_link.unitCount();
    m_heldMarks.clear();
    for (int n = 1; n <= units; ++n)
        m_heldMarks.append(m_link.unit(n).signedIn ? m_texts.signedInMark : m_texts.absentMark);
    const SignInCount::Figures figures = SignInCount::figures(SignInCount::countPresent(m_link), m_meeting);
    m_heldRound = SignInRoundRecord();
    m_roundWritten = false;
    m_heldRound.startAt = m_startedAt;
    m_heldRound.endAt = now();
    m_heldRound.supplementary = m_supplementary;
    m_heldRound.due = figures.due;
    m_heldRound.present = figures.present;
    if (figures.quorum == SignInCount::Quorum::Reached || figures.quorum == SignInCount::Quorum::Missed)
        m_heldRound.quorum = storedFlag(figures.quorum == SignInCount::Quorum::Reached);
    // A sign-in no unit answered is no attendance: it is not written over the last one unless asked.
    m_held = true;
    m_stored = heardAnyUnit() && write();
    m_heldReason = heardAnyUnit() ? m_writeFailure : QString();
    countAndShow(true);
    m_closing.endControl();
}

bool SignInSession::write()
{
    DbFailures failures;
    if (!m_roundWritten && m_table.writeRound(m_heldMarks, m_arrivals, m_heldRound)) {
        m_roundWritten = true;
        m_arrivals.clear();
        Backup::afterRound(m_meeting.name);
    }
    // A vote takes its present figure from the meeting's count, so the round is stored only with it.
    m_stored = m_roundWritten && MeetingTable().setPresent(m_meeting.name, m_heldRound.present);
    m_writeFailure = failures.last().words();
    m_held = !m_stored;
    return m_stored;
}

bool SignInSession::storeAgain()
{
    if (!m_held || m_state != State::Idle)
        return false;
    if (!write()) {
        emit held(m_writeFailure);
        return false;
    }
    countAndShow(false);
    return true;
}

void SignInSession::discardHeld()
{
    m_held = false;
    m_arrivals.clear();
}

void SignInSession::controlEnded()
{
    setState(State::Idle);
    emit finished(m_stored);
    if (m_held)
        emit held(m_heldReason);
}

bool SignInSession::signInUnit(int unit)
{
    if (!canSignInManually() || m_queryAnswer->isActive())
        return false;
    const std::optional<Command> query = Commands::singleQuery(unit, m_link.unitCount());
    if (!query)
        return false;
    // Only an answer to this query counts, not one from an earlier poll.
    m_link.setOnline(unit, false);
    m_manualUnit = unit;
    m_link.request(*query);
    m_queryAnswer->start(LinkTiming::kSingleQueryWaitMs);
    return true;
}

void SignInSession::confirmManual()
{
    const int unit = m_manualUnit;
    if (!m_link.unit(unit).online)
        return;
    m_link.setSignedIn(unit, true);
    // While the cycle still polls, its next report of the failing key must not undo the mark.
    const bool polling = m_state != State::Idle;
    if (polling && !m_byHand.contains(unit))
        m_byHand.append(unit);
    lookAtUnits(ArrivalHow::kManual);
    countAndShow(true);
    // While polling the arrival is journaled and stored with the rest.
    if (!polling) {
        // After a stored sign-in the meeting's count follows the units signed in by hand.
        if (m_ended && m_stored)
            MeetingTable().setPresent(m_meeting.name, m_figures.present);
        if (!m_arrivals.isEmpty()) {
            m_table.writeArrivals(m_arrivals);
            m_arrivals.clear();
        }
    }
    if (const std::optional<Command> confirm = Commands::confirmSignIn(unit, m_link.unitCount()))
        m_link.request(*confirm);
}

void SignInSession::lookAtUnits(const QString& how)
{
    const int units = m_link.unitCount();
    for (const int unit : m_byHand)
        m_link.setSignedIn(unit, true);
    m_shown.resize(size_t(units) + 1, false);
    m_seen.resize(size_t(units) + 1, false);
    for (int n = 1; n <= units; ++n) {
        const bool signedIn = m_link.unit(n).signedIn;
        if (signedIn != m_shown[size_t(n)]) {
            m_shown[size_t(n)] = signedIn;
            emit unitChanged(n, signedIn);
        }
        if (signedIn && !m_seen[size_t(n)] && !how.isEmpty()) {
            m_seen[size_t(n)] = true;
            m_arrivals.append({n, now(), how});
        }
    }
}

void SignInSession::countAndShow(bool screen)
{
    m_figures = SignInCount::figures(SignInCount::countPresent(m_link), m_meeting);
    m_quorumText =
        SignInCount::quorumText(m_figures.quorum, m_texts.quorumReached, m_texts.quorumMissed, m_quorumText);
    emit figuresChanged(m_figures, m_quorumText);
    const QString values = SignInCount::figureValues(m_figures);
    if (screen && (!m_countdownOn || m_ended)) {
        const QString title = m_countdownOn ? m_texts.signInTitle + QLatin1Char(':') : m_texts.signInTitle;
        emit screenFigures(
            title, values,
            SignInCount::figureLabels(m_texts.dueLabel, m_texts.presentLabel, m_texts.absentLabel));
    }
    if (!m_ended)
        return;
    if (screen)
        emit screenFigures(m_texts.endTitle, values,
                           SignInCount::figureLabels(m_texts.dueLabel, m_texts.presentLabel,
                                                     m_texts.absentLabel, m_quorumText));
}

void SignInSession::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

QString SignInSession::now() const
{
    return m_wallClock().toString(QStringLiteral("yyyyMMddHHmmss"));
}
