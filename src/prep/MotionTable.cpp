#include "prep/MotionTable.h"

#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/FieldList.h"
#include "data/Schema.h"
#include "prep/MeetingTable.h"
#include "prep/RecordKey.h"

#include <QDateTime>
#include <QFileInfo>

void MotionTable::setMeeting(const QString& meetingName)
{
    m_path = Schema::meetingDatabasePath(meetingName);
}

namespace {

MotionRecord toRecord(const DbRow& row)
{
    MotionRecord r;
    struct Column
    {
        const char* name;
        QString* field;
    };
    const Column columns[] = {
        {"OveName", &r.OveName},
        {"OveType", &r.OveType},
        {"VoteBase", &r.VoteBase},
        {"VoteAbet", &r.VoteAbet},
        {"VoteAbetValue", &r.VoteAbetValue},
        {"VoteTimelRes", &r.VoteTimelRes},
        {"VoteTimelValue", &r.VoteTimelValue},
        {"Unit", &r.Unit},
        {"ViewPer", &r.ViewPer},
        {"ViewPass", &r.ViewPass},
        {"VoteDll", &r.VoteDll},
        {"ytText", &r.ytText},
        {"VoteState", &r.VoteState},
        {"insertdate", &r.insertdate},
        {"result", &r.result},
        {"PollTimel", &r.PollTimel},
        {"rtf", &r.rtf},
        {"mark", &r.mark},
        {"candidate", &r.candidate},
        {"factresult1", &r.factresult1},
        {"factresult2", &r.factresult2},
        {"factresult3", &r.factresult3},
    };
    for (const Column& column : columns)
        row.read(column.name, *column.field);
    bool ok = false;
    const int seats = row.text("Seats").toInt(&ok);
    r.seats = ok && seats >= 1 ? seats : 1;
    return r;
}

} // namespace

std::optional<QList<MotionRecord>> MotionTable::all()
{
    const auto rows = DbAccess::selectOnce(m_path, QStringLiteral("select * from Overture order by ID"));
    if (!rows)
        return std::nullopt;
    QList<MotionRecord> motions;
    for (const DbRow& row : *rows)
        motions.append(toRecord(row));
    return motions;
}

std::optional<MotionRecord> MotionTable::find(const QString& title)
{
    const auto rows = DbAccess::selectOnce(
        m_path, QStringLiteral("select * from Overture where OveName = ? order by ID"), {title});
    if (!rows || rows->isEmpty())
        return std::nullopt;
    return toRecord(rows->first());
}

bool MotionTable::loadList()
{
    titles.clear();
    kinds.clear();
    states.clear();
    const auto motions = all();
    if (!motions)
        return false;
    for (const MotionRecord& motion : *motions) {
        titles.append(motion.OveName);
        kinds.append(motion.OveType);
        states.append(motion.VoteState);
    }
    return true;
}

bool MotionTable::load(const QString& title)
{
    const std::optional<MotionRecord> found = find(title);
    record = found.value_or(MotionRecord());
    return found.has_value();
}

bool MotionTable::exists(const QString& title)
{
    return DbAccess::rowExists(m_path, QStringLiteral("select id from Overture where OveName = ?"), {title});
}

bool MotionTable::keyExists(const QString& key)
{
    return DbAccess::rowExists(m_path, QStringLiteral("select id from Overture where insertdate = ?"), {key});
}

bool MotionTable::create(const QString& meetingKey)
{
    record.insertdate = RecordKey::next(QDateTime::currentDateTime(), [&](const QString& k) {
        return keyExists(k) ||
               QFileInfo::exists(ProgramFolder::filePath(MeetingFiles::proposal(meetingKey, k + ".rtf")));
    });
    return insert();
}

bool MotionTable::insert()
{
    const MotionRecord& r = record;
    return execute(QStringLiteral("insert into Overture (OveName,OveType,VoteBase,VoteAbet,VoteAbetValue,"
                                  "VoteTimelRes,VoteTimelValue,Unit,ViewPer,ViewPass,VoteDll,ytText,mark,"
                                  "VoteState,insertdate) values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                   {r.OveName, r.OveType, r.VoteBase, r.VoteAbet, r.VoteAbetValue, r.VoteTimelRes,
                    r.VoteTimelValue, r.Unit, r.ViewPer, r.ViewPass, r.VoteDll, r.ytText, r.mark, r.VoteState,
                    r.insertdate});
}

bool MotionTable::update()
{
    const MotionRecord& r = record;
    return execute(QStringLiteral("update Overture set OveName=?,OveType=?,VoteBase=?,VoteAbet=?,"
                                  "VoteAbetValue=?,VoteTimelRes=?,VoteTimelValue=?,Unit=?,ViewPer=?,"
                                  "ViewPass=?,VoteDll=?,ytText=? where insertdate=?"),
                   {r.OveName, r.OveType, r.VoteBase, r.VoteAbet, r.VoteAbetValue, r.VoteTimelRes,
                    r.VoteTimelValue, r.Unit, r.ViewPer, r.ViewPass, r.VoteDll, r.ytText, r.insertdate});
}

bool MotionTable::remove(const QString& title)
{
    return execute(QStringLiteral("delete from Overture where OveName = ?"), {title});
}

bool MotionTable::setCandidates(const QString& key, const QString& list)
{
    return execute(QStringLiteral("update Overture set candidate=? where insertdate=?"), {list, key});
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

bool MotionTable::execute(const QString& sql, const QVariantList& values)
{
    return DbAccess::executeOnce(m_path, sql, values);
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

int kindOf(const QString& kindText, const QStringList& kindTexts)
{
    return kindText.isEmpty() ? -1 : int(kindTexts.indexOf(kindText));
}

void fill(MotionRecord& record, const MotionSettings& s, const QString& systemMark)
{
    const QString zero = QStringLiteral("0");
    record.OveType = s.kindText;
    record.VoteBase = keepsBase(s.kind) ? s.baseText : QString();
    record.VoteAbet = keepsRule(s.kind) ? s.ruleText : QString();
    record.VoteAbetValue = keepsRule(s.kind) ? s.rate : zero;
    record.VoteTimelRes = storedFlag(s.timeLimit);
    record.VoteTimelValue = s.timeLimit ? s.seconds : zero;
    if (keepsRule(s.kind))
        record.Unit = storedFlag(s.unpressedAbstains);
    else
        record.Unit = s.kind == 6 ? storedFlag(false) : zero;
    record.ViewPer = keepsPercentages(s.kind) ? storedFlag(s.showPercentages) : zero;
    record.ViewPass = keepsRule(s.kind) ? storedFlag(s.showPass) : zero;
    record.VoteDll = keepsDynamic(s.kind) ? storedFlag(s.dynamicDisplay) : zero;
    record.ytText = keepsRule(s.kind) ? s.extraText : QString();
    record.mark = s.kind >= 1 && s.kind <= 6 ? systemMark : QString();
    record.seats = candidateMode(s.kind) != 0 ? qBound(1, s.seats, candidateCount(s.kind)) : 1;
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
