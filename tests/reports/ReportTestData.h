#pragma once
// Meetings with attendance and vote results as the sign-in and vote
// procedures store them, and the text of PDF pages read back with pdftotext.

#include "meeting/AttendanceTable.h"
#include "meeting/MeetingTestData.h"
#include "meeting/VoteRecord.h"
#include "prep/MeetingTable.h"
#include "speak/SpeechTable.h"

#include <QProcess>

namespace ReportTestData {

// One ended sign-in at `hour`:00 in which `present` (unit numbers) signed in a minute
// apart, with the present count in Mottag.
inline void signIn(const QString& meeting, int units, const QList<int>& present, int hour = 9)
{
    const Texts marks(QStringLiteral("FrmManChe"));
    QStringList signs;
    for (int n = 1; n <= units; ++n)
        signs << marks(present.contains(n) ? QStringLiteral("MsgScrView9") : QStringLiteral("MsgScrView10"));
    QList<Arrival> arrivals;
    for (int i = 0; i < present.size(); ++i)
        arrivals << Arrival{present[i],
                            QStringLiteral("20260301%1%2")
                                    .arg(hour, 2, 10, QLatin1Char('0'))
                                    .arg(i, 2, 10, QLatin1Char('0')) +
                                QStringLiteral("00"),
                            ArrivalHow::kKey};
    AttendanceTable table;
    table.setMeeting(meeting);
    ASSERT_TRUE(
        table.writeRound(signs, arrivals,
                         {QStringLiteral("20260301%1").arg(hour * 10000 - 4100, 6, 10, QLatin1Char('0')),
                          QStringLiteral("20260301%1").arg(hour * 10000 + 3000, 6, 10, QLatin1Char('0')),
                          false, units, int(present.size()), QStringLiteral("1")}));
    ASSERT_TRUE(MeetingTable().setPresent(meeting, int(present.size())));
}

// The final result of a motion as the vote stores it, in the language in use.
inline void vote(const QString& meeting, const Motion& motion, const QString& result)
{
    VoteRecord record{MotionWords::fromLanguageTables()};
    record.setMeeting(meeting);
    const std::optional<qint64> id = record.find(motion);
    ASSERT_TRUE(id);
    ASSERT_TRUE(record.writeSettings(*id, motion, QStringLiteral("20260301100000")));
    ASSERT_TRUE(record.writeResult(*id, result,
                                   Texts(QStringLiteral("FrmMeeVote"))(QStringLiteral("DateYes")),
                                   QDateTime(QDate(2026, 3, 1), QTime(10, 1)), true));
}

// A speech in the meeting's speakers' log, opened at 10:mm:ss on the meeting's day.
inline void speech(const QString& meeting, int unit, const QString& delegate, const QString& at, int seconds,
                   SpeechTable::ClosedBy closedBy = SpeechTable::ClosedBy::Console)
{
    SpeechTable::Speech s;
    s.unit = unit;
    s.delegate = delegate;
    s.openedAt =
        QDateTime::fromString(QStringLiteral("2026-03-01 10:") + at, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    s.closedAt = s.openedAt.addSecs(seconds);
    s.seconds = seconds;
    s.openedBy = SpeechTable::OpenedBy::Unit;
    s.closedBy = closedBy;
    ASSERT_TRUE(SpeechTable::append(Schema::meetingDatabasePath(meeting), s));
}

// The text of one page (1-based) of a PDF, as a reader would copy it.
inline QString pdfText(const QString& path, int page)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page),
                   QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        return QStringLiteral("<pdftotext failed: %1>")
            .arg(QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The number of pages of a PDF, from pdfinfo.
inline int pdfPages(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    process.waitForFinished(20000);
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

} // namespace ReportTestData
