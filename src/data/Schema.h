#pragma once
// Where the console keeps its data and the tables it creates.
//
// System/SystemData.db holds sysbasicset (settings), Manage (appearance) and
// Mottag (meetings); it is created with its default rows when missing.
// Data/<meeting name>.db holds Employees, Overture and SignIn.

#include <QString>

namespace Schema {

inline const QString kSystemDatabase = QStringLiteral("System/SystemData.db");

// "Data/<name>.db"
QString meetingDatabasePath(const QString& meetingName);

// Creates the system database with one settings row and one appearance row
// when the file is missing. An existing file is never touched.
bool ensureSystemDatabase();

enum class CreateResult
{
    Created,
    Exists,        // the file is there and was left alone
    CannotReplace, // the old file could not be deleted, or Data/ could not be made
    Failed         // the store failed (reported by DbAccess)
};

// Creates a meeting's database with its three tables. An existing file is
// replaced only when asked to; whether to replace is the page's question.
// A failure leaves no half-made file behind.
CreateResult createMeetingDatabase(const QString& meetingName, bool replaceExisting = false);

} // namespace Schema
