#include "screen/FrmScr.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "screen/NameGrid.h"
#include "screen/ScreenPainter.h"
#include "screen/ScreenPanel.h"
#include "support/ConsoleTest.h"
#include "support/Screenshot.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>

namespace {

class FrmScrTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
    }

    void storeSettings(const QString& size, const QColor& background, const QColor& text)
    {
        SettingsTable settings;
        settings.setPath(Schema::kSystemDatabase);
        ASSERT_TRUE(settings.execute("update sysbasicset set ScrSize = ?, ScrColor = ?, ScrTextColor = ?",
                                     {size, colourToStored(background), colourToStored(text)}));
    }

    static int primaryWidth() { return QGuiApplication::primaryScreen()->geometry().width(); }

    static bool shows(const FrmScr& screen, const QWidget* surface) { return surface->isVisibleTo(&screen); }
};

TEST_F(FrmScrTest, StartsHiddenAsAFramelessWindowShowingTheTextAreaWithUnitWordsFromTheLanguage)
{
    FrmScr screen;
    EXPECT_FALSE(screen.isVisible());
    EXPECT_TRUE(screen.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(screen.surface(), FrmScr::Surface::TextArea);
    EXPECT_FALSE(shows(screen, screen.panel()));
    EXPECT_FALSE(shows(screen, screen.nameGrid()));
    EXPECT_TRUE(screen.textArea()->isReadOnly());
    EXPECT_EQ(screen.panel()->state().personsWord, "persons");
    EXPECT_EQ(screen.panel()->state().votesWord, "votes");
}

TEST_F(FrmScrTest, EachSurfaceHidesTheOtherTwoAndFillsTheWindow)
{
    FrmScr screen;
    screen.placeWindow("1024*768");
    screen.showWindow();
    const struct
    {
        void (FrmScr::*show)();
        FrmScr::Surface surface;
        QWidget* widget;
    } cases[] = {{&FrmScr::showPanel, FrmScr::Surface::Panel, screen.panel()},
                 {&FrmScr::showNameGrid, FrmScr::Surface::NameGrid, screen.nameGrid()},
                 {&FrmScr::showTextArea, FrmScr::Surface::TextArea, screen.textArea()}};
    for (const auto& c : cases) {
        (screen.*c.show)();
        EXPECT_EQ(screen.surface(), c.surface);
        for (QWidget* other :
             {static_cast<QWidget*>(screen.panel()), static_cast<QWidget*>(screen.nameGrid()),
              static_cast<QWidget*>(screen.textArea())})
            EXPECT_EQ(other->isVisible(), other == c.widget);
        EXPECT_EQ(c.widget->geometry(), screen.rect());
    }
}

TEST_F(FrmScrTest, SettingsPlaceAndColourTheWindowAndAMissingRowGivesAVisibleScreen)
{
    storeSettings("1366*768", QColor(0, 0, 128), Qt::yellow);
    FrmScr screen;
    screen.loadSettings();
    EXPECT_EQ(screen.wantedRect(), QRect(primaryWidth(), 0, 1366, 768));
    EXPECT_EQ(screen.screenColour(), QColor(0, 0, 128));
    EXPECT_EQ(screen.screenTextColour(), QColor(Qt::yellow));
    // The test platform has one display: the window falls back to a framed one on it.
    screen.showWindow();
    EXPECT_TRUE(screen.isVisible());
    EXPECT_TRUE(screen.isFramed());
    EXPECT_FALSE(screen.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(screen.geometry()));
    // A size without "*" has no height: the window is not shown.
    screen.placeWindow("1280");
    EXPECT_FALSE(screen.isVisible());
    screen.showWindow();
    EXPECT_FALSE(screen.isVisible());

    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    ASSERT_TRUE(settings.execute("delete from sysbasicset"));
    FrmScr fallback;
    fallback.loadSettings();
    EXPECT_EQ(fallback.wantedRect(), QRect(primaryWidth(), 0, 1024, 768));
    EXPECT_EQ(fallback.screenColour(), QColor(0, 0, 255));
    EXPECT_EQ(fallback.screenTextColour(), QColor(Qt::white));
    fallback.showWindow();
    EXPECT_TRUE(fallback.isVisible());
}

TEST_F(FrmScrTest, TextAreaTakesTextColoursAndItsBackground)
{
    storeSettings("1024*768", QColor(0, 0, 128), Qt::white);
    FrmScr screen;
    screen.loadSettings();
    screen.showWindow();
    screen.putText(QStringLiteral("大会开幕"), ScreenPainter::heiFont(40), Qt::yellow);
    EXPECT_EQ(screen.textArea()->toPlainText(), QStringLiteral("大会开幕"));
    const QImage image = screen.grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() - 5, image.height() - 5), QColor(0, 0, 128));
    int yellow = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 300; ++x)
            yellow += image.pixelColor(x, y) == QColor(Qt::yellow);
    EXPECT_GT(yellow, 100);

    screen.setTextColour(Qt::green);
    QTextCursor cursor(screen.textArea()->document());
    cursor.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(Qt::green));
    screen.clearText();
    EXPECT_TRUE(screen.textArea()->toPlainText().isEmpty());
}

TEST_F(FrmScrTest, ScrollingPagesThroughALongText)
{
    FrmScr screen;
    screen.placeWindow("1024*768");
    screen.showWindow();
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines.append(QStringLiteral("第%1行 会议文件内容").arg(i));
    screen.setPlainText(lines.join('\n'));
    saveScreenshot(screen, "frmscr-document");
    QScrollBar* bar = screen.textArea()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    screen.scrollPageDown();
    const int onePage = bar->value();
    EXPECT_GT(onePage, 0);
    screen.scrollPageDown();
    EXPECT_GT(bar->value(), onePage);
    screen.scrollPageUp();
    EXPECT_EQ(bar->value(), onePage);
    screen.scrollBottom();
    EXPECT_EQ(bar->value(), bar->maximum());
    screen.scrollTop();
    EXPECT_EQ(bar->value(), 0);
    // The hall never sees a scroll bar.
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(FrmScrTest, RtfFilesLoadAndBadFilesLeaveTheTextAsItWas)
{
    FrmScr screen;
    const QString banner = programFile("banner.rtf");
    QFile file(banner);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0\\cf1 Annual "
               "meeting\\par}");
    file.close();
    ASSERT_TRUE(screen.loadRtfFile(banner));
    EXPECT_EQ(screen.textArea()->toPlainText().trimmed(), "Annual meeting");
    EXPECT_FALSE(screen.textArea()->document()->isModified());
    screen.placeWindow("1366*768");
    screen.showWindow();
    saveScreenshot(screen, "frmscr-banner");

    const QString plain = programFile("plain.txt");
    QFile other(plain);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("not rich text");
    other.close();
    EXPECT_FALSE(screen.loadRtfFile(plain));
    EXPECT_FALSE(screen.loadRtfFile(programFile("missing.rtf")));
    EXPECT_EQ(screen.textArea()->toPlainText().trimmed(), "Annual meeting");

    QTextDocument document;
    document.setHtml("<p><b>Agenda</b></p><p>Item one</p>");
    screen.setDocument(document);
    document.setPlainText("changed after");
    EXPECT_EQ(screen.textArea()->toPlainText(), "Agenda\nItem one");
}

// Each operation reaches the surface, and the widget paints what the painter
// renders for the same state; the pictures themselves are checked in ScreenRenderTest.
TEST_F(FrmScrTest, PanelOperationsRepaintWhatTheHallSees)
{
    FrmScr screen;
    screen.placeWindow("1024*768");
    screen.showWindow();
    // The test display is small; as large as the hall's smallest offered size.
    screen.resize(1024, 768);
    screen.showPanel();
    ScreenPanelState expected;
    const QString labels = QStringLiteral("李明:王芳:张伟:刘洋:陈静:");
    screen.setPanelColours(QColor(0, 0, 255), QColor(0, 0, 128));
    expected.setColours(QColor(0, 0, 255), QColor(0, 0, 128));
    screen.setKind(PanelKind::Histogram, PanelSubKind::FiveCandidatesOneChoice);
    expected.setKind(PanelKind::Histogram, PanelSubKind::FiveCandidatesOneChoice);
    screen.setTopLine(QStringLiteral("投票结果"), Qt::white, 1);
    expected.setTopLine(QStringLiteral("投票结果"), Qt::white, 1);
    screen.setChart(labels, "96:61:44:27:12:", Qt::yellow);
    expected.setChart(labels, "96:61:44:27:12:", Qt::yellow);
    auto shown = [&screen] { return screen.panel()->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    EXPECT_EQ(shown(), ScreenPainter::renderPanel(expected, screen.panel()->size()));
    saveScreenshot(screen, "frmscr-histogram");

    screen.setLines(QStringLiteral("张伟正在发言"), QString(), QString(), Qt::yellow);
    expected.setLines(QStringLiteral("张伟正在发言"), QString(), QString(), Qt::yellow);
    screen.setKind(PanelKind::ThreeLines, PanelSubKind::None);
    expected.setKind(PanelKind::ThreeLines, PanelSubKind::None);
    EXPECT_EQ(shown(), ScreenPainter::renderPanel(expected, screen.panel()->size()));
}

TEST_F(FrmScrTest, NameGridOperationsShowAPageOfNames)
{
    FrmScr screen;
    screen.placeWindow("1024*768");
    screen.showWindow();
    screen.resize(1024, 768);
    screen.showNameGrid();
    const QStringList names = {QStringLiteral("王建国"), QStringLiteral("李丽"), QStringLiteral("张海燕")};
    NameGridState expected;
    screen.setGridColours(QColor(0, 0, 255), Qt::yellow);
    expected.setColours(QColor(0, 0, 255), Qt::yellow);
    screen.setGridFont(450, QStringLiteral("粗体"));
    expected.setFont(450, QStringLiteral("粗体"));
    screen.setGrid(8, 3);
    expected.setGrid(8, 3);
    screen.setGridTitle(QStringLiteral("未到人员名单"));
    expected.setTitle(QStringLiteral("未到人员名单"));
    screen.setNames(names, 3);
    expected.setNames(names, 3);
    const QImage shown = screen.nameGrid()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, ScreenPainter::renderNameGrid(expected, screen.nameGrid()->size()));
    saveScreenshot(screen, "frmscr-name-grid");
}

} // namespace
