#include "screen/FrmScr.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "screen/NameGrid.h"
#include "screen/ScreenGeometry.h"
#include "screen/ScreenPainter.h"
#include "screen/ScreenPanel.h"
#include "support/ConsoleTest.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>

namespace {

void keep(const QImage& image, const QString& name)
{
    const QString folder = qEnvironmentVariable("SCREEN_SHOT_DIR");
    if (!folder.isEmpty())
        image.save(folder + "/" + name + ".png");
}

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

TEST_F(FrmScrTest, StartsHiddenAsAFramelessWindowShowingNothingButTheTextArea)
{
    FrmScr screen;
    EXPECT_FALSE(screen.isVisible());
    EXPECT_TRUE(screen.isWindow());
    EXPECT_TRUE(screen.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(screen.objectName(), "FrmScr");
    EXPECT_EQ(screen.windowTitle(), "Hall screen");
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

TEST_F(FrmScrTest, SettingsPlaceTheWindowRightOfThePrimaryDisplay)
{
    storeSettings("1366*768", QColor(0, 0, 128), Qt::yellow);
    FrmScr screen;
    screen.loadSettings();
    EXPECT_EQ(screen.scrSize(), "1366*768");
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
}

TEST_F(FrmScrTest, AMissingSettingsRowStillGivesAVisibleScreen)
{
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    ASSERT_TRUE(settings.execute("delete from sysbasicset"));
    FrmScr screen;
    screen.loadSettings();
    EXPECT_EQ(screen.wantedRect(), QRect(primaryWidth(), 0, 1024, 768));
    EXPECT_EQ(screen.screenColour(), QColor(0, 0, 255));
    EXPECT_EQ(screen.screenTextColour(), QColor(Qt::white));
    screen.showWindow();
    EXPECT_TRUE(screen.isVisible());
}

TEST(WindowPlacementTest, FramelessOnASecondDisplayFramedOtherwise)
{
    const QRect primary(0, 0, 1920, 1080);
    const QRect wanted(1920, 0, 1366, 768);
    const auto onSecond = ScreenGeometry::placeWindow(wanted, {primary, QRect(1920, 0, 1366, 768)}, primary);
    EXPECT_FALSE(onSecond.framed);
    EXPECT_EQ(onSecond.rect, wanted);

    // Alone: half the primary at most, proportions kept, in its lower right corner.
    const auto alone = ScreenGeometry::placeWindow(wanted, {primary}, QRect(0, 0, 1920, 1040));
    EXPECT_TRUE(alone.framed);
    EXPECT_EQ(alone.rect.height(), 520);
    EXPECT_NEAR(double(alone.rect.width()) / alone.rect.height(), 1366.0 / 768.0, 0.01);
    EXPECT_TRUE(QRect(0, 0, 1920, 1040).contains(alone.rect));
    EXPECT_GT(alone.rect.left(), 960);
    EXPECT_GT(alone.rect.top(), 480);
    // Small enough already: kept as it is.
    EXPECT_EQ(ScreenGeometry::placeWindow(QRect(1920, 0, 800, 450), {primary}, primary).rect.size(),
              QSize(800, 450));

    // A second display placed below the primary is not where the window goes.
    EXPECT_TRUE(ScreenGeometry::placeWindow(wanted, {primary, QRect(0, 1080, 1920, 1080)}, primary).framed);

    // Too large for the primary: shrunk with its proportions.
    const auto shrunk = ScreenGeometry::placeWindow(QRect(1024, 0, 1920, 1080), {QRect(0, 0, 1024, 768)},
                                                    QRect(0, 0, 1024, 738));
    EXPECT_TRUE(shrunk.framed);
    EXPECT_LE(shrunk.rect.width(), 1024 / 2);
    EXPECT_NEAR(double(shrunk.rect.width()) / shrunk.rect.height(), 1920.0 / 1080.0, 0.01);

    EXPECT_TRUE(ScreenGeometry::placeWindow(QRect(1920, 0, 1280, 0), {primary}, primary).rect.isEmpty());
}

TEST_F(FrmScrTest, TextAreaTakesTextColoursAndItsBackground)
{
    storeSettings("1024*768", QColor(0, 0, 128), Qt::white);
    FrmScr screen;
    screen.loadSettings();
    screen.showWindow();
    screen.showTextArea();
    screen.clearText();
    QFont font = ScreenPainter::heiFont(40);
    screen.putText(QStringLiteral("大会开幕"), font, Qt::yellow);
    EXPECT_EQ(screen.textArea()->toPlainText(), QStringLiteral("大会开幕"));
    QTextCursor cursor(screen.textArea()->document());
    cursor.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(Qt::yellow));

    const QImage image = screen.grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() - 5, image.height() - 5), QColor(0, 0, 128));
    int yellow = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 300; ++x)
            yellow += image.pixelColor(x, y) == QColor(Qt::yellow);
    EXPECT_GT(yellow, 100);

    screen.setTextColour(Qt::green);
    cursor = QTextCursor(screen.textArea()->document());
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
    keep(screen.grab().toImage(), "frmscr-document");
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
    keep(screen.grab().toImage(), "frmscr-banner");

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

TEST_F(FrmScrTest, PanelOperationsRepaintWhatTheHallSees)
{
    FrmScr screen;
    screen.placeWindow("1024*768");
    screen.showWindow();
    // The test display is small; as large as the hall's smallest offered size.
    screen.resize(1024, 768);
    screen.showPanel();
    screen.setKind(PanelKind::Histogram, PanelSubKind::FiveCandidatesOneChoice);
    // Colours reset the kind, so the page sets the kind after them.
    screen.setPanelColours(QColor(0, 0, 255), QColor(0, 0, 255));
    EXPECT_EQ(screen.panel()->state().kind, PanelKind::Blank);
    screen.setKind(PanelKind::Histogram, PanelSubKind::FiveCandidatesOneChoice);
    screen.setShowPercentages(1);
    screen.setTopLine(QStringLiteral("投票结果"), Qt::white, 0);
    screen.setChart(QStringLiteral("李明:王芳:张伟:刘洋:陈静:"), "96:61:44:27:12:", Qt::white);

    // What the widget paints is what the painter renders for its size.
    const QImage shown = screen.panel()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expected = ScreenPainter::renderPanel(screen.panel()->state(), screen.panel()->size());
    ASSERT_EQ(shown.size(), expected.size());
    EXPECT_TRUE(shown == expected);
    const QRect area = ScreenGeometry::chartArea(screen.panel()->rect());
    const QList<ScreenGeometry::Bar> bars =
        ScreenGeometry::histogram(area, PanelSubKind::FiveCandidatesOneChoice, {96, 61, 44, 27, 12});
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(shown.pixelColor(bars[i].front.center()), chartColour(i));

    screen.setLines(QStringLiteral("张伟正在发言"), QString(), QString(), Qt::yellow);
    screen.setKind(PanelKind::ThreeLines, PanelSubKind::None);
    EXPECT_EQ(screen.panel()->state().line1, QStringLiteral("张伟正在发言"));
    const QImage speaker = screen.panel()->grab().toImage();
    int yellow = 0;
    const int top = screen.panel()->height() / 3; // line 1 at 2/6 when line 2 is empty
    for (int y = top; y < top + 40; ++y)
        for (int x = 0; x < speaker.width(); ++x)
            yellow += speaker.pixelColor(x, y) == QColor(Qt::yellow);
    EXPECT_GT(yellow, 200);
}

TEST_F(FrmScrTest, NameGridOperationsShowAPageOfNames)
{
    FrmScr screen;
    screen.placeWindow("1024*768");
    screen.showWindow();
    screen.resize(1024, 768);
    screen.showNameGrid();
    EXPECT_EQ(screen.nameGrid()->state().rows, 9);
    screen.setGridColours(QColor(0, 0, 255), Qt::white);
    screen.setGridFont(450, QStringLiteral("粗体"));
    screen.setGrid(8, 3);
    screen.setGridTitle(QStringLiteral("未到人员名单"));
    screen.setNames(
        {QStringLiteral("王建国"), QStringLiteral("李丽"), QStringLiteral("张海燕"), QStringLiteral("刘明")},
        4);
    const NameGridState& state = screen.nameGrid()->state();
    EXPECT_EQ(state.drawnCount(), 4);
    EXPECT_EQ(state.title, QStringLiteral("未到人员名单"));

    const QImage shown = screen.nameGrid()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(shown == ScreenPainter::renderNameGrid(state, screen.nameGrid()->size()));
    const auto cells = ScreenGeometry::nameCells(screen.nameGrid()->rect(), 8, 3, 4);
    // The fourth name opens the second row; the cell after it stays empty.
    int ink = 0;
    int empty = 0;
    for (int y = 0; y < cells.cellHeight; ++y)
        for (int x = 0; x < cells.cellWidth; ++x) {
            ink += shown.pixelColor(cells.topLeft[3] + QPoint(x, y)) != QColor(0, 0, 255);
            empty += shown.pixelColor(cells.topLeft[3] + QPoint(cells.cellWidth + x, y)) != QColor(0, 0, 255);
        }
    EXPECT_GT(ink, 100);
    EXPECT_EQ(empty, 0);
}

} // namespace
