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
    KeptExisting,
    Failed
};

// Creates a meeting's database with its three tables. When the file exists the
// operator chooses: No keeps the old file and its rows, Yes replaces it.
// A failure leaves no half-made file behind.
CreateResult createMeetingDatabase(const QString& meetingName);

} // namespace Schema
