#include "meeting/FrmFile.h"

#include "support/ConsoleTest.h"
#include "ui/FileDialog.h"
#include "screen/FrmScr.h"
#include "screen/RichEditMenu.h"
#include "screen/RtfTestPrinters.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace {

class FrmFileTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        SettingsTable settings;
        settings.setPath(Schema::kSystemDatabase);
        ASSERT_TRUE(
            settings.execute("update sysbasicset set ScrSize = ?, ScrColor = ?, ScrTextColor = ?",
                             {"1024*768", colourToStored(QColor(0, 0, 128)), colourToStored(Qt::white)}));
        screen = std::make_unique<FrmScr>();
        screen->loadSettings();
    }

    void TearDown() override
    {
        page.reset();
        screen.reset();
        ConsoleTest::TearDown();
    }

    FrmFile& makePage()
    {
        page = std::make_unique<FrmFile>(*screen, clock);
        page->resize(1000, 700);
        return *page;
    }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = programFile(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    void click(const char* name)
    {
        auto* button = page->findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void openByButton(const QString& path)
    {
        FileDialog::setNextAnswers({path});
        click("IDC_OPENTEXT_BUTTON");
        FileDialog::takeRequests();
    }

    // The colour of the character at a position of a document.
    static QColor colourAt(QTextDocument* document, int position)
    {
        QTextCursor cursor(document);
        cursor.setPosition(position + 1);
        return cursor.charFormat().foreground().color();
    }

    // The characters of a document in the given colour.
    static QString textIn(QTextDocument* document, const QColor& colour)
    {
        QString text;
        const QString all = document->toPlainText();
        for (int i = 0; i < all.size(); ++i)
            if (colourAt(document, i) == colour)
                text += all[i];
        return text;
    }

    QTextDocument* viewDocument() const { return page->view()->document(); }
    QTextDocument* screenDocument() const { return screen->textArea()->document(); }

    std::unique_ptr<FrmScr> screen;
    std::unique_ptr<FrmFile> page;
};

} // namespace

TEST_F(FrmFileTest, OpensALegacyChineseFileIntoBothViews)
{
    useLanguage("0");
    FrmFile& file = makePage();
    EXPECT_EQ(file.findChild<QPushButton*>("IDC_OPENTEXT_BUTTON")->text(), "打开");
    EXPECT_EQ(file.findChild<QPushButton*>("BtnAuto")->text(), "自动");

    // GBK bytes with Windows line ends, as Chinese Notepad saves them.
    const QString path = writeFile("speech.txt", "\xb8\xf7\xce\xbb\xb4\xfa\xb1\xed\xa3\xba\r\n"
                                                 "\xbb\xe1\xd2\xe9\xbf\xaa\xca\xbc\xa1\xa3\r\n");
    FileDialog::setNextAnswers({path});
    click("IDC_OPENTEXT_BUTTON");
    const QList<FileDialog::Request> requests = FileDialog::takeRequests();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_FALSE(requests[0].save);
    EXPECT_TRUE(requests[0].filter.contains("*.txt"));

    const QString expected = "各位代表：\n会议开始。\n";
    EXPECT_EQ(file.view()->toPlainText(), expected);
    EXPECT_EQ(screen->textArea()->toPlainText(), expected);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(screen->surface(), FrmScr::Surface::TextArea);

    // Sizes of the two views; colours: the screen's text colour on the screen's background.
    QTextCursor viewCursor(viewDocument());
    viewCursor.setPosition(2);
    EXPECT_DOUBLE_EQ(viewCursor.charFormat().fontPointSize(), FrmFile::kViewPointSize);
    QTextCursor screenCursor(screenDocument());
    screenCursor.setPosition(2);
    EXPECT_DOUBLE_EQ(screenCursor.charFormat().fontPointSize(), FrmFile::kScreenPointSize);
    EXPECT_EQ(colourAt(screenDocument(), 0), QColor(Qt::white));
    EXPECT_EQ(screen->textArea()->palette().color(QPalette::Base), QColor(0, 0, 128));
    EXPECT_EQ(file.view()->palette().color(QPalette::Base), QColor(0, 0, 128));

    const QString folder = qEnvironmentVariable("SCREEN_SHOT_DIR");
    if (!folder.isEmpty()) {
        file.show();
        click("IDC_NEXTSENT_BUTTON");
        file.grab().save(folder + "/FrmFile-zh.png");
    }
}

TEST_F(FrmFileTest, CancelOrAnUnreadableFileLeavesBothViewsAsTheyWere)
{
    FrmFile& file = makePage();
    openByButton(writeFile("first.txt", "First text.\n"));
    ASSERT_EQ(file.view()->toPlainText(), "First text.\n");

    openByButton(QString());
    EXPECT_EQ(file.view()->toPlainText(), "First text.\n");
    EXPECT_TRUE(prompts.takeTexts().isEmpty());

    // A folder cannot be read as a text file.
    openByButton(programFile("System"));
    EXPECT_EQ(prompts.takeTexts(), QStringList({"The file " + programFile("System") + " cannot be read."}));
    EXPECT_EQ(file.view()->toPlainText(), "First text.\n");
    EXPECT_EQ(screen->textArea()->toPlainText(), "First text.\n");
}

TEST_F(FrmFileTest, SentenceButtonsHighlightTheSameSentenceInBothViews)
{
    FrmFile& file = makePage();
    openByButton(writeFile("two.txt", "第一句话。第二句话！"));
    file.findChild<QLineEdit*>("IDC_CLEWSIGN_EDIT")->setText("。！");
    click("IDC_CLEW_SIGNOK");
    const QColor highlight = file.highlightColour();
    const QColor text = file.textColour();
    ASSERT_NE(highlight, text);

    click("IDC_NEXTSENT_BUTTON");
    EXPECT_EQ(textIn(viewDocument(), highlight), "第一句话。");
    EXPECT_EQ(textIn(screenDocument(), highlight), "第一句话。");
    click("IDC_NEXTSENT_BUTTON");
    EXPECT_EQ(textIn(viewDocument(), highlight), "第二句话！");
    EXPECT_EQ(textIn(screenDocument(), highlight), "第二句话！");
    EXPECT_EQ(textIn(screenDocument(), text), "第一句话。\n");
    click("IDC_TOPSENT_BUTTON");
    EXPECT_EQ(textIn(screenDocument(), highlight), "第一句话。");

    // Restore: nothing highlighted, and the next step starts from the first sentence again.
    click("IDC_NEXTSENT_BUTTON");
    click("IDC_REVSENT_BUTTON");
    EXPECT_EQ(textIn(viewDocument(), highlight), "");
    EXPECT_EQ(textIn(screenDocument(), highlight), "");
    click("IDC_NEXTSENT_BUTTON");
    EXPECT_EQ(textIn(screenDocument(), highlight), "第一句话。");

    // Without OK the field's new symbols are not used yet.
    file.findChild<QLineEdit*>("IDC_CLEWSIGN_EDIT")->clear();
    click("IDC_REVSENT_BUTTON");
    click("IDC_NEXTSENT_BUTTON");
    EXPECT_EQ(textIn(screenDocument(), highlight), "第一句话。");
    // An empty list makes a step run to the end of the text.
    click("IDC_CLEW_SIGNOK");
    click("IDC_REVSENT_BUTTON");
    click("IDC_NEXTSENT_BUTTON");
    EXPECT_EQ(textIn(screenDocument(), highlight), "第一句话。第二句话！\n");
}

TEST_F(FrmFileTest, AutoStepsAtThePaceAndStopsByItselfAtTheEnd)
{
    FrmFile& file = makePage();
    openByButton(writeFile("three.txt", "One. Two. Three."));
    file.findChild<QSpinBox*>("IDC_CLEWRATE_EDIT")->setValue(0);
    auto* autoButton = file.findChild<QPushButton*>("BtnAuto");
    const QColor highlight = file.highlightColour();

    click("BtnAuto");
    EXPECT_TRUE(file.isAutoRunning());
    EXPECT_EQ(autoButton->text(), "Pause");
    EXPECT_EQ(textIn(screenDocument(), highlight), "");
    clock.advance(999);
    EXPECT_EQ(textIn(screenDocument(), highlight), "");
    clock.advance(1);
    EXPECT_EQ(textIn(screenDocument(), highlight), "One.");
    clock.advance(1000);
    EXPECT_EQ(textIn(screenDocument(), highlight), " Two.");
    clock.advance(1000);
    EXPECT_EQ(textIn(screenDocument(), highlight), " Three.");
    // The line end is the last piece; then the timer stops and the button offers Auto again.
    clock.advance(1000);
    EXPECT_EQ(textIn(screenDocument(), highlight), "\n");
    EXPECT_TRUE(file.isAutoRunning());
    clock.advance(1000);
    EXPECT_FALSE(file.isAutoRunning());
    EXPECT_EQ(autoButton->text(), "Auto");
    clock.advance(5000);
    EXPECT_EQ(textIn(screenDocument(), highlight), "\n");

    // Pace 2: one step every two seconds; Pause stops it, Restore too.
    click("IDC_REVSENT_BUTTON");
    file.findChild<QSpinBox*>("IDC_CLEWRATE_EDIT")->setValue(2);
    click("BtnAuto");
    clock.advance(1999);
    EXPECT_EQ(textIn(screenDocument(), highlight), "");
    clock.advance(1);
    EXPECT_EQ(textIn(screenDocument(), highlight), "One.");
    click("BtnAuto");
    EXPECT_FALSE(file.isAutoRunning());
    EXPECT_EQ(autoButton->text(), "Auto");
    clock.advance(4000);
    EXPECT_EQ(textIn(screenDocument(), highlight), "One.");
    click("BtnAuto");
    click("IDC_REVSENT_BUTTON");
    EXPECT_FALSE(file.isAutoRunning());
    EXPECT_EQ(autoButton->text(), "Auto");
}

TEST_F(FrmFileTest, ColoursAndFontReachBothViews)
{
    FrmFile& file = makePage();
    openByButton(writeFile("colours.txt", "Alpha. Beta."));
    auto* textList = file.findChild<QComboBox*>("IDC_TEXTCOLOR_LIST");
    auto* highlightList = file.findChild<QComboBox*>("IDC_CLEWCOLOR_LIST");
    ASSERT_NE(textList, nullptr);
    ASSERT_NE(highlightList, nullptr);
    EXPECT_EQ(textList->currentData().value<QColor>(), QColor(Qt::white));

    const int green = textList->findData(QColor(Qt::green));
    ASSERT_GE(green, 0);
    textList->setCurrentIndex(green);
    emit textList->activated(green);
    EXPECT_EQ(textIn(viewDocument(), Qt::green), "Alpha. Beta.\n");
    EXPECT_EQ(textIn(screenDocument(), Qt::green), "Alpha. Beta.\n");

    const int red = highlightList->findData(QColor(Qt::red));
    ASSERT_GE(red, 0);
    highlightList->setCurrentIndex(red);
    emit highlightList->activated(red);
    click("IDC_NEXTSENT_BUTTON");
    EXPECT_EQ(textIn(screenDocument(), Qt::red), "Alpha.");
    EXPECT_EQ(textIn(screenDocument(), Qt::green), " Beta.\n");

    QFont font("WenQuanYi Zen Hei");
    font.setPointSize(30);
    font.setBold(true);
    file.applyFont(font);
    for (QTextDocument* document : {viewDocument(), screenDocument()}) {
        QTextCursor cursor(document);
        cursor.setPosition(3);
        EXPECT_EQ(cursor.charFormat().fontFamilies().toStringList().value(0), "WenQuanYi Zen Hei");
        EXPECT_DOUBLE_EQ(cursor.charFormat().fontPointSize(), 30.0);
        EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
        // The colours stay.
        EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(Qt::red));
    }
}

TEST_F(FrmFileTest, ScreenButtonsPageBothViews)
{
    FrmFile& file = makePage();
    file.show();
    QString text;
    for (int line = 1; line <= 300; ++line)
        text += QStringLiteral("Line %1 of the long speech.\n").arg(line);
    openByButton(writeFile("long.txt", text.toUtf8()));
    QScrollBar* viewBar = file.view()->verticalScrollBar();
    QScrollBar* screenBar = screen->textArea()->verticalScrollBar();
    ASSERT_GT(viewBar->maximum(), 0);
    ASSERT_GT(screenBar->maximum(), 0);

    click("IDC_NEXTSCREEN_BUTTON");
    EXPECT_EQ(viewBar->value(), viewBar->pageStep());
    EXPECT_EQ(screenBar->value(), screenBar->pageStep());
    click("IDC_TAILSCREEN_BUTTON");
    EXPECT_EQ(viewBar->value(), viewBar->maximum());
    EXPECT_EQ(screenBar->value(), screenBar->maximum());
    click("IDC_TOPSCREEN_BUTTON");
    EXPECT_EQ(viewBar->value(), viewBar->maximum() - viewBar->pageStep());
    EXPECT_EQ(screenBar->value(), screenBar->maximum() - screenBar->pageStep());
    click("IDC_HEADSCREEN_BUTTON");
    EXPECT_EQ(viewBar->value(), 0);
    EXPECT_EQ(screenBar->value(), 0);

    const QString folder = qEnvironmentVariable("SCREEN_SHOT_DIR");
    if (!folder.isEmpty()) {
        file.findChild<QLineEdit*>("IDC_CLEWSIGN_EDIT")->setText(".");
        click("IDC_CLEW_SIGNOK");
        click("IDC_NEXTSENT_BUTTON");
        click("IDC_NEXTSENT_BUTTON");
        file.grab().save(folder + "/FrmFile.png");
        screen->grab().save(folder + "/FrmFile-screen.png");
    }
}

TEST_F(FrmFileTest, EditMenuOfTheReadOnlyViewOffersOnlyWhatDoesNotChangeIt)
{
    FrmFile& file = makePage();
    openByButton(writeFile("menu.txt", "Some words."));
    file.view()->selectAll();
    QMenu* menu = RichEditMenu::create(
        file.view(), [] {}, &file);
    QStringList enabled;
    QStringList captions;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        captions.append(action->text());
        if (action->isEnabled())
            enabled.append(action->objectName());
    }
    EXPECT_EQ(captions, QStringList({"Undo", "Cut", "Copy", "Paste", "Clear", "Select all", "Font..."}));
    EXPECT_EQ(enabled, QStringList({"RiceCopy", "RiceSele", "RiceSetFont"}));
    delete menu;
}
