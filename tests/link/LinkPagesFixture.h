#pragma once
// A link over in-memory ports with a controller on /dev/ttyS0 (port 1) whose
// units answer polls from a table, the program end caught, and helpers to run
// the start-up until the link is idle.

#include "support/ConsoleTest.h"
#include "link/FrameCodec.h"
#include "link/Link.h"
#include "link/LinkTiming.h"
#include "support/MemoryPipe.h"
#include "ui/ProgramEnd.h"

#include <QMap>
#include <QSet>
#include <QWidget>

class LinkPagesTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ProgramEnd::setHook([this](int code) { programEnds.append(code); });
        link = std::make_unique<Link>(bank.factory());
        bank.setResponder([this](const QString& path, quint32 word) -> QByteArray {
            const int unit = int(word & 0xFF);
            if (!controllerOn || path != controllerPath || quint8(word >> 16) != Commands::kClassPoll ||
                !units.contains(unit))
                return {};
            return FrameCodec::encode(0xF90000u | quint32(units.value(unit)) << 8 | quint32(unit));
        });
    }

    void TearDown() override
    {
        link.reset();
        ProgramEnd::setHook({});
        ConsoleTest::TearDown();
    }

    // Start-up until the controller is found, every unit polled and ControlEnd sent.
    bool connectLink(int unitCount, int comHigh = 2)
    {
        link->start(1, comHigh, unitCount, 0);
        const bool idle = clock.advanceUntil(
            [&] {
                return link->operatingMode == LinkMode::Idle && link->linkConnected &&
                       bank.sentWords().endsWith(Commands::kControlEnd);
            },
            20000, LinkTiming::kFastPaceMs);
        link->linkConnected = 0;
        link->showMainWindowRequest = 0;
        bank.clearSent();
        return idle;
    }

    // Saves a picture of the window when CONSOLE_SCREENSHOT_DIR names a folder (for looking at the pages).
    static void saveScreenshot(QWidget& window, const QString& name)
    {
        const QString folder = qEnvironmentVariable("CONSOLE_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    }

    MemoryPortBank bank;
    std::unique_ptr<Link> link;
    QString controllerPath = QStringLiteral("/dev/ttyS0");
    // The search finds the controller through the answer of unit 1.
    bool controllerOn = true;
    QMap<int, quint8> units; // unit -> state byte of its key report
    QList<int> programEnds;
};
