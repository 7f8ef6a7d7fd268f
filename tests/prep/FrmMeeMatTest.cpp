#include "prep/FrmMeeMat.h"
#include "PrepPagesSupport.h"
#include "core/LanguageTable.h"
#include "data/Schema.h"
#include "prep/DlgEditVote.h"
#include "prep/MeetingTable.h"
#include "prep/RecordKey.h"
#include "support/ConsoleTest.h"
#include "support/Screenshot.h"
#include "support/WidgetFinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTextEdit>

using namespace prep_test;

namespace {

const QString kMeeting = QStringLiteral("Spring session");
const QString kMeetingKey = QStringLiteral("20260301090000");

class FrmMeeMatTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        ASSERT_EQ(Schema::createMeetingDatabase(kMeeting), Schema::CreateResult::Created);
        ASSERT_TRUE(MeetingFiles::makeFolder(kMeetingKey));
        page = std::make_unique<FrmMeeMat>();
        page->show();
        page->openMeeting(kMeeting, kMeetingKey);
    }
    void TearDown() override
    {
        page.reset();
        ConsoleTest::TearDown();
    }

    template <typename T = QPushButton> T* find(const char* name) { return findWidget<T>(page.get(), name); }
    void click(const char* name) { clickButton(page.get(), name); }
    void tick(const char* name, bool on)
    {
        QCheckBox* box = find<QCheckBox>(name);
        // On the box itself: a click on the blank right of the text does not count.
        if (box->isChecked() != on)
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        EXPECT_EQ(box->isChecked(), on) << name;
    }
    QTableWidget* list() { return find<QTableWidget>(FrmMeeMat::kList); }
    QString path() const { return Schema::meetingDatabasePath(kMeeting); }

    QString stored(const QString& title, const char* column)
    {
        const QStringList values =
            prep_test::column(path(), "select * from Overture where OveName = ?", column, {title});
        EXPECT_EQ(values.size(), 1) << title.toStdString();
        return values.value(0);
    }
    int rows() { return int(prep_test::column(path(), "select id from Overture", "id").size()); }

    // The candidate dialog: `act` runs inside it, then OK closes it.
    void nominate(const std::function<void(QWidget*)>& act)
    {
        whenModal([act](QWidget* dialog) {
            act(dialog);
            QTest::mouseClick(dialog->findChild<QPushButton*>("IDOK"), Qt::LeftButton);
        });
        click("IDC_SELENAN_BUTT");
    }
    static QLineEdit* name(QWidget* dialog, int slot)
    {
        return dialog->findChild<QLineEdit*>(QString::number(1043 + slot));
    }

    void create(const QString& title, int kind)
    {
        click("IDC_NEWOVE_BUTTON");
        typeInto(find<QLineEdit>(FrmMeeMat::kTitleEdit), title);
        find<QComboBox>(FrmMeeMat::kKindCombo)->setCurrentIndex(kind);
        click("IDC_SAVEVOTE_BNT");
    }

    std::unique_ptr<FrmMeeMat> page;
};

// What each kind keeps is MotionRules' test; here the controls reach the row.
TEST_F(FrmMeeMatTest, SavedMotionIsStoredSelectedAndChangedInPlace)
{
    click("IDC_NEWOVE_BUTTON");
    EXPECT_FALSE(list()->isEnabled());
    typeInto(find<QLineEdit>(FrmMeeMat::kTitleEdit), QStringLiteral("Budget 2026"));
    find<QComboBox>(FrmMeeMat::kRuleCombo)->setCurrentIndex(1);
    typeInto(find<QLineEdit>(FrmMeeMat::kRateEdit), QStringLiteral("6x7"));
    tick(FrmMeeMat::kShowPassCheck, true);
    tick("IDC_TIMERSE_CHECK", true);
    find<QComboBox>(FrmMeeMat::kSecondsCombo)->setCurrentText(QStringLiteral("120"));
    typeInto(find<QLineEdit>(FrmMeeMat::kExtraEdit), QStringLiteral("The budget"));
    saveScreenshot(*page, QStringLiteral("FrmMeeMat_en_editing"));
    click("IDC_SAVEVOTE_BNT");

    const QString title = QStringLiteral("Budget 2026");
    EXPECT_EQ(stored(title, "VoteAbet"), Texts("FrmMeeMat")("cbVAberTwo"));
    EXPECT_EQ(stored(title, "VoteAbetValue"), "67");
    EXPECT_EQ(stored(title, "ViewPass") + stored(title, "ViewPer"), "12");
    EXPECT_EQ(stored(title, "VoteTimelValue"), "120");
    EXPECT_EQ(stored(title, "ytText"), "The budget");
    EXPECT_EQ(stored(title, "VoteState"), Texts("FrmMeeMat")("DataNo"));
    const QString key = stored(title, "insertdate");
    EXPECT_TRUE(RecordKey::isValid(key));
    ASSERT_EQ(list()->rowCount(), 1);
    EXPECT_EQ(list()->currentRow(), 0);
    EXPECT_TRUE(find("IDC_EDIT_OVER")->isEnabled());

    click("IDC_EDIT_OVER");
    EXPECT_EQ(find<QComboBox>(FrmMeeMat::kSecondsCombo)->currentText(), "120");
    tick("IDC_TIMERSE_CHECK", false);
    typeInto(find<QLineEdit>(FrmMeeMat::kTitleEdit), QStringLiteral("Budget (amended)"));
    click("IDC_SAVEVOTE_BNT");
    EXPECT_EQ(stored("Budget (amended)", "VoteTimelRes"), "2");
    EXPECT_EQ(stored("Budget (amended)", "insertdate"), key);
    EXPECT_EQ(rows(), 1);

    // An election takes the key points of the system settings, and offers candidates.
    create(QStringLiteral("Elect the chair"), 1);
    EXPECT_EQ(stored("Elect the chair", "mark"), "0:25:50:75:100:");
    EXPECT_TRUE(find("IDC_SELENAN_BUTT")->isEnabled());
}

TEST_F(FrmMeeMatTest, RefusedSavesStoreNothing)
{
    const Texts texts(QStringLiteral("FrmMeeMat"));
    create(QStringLiteral("   "), 0);
    EXPECT_EQ(prompts.takeTexts(), QStringList{texts("MsgClewNew2")});
    typeInto(find<QLineEdit>(FrmMeeMat::kTitleEdit), QStringLiteral("Rate check"));
    typeInto(find<QLineEdit>(FrmMeeMat::kRateEdit), QStringLiteral("101"));
    click("IDC_SAVEVOTE_BNT");
    EXPECT_EQ(prompts.takeTexts(), QStringList{texts("MsgRateErr")});
    EXPECT_EQ(rows(), 0);
    // An election has no rate to check.
    find<QComboBox>(FrmMeeMat::kKindCombo)->setCurrentIndex(3);
    click("IDC_SAVEVOTE_BNT");
    EXPECT_EQ(rows(), 1);

    create(QStringLiteral("Rate check"), 0);
    EXPECT_EQ(prompts.takeTexts(), QStringList{texts("MsgClewNew3")});
    // Quotes are dropped as typed; a 300-character title stops at the column's width.
    typeInto(find<QLineEdit>(FrmMeeMat::kTitleEdit), QStringLiteral("The \"new\" 'plan'"));
    EXPECT_EQ(find<QLineEdit>(FrmMeeMat::kTitleEdit)->text(), "The new plan");
    typeInto(find<QLineEdit>(FrmMeeMat::kTitleEdit), QString(300, QChar('t')));
    EXPECT_EQ(find<QLineEdit>(FrmMeeMat::kTitleEdit)->text().size(), 250);
    click("IDC_CANVOTE_BNT");
    EXPECT_EQ(rows(), 1);
}

TEST_F(FrmMeeMatTest, DeleteAsksAndLeavesTheProposalFile)
{
    create(QStringLiteral("Short lived"), 0);
    const QString key = stored("Short lived", "insertdate");
    const QString proposal = programFile(MeetingFiles::proposal(kMeetingKey, key + ".rtf"));
    QFile file(proposal);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    clickRow(list(), 0);
    prompts.answerNext(true);
    click("IDC_DELE_OVER");
    EXPECT_EQ(prompts.takeTexts(), QStringList{Texts("FrmMeeMat")("MsgClewDel1")});
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(list()->rowCount(), 0);
    EXPECT_TRUE(QFile::exists(proposal));
}

TEST_F(FrmMeeMatTest, ThreeNamesInAFiveNameElectionStoreFiveColons)
{
    create(QStringLiteral("Board"), 3);
    ASSERT_TRUE(execute(path(), "update Overture set candidate = 'Ana:Bo:Chen:'"));
    page->openMeeting(kMeeting, kMeetingKey);
    clickRow(list(), 0);
    QStringList shown;
    nominate([&](QWidget* dialog) {
        for (int slot = 0; slot < 5; ++slot)
            shown.append(name(dialog, slot)->text());
        saveScreenshot(*dialog, QStringLiteral("FrmNominee_en"));
        // A colon would split a name when the list is read back.
        typeInto(name(dialog, 1), QStringLiteral("B:o"));
    });
    EXPECT_EQ(shown, (QStringList{"Ana", "Bo", "Chen", "", ""}));
    EXPECT_EQ(stored("Board", "candidate"), "Ana:Bo:Chen:::");
}

TEST_F(FrmMeeMatTest, ThreeNameElectionDisablesFourAndFiveAndRefusesALongList)
{
    create(QStringLiteral("Chair"), 1);
    nominate([&](QWidget* dialog) {
        EXPECT_FALSE(name(dialog, 3)->isEnabled() || name(dialog, 4)->isEnabled());
        typeInto(name(dialog, 0), QString(60, QChar('a')));
        typeInto(name(dialog, 1), QString(60, QChar('b')));
        QTest::mouseClick(dialog->findChild<QPushButton*>("IDOK"), Qt::LeftButton);
        // Refused: the dialog stays for a shorter list.
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(prompts.takeTexts(), QStringList{Texts("FrmNominee")("MsgTooLong")});
        typeInto(name(dialog, 1), QStringLiteral("Li"));
    });
    EXPECT_EQ(stored("Chair", "candidate"), QString(60, QChar('a')) + ":Li::");
}

TEST_F(FrmMeeMatTest, VotedMotionIsLocked)
{
    create(QStringLiteral("Decided"), 2);
    ASSERT_TRUE(execute(path(), "update Overture set candidate = 'X:Y:Z:', VoteState = ?",
                        {Texts("FrmMeeMat")("DataYes")}));
    page->openMeeting(kMeeting, kMeetingKey);
    clickRow(list(), 0);
    EXPECT_FALSE(find("IDC_EDIT_OVER")->isEnabled());
    nominate([&](QWidget* dialog) {
        EXPECT_EQ(name(dialog, 0)->text(), "X");
        for (int slot = 0; slot < 5; ++slot)
            EXPECT_FALSE(name(dialog, slot)->isEnabled()) << slot;
    });
    EXPECT_EQ(stored("Decided", "candidate"), "X:Y:Z:");
}

TEST_F(FrmMeeMatTest, ProposalIsWrittenIntoTheMeetingFolder)
{
    create(QStringLiteral("Plan"), 0);
    const QString key = stored("Plan", "insertdate");
    whenModal([&](QWidget* dialog) {
        auto* editor = qobject_cast<DlgEditVote*>(dialog);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->editor()->toPlainText(), "\n\n\nPlan");
        ASSERT_TRUE(editor->save());
        editor->close();
    });
    click("IDC_EDITFMT_BUTTON");
    EXPECT_EQ(stored("Plan", "rtf"), key + ".rtf");
    EXPECT_TRUE(QFile::exists(programFile(MeetingFiles::proposal(kMeetingKey, key + ".rtf"))));
}

TEST_F(FrmMeeMatTest, AMeetingWithoutAKeyHasNoProposalsAndOneWithoutItsDatabaseNoMotions)
{
    page->openMeeting(kMeeting, QString());
    create(QStringLiteral("Keyless"), 0);
    EXPECT_TRUE(find("IDC_DELE_OVER")->isEnabled());
    EXPECT_FALSE(find("IDC_EDITFMT_BUTTON")->isEnabled());

    QFile::remove(programFile(path()));
    page->openMeeting(kMeeting, kMeetingKey);
    EXPECT_EQ(list()->rowCount(), 0);
    EXPECT_FALSE(find("IDC_NEWOVE_BUTTON")->isEnabled());
}

} // namespace
