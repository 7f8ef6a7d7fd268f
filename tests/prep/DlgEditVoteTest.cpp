#include "prep/DlgEditVote.h"
#include "PrepPagesSupport.h"
#include "core/LanguageTable.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "prep/FrmMeeset.h"
#include "prep/MeetingListModel.h"
#include "support/ConsoleTest.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QTextEdit>

using namespace prep_test;

namespace {

const QString kKey = QStringLiteral("20260405080000");

class DlgEditVoteTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
    }

    std::unique_ptr<DlgEditVote> banner(const QString& file)
    {
        DlgEditVote::Target target;
        target.mode = DlgEditVote::Mode::Banner;
        target.title = QStringLiteral("Annual assembly");
        target.meetingKey = kKey;
        target.file = file;
        return std::make_unique<DlgEditVote>(target, QSize(1024, 768), QColor(0, 0x20, 0x60),
                                             QColor(Qt::white));
    }

    static QAction* action(QWidget* dialog, const char* name)
    {
        auto* found = dialog->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
};

TEST_F(DlgEditVoteTest, BannerButtonStoresTheSavedBanner)
{
    MeetingTable table;
    Meeting meeting;
    meeting.name = QStringLiteral("Annual assembly");
    meeting.key = kKey;
    ASSERT_TRUE(table.insert(meeting));
    MeetingListModel meetings(table);
    FrmMeeset page(meetings);
    page.show();
    clickRow(page.findChild<QTableView*>(FrmMeeset::kList), 0);

    whenModal([&](QWidget* dialog) {
        auto* editor = qobject_cast<DlgEditVote*>(dialog);
        ASSERT_NE(editor, nullptr);
        // Drawn in the hall screen's colours, starting with the designed default text.
        SettingsTable settings;
        settings.setPath(Schema::kSystemDatabase);
        settings.load();
        EXPECT_EQ(editor->editor()->palette().color(QPalette::Base), storedColour(settings.ScrColor));
        EXPECT_EQ(editor->editor()->toPlainText(), "\n\n\nAnnual assembly");
        editor->editor()->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor->editor(), " 2026");
        action(dialog, "RiceSave")->trigger();
        editor->close();
    });
    QTest::mouseClick(page.findChild<QPushButton*>("IDC_MEEBANNER_BUTTON"), Qt::LeftButton);

    EXPECT_EQ(table.find(QStringLiteral("Annual assembly")).value().bannerFile, kKey + ".rtf");
    // Reopened, it shows what was saved; closed unchanged, nothing is stored anew.
    auto again = banner(kKey + ".rtf");
    EXPECT_EQ(again->editor()->toPlainText(), "\n\n\nAnnual assembly 2026");
    again->reject();
    EXPECT_FALSE(again->saved());
}

TEST_F(DlgEditVoteTest, ClosingWithChangesAsksWhetherToSave)
{
    for (bool save : {false, true}) {
        auto editor = banner(QString());
        QTest::keyClicks(editor->editor(), "x");
        prompts.answerNext(save);
        editor->reject();
        EXPECT_EQ(prompts.takeTexts(), QStringList{Texts("Public")("MsgCloseClew")});
        EXPECT_EQ(editor->saved(), save);
        EXPECT_EQ(QFile::exists(programFile("MeeFile/Meebanner/" + kKey + ".rtf")), save);
    }
}

} // namespace
