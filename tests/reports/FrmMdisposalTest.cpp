// The post-meeting hub and its two registers, driven through their buttons offscreen.

#include "reports/FrmMdisposal.h"
#include "ReportTestData.h"
#include "data/Backup.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "data/SpreadsheetReader.h"
#include "reports/FrmRegque.h"
#include "reports/FrmSpeakput.h"
#include "reports/FrmSysPre.h"
#include "reports/FrmVoteput.h"
#include "reports/RecordCheck.h"
#include "reports/RegisterExport.h"
#include "reports/RegisterSave.h"
#include "support/Screenshot.h"
#include "support/SystemDatabaseTest.h"
#include "support/WidgetFinder.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>

using namespace ReportTestData;

namespace {

const QString kPlenary = QStringLiteral("Plenary");
const QString kBoard = QStringLiteral("Board");

class FrmMdisposalTest : public SystemDatabaseTest
{
protected:
    void TearDown() override
    {
        hub.reset();
        ConsoleTest::TearDown();
    }
    void openHub()
    {
        hub = std::make_unique<FrmMdisposal>(meetingList);
        hub->show();
    }
    void choose(const QString& name)
    {
        auto* list = findWidget<QComboBox>(hub.get(), FrmMdisposal::kMeetingList);
        const int index = list->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        emit list->activated(index);
    }
    void click(const char* name) { clickButton(hub.get(), name); }
    QTableWidget& signInList() { return *findWidget<QTableWidget>(hub.get(), FrmRegque::kList); }
    QStringList listRow(const QTableWidget& list, int row)
    {
        QStringList cells;
        for (int c = 0; c < list.columnCount(); ++c)
            cells << (list.item(row, c) ? list.item(row, c)->text() : QString());
        return cells;
    }

    MeetingTable meetingTable;
    MeetingListModel meetingList{meetingTable};
    std::unique_ptr<FrmMdisposal> hub;
    QTemporaryDir out;
};

// Every heading and cell shows whole, but those of the widest column (the title), which gives way.
void expectNothingCut(const QTableWidget& list)
{
    int widest = 0;
    for (int c = 1; c < list.columnCount(); ++c)
        if (list.columnWidth(c) > list.columnWidth(widest))
            widest = c;
    const QFontMetrics heading(list.horizontalHeader()->font());
    const QFontMetrics cell(list.font());
    for (int c = 0; c < list.columnCount(); ++c) {
        if (c == widest)
            continue;
        const QString title = list.horizontalHeaderItem(c)->text();
        EXPECT_LE(heading.horizontalAdvance(title) + 8, list.columnWidth(c)) << title.toStdString();
        for (int r = 0; r < list.rowCount(); ++r) {
            if (const QTableWidgetItem* item = list.item(r, c)) {
                EXPECT_LE(cell.horizontalAdvance(item->text()) + 8, list.columnWidth(c))
                    << item->text().toStdString();
            }
        }
    }
}

TEST_F(FrmMdisposalTest, RegisterColumnsInPortugueseShowTheirHeadingsAndTimesWhole)
{
    useLanguage(QStringLiteral("2"));
    MeetingTestData::addMeeting(kPlenary, 3, 3);
    signIn(kPlenary, 3, {1, 2});
    MeetingTestData::addMotion(kPlenary, QStringLiteral("Budget"), 0, QStringLiteral("k1"));
    ASSERT_TRUE(DbAccess::executeOnce(Schema::meetingDatabasePath(kPlenary),
                                      "update Overture set result = '1:3:2:2:0:0:0:100.00:0.00:0.00:1:', "
                                      "PollTimel = '2026/12/08/-02:47:16', VoteState = ?",
                                      {Texts("FrmMeeVote")("DateYes")}));
    openHub();
    click(FrmMdisposal::kSignInButton);
    ASSERT_EQ(signInList().rowCount(), 3);
    expectNothingCut(signInList());
    click(FrmMdisposal::kVoteButton);
    QTableWidget& votes = *hub->voteRegister()->list(1);
    ASSERT_EQ(votes.rowCount(), 1);
    EXPECT_EQ(votes.item(0, votes.columnCount() - 1)->text(), "2026-12-08 02:47:16");
    expectNothingCut(votes);
}

TEST_F(FrmMdisposalTest, TheRecordShowsFirstAndTheRegistersWaitForAMeeting)
{
    MeetingTestData::addMeeting(kPlenary, 5, 5);
    MeetingTestData::addMeeting(kBoard, 3, 3); // two meetings: one must be chosen
    openHub();
    EXPECT_EQ(hub->currentPage()->objectName(), QLatin1String(FrmMdisposal::kRecordPage));
    EXPECT_FALSE(findWidget(hub.get(), FrmMdisposal::kRecordButton)->isEnabled()); // the page on show
    EXPECT_FALSE(findWidget(hub.get(), FrmMdisposal::kSignInButton)->isEnabled());
    EXPECT_FALSE(findWidget(hub.get(), FrmMdisposal::kVoteButton)->isEnabled());

    choose(kPlenary);
    EXPECT_EQ(findWidget<QLineEdit>(hub.get(), "IDC_EDIT_MOOTNAME")->text(), kPlenary);
    EXPECT_EQ(findWidget<QLineEdit>(hub.get(), "IDC_EDIT_EXNUM")->text(), QStringLiteral("5"));
    EXPECT_EQ(findWidget<QDateEdit>(hub.get(), "IDC_DATETIME_START")->date(), QDate(2026, 3, 1));
    click(FrmMdisposal::kSignInButton);
    EXPECT_EQ(hub->currentPage(), hub->signInRegister());
    EXPECT_FALSE(findWidget(hub.get(), FrmMdisposal::kSignInButton)->isEnabled());
    EXPECT_TRUE(findWidget(hub.get(), FrmMdisposal::kRecordButton)->isEnabled());
    EXPECT_TRUE(findWidget(hub.get(), FrmMdisposal::kVoteButton)->isEnabled());
    click(FrmRegque::kBackButton);
    EXPECT_EQ(hub->currentPage()->objectName(), QLatin1String(FrmMdisposal::kRecordPage));
}

TEST_F(FrmMdisposalTest, AnotherMeetingReachesARegisterOnlyWhenItsButtonIsPressedAgain)
{
    MeetingTestData::addMeeting(kPlenary, 5, 5);
    MeetingTestData::addMeeting(kBoard, 3, 3);
    signIn(kPlenary, 5, {1, 2});
    signIn(kBoard, 3, {3});
    openHub();
    choose(kPlenary);
    click(FrmMdisposal::kSignInButton);
    click(FrmRegque::kPresentButton);
    ASSERT_EQ(signInList().rowCount(), 2);

    hub->chooseMeeting(kBoard);
    EXPECT_EQ(signInList().rowCount(), 2);
    EXPECT_EQ(findWidget<QLineEdit>(hub.get(), FrmRegque::kDueCount)->text(), QStringLiteral("5"));

    click(FrmMdisposal::kRecordButton);
    click(FrmMdisposal::kSignInButton);
    EXPECT_EQ(findWidget<QLineEdit>(hub.get(), FrmRegque::kDueCount)->text(), QStringLiteral("3"));
    click(FrmRegque::kPresentButton);
    ASSERT_EQ(signInList().rowCount(), 1);
    EXPECT_EQ(signInList().item(0, 1)->text(), QStringLiteral("Delegate 3"));
}

TEST_F(FrmMdisposalTest, AMeetingWithoutADatabaseGetsOneMessageAndEmptyLists)
{
    MeetingTestData::addMeeting(kBoard, 3, 3);
    ASSERT_TRUE(QFile::remove(programFile(Schema::meetingDatabasePath(kBoard))));
    openHub(); // the only meeting is chosen at once
    const QList<PromptRecorder::Record> said = prompts.take();
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].text.startsWith(Texts("FrmMdisposal")("MsgNoDatabase")));

    click(FrmMdisposal::kSignInButton);
    for (const char* button : {FrmRegque::kDueButton, FrmRegque::kPresentButton, FrmRegque::kAbsentButton})
        click(button);
    EXPECT_EQ(signInList().rowCount(), 0);
    click(FrmMdisposal::kVoteButton);
    hub->voteRegister()->chooseCategory(1);
    click(FrmVoteput::kShowAllButton);
    click(FrmVoteput::kShowVotedButton);
    EXPECT_EQ(hub->voteRegister()->list(1)->rowCount(), 0);
    EXPECT_TRUE(prompts.take().isEmpty());
}

TEST_F(FrmMdisposalTest, ExportsWriteTheRowsShownWithHeadingsInTheLanguageInUse)
{
    useLanguage(QStringLiteral("0"));
    MeetingTestData::addMeeting(QStringLiteral("全体 \"春季\" 会议"), 4, 4);
    openHub();
    choose(QStringLiteral("全体 \"春季\" 会议"));
    click(FrmMdisposal::kSignInButton);

    click(FrmRegque::kPresentButton); // nobody signed in
    EXPECT_EQ(signInList().rowCount(), 0);
    click(FrmRegque::kDueButton);
    ASSERT_EQ(signInList().rowCount(), 4);
    const QString xlsx = out.filePath(QStringLiteral("应到.xlsx"));
    services.answerFiles({xlsx});
    click(FrmRegque::kExportButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{Texts("FrmRegque")("MsgExportDone") + "\n" + xlsx});
    SpreadsheetReader reader;
    SheetRows rows;
    ASSERT_TRUE(reader.open(xlsx));
    ASSERT_TRUE(reader.readSheet(QStringLiteral("Sheet1"), rows));
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0].value(0), signInList().horizontalHeaderItem(0)->text());
    EXPECT_EQ(rows[0].value(0), QStringLiteral("席位号"));
    EXPECT_EQ(rows[4].value(1), listRow(signInList(), 3).value(1));
}

TEST_F(FrmMdisposalTest, ExportStartsInDocumentsNoToReplaceAsksAgainAndAnUnwritableFolderSaysSo)
{
    MeetingTestData::addMeeting(kPlenary, 2, 2);
    openHub();
    choose(kPlenary);
    click(FrmMdisposal::kSignInButton);
    click(FrmRegque::kDueButton);
    services.takeFileRequests();
    const QString first = out.filePath(QStringLiteral("list.xlsx"));
    services.answerFiles({first});
    click(FrmRegque::kExportButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{Texts("FrmRegque")("MsgExportDone") + "\n" + first});
    QList<FileRequest> asked = services.takeFileRequests();
    ASSERT_EQ(asked.size(), 1);
    const Texts page("FrmRegque");
    EXPECT_EQ(asked[0].dir, QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                .filePath(kPlenary + QStringLiteral(" \u2013 ") + page("MsgTitle") +
                                          QStringLiteral(" \u2014 ") + page("IDC_DUE_PSL") + ".xlsx"));
    // Readable by others, as any file the operator saves.
    const QFileDevice::Permissions others = QFileInfo(first).permissions();
    EXPECT_TRUE(others.testFlag(QFileDevice::ReadGroup) && others.testFlag(QFileDevice::ReadOther));
    EXPECT_FALSE(others.testFlag(QFileDevice::WriteOther));

    // "list.xls" becomes list.xlsx, which is there: No goes back to the dialog, now in the last folder.
    services.answerFiles({out.filePath(QStringLiteral("list.xls")), QString()});
    prompts.answerNext(false);
    click(FrmRegque::kExportButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{page("MsgExportReplace") + "\n" + first});
    asked = services.takeFileRequests();
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(QFileInfo(asked[1].dir).path(), QFileInfo(first).path());

    // A folder that cannot be written: said so, nothing written.
    const QString path = out.filePath(QStringLiteral("missing/list.pdf"));
    services.answerFiles({path});
    click(FrmRegque::kExportButton);
    const QStringList said = prompts.takeTexts();
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].startsWith(Texts("FrmRegque")("MsgExportErr")));
    EXPECT_FALSE(QFileInfo::exists(path));
}

class VoteRegisterPageTest : public FrmMdisposalTest
{
protected:
    void SetUp() override
    {
        FrmMdisposalTest::SetUp();
        MeetingTestData::addMeeting(kPlenary, 5, 5);
        signIn(kPlenary, 5, {1, 2, 3, 4});
        const Motion budget =
            MeetingTestData::addMotion(kPlenary, QStringLiteral("Budget 2026"), 0, QStringLiteral("k1"));
        MeetingTestData::addMotion(kPlenary, QStringLiteral("Statutes"), 0, QStringLiteral("k2"));
        vote(kPlenary, budget, QStringLiteral("1:5:4:3:1:0:0:60.00%:20.00%:0.00%:Passed:"));
        const Motion service =
            MeetingTestData::addMotion(kPlenary, QStringLiteral("Service"), 6, QStringLiteral("k3"));
        MeetingTestData::addMotion(kPlenary, QStringLiteral("Catering"), 6, QStringLiteral("k4"));
        vote(kPlenary, service, QStringLiteral("1:5:4:2:1:1:0:40.00%:20.00%:20.00%:Passed:"));
        openHub();
        choose(kPlenary);
        click(FrmMdisposal::kVoteButton);
    }
    FrmVoteput& page() { return *hub->voteRegister(); }
    QList<QStringList> rows(int category)
    {
        QList<QStringList> out;
        for (int r = 0; r < page().list(category)->rowCount(); ++r)
            out << listRow(*page().list(category), r);
        return out;
    }
};

TEST_F(VoteRegisterPageTest, PrintIsOnlyForMotionVotesAndElections)
{
    QPushButton* print = findWidget(hub.get(), FrmVoteput::kPrintButton);
    EXPECT_TRUE(print->isEnabled()); // the register opens on motion votes
    for (int category : {3, 4, 1, 2}) {
        page().chooseCategory(category);
        EXPECT_EQ(print->isEnabled(), category <= 2) << category;
        EXPECT_TRUE(page().list(category)->isVisible());
    }
}

TEST_F(VoteRegisterPageTest, PrintOpensThePreviewOfTheRowsShown)
{
    int opened = 0;
    page().setPreviewRunner([&](FrmSysPre& preview) {
        ++opened;
        EXPECT_EQ(preview.pageCount(), 1);
        saveScreenshot(preview, QStringLiteral("preview_en"));
    });
    page().chooseCategory(1);
    click(FrmVoteput::kPrintButton); // nothing listed yet: nothing to print
    EXPECT_EQ(opened, 0);
    click(FrmVoteput::kShowAllButton);
    click(FrmVoteput::kPrintButton);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(page().table().rows, rows(1));
}

TEST_F(VoteRegisterPageTest, TheRecordLineSaysWhetherTheEventChainIsIntact)
{
    auto* line = findWidget<QLabel>(hub.get(), FrmVoteput::kRecordLine);
    EXPECT_EQ(line->text(), Texts("Public")("RecordIntact").arg(10));
    ASSERT_TRUE(
        DbAccess::executeOnce(Schema::meetingDatabasePath(kPlenary),
                              QStringLiteral("update EventLog set detail = 'due 5 present 5' where id = 6")));
    click(FrmVoteput::kBackButton);
    click(FrmMdisposal::kVoteButton);
    EXPECT_EQ(line->text(), Texts("Public")("RecordBrokenAt").arg(6));
}

TEST_F(VoteRegisterPageTest, PrintedRegistersCarryTheRecordAndTheHashOfItsLastEvent)
{
    click(FrmVoteput::kShowAllButton);
    const QString pdf = out.filePath(QStringLiteral("votes.pdf"));
    ASSERT_TRUE(RegisterExport::write(pdf, RegisterExport::Format::Pdf, page().table(),
                                      RegisterSave::heading(kPlenary, QStringLiteral("Vote results")),
                                      nullptr));
    QString text = pdfText(pdf, 1);
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    const RecordCheck::Verdict verdict = RecordCheck::check(kPlenary);
    EXPECT_TRUE(text.contains(QStringLiteral("Recordintact(10events)")));
    EXPECT_TRUE(text.contains(QStringLiteral("SHA-256ofthelastevent:") + verdict.head)) << text.toStdString();
}

TEST_F(VoteRegisterPageTest, TheHubRestoresTheLatestBackupOfTheChosenMeeting)
{
    click(FrmVoteput::kBackButton);
    click(FrmMdisposal::kRestoreButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{Texts("FrmMdisposal")("MsgNoBackup") + u'\n' + kPlenary});
    Backup::afterRound(kPlenary);
    ASSERT_TRUE(
        DbAccess::executeOnce(Schema::meetingDatabasePath(kPlenary), QStringLiteral("delete from Overture")));
    prompts.answerNext(true);
    click(FrmMdisposal::kRestoreButton);
    EXPECT_EQ(prompts.take().size(), 2); // the question and the word that it is done
    EXPECT_EQ(MeetingTestData::column(QStringLiteral("select OveName from Overture"), "OveName",
                                      Schema::meetingDatabasePath(kPlenary))
                  .size(),
              4);
    EXPECT_EQ(RecordCheck::check(kPlenary).outcome, RecordCheck::Verdict::Outcome::Intact);
}

TEST_F(FrmMdisposalTest, SpeakersRegisterListsSpeechesInOrderAndTotalsPerDelegate)
{
    MeetingTestData::addMeeting(kPlenary, 5, 5);
    speech(kPlenary, 4, QStringLiteral("Delegate 4"), QStringLiteral("05:00"), 125,
           SpeechTable::ClosedBy::TimeUp);
    speech(kPlenary, 2, QStringLiteral("Delegate 2"), QStringLiteral("01:10"), 30);
    speech(kPlenary, 4, QStringLiteral("Delegate 4"), QStringLiteral("09:00"), 61);
    openHub();
    choose(kPlenary);
    click(FrmMdisposal::kSpeakersButton);
    auto& list = *findWidget<QTableWidget>(hub.get(), FrmSpeakput::kList);
    ASSERT_EQ(list.rowCount(), 3);
    EXPECT_EQ(listRow(list, 0), (QStringList{"1", "2", "Delegate 2", "2026/03/01 10:01:10", "10:01:40",
                                             "0:30", "unit", "console"}));
    EXPECT_EQ(listRow(list, 1).mid(5), (QStringList{"2:05", "unit", "time up"}));
    click(FrmSpeakput::kTotalsButton);
    ASSERT_EQ(list.rowCount(), 2);
    EXPECT_EQ(listRow(list, 1), (QStringList{"4", "Delegate 4", "2", "3:06"}));

    const QString csv = out.filePath(QStringLiteral("speakers.csv"));
    services.answerFiles({csv});
    click(FrmSpeakput::kExportButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{Texts("FrmSpeakput")("MsgExportDone") + "\n" + csv});
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(QStringLiteral("4,Delegate 4,2,3:06\r\n")));

    int previews = 0;
    hub->speakerRegister()->setPreviewRunner([&](FrmSysPre& preview) {
        ++previews;
        EXPECT_EQ(preview.pageCount(), 1);
    });
    click(FrmSpeakput::kPrintButton);
    EXPECT_EQ(previews, 1);
    saveScreenshot(*hub, QStringLiteral("speakers-register"));
}

TEST_F(FrmMdisposalTest, MinutesButtonWritesThePdfOfTheChosenMeeting)
{
    MeetingTestData::addMeeting(kPlenary, 3, 3);
    speech(kPlenary, 1, QStringLiteral("Delegate 1"), QStringLiteral("00:05"), 42);
    openHub();
    QPushButton* minutes = findWidget(hub.get(), FrmMdisposal::kMinutesButton);
    EXPECT_TRUE(minutes->isEnabled()) << "the only meeting is chosen as the hub opens";
    choose(kPlenary);
    const QString pdf = out.filePath(QStringLiteral("minutes"));
    services.answerFiles({pdf});
    click(FrmMdisposal::kMinutesButton);
    EXPECT_EQ(prompts.takeTexts(),
              QStringList{Texts("FrmMdisposal")("MsgMinutesDone") + "\n" + pdf + QStringLiteral(".pdf")});
    EXPECT_TRUE(pdfText(pdf + QStringLiteral(".pdf"), 1).contains(QStringLiteral("Delegate 1")));
}

} // namespace
