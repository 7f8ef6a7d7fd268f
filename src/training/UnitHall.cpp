#include "training/UnitHall.h"

#include "link/Commands.h"

#include <QRegularExpression>

namespace {

quint32 micEvent(quint8 code, int unit)
{
    return quint32(Commands::kClassMicEvent) << 16 | quint32(code) << 8 | quint32(unit);
}

} // namespace

UnitHall::UnitHall(int units, int chairs)
    : m_unitCount(qBound(0, units, kMaxUnits)), m_chairCount(qBound(0, chairs, m_unitCount)),
      m_units(size_t(m_unitCount) + 1)
{
}

SimUnit& UnitHall::unit(int number)
{
    if (!inRange(number)) {
        m_scratch = {};
        return m_scratch;
    }
    return m_units[size_t(number)];
}

const SimUnit& UnitHall::unit(int number) const
{
    if (!inRange(number)) {
        m_scratch = {};
        return m_scratch;
    }
    return m_units[size_t(number)];
}

quint8 UnitHall::keyState(int number) const
{
    const SimUnit& u = unit(number);
    quint8 state = u.voteKeys & Commands::kKeyVoteMask;
    if (!u.forbidden)
        state |= Commands::kKeyMicFree;
    if (u.signInKey)
        state |= Commands::kKeySignIn;
    if (u.micOpen)
        state |= Commands::kKeyMicOpen;
    return state;
}

int UnitHall::openMicCount() const
{
    int count = 0;
    for (int n = 1; n <= m_unitCount; ++n)
        count += m_units[size_t(n)].micOpen ? 1 : 0;
    return count;
}

QList<quint32> UnitHall::openMic(int number)
{
    SimUnit& u = unit(number);
    if (!inRange(number) || !u.present || u.forbidden || u.micOpen)
        return {};
    QList<quint32> events;
    if (number > m_chairCount && m_speakingMode != SpeakingMode::Free) {
        int open = 0;
        int oldest = 0;
        for (int n = m_chairCount + 1; n <= m_unitCount; ++n) {
            const SimUnit& other = m_units[size_t(n)];
            if (!other.micOpen)
                continue;
            ++open;
            if (oldest == 0 || other.openedAt < m_units[size_t(oldest)].openedAt)
                oldest = n;
        }
        if (open >= m_speechNumber) {
            if (m_speakingMode == SpeakingMode::Limited || oldest == 0)
                return {};
            events += closeMic(oldest);
        }
    }
    u.micOpen = true;
    u.openedAt = ++m_openings;
    events.append(micEvent(Commands::kMicOpened, number));
    return events;
}

QList<quint32> UnitHall::closeMic(int number)
{
    SimUnit& u = unit(number);
    if (!inRange(number) || !u.micOpen)
        return {};
    u.micOpen = false;
    return {micEvent(Commands::kMicClosed, number)};
}

void UnitHall::setSpeechMode(quint8 code, int number)
{
    m_speechMode = code;
    m_speechNumber = number;
    if (code == quint8(Commands::kSpeechModeFirst >> 8))
        m_speakingMode = SpeakingMode::Free;
    else if (code == Commands::kSpeechModeSecond)
        m_speakingMode = SpeakingMode::Limited;
    else if (code == Commands::kSpeechModeThird)
        m_speakingMode = SpeakingMode::FirstComeFirstServed;
    // The console clears its microphone flags on a mode change, as the controller closes them all.
    for (SimUnit& u : m_units)
        u.micOpen = false;
}

QList<quint32> UnitHall::receive(quint32 word)
{
    const quint8 cls = quint8(word >> 16);
    const quint8 b1 = quint8(word >> 8);
    const int n = quint8(word);
    switch (word & 0xFFFFFF) {
    case Commands::kControlBegin:
        m_control = true;
        return {};
    case Commands::kControlEnd:
        m_control = false;
        return {};
    case Commands::kSignInStart:
        for (SimUnit& u : m_units)
            u.signInKey = false;
        m_signInOpen = true;
        m_planSignIn = true;
        return {};
    case Commands::kSupplementSignInStart:
        m_signInOpen = true;
        m_planSignIn = true;
        return {};
    case Commands::kSignInEnd:
        m_signInOpen = false;
        return {};
    case Commands::kVoteEnd:
        m_voteOpen = false;
        return {};
    case Commands::kAllMicsOff: {
        QList<quint32> events;
        for (int u = m_chairCount + 1; u <= m_unitCount; ++u)
            events += closeMic(u);
        return events;
    }
    default:
        break;
    }
    switch (cls) {
    case Commands::kClassPoll:
        if (b1 == 0 && inRange(n) && unit(n).present)
            return {quint32(Commands::kClassKeyReport) << 16 | quint32(keyState(n)) << 8 | quint32(n)};
        return {};
    case Commands::kClassConfirmSignIn:
        if (inRange(n))
            unit(n).signInKey = true;
        return {};
    case Commands::kClassVote:
        if (b1 == 0x55) {
            for (SimUnit& u : m_units)
                u.voteKeys = 0;
            m_voteOpen = true;
            m_voteMode = quint8(n);
            m_planVote = true;
        }
        return {};
    case Commands::kClassNumbering:
        if (b1 == 0)
            m_numberingStart = n;
        return {};
    case Commands::kClassSpeakerOn:
        return b1 == 0 ? openMic(n) : QList<quint32>{};
    case Commands::kClassSpeakerOff:
        return b1 == 0 ? closeMic(n) : QList<quint32>{};
    case Commands::kClassSpeechMode:
        setSpeechMode(b1, n);
        return {};
    case Commands::kClassForbid:
        if (!inRange(n))
            return {};
        if (b1 == 0x00) {
            QList<quint32> events = closeMic(n);
            unit(n).forbidden = true;
            return events;
        }
        if (b1 == 0x08)
            unit(n).forbidden = false;
        return {};
    case Commands::kClassCamera:
        if (n == 0x55)
            m_cameraCode = b1;
        return {};
    default:
        return {};
    }
}

std::optional<QList<int>> UnitHall::parseUnits(const QString& text)
{
    QList<int> units;
    static const QRegularExpression item(QStringLiteral("^(\\d+)(?:-(\\d+))?$"));
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = item.match(part.trimmed());
        if (!match.hasMatch())
            return std::nullopt;
        const int from = match.captured(1).toInt();
        const int to = match.captured(2).isEmpty() ? from : match.captured(2).toInt();
        if (from < 1 || to < from || to > kMaxUnits)
            return std::nullopt;
        for (int n = from; n <= to; ++n)
            units.append(n);
    }
    if (units.isEmpty())
        return std::nullopt;
    return units;
}

std::optional<UnitHall::Action> UnitHall::parse(const QString& line, QString* error)
{
    auto fail = [error](const QString& why) -> std::optional<Action> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const QString text = line.section(QLatin1Char('#'), 0, 0).trimmed();
    Action action;
    if (text.isEmpty())
        return action;
    const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")));
    const QString verb = words[0].toLower();
    action.verb = verb;

    static const QStringList transport = {QStringLiteral("noise"),  QStringLiteral("trickle"),
                                          QStringLiteral("silent"), QStringLiteral("wait"),
                                          QStringLiteral("delay"),  QStringLiteral("quit")};
    if (transport.contains(verb)) {
        action.kind = Action::Transport;
        action.argument = words.value(1);
        return action;
    }
    static const QList<QPair<QString, Action::Kind>> unitVerbs = {
        {QStringLiteral("signin"), Action::SignIn},   {QStringLiteral("press"), Action::Press},
        {QStringLiteral("mic"), Action::Mic},         {QStringLiteral("priority"), Action::Priority},
        {QStringLiteral("offline"), Action::Offline}, {QStringLiteral("online"), Action::Online},
        {QStringLiteral("forbid"), Action::Forbid},   {QStringLiteral("untie"), Action::Untie}};
    for (const auto& [name, kind] : unitVerbs) {
        if (name == verb)
            action.kind = kind;
    }
    if (action.kind == Action::None)
        return fail(QStringLiteral("unknown action: %1").arg(verb));
    if (words.size() < 2)
        return fail(QStringLiteral("%1: which units?").arg(verb));
    const std::optional<QList<int>> units = parseUnits(words[1]);
    if (!units)
        return fail(QStringLiteral("%1: bad unit list %2").arg(verb, words[1]));
    action.units = *units;
    if (action.kind == Action::Press) {
        for (int i = 2; i < words.size(); ++i) {
            bool ok = false;
            const int key = words[i].toInt(&ok);
            if (!ok || key < 1 || key > 5)
                return fail(QStringLiteral("press: keys are 1..5, not %1").arg(words[i]));
            action.keys.append(key);
        }
    } else if (action.kind == Action::Mic) {
        const QString state = words.value(2).toLower();
        if (state != QLatin1String("on") && state != QLatin1String("off"))
            return fail(QStringLiteral("mic: on or off"));
        action.on = state == QLatin1String("on");
    }
    return action;
}

QList<quint32> UnitHall::apply(const Action& action)
{
    QList<quint32> events;
    for (int n : action.units) {
        if (!inRange(n))
            continue;
        SimUnit& u = unit(n);
        switch (action.kind) {
        case Action::SignIn:
            // The key only counts while a sign-in is open, as on the real units.
            if (m_signInOpen && u.present)
                u.signInKey = true;
            break;
        case Action::Press:
            if (m_voteOpen && u.present) {
                u.voteKeys = 0;
                for (int key : action.keys)
                    u.voteKeys |= quint8(1u << (key - 1));
            }
            break;
        case Action::Mic:
            events += action.on ? openMic(n) : closeMic(n);
            break;
        case Action::Priority:
            if (n <= m_chairCount && u.present) {
                for (int other = m_chairCount + 1; other <= m_unitCount; ++other)
                    m_units[size_t(other)].micOpen = false;
                u.micOpen = true;
                events.append(micEvent(Commands::kMicPriority, n));
            }
            break;
        case Action::Offline:
            u.present = false;
            break;
        case Action::Online:
            u.present = true;
            break;
        case Action::Forbid:
            events += closeMic(n);
            u.forbidden = true;
            break;
        case Action::Untie:
            u.forbidden = false;
            break;
        default:
            break;
        }
    }
    return events;
}

void UnitHall::setAuto(bool on, quint32 seed)
{
    m_auto = on;
    m_random.seed(seed);
    m_signInAt.assign(size_t(m_unitCount) + 1, -1);
    m_voteAt.assign(size_t(m_unitCount) + 1, -1);
    m_micCloseAt.assign(size_t(m_unitCount) + 1, -1);
    m_nextMicAt = 0;
}

void UnitHall::planSignIn(qint64 nowMs)
{
    // Most units within a few seconds, a few stragglers, about 5% never.
    for (int n = 1; n <= m_unitCount; ++n) {
        const bool never = m_random.bounded(100) < 5;
        m_signInAt[size_t(n)] =
            never ? -1 : nowMs + 500 + m_random.bounded(m_random.bounded(4) == 0 ? 9000 : 4000);
    }
}

void UnitHall::planVote(qint64 nowMs)
{
    for (int n = 1; n <= m_unitCount; ++n)
        m_voteAt[size_t(n)] = m_random.bounded(100) < 4 ? -1 : nowMs + 800 + m_random.bounded(7000);
}

QList<quint32> UnitHall::autoStep(qint64 nowMs)
{
    if (!m_auto)
        return {};
    m_now = nowMs;
    if (m_planSignIn) {
        m_planSignIn = false;
        planSignIn(nowMs);
    }
    if (m_planVote) {
        m_planVote = false;
        planVote(nowMs);
    }
    QList<quint32> events;
    for (int n = 1; n <= m_unitCount; ++n) {
        SimUnit& u = m_units[size_t(n)];
        qint64& signInAt = m_signInAt[size_t(n)];
        if (signInAt >= 0 && nowMs >= signInAt) {
            signInAt = -1;
            if (m_signInOpen && u.present)
                u.signInKey = true;
        }
        qint64& voteAt = m_voteAt[size_t(n)];
        if (voteAt >= 0 && nowMs >= voteAt) {
            voteAt = -1;
            if (m_voteOpen && u.present) {
                // Yes most often, then no, then abstain; an election-style mode uses all five keys.
                const int roll = int(m_random.bounded(100));
                int key = roll < 62 ? 1 : roll < 85 ? 2 : 3;
                if (m_voteMode == 0x07)
                    key = 1 + int(m_random.bounded(5));
                u.voteKeys = quint8(1u << (key - 1));
            }
        }
        qint64& closeAt = m_micCloseAt[size_t(n)];
        if (closeAt >= 0 && nowMs >= closeAt) {
            closeAt = -1;
            events += closeMic(n);
        }
    }
    if (nowMs >= m_nextMicAt && m_unitCount > 0) {
        m_nextMicAt = nowMs + 3000 + m_random.bounded(6000);
        const int n = 1 + int(m_random.bounded(m_unitCount));
        if (openMicCount() < 4) {
            const QList<quint32> opened = openMic(n);
            if (!opened.isEmpty())
                m_micCloseAt[size_t(n)] = nowMs + 4000 + m_random.bounded(10000);
            events += opened;
        }
    }
    return events;
}
