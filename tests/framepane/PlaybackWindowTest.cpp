#include "framepane/PlaybackWindow.h"
#include "framepane/TestPictureSource.h"

#include "framepane/RecordingPrompter.h"
#include "framepane/ScriptedSource.h"

#include <QApplication>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "support/Screenshot.h"

namespace {

DisplayWords testPictureWords()
{
    return codecDisplayWords(kTestPictureSource, 640, 480, makeFourcc('M', 'J', 'P', 'G'), 9000);
}

} // namespace

TEST(PlaybackWindowTest, DrawsTheFrameIntoItsAreaAndOffersSaveAs)
{
    RecordingPrompter prompter;
    auto owned = std::make_unique<ScriptedSource>();
    ScriptedSource& source = *owned;
    PlaybackSession session(testPictureWords(), prompter, std::move(owned));
    PlaybackWindow window(session);
    window.show();
    session.start();

    QImage frame(1280, 720, QImage::Format_RGB32);
    frame.fill(qRgb(0, 0, 200));
    for (int y = 0; y < 90; ++y) // the top left 160 x 90 (40 x 30 in the window)
        for (int x = 0; x < 160; ++x)
            frame.setPixel(x, y, qRgb(230, 230, 0));
    source.send(frame);

    EXPECT_EQ(window.windowTitle(), "Playback window");
    auto* pane = window.findChild<QWidget*>("picture");
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->size(), QSize(320, 240));
    const QImage drawn = pane->grab().toImage();
    ASSERT_EQ(drawn.size(), QSize(320, 240));
    EXPECT_LT(std::abs(qRed(drawn.pixel(20, 15)) - 230), 12);
    EXPECT_LT(std::abs(qBlue(drawn.pixel(300, 220)) - 200), 12);
    saveScreenshot(window, "framepane-window");

    auto* saveAs = window.findChild<QAction*>("32771");
    ASSERT_NE(saveAs, nullptr);
    saveAs->trigger();
    EXPECT_EQ(prompter.proposals.size(), 1); // and cancelled
}

TEST(PlaybackWindowTest, TheLibraryExportsOnlyDisplay)
{
    QProcess nm;
    nm.start("nm", {"-D", "--defined-only", FRAMEPANE_LIBRARY});
    ASSERT_TRUE(nm.waitForFinished());
    QStringList ours;
    for (const QString& line :
         QString::fromUtf8(nm.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
        const QString symbol = line.section(' ', -1);
        // What the linker adds to every shared object.
        if (!QStringList{"_init", "_fini", "__bss_start", "_edata", "_end"}.contains(symbol))
            ours << symbol;
    }
    EXPECT_EQ(ours, QStringList{"Display"});
}

TEST(PlaybackWindowTest, DisplayShowsTheTestPictureUntilTheWindowIsClosed)
{
    void* library = dlopen(FRAMEPANE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    using DisplayFunction = void (*)(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                     uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                     uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                     uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t);
    auto display = reinterpret_cast<DisplayFunction>(dlsym(library, "Display"));
    ASSERT_NE(display, nullptr);

    // The window is the library's own class; the test sees it only as a widget with properties.
    int framesShown = -1;
    QTimer closer;
    closer.setInterval(20);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->windowTitle() == "Playback window" &&
                widget->property("framesShown").toInt() >= 5) {
                framesShown = widget->property("framesShown").toInt();
                saveScreenshot(*widget, "framepane-display");
                widget->close();
            }
        }
    });
    closer.start();
    QTimer::singleShot(5000, [] { // a safety net, so a broken window cannot hang the suite
        for (QWidget* widget : QApplication::topLevelWidgets())
            widget->close();
    });

    const DisplayWordArray w = packDisplayWords(testPictureWords());
    display(w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9], w[10], w[11], w[12], w[13], w[14],
            w[15], w[16], w[17], w[18], w[19], w[20], w[21], w[22], w[23], w[24], w[25], w[26], w[27]);

    EXPECT_GE(framesShown, 5);
}

TEST(PlaybackWindowTest, ACallerWithoutADisplayIsToldInsteadOfAborted)
{
    QProcess demo;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(name);
    demo.setProcessEnvironment(environment);
    demo.start(FRAMEPANE_DEMO, {"--library", FRAMEPANE_LIBRARY});
    ASSERT_TRUE(demo.waitForFinished(10000));
    EXPECT_EQ(demo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(demo.exitCode(), 0);
    EXPECT_TRUE(demo.readAllStandardError().contains("DrawDibOpen function error"));
}
