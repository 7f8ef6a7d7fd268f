#include "screen/FrmScr.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "screen/NameGrid.h"
#include "screen/ScreenPainter.h"
#include "screen/ScreenPanel.h"
#include "support/SystemDatabaseTest.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>

namespace {

using FrmScrTest = SystemDatabaseTest;

// One display here: the window falls back to a framed one (two displays: ScreenGeometryTest).
TEST_F(FrmScrTest, SettingsPlaceTheWindowAndAMissingRowGivesAVisibleScreen)
{
    const int primaryWidth = QGuiApplication::primaryScreen()->geometry().width();
    ASSERT_TRUE(
        settings.execute("update sysbasicset set ScrSize = ?, ScrColor = ?, ScrTextColor = ?",
                         {"1366*768", colourToStored(QColor(0, 0, 128)), colourToStored(Qt::yellow)}));
    FrmScr screen;
    screen.loadSettings();
    EXPECT_EQ(screen.wantedRect(), QRect(primaryWidth, 0, 1366, 768));
    EXPECT_EQ(screen.screenColour(), QColor(0, 0, 128));
    screen.showWindow();
    EXPECT_TRUE(screen.isFramed());
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(screen.geometry()));
    // A size without "*" has no height: the window is not shown.
    screen.placeWindow("1280");
    screen.showWindow();
    EXPECT_FALSE(screen.isVisible());

    ASSERT_TRUE(settings.execute("delete from sysbasicset"));
    FrmScr fallback;
    fallback.loadSettings();
    EXPECT_EQ(fallback.wantedRect(), QRect(primaryWidth, 0, 1024, 768));
    fallback.showWindow();
    EXPECT_TRUE(fallback.isVisible());
}

// Each surface hides the others; the panel shows exactly what the painter renders for the same state.
TEST_F(FrmScrTest, SurfacesFillTheWindowAndThePanelShowsWhatThePainterRenders)
{
    FrmScr screen;
    screen.placeWindow("1024*768");
    screen.showWindow();
    screen.resize(1024, 768); // the test display is small; as large as the hall's smallest offered size
    const QList<QWidget*> surfaces = {screen.panel(), screen.nameGrid(), screen.textArea()};
    for (void (FrmScr::*show)() : {&FrmScr::showNameGrid, &FrmScr::showTextArea, &FrmScr::showPanel}) {
        (screen.*show)();
        int shown = 0;
        for (QWidget* surface : surfaces)
            shown += surface->isVisible() ? 1 + (surface->geometry() != screen.rect()) : 0;
        EXPECT_EQ(shown, 1);
    }
    ASSERT_EQ(screen.surface(), FrmScr::Surface::Panel);

    ScreenPanelState expected;
    expected.setUnitWords(screen.panel()->state().personsWord, screen.panel()->state().votesWord);
    screen.setPanelColours(QColor(0, 0, 255), QColor(0, 0, 128));
    expected.setColours(QColor(0, 0, 255), QColor(0, 0, 128));
    screen.setKind(PanelKind::Histogram, PanelSubKind::FiveCandidatesOneChoice);
    expected.setKind(PanelKind::Histogram, PanelSubKind::FiveCandidatesOneChoice);
    screen.setTopLine(QStringLiteral("投票结果"), Qt::white, 1);
    expected.setTopLine(QStringLiteral("投票结果"), Qt::white, 1);
    const QString names = QStringLiteral("李明:王芳:张伟:刘洋:陈静:");
    screen.setChart(names, "96:61:44:27:12:", Qt::yellow);
    expected.setChart(names, "96:61:44:27:12:", Qt::yellow);
    EXPECT_EQ(screen.panel()->grab().toImage().convertToFormat(QImage::Format_RGB32),
              ScreenPainter::renderPanel(expected, screen.panel()->size()));
}

TEST_F(FrmScrTest, TextAreaKeepsItsOwnCopyOnBadFilesAndHidesItsScrollBar)
{
    FrmScr screen;
    // The screen keeps its own copy of a document handed to it, and keeps it when a file is unreadable.
    QTextDocument document;
    document.setPlainText(QStringLiteral("第0行\n").repeated(300));
    screen.setDocument(document);
    document.setPlainText("changed after");
    EXPECT_FALSE(screen.loadRtfFile(programFile("missing.rtf")));
    EXPECT_TRUE(screen.textArea()->toPlainText().startsWith(QStringLiteral("第0行")));

    screen.placeWindow("1024*768");
    screen.showWindow();
    QScrollBar* bar = screen.textArea()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_FALSE(bar->isVisible());
}

} // namespace
