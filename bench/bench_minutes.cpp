// Figures for the minutes of a large meeting: 249 delegates signed in, 40
// votes and 300 speeches, gathered from the meeting's database and written as
// one PDF through the same path as the button and `system --minutes`.

#include "BenchFolder.h"
#include "BenchMain.h"
#include "core/LanguageTable.h"
#include "meeting/AttendanceTable.h"
#include "meeting/VoteRecord.h"
#include "prep/MeetingTable.h"
#include "prep/MotionTable.h"
#include "reports/Minutes.h"
#include "speak/SpeechTable.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

namespace {

constexpr int kDelegates = 249;

void prepareMeeting()
{
    prepareBenchFolder(kDelegates);
    QDir().mkpath(ProgramFolder::filePath(QStringLiteral("System/Menu")));
    QFile::copy(QStringLiteral(CONSOLE_SHARE_SOURCE_DIR "/System/Menu/menu_e.ini"),
                ProgramFolder::filePath(QStringLiteral("System/Menu/menu_e.ini")));
    LanguageTable::setFile(LanguageTable::fileForCode(QStringLiteral("1")));
    const QString path = Schema::meetingDatabasePath(QStringLiteral("Bench"));
    DbAccess::executeOnce(
        Schema::kSystemDatabase,
        QStringLiteral("insert into Mottag(MeeName, MeeAddr, DateStart, DateEnd, DueNum, bSetLimit,"
                       " \"limit\", insertdate) values(?, ?, ?, ?, ?, ?, ?, ?)"),
        {QStringLiteral("Bench"), QStringLiteral("Hall A"), QStringLiteral("2026/03/01"),
         QStringLiteral("2026/03/01"), kDelegates, QStringLiteral("1"), QStringLiteral("50"),
         QStringLiteral("20260301080000")});
    QStringList signs;
    QList<Arrival> arrivals;
    const Texts marks(QStringLiteral("FrmManChe"));
    for (int n = 1; n <= kDelegates; ++n) {
        signs << marks(n <= 231 ? QStringLiteral("MsgScrView9") : QStringLiteral("MsgScrView10"));
        if (n <= 231)
            arrivals << Arrival{n,
                                QStringLiteral("202603010%1%2").arg(9).arg(n % 60, 2, 10, QLatin1Char('0')) +
                                    QStringLiteral("00"),
                                ArrivalHow::kKey};
    }
    AttendanceTable attendance;
    attendance.setMeeting(QStringLiteral("Bench"));
    attendance.writeRound(signs, arrivals,
                          {QStringLiteral("20260301085900"), QStringLiteral("20260301100000"), false,
                           kDelegates, 231, QStringLiteral("1")});
    MeetingTable().setPresent(QStringLiteral("Bench"), 231);

    const Texts vote(QStringLiteral("FrmMeeVote"));
    MotionTable table;
    table.setMeeting(QStringLiteral("Bench"));
    VoteRecord record(table.words());
    record.setMeeting(QStringLiteral("Bench"));
    for (int i = 1; i <= 40; ++i) {
        Motion m;
        m.title = QStringLiteral("关于第 %1 号议案的表决 Motion %1").arg(i);
        m.kind = VoteKind::MotionVote;
        m.base = VoteBase::Due;
        m.strictRule = true;
        m.threshold = 50;
        m.key = QStringLiteral("202603011%1").arg(i, 5, 10, QLatin1Char('0'));
        table.insert(m);
        const std::optional<qint64> id = record.find(m);
        record.writeSettings(*id, m, m.key);
        record.writeResult(*id, QStringLiteral("1:249:231:150:60:21:0:60.24%:24.10%:8.43%:Passed:"),
                           vote(QStringLiteral("DateYes")), QDateTime(QDate(2026, 3, 1), QTime(10, 1)), true);
    }
    const QStringList names{QStringLiteral("张伟"), QStringLiteral("Alice Brown"),
                            QStringLiteral("João Conceição")};
    for (int i = 0; i < 300; ++i) {
        SpeechTable::Speech s;
        s.unit = 1 + i * 7 % kDelegates;
        s.delegate = names[i % 3] + QStringLiteral(" %1").arg(s.unit);
        s.openedAt = QDateTime(QDate(2026, 3, 1), QTime(10, 0)).addSecs(i * 95);
        s.seconds = 30 + i % 150;
        s.closedAt = s.openedAt.addSecs(s.seconds);
        SpeechTable::append(path, s);
    }
}

void BM_MinutesOf249Delegates40Votes300Speeches(benchmark::State& state)
{
    prepareMeeting();
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("minutes.pdf"));
    for (auto _ : state)
        if (Minutes::write(QStringLiteral("Bench"), pdf) != Minutes::Outcome::Written)
            state.SkipWithError("write failed");
    state.counters["pages"] = Minutes::Document(Minutes::gather(*MeetingTable().find("Bench"))).pageCount();
}
BENCHMARK(BM_MinutesOf249Delegates40Votes300Speeches)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QGuiApplication>(argc, argv);
}
