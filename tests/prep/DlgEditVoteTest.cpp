#include "prep/DlgEditVote.h"
#include "support/ConsoleTest.h"
#include "support/Screenshot.h"
#include "ui/FileDialog.h"
#include "prep/FrmMeeset.h"
#include "core/LanguageTable.h"
#include "prep/MeetingTable.h"
#include "PrepPagesSupport.h"
#include "screen/RtfWriter.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QMenu>
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
    table.record.DueNum = QStringLiteral("3");
    ASSERT_TRUE(table.insert());
    FrmMeeset page;
    page.show();
    clickRow(page.findChild<QTableWidget*>(FrmMeeset::kList), 0);

    whenModal([&](QWidget* dialog) {
        auto* editor = qobject_cast<DlgEditVote*>(dialog);
        ASSERT_NE(editor, nullptr);
        // Drawn in the hall screen's colours, starting with the designed default text.
        const SettingsTable settings = [] {
            SettingsTable s;
            s.setPath(Schema::kSystemDatabase);
            s.load();
            return s;
        }();
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
    QFile file(programFile("MeeFile/Meebanner/" + kKey + ".rtf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("{\\rtf"));

    // Reopened, it shows what was saved; closed unchanged, nothing is asked and nothing stored anew.
    ASSERT_TRUE(table.setBanner(kKey, QString()));
    auto again = banner(kKey + ".rtf");
    EXPECT_EQ(again->editor()->toPlainText(), "\n\n\nAnnual assembly 2026");
    again->reject();
    EXPECT_FALSE(again->saved());
}

TEST_F(DlgEditVoteTest, UnreadableFilesGiveTheDefaultText)
{
    // A file that is no RTF, a truncated one, an empty one and a missing one.
    QTextDocument document;
    document.setPlainText(QStringLiteral("A long banner text that will be cut in half"));
    const QByteArray rtf = RtfWriter().write(document);
    write("MeeFile/Meebanner/plain.rtf", "just some words\n");
    write("MeeFile/Meebanner/cut.rtf", rtf.left(rtf.size() / 2));
    write("MeeFile/Meebanner/empty.rtf", QByteArray());
    write("MeeFile/Meebanner/binary.rtf", QByteArray("\x00\xff\xfe{\\rtf", 8));
    for (const char* file : {"plain.rtf", "cut.rtf", "empty.rtf", "binary.rtf", "missing.rtf"}) {
        auto editor = banner(QString::fromLatin1(file));
        EXPECT_EQ(editor->editor()->toPlainText(), "\n\n\nAnnual assembly") << file;
        EXPECT_FALSE(editor->editor()->document()->isModified()) << file;
    }
    // A stored name cannot lead the editor out of the banner folder.
    write("Data/secret.rtf", rtf);
    EXPECT_EQ(banner(QStringLiteral("../../Data/secret.rtf"))->editor()->toPlainText(),
              "\n\n\nAnnual assembly");
}

TEST_F(DlgEditVoteTest, ClosingWithChangesAsksWhetherToSave)
{
    const Texts texts(QStringLiteral("Public"));
    auto editor = banner(QString());
    QTest::keyClicks(editor->editor(), "x");
    prompts.answerNext(false);
    editor->reject();
    EXPECT_EQ(prompts.takeTexts(), QStringList{texts("MsgCloseClew")});
    EXPECT_FALSE(editor->saved());
    EXPECT_FALSE(QFile::exists(programFile(editor->savePath())));

    editor = banner(QString());
    QTest::keyClicks(editor->editor(), "y");
    prompts.answerNext(true);
    editor->reject();
    EXPECT_EQ(prompts.takeTexts(), QStringList{texts("MsgCloseClew")});
    EXPECT_TRUE(editor->saved());
    EXPECT_TRUE(QFile::exists(programFile("MeeFile/Meebanner/" + kKey + ".rtf")));
}

TEST_F(DlgEditVoteTest, EditMenuAndPictures)
{
    auto editor = banner(QString());
    editor->show();
    QMenu* edit = editor->findChild<QMenu*>("RiceEdit");
    ASSERT_NE(edit, nullptr);
    QStringList names;
    for (QAction* a : edit->actions())
        if (!a->isSeparator())
            names.append(a->objectName());
    EXPECT_EQ(names, (QStringList{"RiceUndo", "RiceCut", "RiceCopy", "RicePaste", "RiceClear", "RiceSele",
                                  "RiceSetFont"}));
    for (QAction* a : edit->actions()) {
        if (!a->isSeparator()) {
            EXPECT_FALSE(a->text().isEmpty()) << a->objectName().toStdString();
        }
    }

    action(editor.get(), "RiceSele")->trigger();
    emit edit->aboutToShow();
    EXPECT_TRUE(action(editor.get(), "RiceClear")->isEnabled());
    action(editor.get(), "RiceClear")->trigger();
    EXPECT_TRUE(editor->editor()->toPlainText().isEmpty());
    emit edit->aboutToShow();
    ASSERT_TRUE(action(editor.get(), "RiceUndo")->isEnabled());
    action(editor.get(), "RiceUndo")->trigger();
    EXPECT_EQ(editor->editor()->toPlainText(), "\n\n\nAnnual assembly");

    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString bmp = programFile("System/photo/test-picture.bmp");
    ASSERT_TRUE(image.save(bmp, "BMP"));
    write("System/photo/not-a-picture.bmp", "BM but not really");
    FileDialog::setNextAnswers({bmp, programFile("System/photo/not-a-picture.bmp"), QString()});
    action(editor.get(), "RiceInsertBmp")->trigger();
    action(editor.get(), "RiceInsertBmp")->trigger();
    EXPECT_EQ(prompts.takeTexts(), QStringList{Texts("Public")("MsgBmpErr")});
    action(editor.get(), "RiceInsertBmp")->trigger(); // cancelled
    const auto requests = FileDialog::takeRequests();
    ASSERT_EQ(requests.size(), 3);
    EXPECT_TRUE(requests[0].filter.contains("*.bmp"));
    EXPECT_EQ(editor->editor()->toHtml().count("<img"), 1);

    ASSERT_TRUE(editor->save());
    auto again = banner(kKey + ".rtf");
    EXPECT_EQ(again->editor()->toHtml().count("<img"), 1);
}

TEST_F(DlgEditVoteTest, ChineseBannerIsDrawnInTheScreenColours)
{
    useLanguage(QStringLiteral("0"));
    DlgEditVote::Target target;
    target.title = QStringLiteral("第十四届人民代表大会第三次会议");
    target.meetingKey = kKey;
    DlgEditVote editor(target, QSize(1024, 768), QColor(0, 0x20, 0x60), QColor(Qt::white));
    editor.show();
    EXPECT_TRUE(editor.windowTitle().startsWith(Texts("Public")("DlgEditVote")));
    QTextCursor cursor = editor.editor()->textCursor();
    cursor.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.mergeBlockFormat(centred);
    const QImage shot = editor.grab().toImage();
    // Dark blue page, with white text somewhere in the line of the title.
    const QPoint inside = editor.editor()->mapTo(&editor, QPoint(20, editor.editor()->height() - 20));
    EXPECT_EQ(shot.pixelColor(inside), QColor(0, 0x20, 0x60));
    const int titleLine = editor.editor()->mapTo(&editor, editor.editor()->cursorRect(cursor).center()).y();
    int light = 0;
    for (int x = 0; x < shot.width(); ++x)
        light += shot.pixelColor(x, titleLine).lightness() > 200 ? 1 : 0;
    EXPECT_GT(light, 10);
    saveScreenshot(editor, QStringLiteral("DlgEditVote_zh"));
}

} // namespace
