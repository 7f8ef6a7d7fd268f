// The camera adjustment window on a connected link: a quick click reaches the
// controller as the move and then the stop, and the window outlives its close box.

#include "speak/FrmVidAdj.h"

#include "link/LinkHallFixture.h"
#include "support/WidgetFinder.h"

#include <QPointer>
#include <QSignalSpy>

namespace {

constexpr int kPace = LinkTiming::kFastPaceMs;

class FrmVidAdjTest : public LinkHallTest
{
protected:
    void SetUp() override
    {
        LinkHallTest::SetUp();
        ASSERT_TRUE(connectLink(3));
        window = std::make_unique<FrmVidAdj>(*link);
        window->show();
    }
    void TearDown() override
    {
        window.reset();
        LinkHallTest::TearDown();
    }
    QPushButton* button(int index) const { return findWidget(window.get(), FrmVidAdj::kPad[index]); }
    // What reached the port, after enough steps for everything waiting.
    QList<quint32> wire()
    {
        clock.advance(Link::kQueuedWords * kPace);
        const QList<quint32> words = bank.sentWords();
        bank.clearSent();
        return words;
    }

    std::unique_ptr<FrmVidAdj> window;
};

TEST_F(FrmVidAdjTest, QuickClickReachesTheControllerAsMoveThenStop)
{
    QTest::mousePress(button(1), Qt::LeftButton); // left
    QTest::mouseRelease(button(1), Qt::LeftButton);
    QTest::mousePress(button(4), Qt::LeftButton); // zoom in
    QTest::mouseRelease(button(4), Qt::LeftButton);
    EXPECT_EQ(wire(), (QList<quint32>{0xE69E55, 0xE6CF55, 0xE6F855, 0xE6CF55}));
    EXPECT_EQ(hall.hall().lastCameraCode(), 0xCF) << "the controller was told to stop last";

    QTest::mousePress(button(0), Qt::LeftButton);
    EXPECT_EQ(wire(), QList<quint32>{0xE6CC55}) << "held: no repeat, no stop";
    QTest::mouseRelease(button(0), Qt::LeftButton);
    EXPECT_EQ(wire(), QList<quint32>{0xE6CF55});

    clickButton(window.get(), FrmVidAdj::kPad[8]);
    clickButton(window.get(), FrmVidAdj::kPad[9]);
    EXPECT_EQ(wire(), (QList<quint32>{0xE6E655, 0xE6CE55})) << "speed, as on the setup page";
    EXPECT_EQ(link->operatingMode, LinkMode::Camera);
}

TEST_F(FrmVidAdjTest, CloseBoxHidesTheWindowAndItShowsAgain)
{
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    QSignalSpy closed(window.get(), &FrmVidAdj::closedByOperator);
    QPointer<FrmVidAdj> alive(window.get());
    EXPECT_TRUE(window->close());
    QCoreApplication::processEvents();
    EXPECT_EQ(closed.count(), 1);
    ASSERT_FALSE(alive.isNull());
    EXPECT_FALSE(window->isVisible());

    window->show();
    EXPECT_TRUE(window->isVisible());
    QTest::mousePress(button(3), Qt::LeftButton); // down
    QTest::mouseRelease(button(3), Qt::LeftButton);
    EXPECT_EQ(wire(), (QList<quint32>{0xE6C655, 0xE6CF55}));

    window->hide(); // the speaking page's own hiding is not the operator's close
    EXPECT_EQ(closed.count(), 1);
}

} // namespace
