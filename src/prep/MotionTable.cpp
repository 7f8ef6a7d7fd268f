#include "prep/MotionTable.h"

#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/FieldList.h"
#include "data/Schema.h"
#include "prep/MeetingTable.h"
#include "prep/RecordKey.h"

#include <QFileInfo>

namespace {

// The designed form of PollTimel.
const QString kTimeFormat = QStringLiteral("yyyy/MM/dd/-HH:mm:ss");

bool isOn(const QString& flag)
{
    return flag == QLatin1String("1");
}

int number(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

// A setting the kind does not keep is stored as "0".
QString flagOrZero(bool kept, bool on)
{
    return kept ? storedFlag(on) : QStringLiteral("0");
}

Motion toMotion(const DbRow& row, const MotionWords& words)
{
    Motion m;
    m.title = row.text("OveName");
    m.key = row.text("insertdate");
    const QString kind = row.text("OveType");
    m.kind = words.kindOf(kind);
    if (!m.kind)
        m.unknownKind = kind;
    const QString base = row.text("VoteBase");
    if (!base.isEmpty() && words.dueBases.contains(base))
        m.base = VoteBase::Due;
    else if (!base.isEmpty() && words.presentBases.contains(base))
        m.base = VoteBase::Present;
    else
        m.unknownBase = base;
    const QString rule = row.text("VoteAbet");
    m.strictRule = !rule.isEmpty() && words.strictRules.contains(rule);
    m.threshold = number(row.text("VoteAbetValue"));
    m.timeLimit = isOn(row.text("VoteTimelRes"));
    m.limitSeconds = number(row.text("VoteTimelValue"));
    m.unpressedAbstains = isOn(row.text("Unit"));
    m.showPercent = isOn(row.text("ViewPer"));
    m.showPass = isOn(row.text("ViewPass"));
    m.liveDisplay = isOn(row.text("VoteDll"));
    m.passWording = row.text("ytText");
    for (const QString& point : FieldList::split(row.text("mark")))
        m.points.append(number(point));
    m.voted = words.votedStates.contains(row.text("VoteState"));
    m.votedAt = QDateTime::fromString(row.text("PollTimel"), kTimeFormat);
    m.result = row.text("result");
    m.proposalFile = row.text("rtf");
    m.candidates = FieldList::split(row.text("candidate"));
    const int seats = number(row.text("Seats"));
    m.seats = seats >= 1 ? seats : 1;
    return m;
}

// The stored texts of the settings the page edits, in the order of kSettingColumns.
const QStringList kSettingColumns{"OveName",       "OveType",      "VoteBase",       "VoteAbet",
                                  "VoteAbetValue", "VoteTimelRes", "VoteTimelValue", "Unit",
                                  "ViewPer",       "ViewPass",     "VoteDll",        "ytText"};

QVariantList settingValues(const Motion& m, const MotionWords& words)
{
    using namespace MotionRules;
    const int kind = kindNumber(m.kind);
    const QString base = m.base == VoteBase::Due       ? words.dueBase
                         : m.base == VoteBase::Present ? words.presentBase
                                                       : m.unknownBase;
    const bool rule = keepsRule(kind);
    return {m.title, words.kindText(m), keepsBase(kind) ? base : QString(),
            rule ? (m.strictRule ? words.strictRule : words.lenientRule) : QString(),
            rule ? QString::number(m.threshold) : QStringLiteral("0"), storedFlag(m.timeLimit),
            QString::number(m.limitSeconds),
            // An evaluation stores "not counted as abstaining"; elections and scoring nothing.
            flagOrZero(rule || m.kind == VoteKind::Evaluation, m.unpressedAbstains),
            flagOrZero(keepsPercentages(kind), m.showPercent), flagOrZero(rule, m.showPass),
            flagOrZero(keepsDynamic(kind), m.liveDisplay), rule ? m.passWording : QString()};
}

QString joined(const QList<int>& numbers)
{
    QStringList fields;
    for (const int n : numbers)
        fields.append(QString::number(n));
    return fields.isEmpty() ? QString() : FieldList::join(fields);
}

} // namespace

MotionTable::MotionTable(MotionWords words) : m_words(std::move(words)) {}

void MotionTable::setMeeting(const QString& meetingName)
{
    m_path = Schema::meetingDatabasePath(meetingName);
}

std::optional<QList<Motion>> MotionTable::all()
{
    const auto rows = DbAccess::selectOnce(m_path, QStringLiteral("select * from Overture order by ID"));
    if (!rows)
        return std::nullopt;
    QList<Motion> motions;
    for (const DbRow& row : *rows)
        motions.append(toMotion(row, m_words));
    return motions;
}

std::optional<Motion> MotionTable::find(const QString& title)
{
    const auto rows = DbAccess::selectOnce(
        m_path, QStringLiteral("select * from Overture where OveName = ? order by ID"), {title});
    if (!rows || rows->isEmpty())
        return std::nullopt;
    return toMotion(rows->first(), m_words);
}

bool MotionTable::exists(const QString& title)
{
    return DbAccess::rowExists(m_path, QStringLiteral("select id from Overture where OveName = ?"), {title});
}

bool MotionTable::keyExists(const QString& key)
{
    return DbAccess::rowExists(m_path, QStringLiteral("select id from Overture where insertdate = ?"), {key});
}

bool MotionTable::create(Motion& motion, const QString& meetingKey)
{
    motion.key = RecordKey::next(QDateTime::currentDateTime(), [&](const QString& k) {
        return keyExists(k) ||
               QFileInfo::exists(ProgramFolder::filePath(MeetingFiles::proposal(meetingKey, k + ".rtf")));
    });
    return insert(motion);
}

bool MotionTable::insert(const Motion& motion)
{
    QVariantList values = settingValues(motion, m_words);
    values << joined(motion.points) << m_words.notVoted << motion.key;
    return execute(QStringLiteral("insert into Overture (%1,mark,VoteState,insertdate) "
                                  "values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)")
                       .arg(kSettingColumns.join(QLatin1Char(','))),
                   values);
}

bool MotionTable::update(const Motion& motion)
{
    return execute(QStringLiteral("update Overture set %1=? where insertdate=?")
                       .arg(kSettingColumns.join(QStringLiteral("=?,"))),
                   settingValues(motion, m_words) << motion.key);
}

bool MotionTable::remove(const QString& title)
{
    return execute(QStringLiteral("delete from Overture where OveName = ?"), {title});
}

bool MotionTable::setCandidates(const QString& key, const QStringList& candidates)
{
    return execute(QStringLiteral("update Overture set candidate=? where insertdate=?"),
                   {FieldList::join(candidates), key});
}

bool MotionTable::setProposal(const QString& key, const QString& file)
{
    return execute(QStringLiteral("update Overture set rtf=? where insertdate=?"), {file, key});
}

bool MotionTable::setSeats(const QString& key, int seats)
{
    return Schema::ensureColumn(m_path, QStringLiteral("Overture"), QStringLiteral("Seats"),
                                QStringLiteral("int default 1")) &&
           execute(QStringLiteral("update Overture set Seats=? where insertdate=?"), {seats, key});
}

std::optional<qint64> MotionTable::rowId(const Motion& motion)
{
    const bool byKey = !motion.key.isEmpty();
    const auto rows = DbAccess::selectOnce(
        m_path,
        byKey ? QStringLiteral("select id from Overture where insertdate = ? order by id")
              : QStringLiteral("select id from Overture where OveName = ? order by id"),
        {byKey ? motion.key : motion.title});
    if (!rows || rows->isEmpty())
        return std::nullopt;
    bool ok = false;
    const qint64 value = rows->first().text("id").toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

MotionTable::Statement MotionTable::voteSettings(qint64 id, const Motion& motion) const
{
    const QVariantList all = settingValues(motion, m_words);
    // VoteBase to VoteDll: a motion vote's settings; VoteTimelRes and VoteTimelValue: any kind's.
    const bool motionVote = motion.kind == VoteKind::MotionVote;
    const int first = motionVote ? 2 : 5;
    const int count = motionVote ? 9 : 2;
    const QStringList columns = kSettingColumns.mid(first, count);
    return {QStringLiteral("update Overture set %1=? where id=?").arg(columns.join(QStringLiteral("=?,"))),
            all.mid(first, count) << id};
}

MotionTable::Statement MotionTable::voteResult(qint64 id, const QString& result, const QString& votedState,
                                               const QDateTime& at)
{
    return {QStringLiteral("update Overture set result=?,VoteState=?,PollTimel=? where id=?"),
            {result, votedState, storedTime(at), id}};
}

QString MotionTable::storedTime(const QDateTime& at)
{
    return at.toString(kTimeFormat);
}

MotionChanges& MotionTable::changes()
{
    static MotionChanges notifier;
    return notifier;
}

void MotionTable::announce(const QString& path)
{
    emit changes().changed(path);
}

bool MotionTable::execute(const QString& sql, const QVariantList& values)
{
    const bool done = DbAccess::executeOnce(m_path, sql, values);
    if (done)
        announce(m_path);
    return done;
}

namespace MotionRules {

bool keepsBase(int kind)
{
    return kind == 0 || kind == 6;
}

bool keepsRule(int kind)
{
    return kind == 0;
}

bool keepsPercentages(int kind)
{
    return kind == 0 || kind == 6;
}

bool keepsDynamic(int kind)
{
    return kind == 0 || kind == 6;
}

int candidateMode(int kind)
{
    return kind >= 1 && kind <= 4 ? kind : 0;
}

int candidateCount(int kind)
{
    return candidateMode(kind) == 0 ? 0 : kind <= 2 ? 3 : 5;
}

void fill(Motion& m, const MotionSettings& s, const QList<int>& systemPoints)
{
    m.kind = voteKind(s.kind);
    m.unknownKind.clear();
    m.base = keepsBase(s.kind) ? s.base : VoteBase::Unknown;
    m.unknownBase.clear();
    const bool rule = keepsRule(s.kind);
    m.strictRule = rule && s.strictRule;
    m.threshold = rule ? s.rate.toInt() : 0;
    m.timeLimit = s.timeLimit;
    m.limitSeconds = s.timeLimit ? s.seconds : 0;
    m.unpressedAbstains = rule && s.unpressedAbstains;
    m.showPercent = keepsPercentages(s.kind) && s.showPercentages;
    m.showPass = rule && s.showPass;
    m.liveDisplay = keepsDynamic(s.kind) && s.dynamicDisplay;
    m.passWording = rule ? s.extraText : QString();
    m.points = s.kind >= 1 && s.kind <= 6 ? systemPoints : QList<int>();
    m.seats = candidateMode(s.kind) != 0 ? qBound(1, s.seats, candidateCount(s.kind)) : 1;
}

bool isRateValid(const MotionSettings& settings)
{
    if (!keepsRule(settings.kind))
        return true;
    bool ok = false;
    const int rate = settings.rate.toInt(&ok);
    return ok && rate >= 0 && rate <= 100 && !settings.rate.startsWith(QLatin1Char('-')) &&
           !settings.rate.startsWith(QLatin1Char('+'));
}

} // namespace MotionRules
