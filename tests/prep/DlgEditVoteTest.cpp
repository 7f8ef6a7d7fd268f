#include "prep/DlgEditVote.h"
#include "PrepPagesSupport.h"
#include "core/LanguageTable.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "prep/FrmMeeset.h"
#include "prep/MeetingTable.h"
#include "screen/RtfWriter.h"
#include "support/ConsoleTest.h"
#include "ui/FileDialog.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTextDocument>
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

    void write(const QString& relative, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(programFile(relative)).path());
        QFile file(programFile(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QAction* action(QWidget* dialog, const char* name)
    {
        // The menu bar's menus hold the actions; the first one found is the bar's.
        auto* found = dialog->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
};

TEST_F(DlgEditVoteTest, BannerButtonStoresTheSavedBanner)
{
    MeetingTable table;
    table.record.MeeName = QStringLiteral("Annual assembly");
    table.record.insertdate = kKey;
    ASSERT_TRUE(table.insert());
    FrmMeeset page;
    page.show();
    clickRow(page.findChild<QTableWidget*>(FrmMeeset::kList), 0);

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

    ASSERT_TRUE(table.load(QStringLiteral("Annual assembly")));
    EXPECT_EQ(table.record.bannerPath, kKey + ".rtf");
    // Reopened, it shows what was saved; closed unchanged, nothing is stored anew.
    auto again = banner(kKey + ".rtf");
    EXPECT_EQ(again->editor()->toPlainText(), "\n\n\nAnnual assembly 2026");
    again->reject();
    EXPECT_FALSE(again->saved());
}

TEST_F(DlgEditVoteTest, UnreadableFilesGiveTheDefaultText)
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("A long banner text that will be cut in half"));
    const QByteArray rtf = RtfWriter().write(document);
    write("MeeFile/Meebanner/plain.rtf", "just some words\n");
    write("MeeFile/Meebanner/cut.rtf", rtf.left(rtf.size() / 2));
    write("MeeFile/Meebanner/binary.rtf", QByteArray("\x00\xff\xfe{\\rtf", 8));
    write("Data/secret.rtf", rtf);
    // The last: a stored name cannot lead the editor out of the banner folder.
    for (const char* file : {"plain.rtf", "cut.rtf", "binary.rtf", "missing.rtf", "../../Data/secret.rtf"}) {
        auto editor = banner(QString::fromLatin1(file));
        EXPECT_EQ(editor->editor()->toPlainText(), "\n\n\nAnnual assembly") << file;
        EXPECT_FALSE(editor->editor()->document()->isModified()) << file;
    }
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

TEST_F(DlgEditVoteTest, PicturesAreCheckedAndKeptInTheSavedFile)
{
    auto editor = banner(QString());
    editor->show();
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString bmp = programFile("System/photo/test-picture.bmp");
    ASSERT_TRUE(image.save(bmp, "BMP"));
    write("System/photo/not-a-picture.bmp", "BM but not really");
    FileDialog::setNextAnswers({bmp, programFile("System/photo/not-a-picture.bmp"), QString()});
    for (int i = 0; i < 3; ++i) // a picture, a broken one, cancelled
        action(editor.get(), "RiceInsertBmp")->trigger();
    EXPECT_EQ(prompts.takeTexts(), QStringList{Texts("Public")("MsgBmpErr")});
    EXPECT_EQ(FileDialog::takeRequests().size(), 3);
    EXPECT_EQ(editor->editor()->toHtml().count("<img"), 1);

    ASSERT_TRUE(editor->save());
    EXPECT_EQ(banner(kKey + ".rtf")->editor()->toHtml().count("<img"), 1);
}

} // namespace
