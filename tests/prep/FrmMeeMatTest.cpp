#include "prep/FrmMeeMat.h"
#include "PrepPagesSupport.h"
#include "core/LanguageTable.h"
#include "data/Schema.h"
#include "prep/MeetingTable.h"
#include "prep/RecordKey.h"
#include "support/ConsoleTest.h"
#include "support/WidgetFinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>

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
    QTableView* list() { return find<QTableView>(FrmMeeMat::kList); }
    QString cell(int row, int column) { return list()->model()->index(row, column).data().toString(); }
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
    typeInto(find<QLineEdit>(FrmMeeMat::kTitleEdit), QStringLiteral("Budget 2026"));
    find<QComboBox>(FrmMeeMat::kRuleCombo)->setCurrentIndex(1);
    typeInto(find<QLineEdit>(FrmMeeMat::kRateEdit), QStringLiteral("6x7"));
    tick(FrmMeeMat::kShowPassCheck, true);
    tick("IDC_TIMERSE_CHECK", true);
    find<QComboBox>(FrmMeeMat::kSecondsCombo)->setCurrentText(QStringLiteral("120"));
    click("IDC_SAVEVOTE_BNT");

    const QString title = QStringLiteral("Budget 2026");
    EXPECT_EQ(stored(title, "VoteAbet"), Texts("FrmMeeMat")("cbVAberTwo"));
    EXPECT_EQ(stored(title, "VoteAbetValue") + stored(title, "ViewPass") + stored(title, "VoteTimelValue"),
              "671120");
    const QString key = stored(title, "insertdate");
    EXPECT_TRUE(RecordKey::isValid(key));

    click("IDC_EDIT_OVER");
    tick("IDC_TIMERSE_CHECK", false);
    typeInto(find<QLineEdit>(FrmMeeMat::kTitleEdit), QStringLiteral("Budget (amended)"));
    click("IDC_SAVEVOTE_BNT");
    EXPECT_EQ(stored("Budget (amended)", "VoteTimelRes"), "2");
    EXPECT_EQ(stored("Budget (amended)", "insertdate"), key);
    EXPECT_EQ(rows(), 1);
}

TEST_F(FrmMeeMatTest, TheNumberToElectIsOfferedForElectionsAndStoredInAColumnOfItsOwn)
{
    const auto hasSeatsColumn = [&] {
        return !prep_test::column(
                    path(), "select name from pragma_table_info('Overture') where name = 'Seats'", "name")
                    .isEmpty();
    };
    create(QStringLiteral("Budget"), 0);
    EXPECT_FALSE(hasSeatsColumn()) << "a file without elections keeps the designed columns";
    auto* seats = find<QSpinBox>(FrmMeeMat::kSeatsSpin);
    click("IDC_NEWOVE_BUTTON");
    EXPECT_FALSE(seats->isEnabled());
    typeInto(find<QLineEdit>(FrmMeeMat::kTitleEdit), QStringLiteral("Board"));
    find<QComboBox>(FrmMeeMat::kKindCombo)->setCurrentIndex(1);
    EXPECT_TRUE(seats->isEnabled());
    EXPECT_EQ(seats->maximum(), 3);
    find<QComboBox>(FrmMeeMat::kKindCombo)->setCurrentIndex(3);
    EXPECT_EQ(seats->maximum(), 5);
    seats->setValue(3);
    click("IDC_SAVEVOTE_BNT");
    EXPECT_EQ(stored("Board", "Seats"), "3");
    EXPECT_EQ(stored("Budget", "Seats"), "1");

    click("IDC_EDIT_OVER");
    seats->setValue(2);
    click("IDC_SAVEVOTE_BNT");
    page->openMeeting(kMeeting, kMeetingKey);
    clickRow(list(), 1);
    EXPECT_EQ(seats->value(), 2);
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
    EXPECT_EQ(rows(), 1);
}

TEST_F(FrmMeeMatTest, ThreeNamesInAFiveNameElectionStoreFiveColons)
{
    create(QStringLiteral("Board"), 3);
    ASSERT_TRUE(DbAccess::executeOnce(path(), "update Overture set candidate = 'Ana:Bo:Chen:'"));
    page->openMeeting(kMeeting, kMeetingKey);
    clickRow(list(), 0);
    QStringList shown;
    nominate([&](QWidget* dialog) {
        for (int slot = 0; slot < 5; ++slot)
            shown.append(name(dialog, slot)->text());
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

TEST_F(FrmMeeMatTest, VotedMotionIsLockedAndListedInTheTableInUse)
{
    create(QStringLiteral("Decided"), 2);
    // Made and voted while the Chinese table was in use; the page runs in English.
    ASSERT_NE(Texts("FrmMeeMat")("DataYes"), QString::fromUtf8("已表决"));
    ASSERT_TRUE(DbAccess::executeOnce(path(),
                                      "update Overture set candidate = 'X:Y:Z:', VoteState = ?, OveType = ?",
                                      {QString::fromUtf8("已表决"), QString::fromUtf8("三选多选举")}));
    page->openMeeting(kMeeting, kMeetingKey);
    EXPECT_EQ(cell(0, 2), "Election: several of 3");
    EXPECT_EQ(cell(0, 3), "Voted");
    EXPECT_EQ(stored("Decided", "OveType"), QString::fromUtf8("三选多选举"));
    clickRow(list(), 0);
    EXPECT_EQ(find<QComboBox>(FrmMeeMat::kKindCombo)->currentIndex(), 2);
    EXPECT_FALSE(find("IDC_EDIT_OVER")->isEnabled());
    nominate([&](QWidget* dialog) {
        EXPECT_EQ(name(dialog, 0)->text(), "X");
        for (int slot = 0; slot < 5; ++slot)
            EXPECT_FALSE(name(dialog, slot)->isEnabled()) << slot;
    });
    EXPECT_EQ(stored("Decided", "candidate"), "X:Y:Z:");
}

} // namespace
