#include "prep/MotionTable.h"

#include "data/DbAccess.h"
#include "prep/MeetingTable.h"
#include "core/ProgramFolder.h"
#include "prep/RecordKey.h"
#include "data/Schema.h"

#include <QDateTime>
#include <QFileInfo>

namespace {

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("2");
}

} // namespace

void MotionTable::setMeeting(const QString& meetingName)
{
    m_path = Schema::meetingDatabasePath(meetingName);
}

void MotionTable::loadList()
{
    titles.clear();
    kinds.clear();
    states.clear();
    DbAccess db;
    db.Connect(m_path);
    Recordset& rows = db.Query(QStringLiteral("select * from Overture order by ID"));
    for (; !rows.isEof(); rows.moveNext()) {
        QString title, kind, state;
        rows.read("OveName", title);
        rows.read("OveType", kind);
        rows.read("VoteState", state);
        titles.append(title);
        kinds.append(kind);
        states.append(state);
    }
    db.Disconnect();
}

bool MotionTable::load(const QString& title)
{
    record = MotionRecord();
    DbAccess db;
    db.Connect(m_path);
    const Recordset& row = db.Query(QStringLiteral("select * from Overture where OveName = ?"), {title});
    const bool found = !row.isEof();
    if (found) {
        struct Column
        {
            const char* name;
            QString* field;
        };
        const Column columns[] = {
            {"OveName", &record.OveName},
            {"OveType", &record.OveType},
            {"VoteBase", &record.VoteBase},
            {"VoteAbet", &record.VoteAbet},
            {"VoteAbetValue", &record.VoteAbetValue},
            {"VoteTimelRes", &record.VoteTimelRes},
            {"VoteTimelValue", &record.VoteTimelValue},
            {"Unit", &record.Unit},
            {"ViewPer", &record.ViewPer},
            {"ViewPass", &record.ViewPass},
            {"VoteDll", &record.VoteDll},
            {"ytText", &record.ytText},
            {"VoteState", &record.VoteState},
            {"insertdate", &record.insertdate},
            {"result", &record.result},
            {"PollTimel", &record.PollTimel},
            {"rtf", &record.rtf},
            {"mark", &record.mark},
            {"candidate", &record.candidate},
            {"factresult1", &record.factresult1},
            {"factresult2", &record.factresult2},
            {"factresult3", &record.factresult3},
        };
        for (const Column& column : columns)
            row.read(column.name, *column.field);
    }
    db.Disconnect();
    return found;
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

bool MotionTable::setCandidates(const QString& title, const QString& list)
{
    return execute(QStringLiteral("update Overture set candidate=? where OveName=?"), {list, title});
}

bool MotionTable::setProposal(const QString& key, const QString& file)
{
    return execute(QStringLiteral("update Overture set rtf=? where insertdate=?"), {file, key});
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
    record.VoteTimelRes = flag(s.timeLimit);
    record.VoteTimelValue = s.timeLimit ? s.seconds : zero;
    if (keepsRule(s.kind))
        record.Unit = flag(s.unpressedAbstains);
    else
        record.Unit = s.kind == 6 ? flag(false) : zero;
    record.ViewPer = keepsPercentages(s.kind) ? flag(s.showPercentages) : zero;
    record.ViewPass = keepsRule(s.kind) ? flag(s.showPass) : zero;
    record.VoteDll = keepsDynamic(s.kind) ? flag(s.dynamicDisplay) : zero;
    record.ytText = keepsRule(s.kind) ? s.extraText : QString();
    record.mark = s.kind >= 1 && s.kind <= 6 ? systemMark : QString();
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
