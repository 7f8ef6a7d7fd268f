#pragma once
// The sign-in register of one meeting: the delegates who were due, those
// signed in and those absent, with the ten listed columns and, when the
// meeting kept them, the time each unit first signed in. Rows come in the
// order of the delegate table.
//
// A meeting without a database file is told apart from a failed read, so the
// page shows one clear message instead of a database error per button.

#include "prep/MeetingTable.h"
#include "reports/RegisterTable.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class Texts;

namespace SignInRegister {

enum class List
{
    Due,
    Present,
    Absent
};

constexpr int kListedColumns = 10;

// The stored sign-in marks of every shipped table.
struct Marks
{
    QStringList present; // MsgClew17 of this page, MsgScrView9 of the sign-in page
    QStringList absent;  // MsgClew18, MsgScrView10
    static Marks ofEveryTable();
};

enum class Outcome
{
    Done,
    NoDatabase, // the meeting has no database file: nothing was read
    Failed      // the file or a table could not be read (reported by the data layer)
};

struct Attendance
{
    Outcome outcome = Outcome::Done;
    RegisterTable table;
    bool hasTimes = false; // the meeting has SignInTime: the table has an eleventh column
    // Present units over the meeting's time: each first arrival and the count after it.
    QList<std::pair<QDateTime, int>> arrivals;
};

// The headings MsgClew1..MsgClew10 (and MsgClewTime) of section FrmRegque, with the designed widths.
RegisterTable emptyTable(const Texts& texts, bool withTimes);
// The fewest units present that reach the meeting's quorum; 0 when no quorum is tested.
int quorumUnits(const Meeting& meeting);

Attendance load(const QString& meetingName, List list, const Marks& marks, const Texts& texts);

} // namespace SignInRegister
