#pragma once
// A program folder for the benchmarks: a system database and a meeting "Bench"
// with one delegate per unit, made once and kept for the run.

#include "core/ProgramFolder.h"
#include "data/DbAccess.h"
#include "data/Schema.h"

#include <QTemporaryDir>

inline void prepareBenchFolder(int delegates = 0)
{
    static QTemporaryDir folder; // removed when the program ends
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    ProgramFolder::set(folder.path());
    Schema::ensureSystemDatabase();
    Schema::createMeetingDatabase("Bench");
    if (delegates == 0)
        return;
    DbAccess db;
    db.connect(Schema::meetingDatabasePath("Bench"));
    DbTransaction transaction(db);
    for (int n = 1; n <= delegates; ++n)
        db.execute("insert into Employees(CellNo, EmpName) values(?, ?)",
                   {QString::number(n), QStringLiteral("Delegate %1").arg(n)});
    transaction.commit();
}
