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

// Adds a column that later versions gave a designed table, when the file has
// it not yet; false when the file could not be read or changed.
bool ensureColumn(const QString& path, const QString& table, const QString& column, const QString& type);

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
