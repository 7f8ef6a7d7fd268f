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
        settings.setPath(Schema::kSystemDatabase);
    }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(programFile(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    SettingsTable settings;
};

// The test platform has one display, so the window falls back to a framed one on
// it; the second-display case is checked on the numbers in ScreenGeometryTest.
TEST_F(FrmScrTest, SettingsPlaceTheWindowAndAMissingRowGivesAVisibleScreen)
{
    const int primaryWidth = QGuiApplication::primaryScreen()->geometry().width();
    ASSERT_TRUE(
        settings.execute("update sysbasicset set ScrSize = ?, ScrColor = ?, ScrTextColor = ?",
                         {"1366*768", colourToStored(QColor(0, 0, 128)), colourToStored(Qt::yellow)}));
    FrmScr screen;
    EXPECT_TRUE(screen.windowFlags() & Qt::FramelessWindowHint);
    screen.loadSettings();
    EXPECT_EQ(screen.wantedRect(), QRect(primaryWidth, 0, 1366, 768));
    EXPECT_EQ(screen.screenColour(), QColor(0, 0, 128));
    EXPECT_FALSE(screen.isVisible());
    screen.showWindow();
    EXPECT_TRUE(screen.isVisible());
    EXPECT_TRUE(screen.isFramed());
    EXPECT_FALSE(screen.windowFlags() & Qt::FramelessWindowHint);
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

// Each surface hides the others and fills the window; the panel shows exactly
// what the painter renders for the same state.
TEST_F(FrmScrTest, SurfacesFillTheWindowAndThePanelShowsWhatThePainterRenders)
{
    FrmScr screen;
    screen.placeWindow("1024*768");
    screen.showWindow();
    screen.resize(1024, 768); // the test display is small; as large as the hall's smallest offered size
    EXPECT_EQ(screen.surface(), FrmScr::Surface::TextArea);
    const QList<QWidget*> surfaces = {screen.panel(), screen.nameGrid(), screen.textArea()};
    for (void (FrmScr::*show)() : {&FrmScr::showNameGrid, &FrmScr::showTextArea, &FrmScr::showPanel}) {
        (screen.*show)();
        int shown = 0;
        for (QWidget* surface : surfaces) {
            if (surface->isVisible()) {
                ++shown;
                EXPECT_EQ(surface->geometry(), screen.rect());
            }
        }
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
    screen.setChart(QStringLiteral("李明:王芳:张伟:刘洋:陈静:"), "96:61:44:27:12:", Qt::yellow);
    expected.setChart(QStringLiteral("李明:王芳:张伟:刘洋:陈静:"), "96:61:44:27:12:", Qt::yellow);
    EXPECT_EQ(screen.panel()->grab().toImage().convertToFormat(QImage::Format_RGB32),
              ScreenPainter::renderPanel(expected, screen.panel()->size()));
    saveScreenshot(screen, "frmscr-histogram");
}

TEST_F(FrmScrTest, TextAreaLoadsRtfKeepsItsTextOnBadFilesAndHidesItsScrollBar)
{
    FrmScr screen;
    ASSERT_TRUE(screen.loadRtfFile(writeFile(
        "banner.rtf", "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\cf1 Annual meeting\\par}")));
    EXPECT_EQ(screen.textArea()->toPlainText().trimmed(), "Annual meeting");
    EXPECT_FALSE(screen.textArea()->document()->isModified());
    EXPECT_FALSE(screen.loadRtfFile(writeFile("plain.txt", "not rich text")));
    EXPECT_FALSE(screen.loadRtfFile(programFile("missing.rtf")));
    EXPECT_EQ(screen.textArea()->toPlainText().trimmed(), "Annual meeting");

    // The screen keeps its own copy of a document handed to it.
    QTextDocument document;
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines.append(QStringLiteral("第%1行 会议文件内容").arg(i));
    document.setPlainText(lines.join('\n'));
    screen.setDocument(document);
    document.setPlainText("changed after");
    EXPECT_TRUE(screen.textArea()->toPlainText().startsWith(QStringLiteral("第0行")));

    screen.placeWindow("1024*768");
    screen.showWindow();
    saveScreenshot(screen, "frmscr-document");
    QScrollBar* bar = screen.textArea()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_FALSE(bar->isVisible());

    // Cleared, text put in takes its own colour.
    screen.clearText();
    screen.putText(QStringLiteral("大会开幕"), ScreenPainter::heiFont(40), Qt::yellow);
    EXPECT_EQ(screen.textArea()->toPlainText(), QStringLiteral("大会开幕"));
    QTextCursor cursor(screen.textArea()->document());
    cursor.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(Qt::yellow));
}

} // namespace
