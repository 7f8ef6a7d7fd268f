#include "prep/MotionListModel.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "support/ConsoleTest.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QTableView>

namespace {

class MotionListModelTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        for (const QString& meeting : {QStringLiteral("Assembly"), QStringLiteral("Other")})
            ASSERT_EQ(Schema::createMeetingDatabase(meeting), Schema::CreateResult::Created);
        table = MotionTable(); // the texts of the test's language tables
        table.setMeeting(QStringLiteral("Assembly"));
        model = std::make_unique<MotionListModel>(
            MotionListModel::Look{{"No.", "Title", "Kind", "State"}, "Voted", "Not voted", true},
            table.words());
        model->setPath(table.path());
    }
    Motion add(const QString& title, const QString& key, int kind, MotionTable& into)
    {
        Motion m;
        m.title = title;
        m.key = key;
        MotionSettings settings;
        settings.kind = kind;
        settings.rate = QStringLiteral("50");
        MotionRules::fill(m, settings, {});
        EXPECT_TRUE(into.insert(m));
        return m;
    }
    QStringList row(int r)
    {
        QStringList texts;
        for (int c = 0; c < model->columnCount(); ++c)
            texts << model->index(r, c).data().toString();
        return texts;
    }

    MotionTable table;
    std::unique_ptr<MotionListModel> model;
};

TEST_F(MotionListModelTest, FollowsEveryChangeOfItsMeetingsMotions)
{
    QAbstractItemModelTester tester(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model->rowCount(), 0);
    add("Budget", "20261207090000", 0, table);
    Motion board = add("Board", "20261207090001", 3, table);
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(row(1), (QStringList{"2", "Board", "Election: 1 of 5", "Not voted"}));

    // Stored under the Chinese table and voted: shown in the table in use.
    ASSERT_TRUE(DbAccess::executeOnce(
        table.path(), "update Overture set OveType = ?, VoteState = ? where OveName = ?",
        {QString::fromUtf8("三选多选举"), QString::fromUtf8("已表决"), "Budget"}));
    model->refresh();
    EXPECT_EQ(row(0), (QStringList{"1", "Budget", "Election: several of 3", "Voted"}));

    board.title = "Board of trustees";
    ASSERT_TRUE(table.update(board));
    EXPECT_EQ(model->index(1, 1).data().toString(), "Board of trustees");
    ASSERT_TRUE(table.remove("Budget"));
    EXPECT_EQ(row(0), (QStringList{"1", "Board of trustees", "Election: 1 of 5", "Not voted"}));

    // Another meeting's motions are not this list's.
    MotionTable other;
    other.setMeeting(QStringLiteral("Other"));
    add("Elsewhere", "20261207090002", 0, other);
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->rowOf(board), 0);
}

TEST_F(MotionListModelTest, TwoViewsOnOneModelFollowTheTableAndKeepTheirSelection)
{
    add("Budget", "20261207090000", 0, table);
    Motion board = add("Board", "20261207090001", 3, table);
    QTableView first;
    QTableView second;
    for (QTableView* view : {&first, &second}) {
        view->setModel(model.get());
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->resize(400, 200);
        view->show();
    }
    first.selectRow(1);

    // A new setting of a listed motion changes its row where it is: the selection stays.
    MotionSettings several;
    several.kind = 4;
    MotionRules::fill(board, several, {});
    ASSERT_TRUE(table.update(board));
    EXPECT_EQ(first.selectionModel()->selectedRows().value(0).row(), 1);
    for (QTableView* view : {&first, &second})
        EXPECT_EQ(view->model()->index(1, 2).data().toString(), "Election: several of 5");

    // A new motion reaches both views.
    add("Statute", "20261207090002", 0, table);
    for (QTableView* view : {&first, &second}) {
        EXPECT_EQ(view->verticalHeader()->count(), 3);
        EXPECT_TRUE(view->visualRect(model->index(2, 1)).isValid());
    }
}

} // namespace
