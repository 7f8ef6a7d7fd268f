#pragma once
// The speakers' log of a meeting: the table SpeechLog of the meeting database
// (created when missing), one row per speech once its microphone closed. Each
// row goes in with an EventLog entry in one transaction, and the entry's
// detail holds the whole row, so a row edited or deleted afterwards no longer
// fits the record (`check`).

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace SpeechTable {

enum class OpenedBy
{
    Console,
    Unit
};
enum class ClosedBy
{
    Console,
    Unit,
    TimeUp,
    CloseAll,
    EndOfMeeting
};

struct Speech
{
    qint64 id = 0; // of the stored row
    int unit = 0;
    QString delegate;
    QDateTime openedAt;
    QDateTime closedAt;
    int seconds = 0;
    OpenedBy openedBy = OpenedBy::Console;
    ClosedBy closedBy = ClosedBy::Console;
};

// The stored words ("console", "unit", "time-up", "close-all", "end").
QString storedWord(OpenedBy by);
QString storedWord(ClosedBy by);

// Writes one speech with its EventLog entry; false when either could not be written.
bool append(const QString& databasePath, const Speech& speech);
// Every speech in speaking order; none after a failed read, empty without the table.
std::optional<QList<Speech>> all(const QString& databasePath);

struct Check
{
    enum class Outcome
    {
        Intact,
        Altered, // row is the SpeechLog id of the first row that no longer fits its entry
        Missing, // row is the EventLog id of a speech entry whose row is gone
        Unreadable
    };
    Outcome outcome = Outcome::Intact;
    qint64 row = 0;
};
Check check(const QString& databasePath);
// "speech row N does not fit the record" and the like, in English, for the command line.
QString describe(const Check& check);

} // namespace SpeechTable
