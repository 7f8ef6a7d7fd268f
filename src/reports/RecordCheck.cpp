#include "reports/RecordCheck.h"

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/EventLog.h"
#include "data/Schema.h"
#include "meeting/AttendanceTable.h"
#include "reports/SignInRegister.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace RecordCheck {

namespace {

using Outcome = Verdict::Outcome;

Verdict verdict(Outcome outcome, const QString& finding, const QStringList& args = {})
{
    Verdict v;
    v.outcome = outcome;
    v.finding = finding;
    v.args = args;
    return v;
}

QString shownTime(const QString& at)
{
    return EventLog::timeOf(at).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

// What the chain says the stored figures must be.
struct Recorded
{
    struct VoteEnd
    {
        QString result;
        QString at;
    };
    QHash<qint64, VoteEnd> lastVoteEnds; // by Overture id
    struct VoteStart
    {
        QString motion;
        QString at;
    };
    QHash<qint64, VoteStart> openVotes; // started and neither ended nor closed as interrupted, by Overture id
    bool roundEnded = false;
    QSet<int> presentAtEnd; // units present when the last round ended
    int presentCount = 0;   // "present N" of the last round's end
    int manualAfter = 0;    // units signed in by hand after it
    QString endAt;
    QString lastSignInAt;
};

Recorded replay(const QList<EventLog::Event>& events)
{
    static const QRegularExpression voteEnd(QStringLiteral("^motion (\\d+) result (.*)$"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression voteStart(QStringLiteral("^motion (\\d+) (.*)$"),
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression voteClosed(QStringLiteral("^motion (\\d+)"));
    static const QRegularExpression present(QStringLiteral("present (\\d+)"));
    static const QRegularExpression unit(QStringLiteral("^unit (\\d+)"));
    Recorded r;
    QSet<int> units;
    for (const EventLog::Event& e : events) {
        if (e.kind == EventLog::kVoteStarted) {
            if (const auto m = voteStart.match(e.detail); m.hasMatch())
                r.openVotes.insert(m.captured(1).toLongLong(), {m.captured(2), e.at});
        } else if (e.kind == EventLog::kVoteEnded || e.kind == EventLog::kVoteInterrupted) {
            if (const auto m = voteClosed.match(e.detail); m.hasMatch())
                r.openVotes.remove(m.captured(1).toLongLong());
            if (const auto m = voteEnd.match(e.detail); m.hasMatch() && e.kind == EventLog::kVoteEnded)
                r.lastVoteEnds.insert(m.captured(1).toLongLong(), {m.captured(2), e.at});
        } else if (e.kind == EventLog::kSignInStarted) {
            // A supplementary round keeps who was there; a new round starts from nobody.
            if (e.detail != ArrivalHow::kSupplementary)
                units.clear();
        } else if (e.kind == EventLog::kUnitSignedIn) {
            if (const auto m = unit.match(e.detail); m.hasMatch()) {
                const int n = m.captured(1).toInt();
                if (r.roundEnded && !units.contains(n) && e.detail.endsWith(ArrivalHow::kManual))
                    ++r.manualAfter;
                units.insert(n);
                r.lastSignInAt = e.at;
            }
        } else if (e.kind == EventLog::kSignInEnded) {
            r.roundEnded = true;
            r.presentAtEnd = units;
            r.presentCount = present.match(e.detail).captured(1).toInt();
            r.manualAfter = 0;
            r.endAt = e.at;
            r.lastSignInAt = e.at;
        }
    }
    return r;
}

// Compares the stored figures with the record; the first difference, or
// nothing with the count of figures older than the record.
std::optional<Verdict> compareFigures(DbAccess& meeting, const QString& meetingName,
                                      const QList<EventLog::Event>& events, int& notCovered)
{
    const Recorded r = replay(events);
    const QDateTime firstAt = events.isEmpty() ? QDateTime() : EventLog::timeOf(events.first().at);
    const auto unreadable = [] { return verdict(Outcome::Unreadable, QStringLiteral("RecordUnreadable")); };
    const auto differs = [](const char* table, const QString& row, const char* column, const QString& at) {
        return verdict(Outcome::Broken, QStringLiteral("RecordFigureDiffers"),
                       {QLatin1String(table), row, QLatin1String(column), shownTime(at)});
    };

    const auto motions =
        meeting.select(QStringLiteral("select id, result, PollTimel from Overture order by id"));
    if (!motions)
        return unreadable();
    QSet<qint64> motionIds;
    for (const DbRow& row : *motions) {
        const qint64 id = row.text("id").toLongLong();
        motionIds.insert(id);
        const QString result = row.text("result");
        // A vote cut off and not yet closed: its row may hold a partial count, which is no forgery.
        if (const auto open = r.openVotes.constFind(id); open != r.openVotes.constEnd())
            return verdict(Outcome::Broken, QStringLiteral("RecordVoteUnfinished"),
                           {open->motion, shownTime(open->at)});
        const auto end = r.lastVoteEnds.constFind(id);
        if (end != r.lastVoteEnds.constEnd()) {
            if (end->result != result)
                return differs("Overture", row.text("id"), "result", end->at);
        } else if (!result.isEmpty()) {
            const QDateTime votedAt = EventLog::timeOf(row.text("PollTimel"));
            if (!firstAt.isValid() || (votedAt.isValid() && votedAt < firstAt))
                ++notCovered;
            else
                return verdict(Outcome::Broken, QStringLiteral("RecordFigureNotRecorded"),
                               {QStringLiteral("Overture"), row.text("id"), QStringLiteral("result")});
        }
    }
    for (auto it = r.lastVoteEnds.constBegin(); it != r.lastVoteEnds.constEnd(); ++it)
        if (!motionIds.contains(it.key()))
            return differs("Overture", QString::number(it.key()), "result", it->at);

    const SignInRegister::Marks marks = SignInRegister::Marks::ofEveryTable();
    const auto delegates =
        meeting.select(QStringLiteral("select id, CellNo, sign from Employees order by id"));
    const auto signIns = meeting.select(QStringLiteral("select id, CellNo, sign from SignIn order by id"));
    if (!delegates || !signIns)
        return unreadable();
    if (!r.roundEnded) {
        for (const QList<DbRow>* rows : {&*delegates, &*signIns})
            for (const DbRow& row : *rows)
                notCovered += marks.present.contains(row.text("sign")) ? 1 : 0;
        return std::nullopt;
    }
    for (const DbRow& row : *delegates)
        if (marks.present.contains(row.text("sign")) != r.presentAtEnd.contains(row.text("CellNo").toInt()))
            return differs("Employees", row.text("id"), "sign", r.endAt);
    // The last round appended one row per unit from unit 1 on.
    qsizetype lastRound = signIns->size();
    while (lastRound > 0 && (*signIns)[lastRound - 1].text("CellNo") != QLatin1String("1"))
        --lastRound;
    for (qsizetype i = qMax<qsizetype>(lastRound - 1, 0); i < signIns->size(); ++i) {
        const DbRow& row = (*signIns)[i];
        if (marks.present.contains(row.text("sign")) != r.presentAtEnd.contains(row.text("CellNo").toInt()))
            return differs("SignIn", row.text("id"), "sign", r.endAt);
    }

    DbAccess system;
    system.connectReadOnly(Schema::kSystemDatabase);
    const auto meetingRow =
        system.select(QStringLiteral("select ID, SignIn from Mottag where MeeName = ?"), {meetingName});
    if (!meetingRow)
        return unreadable();
    if (!meetingRow->isEmpty() &&
        meetingRow->first().text("SignIn").toInt() != r.presentCount + r.manualAfter)
        return differs("Mottag", meetingRow->first().text("ID"), "SignIn", r.lastSignInAt);
    return std::nullopt;
}

// The chain against its anchor; nothing when they agree.
std::optional<Verdict> compareAnchor(const EventLog::Chain& chain, const QString& meetingName)
{
    bool tableMissing = false;
    const auto anchor = EventLog::readAnchor(meetingName, &tableMissing);
    if (!anchor)
        return verdict(Outcome::Unreadable, QStringLiteral("RecordUnreadable"));
    const int events = int(chain.events.size());
    if (!*anchor) {
        if (events == 0)
            return std::nullopt;
        return verdict(Outcome::Broken, tableMissing ? QStringLiteral("RecordAnchorTableMissing")
                                                     : QStringLiteral("RecordNoAnchor"));
    }
    const EventLog::Anchor& a = **anchor;
    if (events < a.events)
        return chain.status == EventLog::Chain::Status::NoTable
                   ? verdict(Outcome::Broken, QStringLiteral("RecordTableMissing"))
                   : verdict(Outcome::Broken, QStringLiteral("RecordEventsMissing"),
                             {QString::number(a.events - events)});
    if (events > a.events)
        return verdict(Outcome::Broken, QStringLiteral("RecordEventsAfterAnchor"),
                       {QString::number(events - a.events)});
    if (events > 0 && chain.events.last().hash != a.head)
        return verdict(Outcome::Broken, QStringLiteral("RecordHeadDiffers"));
    return std::nullopt;
}

} // namespace

Verdict check(const QString& meetingName)
{
    const QString path = Schema::meetingDatabasePath(meetingName);
    const QFileInfo file(ProgramFolder::filePath(path));
    if (!file.isFile())
        return verdict(Outcome::Missing, QStringLiteral("RecordNoDatabase"));
    if (file.size() == 0)
        return verdict(Outcome::Broken, QStringLiteral("RecordEmptyFile"));
    DbAccess meeting;
    meeting.connectReadOnly(path);
    if (!meeting.isConnected())
        return verdict(Outcome::Unreadable, QStringLiteral("RecordUnreadable"));
    const EventLog::Chain chain = EventLog::readChain(meeting);
    Verdict found;
    if (chain.status == EventLog::Chain::Status::Unreadable)
        return verdict(Outcome::Unreadable, QStringLiteral("RecordUnreadable"));
    if (chain.status == EventLog::Chain::Status::Broken)
        found =
            verdict(Outcome::Broken, QStringLiteral("RecordBrokenAt"), {QString::number(chain.brokenRow)});
    else if (const auto anchorDiffers = compareAnchor(chain, meetingName))
        found = *anchorDiffers;
    else {
        int notCovered = 0;
        if (const auto figureDiffers = compareFigures(meeting, meetingName, chain.events, notCovered))
            found = *figureDiffers;
        else if (chain.events.isEmpty() && notCovered > 0)
            found = verdict(Outcome::Broken, QStringLiteral("RecordEmpty"), {QString::number(notCovered)});
        else
            found = verdict(Outcome::Intact, QStringLiteral("RecordIntact"),
                            {QString::number(chain.events.size())});
        found.notCovered = notCovered;
    }
    found.events = int(chain.events.size());
    if (!chain.events.isEmpty())
        found.head = chain.events.last().hash;
    return found;
}

QString text(const Verdict& verdict, const Texts& texts)
{
    QString line = texts(verdict.finding);
    for (const QString& arg : verdict.args)
        line = line.arg(arg);
    if (verdict.outcome == Outcome::Intact && verdict.notCovered > 0)
        line += QStringLiteral("; ") + texts(QStringLiteral("RecordNotCovered")).arg(verdict.notCovered);
    return line;
}

QString describe(const Verdict& verdict)
{
    return text(verdict, Texts(QStringLiteral("Public"), LanguageTable::builtInEnglish()));
}

QString printedLine(const Verdict& verdict, const Texts& texts)
{
    const QString line = text(verdict, texts);
    return verdict.head.isEmpty()
               ? line
               : line + QStringLiteral(" \u2014 ") + texts(QStringLiteral("RecordHead")).arg(verdict.head);
}

int exitCode(const Verdict& verdict)
{
    switch (verdict.outcome) {
    case Outcome::Intact:
        return 0;
    case Outcome::Broken:
        return 1;
    case Outcome::Missing:
    case Outcome::Unreadable:
        break;
    }
    return 2;
}

} // namespace RecordCheck
