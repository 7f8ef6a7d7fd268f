// The writer the crash-safety test kills with SIGKILL: it writes one kind of data in a loop,
// generation after generation, and says after each commit which one it stored.
//   crash_writer FOLDER attendance|import|result FIRST_GENERATION
#include "core/ProgramFolder.h"
#include "meeting/AttendanceTable.h"
#include "meeting/VoteRecord.h"
#include "prep/DelegateTable.h"

#include <QString>
#include <cstdio>
#include <cstdlib>

namespace {

// One ended sign-in of 249 units: every mark, SignIn row and arrival carries the generation.
bool writeAttendance(int generation)
{
    const QString mark = QString::number(generation);
    QStringList marks;
    QList<Arrival> arrivals;
    for (int unit = 1; unit <= 249; ++unit) {
        marks.append(mark);
        arrivals.append({unit, QStringLiteral("20260101120000"), ArrivalHow::kKey});
    }
    AttendanceTable table;
    table.setMeeting(QStringLiteral("Crash"));
    return table.writeRound(marks, arrivals, {mark, mark, false, 249, 249, QStringLiteral("1")});
}

// An import of 1,000 delegates whose work unit names the generation.
bool writeImport(int generation)
{
    QList<Delegate> records;
    for (int i = 0; i < 1000; ++i) {
        Delegate d;
        d.unit = QString::number(i % 249 + 1);
        d.name = QStringLiteral("Delegate %1").arg(i);
        d.workUnit = QString::number(generation);
        records.append(d);
    }
    DelegateTable table;
    table.setMeeting(QStringLiteral("Crash"));
    return table.replaceWithImport(records, QStringLiteral("G"));
}

bool writeResult(int generation)
{
    // The time of the count carries the generation as seconds after 2026-01-01.
    const QString g = QString::number(generation);
    VoteRecord record{MotionWords()};
    record.setMeeting(QStringLiteral("Crash"));
    return record.writeResult(1, g, g, QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(generation));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    ProgramFolder::set(QString::fromLocal8Bit(argv[1]));
    const QString kind = QString::fromLatin1(argv[2]);
    bool (*write)(int) = kind == QLatin1String("attendance") ? writeAttendance
                         : kind == QLatin1String("import")   ? writeImport
                                                             : writeResult;
    for (int generation = std::atoi(argv[3]);; ++generation) {
        if (!write(generation))
            return 1;
        std::printf("stored %d\n", generation);
        std::fflush(stdout);
    }
}
