#include "meeting/FrmFile.h"

#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "screen/FrmScr.h"
#include "screen/RichEditMenu.h"
#include "screen/RtfTestPrinters.h"
#include "support/ConsoleTest.h"
#include "support/Screenshot.h"
#include "ui/FileDialog.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

#include <memory>

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
    // The screen's text colour on the screen's background, in both views.
    EXPECT_EQ(colourAt(screenDocument(), 0), QColor(Qt::white));
    EXPECT_EQ(screen->textArea()->palette().color(QPalette::Base), QColor(0, 0, 128));
    EXPECT_EQ(file.view()->palette().color(QPalette::Base), QColor(0, 0, 128));
    file.show();
    saveScreenshot(file, "FrmFile-zh");
}

TEST_F(FrmFileTest, CancelOrAnUnreadableFileLeavesBothViewsAsTheyWere)
{
    FrmFile& file = makePage();
    openByButton(writeFile("first.txt", "First text.\n"));
    ASSERT_EQ(file.view()->toPlainText(), "First text.\n");

    openByButton(QString());
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
    auto* symbols = file.findChild<QLineEdit*>("IDC_CLEWSIGN_EDIT");
    symbols->setText("。！");
    click("IDC_CLEW_SIGNOK");
    const QColor highlight = file.highlightColour();
    ASSERT_NE(highlight, file.textColour());

    click("IDC_NEXTSENT_BUTTON");
    click("IDC_NEXTSENT_BUTTON");
    EXPECT_EQ(textIn(viewDocument(), highlight), "第二句话！");
    EXPECT_EQ(textIn(screenDocument(), highlight), "第二句话！");
    EXPECT_EQ(textIn(screenDocument(), file.textColour()), "第一句话。\n");
    click("IDC_TOPSENT_BUTTON");
    EXPECT_EQ(textIn(screenDocument(), highlight), "第一句话。");
    click("IDC_REVSENT_BUTTON");
    EXPECT_EQ(textIn(viewDocument(), highlight), "");
    EXPECT_EQ(textIn(screenDocument(), highlight), "");

    // The field's symbols count only after OK.
    symbols->clear();
    click("IDC_NEXTSENT_BUTTON");
    EXPECT_EQ(textIn(screenDocument(), highlight), "第一句话。");
    click("IDC_CLEW_SIGNOK");
    click("IDC_REVSENT_BUTTON");
    click("IDC_NEXTSENT_BUTTON");
    EXPECT_EQ(textIn(screenDocument(), highlight), "第一句话。第二句话！\n");
}

TEST_F(FrmFileTest, AutoStepsAtThePaceAndStopsByItselfAtTheEnd)
{
    FrmFile& file = makePage();
    openByButton(writeFile("three.txt", "One. Two. Three."));
    auto* pace = file.findChild<QSpinBox*>("IDC_CLEWRATE_EDIT");
    auto* autoButton = file.findChild<QPushButton*>("BtnAuto");
    const QColor highlight = file.highlightColour();

    // Pace 0 steps every second; after the line end, the last piece, the timer stops.
    pace->setValue(0);
    click("BtnAuto");
    EXPECT_EQ(autoButton->text(), "Pause");
    clock.advance(999);
    EXPECT_EQ(textIn(screenDocument(), highlight), "");
    clock.advance(1);
    EXPECT_EQ(textIn(screenDocument(), highlight), "One.");
    for (const char* piece : {" Two.", " Three.", "\n"}) {
        clock.advance(1000);
        EXPECT_EQ(textIn(screenDocument(), highlight), piece);
    }
    EXPECT_TRUE(file.isAutoRunning());
    clock.advance(1000);
    EXPECT_FALSE(file.isAutoRunning());
    EXPECT_EQ(autoButton->text(), "Auto");

    // Pace 2: one step every two seconds; Pause stops it, and so does Restore.
    click("IDC_REVSENT_BUTTON");
    pace->setValue(2);
    click("BtnAuto");
    clock.advance(1999);
    EXPECT_EQ(textIn(screenDocument(), highlight), "");
    clock.advance(1);
    EXPECT_EQ(textIn(screenDocument(), highlight), "One.");
    click("BtnAuto");
    EXPECT_FALSE(file.isAutoRunning());
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
    const auto choose = [&file](const char* list, const QColor& colour) {
        auto* box = file.findChild<QComboBox*>(list);
        ASSERT_NE(box, nullptr) << list;
        const int index = box->findData(colour);
        ASSERT_GE(index, 0) << list;
        box->setCurrentIndex(index);
        emit box->activated(index);
    };
    choose("IDC_TEXTCOLOR_LIST", Qt::green);
    EXPECT_EQ(textIn(viewDocument(), Qt::green), "Alpha. Beta.\n");
    EXPECT_EQ(textIn(screenDocument(), Qt::green), "Alpha. Beta.\n");
    choose("IDC_CLEWCOLOR_LIST", Qt::red);
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
    const QList<QScrollBar*> bars = {file.view()->verticalScrollBar(),
                                     screen->textArea()->verticalScrollBar()};
    for (QScrollBar* bar : bars)
        ASSERT_GT(bar->maximum(), 0);
    click("IDC_NEXTSCREEN_BUTTON");
    for (QScrollBar* bar : bars)
        EXPECT_EQ(bar->value(), bar->pageStep());
    click("IDC_TAILSCREEN_BUTTON");
    for (QScrollBar* bar : bars)
        EXPECT_EQ(bar->value(), bar->maximum());
    click("IDC_TOPSCREEN_BUTTON");
    for (QScrollBar* bar : bars)
        EXPECT_EQ(bar->value(), bar->maximum() - bar->pageStep());
    click("IDC_HEADSCREEN_BUTTON");
    for (QScrollBar* bar : bars)
        EXPECT_EQ(bar->value(), 0);
    saveScreenshot(file, "FrmFile");
    saveScreenshot(*screen, "FrmFile-screen");
}

TEST_F(FrmFileTest, EditMenuOfTheReadOnlyViewOffersOnlyWhatDoesNotChangeIt)
{
    FrmFile& file = makePage();
    openByButton(writeFile("menu.txt", "Some words."));
    file.view()->selectAll();
    std::unique_ptr<QMenu> menu(RichEditMenu::create(
        file.view(), [] {}, &file));
    QStringList enabled;
    for (QAction* action : menu->actions())
        if (!action->isSeparator() && action->isEnabled())
            enabled.append(action->objectName());
    EXPECT_EQ(enabled, QStringList({"RiceCopy", "RiceSele", "RiceSetFont"}));
}
