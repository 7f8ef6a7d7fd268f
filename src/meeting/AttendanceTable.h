#pragma once
// The attendance of a meeting in its database: the `sign` column of Employees,
// the SignIn rows (one per unit per ended sign-in), and two tables of our own,
// created when missing so older meeting files keep working:
//   SignInTime (CellNo, at, how)  when each unit was first seen signed in,
//   SignInRound                    one summary row per ended sign-in.
// One ended sign-in is written in one transaction: all of it or none of it,
// with its events (start, each arrival, end) in the meeting's EventLog.
// Failures are reported once by DbAccess; these functions only say whether
// the rows were stored.

#include <QList>
#include <QString>
#include <QStringList>

namespace ArrivalHow {
// Stored codes of SignInTime.how.
inline const QString kKey = QStringLiteral("key");
inline const QString kManual = QStringLiteral("manual");
inline const QString kSupplementary = QStringLiteral("supplementary");
} // namespace ArrivalHow

class DbAccess;

struct Arrival
{
    int unit = 0;
    QString at;  // "%Y%m%d%H%M%S"
    QString how; // one of ArrivalHow
    bool operator==(const Arrival&) const = default;
};

struct SignInRoundRecord
{
    QString startAt; // "%Y%m%d%H%M%S"
    QString endAt;
    bool supplementary = false;
    int due = 0;
    int present = 0;
    QString quorum; // "1" reached, "2" missed, empty when not tested
};

class AttendanceTable
{
public:
    void setPath(const QString& path) { m_path = path; }
    // The database of the named meeting.
    void setMeeting(const QString& meetingName);
    QString path() const { return m_path; }

    // One ended sign-in: marks[i] is the mark text of unit i + 1 (written into
    // Employees.sign and a new SignIn row), then the arrivals and the summary.
    bool writeRound(const QStringList& marks, const QList<Arrival>& arrivals, const SignInRoundRecord& round);
    // A manual sign-in outside a running sign-in: its arrival alone.
    bool writeArrivals(const QList<Arrival>& arrivals);

    // The arrivals' SignInTime rows and events on `db`, inside the caller's transaction.
    static bool insertArrivals(DbAccess& db, const QList<Arrival>& arrivals);
    // The tables of our own, created when missing.
    static bool ensureOwnTables(DbAccess& db);

private:
    QString m_path;
};
