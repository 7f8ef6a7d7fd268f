#pragma once
// The sign-in's arithmetic and display data, without state: the due, present
// and absent figures with the quorum test, the countdown text, the field
// lists the hall screen's table takes, the name pages and the places of the
// attendance grid. The sign-in procedure and its page both use them.

#include "prep/MeetingTable.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

class Link;

namespace SignInCount {

// Bounds of the stored meeting values.
constexpr int kMaxDue = 99999;
constexpr int kMaxLimit = 100;

enum class Quorum
{
    NotTested, // no legal ratio set, or a due number of 0: the quorum text is empty
    Reached,
    Missed,
    Unchanged // the stored switch was unknown: the last quorum text stays
};

struct Figures
{
    int due = 0;
    int present = 0;
    int absent = 0;           // due - present, never below 0
    std::optional<int> ratio; // present * 100 / due, truncated; only when the quorum is tested
    Quorum quorum = Quorum::NotTested;
    bool operator==(const Figures&) const = default;
};

// Units 1..unitCount with `signedIn` set.
int countPresent(const Link& link);

// The meeting's due number and legal ratio, each bounded by its highest value.
Figures figures(int present, const Meeting& meeting);

// The text for a quorum result; `previous` is kept for Quorum::Unchanged.
QString quorumText(Quorum quorum, const QString& reached, const QString& missed, const QString& previous);

// Seconds as minutes and seconds, "%s:%s", each at least two digits ("10:59", "00:00", "120:00").
QString countdownText(int seconds);

// The table's values: due, present, absent and two empty fields.
QString figureValues(const Figures& figures);
// Its labels: due, present and absent labels, then the quorum text (empty for
// the sign-in figures) and one empty field.
QString figureLabels(const QString& dueLabel, const QString& presentLabel, const QString& absentLabel,
                     const QString& quorum = QString());

// --- Name pages ---------------------------------------------------------
constexpr int kNamesPerPage = 24;

enum class NameList
{
    SignedIn, // signed in and microphone not locked
    Absent    // neither
};
// Delegate names in unit order; units without a delegate are left out.
QStringList names(const Link& link, const QHash<int, QString>& delegateNames, NameList which);
// Whole pages needed for `count` names (0 for none).
int pageCount(int count);
// Page `page` (0-based, bounded to the pages there are), padded to 24 with empty names.
QStringList namePage(const QStringList& names, int page);

// --- Attendance grid ----------------------------------------------------
constexpr int kGridRows = 19;

} // namespace SignInCount
