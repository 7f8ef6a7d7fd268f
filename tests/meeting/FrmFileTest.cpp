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
        page = std::make_unique<FrmFile>(*screen, clock);
        page->resize(1000, 700);
    }

    void TearDown() override
    {
        page.reset();
        screen.reset();
        ConsoleTest::TearDown();
    }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile out(programFile(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return out.fileName();
    }

    void click(const char* name) { QTest::mouseClick(page->findChild<QPushButton*>(name), Qt::LeftButton); }

    void openByButton(const QString& path)
    {
        FileDialog::setNextAnswers({path});
        click("IDC_OPENTEXT_BUTTON");
        FileDialog::takeRequests();
    }

    // The characters of a document in the given colour.
    static QString textIn(QTextDocument* document, const QColor& colour)
    {
        QString text;
        const QString all = document->toPlainText();
        for (int i = 0; i < all.size(); ++i) {
            QTextCursor cursor(document);
            cursor.setPosition(i + 1);
            if (cursor.charFormat().foreground().color() == colour)
                text += all[i];
        }
        return text;
    }

    QTextDocument* viewDocument() const { return page->view()->document(); }
    QTextDocument* screenDocument() const { return screen->textArea()->document(); }

    std::unique_ptr<FrmScr> screen;
    std::unique_ptr<FrmFile> page;
};

} // namespace

TEST_F(FrmFileTest, OpensALegacyChineseFileIntoBothViewsAndKeepsThemOnFailure)
{
    useLanguage("0");
    // GBK bytes with Windows line ends, as Chinese Notepad saves them.
    openByButton(writeFile("speech.txt", "\xb8\xf7\xce\xbb\xb4\xfa\xb1\xed\xa3\xba\r\n"
                                         "\xbb\xe1\xd2\xe9\xbf\xaa\xca\xbc\xa1\xa3\r\n"));
    const QString expected = "各位代表：\n会议开始。\n";
    EXPECT_EQ(page->view()->toPlainText(), expected);
    EXPECT_EQ(screen->textArea()->toPlainText(), expected);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(screen->surface(), FrmScr::Surface::TextArea);
    // The screen's text colour on the screen's background, in both views.
    EXPECT_EQ(textIn(screenDocument(), Qt::white), expected);
    EXPECT_EQ(page->view()->palette().color(QPalette::Base), QColor(0, 0, 128));
    page->show();
    saveScreenshot(*page, "FrmFile-zh");

    // Cancel changes nothing; a folder cannot be read as a text file.
    openByButton(QString());
    EXPECT_TRUE(prompts.takeTexts().isEmpty());
    openByButton(programFile("System"));
    EXPECT_EQ(prompts.takeTexts().size(), 1);
    EXPECT_EQ(page->view()->toPlainText(), expected);
    EXPECT_EQ(screen->textArea()->toPlainText(), expected);
}

TEST_F(FrmFileTest, SentenceButtonsHighlightTheSameSentenceInBothViews)
{
    openByButton(writeFile("two.txt", "第一句话。第二句话！"));
    auto* symbols = page->findChild<QLineEdit*>("IDC_CLEWSIGN_EDIT");
    symbols->setText("。！");
    click("IDC_CLEW_SIGNOK");
    const QColor highlight = page->highlightColour();
    ASSERT_NE(highlight, page->textColour());

    click("IDC_NEXTSENT_BUTTON");
    click("IDC_NEXTSENT_BUTTON");
    EXPECT_EQ(textIn(viewDocument(), highlight), "第二句话！");
    EXPECT_EQ(textIn(screenDocument(), highlight), "第二句话！");
    click("IDC_TOPSENT_BUTTON");
    EXPECT_EQ(textIn(screenDocument(), highlight), "第一句话。");
    click("IDC_REVSENT_BUTTON");
    EXPECT_EQ(textIn(viewDocument(), highlight), "");
    EXPECT_EQ(textIn(screenDocument(), highlight), "");

    // The field's symbols count only after OK.
    symbols->clear();
    click("IDC_NEXTSENT_BUTTON");
    EXPECT_EQ(textIn(screenDocument(), highlight), "第一句话。");
}

TEST_F(FrmFileTest, AutoStepsAtThePaceAndStopsAtTheEndOrOnPause)
{
    openByButton(writeFile("three.txt", "One. Two. Three."));
    auto* pace = page->findChild<QSpinBox*>("IDC_CLEWRATE_EDIT");
    const QColor highlight = page->highlightColour();

    // Pace 0 steps every second; after the line end, the last piece, the timer stops.
    pace->setValue(0);
    click("BtnAuto");
    clock.advance(999);
    EXPECT_EQ(textIn(screenDocument(), highlight), "");
    clock.advance(1);
    EXPECT_EQ(textIn(screenDocument(), highlight), "One.");
    clock.advance(3000);
    EXPECT_EQ(textIn(screenDocument(), highlight), "\n");
    EXPECT_TRUE(page->isAutoRunning());
    clock.advance(1000);
    EXPECT_FALSE(page->isAutoRunning());

    // Pace 2: one step every two seconds; Pause stops it.
    click("IDC_REVSENT_BUTTON");
    pace->setValue(2);
    click("BtnAuto");
    clock.advance(1999);
    EXPECT_EQ(textIn(screenDocument(), highlight), "");
    clock.advance(1);
    EXPECT_EQ(textIn(screenDocument(), highlight), "One.");
    click("BtnAuto");
    clock.advance(4000);
    EXPECT_EQ(textIn(screenDocument(), highlight), "One.");
    EXPECT_FALSE(page->isAutoRunning());
}

TEST_F(FrmFileTest, ColoursAndFontReachBothViews)
{
    openByButton(writeFile("colours.txt", "Alpha. Beta."));
    const auto choose = [this](const char* list, const QColor& colour) {
        auto* box = page->findChild<QComboBox*>(list);
        const int index = box->findData(colour);
        ASSERT_GE(index, 0) << list;
        box->setCurrentIndex(index);
        emit box->activated(index);
    };
    choose("IDC_TEXTCOLOR_LIST", Qt::green);
    choose("IDC_CLEWCOLOR_LIST", Qt::red);
    click("IDC_NEXTSENT_BUTTON");
    QFont font("WenQuanYi Zen Hei");
    font.setPointSize(30);
    page->applyFont(font);
    for (QTextDocument* document : {viewDocument(), screenDocument()}) {
        EXPECT_EQ(textIn(document, Qt::red), "Alpha.");
        EXPECT_EQ(textIn(document, Qt::green), " Beta.\n");
        QTextCursor cursor(document);
        cursor.setPosition(3);
        EXPECT_EQ(cursor.charFormat().fontFamilies().toStringList().value(0), "WenQuanYi Zen Hei");
        EXPECT_DOUBLE_EQ(cursor.charFormat().fontPointSize(), 30.0);
    }
}

TEST_F(FrmFileTest, ScreenButtonsPageBothViews)
{
    page->show();
    QString text;
    for (int line = 1; line <= 300; ++line)
        text += QStringLiteral("Line %1 of the long speech.\n").arg(line);
    openByButton(writeFile("long.txt", text.toUtf8()));
    const QList<QScrollBar*> bars = {page->view()->verticalScrollBar(),
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
    saveScreenshot(*screen, "FrmFile-screen");
}

TEST_F(FrmFileTest, EditMenuOfTheReadOnlyViewOffersOnlyWhatDoesNotChangeIt)
{
    openByButton(writeFile("menu.txt", "Some words."));
    page->view()->selectAll();
    std::unique_ptr<QMenu> menu(RichEditMenu::create(
        page->view(), [] {}, page.get()));
    QStringList enabled;
    for (QAction* action : menu->actions())
        if (!action->isSeparator() && action->isEnabled())
            enabled.append(action->objectName());
    EXPECT_EQ(enabled, QStringList({"RiceCopy", "RiceSele", "RiceSetFont"}));
}
