// Both registers and the preview with a realistic meeting in each language:
// every column heading fits its column, and pictures are saved when
// CONSOLE_SCREENSHOT_DIR is set.

#include "ReportTestData.h"
#include "reports/FrmMdisposal.h"
#include "reports/FrmRegque.h"
#include "reports/FrmSysPre.h"
#include "reports/FrmVoteput.h"
#include "support/ConsoleTest.h"
#include "support/Screenshot.h"
#include "support/WidgetFinder.h"
#include "ui/FileDialog.h"

#include <QHeaderView>
#include <QTableWidget>

using namespace ReportTestData;

namespace {

const char* const kNames[] = {"王建国", "Maria Santos", "李秀英", "John Carter", "陈志强", "Ana Ferreira",
                              "张伟",   "Liu Yang",     "黄丽",   "Peter Hall",  "周敏",   "Rui Costa"};

class RegisterLookTest : public ConsoleTest, public ::testing::WithParamInterface<const char*>
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        useLanguage(QString::fromLatin1(GetParam()));
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        const QString meeting = QStringLiteral("2026 年度代表大会 Annual Assembly");
        MeetingTestData::addMeeting(meeting, 12, 12);
        DbAccess db;
        db.Connect(Schema::meetingDatabasePath(meeting));
        for (int n = 1; n <= 12; ++n)
            db.Execute(QStringLiteral("update Employees set EmpName = ?, EmpSex = ?, Unit = ?, Title = ?,"
                                      " Office_phone = ?, delegacy = ?, SeatNo = ? where CellNo = ?"),
                       {QString::fromUtf8(kNames[n - 1]), n % 2 ? QStringLiteral("M") : QStringLiteral("F"),
                        QStringLiteral("Delegation %1").arg(n % 3 + 1), QStringLiteral("Delegate"),
                        QStringLiteral("+86 10 6512 %1").arg(3400 + n), QStringLiteral("North"),
                        QStringLiteral("A%1").arg(n), QString::number(n)});
        db.Disconnect();
        signIn(meeting, 12, {3, 1, 4, 5, 9, 2, 6, 8});
        const QStringList titles{QStringLiteral("关于 2026 年度预算的议案 Budget 2026"),
                                 QStringLiteral("Amendment of the statutes, article 12"),
                                 QStringLiteral("Election of the board")};
        vote(meeting, MeetingTestData::addMotion(meeting, titles[0], 0, "k1"),
             QStringLiteral("1:12:8:6:1:1:0:50.00%:8.33%:8.33%:%1:").arg(Texts("FrmMeeVote")("PassVoteNo")));
        vote(meeting, MeetingTestData::addMotion(meeting, titles[1], 0, "k2"),
             QStringLiteral("1:12:8:7:1:0:0:58.33%:8.33%:0.00%:%1:").arg(Texts("FrmMeeVote")("PassVoteOk")));
        MeetingTestData::addMotion(meeting, titles[2], 3, "k3");
        ASSERT_TRUE(DbAccess::executeOnce(
            Schema::meetingDatabasePath(meeting), "update Overture set candidate = ? where insertdate = 'k3'",
            {QStringLiteral("王建国:Maria Santos:李秀英:John Carter:陈志强:")}));
        vote(meeting, MeetingTestData::storedMotion(meeting, "k3"), QStringLiteral("5:2:1:0:0:"));

        hub = std::make_unique<FrmMdisposal>();
        hub->show();
        hub->chooseMeeting(meeting);
    }
    void TearDown() override
    {
        hub.reset();
        ConsoleTest::TearDown();
    }
    void expectHeadingsFit(const QTableWidget& list)
    {
        const QFontMetrics metrics(list.horizontalHeader()->font());
        for (int c = 0; c < list.columnCount() - 1; ++c) { // the last one takes the rest
            const QString heading = list.horizontalHeaderItem(c)->text();
            EXPECT_GE(list.horizontalHeader()->sectionSize(c), metrics.horizontalAdvance(heading) + 8)
                << heading.toStdString() << " in " << GetParam();
        }
    }
    QString shot(const char* name) const
    {
        return QStringLiteral("%1_%2").arg(QLatin1String(name), GetParam());
    }

    std::unique_ptr<FrmMdisposal> hub;
};

TEST_P(RegisterLookTest, RegistersShowEveryHeadingWhole)
{
    saveScreenshot(*hub, shot("mdisposal_record"));
    clickButton(hub.get(), FrmMdisposal::kSignInButton);
    clickButton(hub.get(), FrmRegque::kDueButton);
    auto* signIns = findWidget<QTableWidget>(hub.get(), FrmRegque::kList);
    EXPECT_EQ(signIns->rowCount(), 12);
    expectHeadingsFit(*signIns);
    saveScreenshot(*hub, shot("regque_due"));

    clickButton(hub.get(), FrmMdisposal::kVoteButton);
    FrmVoteput& votes = *hub->voteRegister();
    for (int category : {1, 2}) {
        votes.chooseCategory(category);
        clickButton(hub.get(), FrmVoteput::kShowAllButton);
        EXPECT_GT(votes.list(category)->rowCount(), 0);
        expectHeadingsFit(*votes.list(category));
        saveScreenshot(*hub, shot(category == 1 ? "voteput_motions" : "voteput_elections"));
    }
    // The motion votes as the chair gets them on paper: the PDF export of the list shown.
    votes.chooseCategory(1);
    clickButton(hub.get(), FrmVoteput::kShowAllButton);
    const QString pdf = m_folder.filePath(shot("votes") + QStringLiteral(".pdf"));
    FileDialog::setNextAnswers({pdf});
    clickButton(hub.get(), FrmVoteput::kExportButton);
    prompts.take();
    const QString printed = pdfText(pdf, 1);
    EXPECT_TRUE(printed.contains(QStringLiteral("Amendment"))) << printed.toStdString();
    EXPECT_FALSE(printed.contains(QChar(0x2026))) << printed.toStdString(); // nothing cut short
    if (!qEnvironmentVariable("CONSOLE_SCREENSHOT_DIR").isEmpty())
        QFile::copy(pdf, qEnvironmentVariable("CONSOLE_SCREENSHOT_DIR") + QLatin1Char('/') + shot("votes") +
                             ".pdf");
    votes.setPreviewRunner([&](FrmSysPre& preview) {
        preview.resize(1024, 741);
        saveScreenshot(preview, shot("preview"));
    });
    clickButton(hub.get(), FrmVoteput::kPrintButton);
}

INSTANTIATE_TEST_SUITE_P(Languages, RegisterLookTest, ::testing::Values("0", "1", "2"));

} // namespace
