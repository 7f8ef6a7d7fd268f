#include "reports/SignInRegister.h"

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "meeting/SignInCount.h"
#include "reports/EveryTable.h"

#include <QFileInfo>
#include <QHash>

namespace SignInRegister {

namespace {

const int kWidths[kListedColumns] = {60, 80, 50, 50, 80, 80, 120, 120, 80, 60};
const char* const kColumns[kListedColumns] = {"CellNo", "EmpName",      "EmpSex",   "Nationality", "Unit",
                                              "Title",  "Office_phone", "delegacy", "presidium",   "SeatNo"};
const int kTimeWidth = 90;
const QString kStoredTime = QStringLiteral("yyyyMMddHHmmss");

bool listed(List list, const QString& sign, const Marks& marks)
{
    switch (list) {
    case List::Due:
        return true;
    case List::Present:
        return marks.present.contains(sign);
    case List::Absent:
        return marks.absent.contains(sign);
    }
    return false;
}

} // namespace

Marks Marks::ofEveryTable()
{
    return {EveryTable::texts({{"FrmRegque", "MsgClew17"}, {"FrmManChe", "MsgScrView9"}}),
            EveryTable::texts({{"FrmRegque", "MsgClew18"}, {"FrmManChe", "MsgScrView10"}})};
}

RegisterTable emptyTable(const Texts& texts, bool withTimes)
{
    RegisterTable table;
    for (int c = 0; c < kListedColumns; ++c)
        table.addColumn(texts(QStringLiteral("MsgClew%1").arg(c + 1)), kWidths[c], c == 0 || c == 9);
    if (withTimes)
        table.addColumn(texts(QStringLiteral("MsgClewTime")), kTimeWidth, true);
    return table;
}

int quorumUnits(const Meeting& meeting)
{
    const SignInCount::Figures none = SignInCount::figures(0, meeting);
    if (!none.ratio || none.due <= 0)
        return 0;
    // The quorum is reached when present * 100 / due (truncated) reaches the limit.
    for (int present = 0; present <= none.due; ++present)
        if (SignInCount::figures(present, meeting).quorum == SignInCount::Quorum::Reached)
            return present;
    return none.due;
}

Attendance load(const QString& meetingName, List list, const Marks& marks, const Texts& texts)
{
    Attendance out;
    const QString path = Schema::meetingDatabasePath(meetingName);
    if (meetingName.isEmpty() || !QFileInfo::exists(ProgramFolder::filePath(path))) {
        out.outcome = Outcome::NoDatabase;
        out.table = emptyTable(texts, false);
        return out;
    }
    const std::optional<bool> hasTimes = DbAccess::findsRow(
        path, QStringLiteral("select name from sqlite_master where type = 'table' and name = ?"),
        {QStringLiteral("SignInTime")});
    QHash<QString, QString> firstSeen;
    if (hasTimes.value_or(false)) {
        // The register is about the last sign-in: arrivals from its start on (a supplementary
        // sign-in adds to it), so an earlier round's time never stands beside this one's mark.
        const auto rounds = DbAccess::selectOnce(
            path,
            QStringLiteral(
                "select startAt from SignInRound where kind <> 'supplementary' order by id desc limit 1"));
        const QString since = rounds && !rounds->isEmpty() ? rounds->first().text("startAt") : QString();
        const auto rows = DbAccess::selectOnce(
            path, QStringLiteral("select CellNo, at from SignInTime where at >= ? order by at, id"), {since});
        if (!rows) {
            out.outcome = Outcome::Failed;
            out.table = emptyTable(texts, false);
            return out;
        }
        for (const DbRow& row : *rows) {
            const QString unit = row.text("CellNo");
            if (firstSeen.contains(unit))
                continue;
            firstSeen.insert(unit, row.text("at"));
            out.arrivals.append({QDateTime::fromString(row.text("at"), kStoredTime), int(firstSeen.size())});
        }
    }
    out.hasTimes = hasTimes.value_or(false);
    out.table = emptyTable(texts, out.hasTimes);

    const auto delegates = DbAccess::selectOnce(path, QStringLiteral("select * from Employees order by ID"));
    if (!delegates) {
        out.outcome = Outcome::Failed;
        return out;
    }
    for (const DbRow& delegate : *delegates) {
        if (!listed(list, delegate.text("sign"), marks))
            continue;
        QStringList row;
        for (const char* column : kColumns)
            row << delegate.text(column);
        if (out.hasTimes) {
            // Someone absent in this sign-in has no time in it.
            const QDateTime at = marks.present.contains(delegate.text("sign"))
                                     ? QDateTime::fromString(firstSeen.value(row[0].trimmed()), kStoredTime)
                                     : QDateTime();
            row << (at.isValid() ? at.toString(QStringLiteral("HH:mm:ss")) : QString());
        }
        out.table.rows << row;
    }
    return out;
}

} // namespace SignInRegister
