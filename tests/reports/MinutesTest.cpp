// The minutes as a PDF read back with pdftotext and pdffonts: the meeting,
// attendance, every vote, the speakers and the record's state in that order,
// names in three scripts with every font embedded, and the faults of writing.

#include "reports/Minutes.h"
#include "ReportTestData.h"
#include "data/EventLog.h"
#include "support/ConsoleTest.h"
#include "support/EventChain.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace ReportTestData;

namespace {

const QString kMeeting = QStringLiteral("Plenary");

class MinutesTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        MeetingTestData::addMeeting(kMeeting, 5, 5, 50);
        signIn(kMeeting, 5, {1, 2, 3, 4});
        const Motion budget =
            MeetingTestData::addMotion(kMeeting, QStringLiteral("Budget 2026"), 0, QStringLiteral("k1"));
        MeetingTestData::addMotion(kMeeting, QStringLiteral("Not voted"), 0, QStringLiteral("k2"));
        vote(kMeeting, budget, QStringLiteral("1:5:4:3:1:0:0:60.00%:20.00%:0.00%:Passed:"));
        speech(kMeeting, 2, QStringLiteral("张伟"), QStringLiteral("01:00"), 75);
        speech(kMeeting, 3, QStringLiteral("Alice Brown"), QStringLiteral("03:00"), 9);
        speech(kMeeting, 4, QStringLiteral("João Conceição"), QStringLiteral("04:00"), 200,
               SpeechTable::ClosedBy::TimeUp);
    }
    static QString allText(const QString& pdf)
    {
        QString text;
        for (int page = 1; page <= pdfPages(pdf); ++page)
            text += pdfText(pdf, page);
        return text.simplified();
    }
    QTemporaryDir out;
};

TEST_F(MinutesTest, HoldTheMeetingInOrderWithTheRecordAndItsLastHashOnTheLastPage)
{
    const QString pdf = out.filePath(QStringLiteral("minutes.pdf"));
    QString detail;
    ASSERT_EQ(Minutes::write(kMeeting, pdf, &detail), Minutes::Outcome::Written) << detail.toStdString();
    const QString text = allText(pdf);
    const QStringList inOrder{"Minutes",
                              "Plenary",
                              "Due: 5",
                              "Present: 4",
                              "Absent: 1",
                              "Quorum: Quorum reached (3 needed)",
                              "1. Budget 2026",
                              "Motion vote",
                              "Expected 5 · Present 4 · Yes 3 · No 1 · Abstain 0 · No key 0",
                              "Passed",
                              "1 10:01:00 Unit 2 张伟 1:15",
                              "2 10:03:00 Unit 3 Alice Brown 0:09",
                              "3 10:04:00 Unit 4 João Conceição 3:20",
                              QStringLiteral("Record intact (%1 events)")
                                  .arg(eventChain(Schema::meetingDatabasePath(kMeeting)).events.size())};
    qsizetype at = 0;
    for (const QString& part : inOrder) {
        const qsizetype found = text.indexOf(part, at);
        EXPECT_GE(found, 0) << part.toStdString() << "\n" << text.toStdString();
        if (found >= 0)
            at = found + part.size();
    }
    EXPECT_FALSE(text.contains(QStringLiteral("Not voted")));
    // The hash of the last event, on the last page, as the file holds it.
    const auto last =
        DbAccess::selectOnce(Schema::meetingDatabasePath(kMeeting),
                             QStringLiteral("select hash from EventLog order by id desc limit 1"));
    ASSERT_TRUE(last && !last->isEmpty());
    EXPECT_TRUE(pdfText(pdf, pdfPages(pdf)).simplified().contains(last->first().text("hash")));
    EXPECT_TRUE(pdfText(pdf, 1).contains(QStringLiteral("Page 1 of %1").arg(pdfPages(pdf))));

    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {pdf});
    ASSERT_TRUE(fonts.waitForFinished(20000));
    const QStringList lines =
        QString::fromUtf8(fonts.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 4); // the two heading lines and at least a Latin and a Chinese font
    // The columns after the encoding: embedded, subset, unicode, object, generation.
    for (const QString& line : lines.mid(2))
        EXPECT_TRUE(line.contains(
            QRegularExpression(QStringLiteral("\\syes\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+$"))))
            << line.toStdString();
}

TEST_F(MinutesTest, AnEditedSpeechShowsInTheRecordLine)
{
    ASSERT_TRUE(
        DbAccess::executeOnce(Schema::meetingDatabasePath(kMeeting),
                              QStringLiteral("update SpeechLog set EmpName = 'Somebody' where CellNo = 3")));
    EXPECT_EQ(Minutes::recordState(kMeeting).line, QStringLiteral("Speech row 2 does not fit the record"));
}

TEST_F(MinutesTest, AMissingMeetingOrAnUnwritablePathLeavesNoFile)
{
    QString detail;
    const QString pdf = out.filePath(QStringLiteral("minutes.pdf"));
    EXPECT_EQ(Minutes::write(QStringLiteral("Nobody"), pdf, &detail), Minutes::Outcome::NoMeeting);
    EXPECT_EQ(detail, QStringLiteral("there is no meeting named \"Nobody\""));
    EXPECT_FALSE(QFileInfo::exists(pdf));

    // A folder that is not there, and a name that is a folder: nothing is written, nothing left.
    for (const QString& target : {out.filePath(QStringLiteral("missing/minutes.pdf")), out.path()}) {
        EXPECT_EQ(Minutes::write(kMeeting, target, &detail), Minutes::Outcome::CannotWrite);
        EXPECT_TRUE(detail.startsWith(QStringLiteral("cannot write ") + target)) << detail.toStdString();
    }
    EXPECT_TRUE(QDir(out.path()).isEmpty());
}

} // namespace
