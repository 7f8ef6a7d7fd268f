// The bar that tells the operator what the line watch found, at once and without a modal box.

#include "link/LineBar.h"
#include "LinkPagesFixture.h"
#include "support/Screenshot.h"

#include <QRandomGenerator>

namespace {

class LineBarTest : public LinkPagesTest
{
protected:
    void SetUp() override
    {
        LinkPagesTest::SetUp();
        QMap<int, quint8> all;
        for (int n = 1; n <= 10; ++n)
            all.insert(n, 0x80);
        units = all;
        ASSERT_TRUE(connectLink(10));
        window.resize(1024, 120);
        bar = new LineBar(*link, clock, QRect(0, 60, 1024, LineBar::kHeight), &window);
        window.show();
        link->request(LinkMode::VotePoll);
    }
    QString text(const char* key) const { return Texts(QStringLiteral("LineBar"))(QLatin1String(key)); }

    QWidget window;
    LineBar* bar = nullptr;
};

} // namespace

TEST_F(LineBarTest, TellsALostLineItsReturnAFaultAndUnheardUnits)
{
    EXPECT_FALSE(bar->isVisible()) << "a sound line says nothing";

    bank.refuse(QStringLiteral("/dev/ttyS0"));
    bank.openPipe()->breakDown(QStringLiteral("Input/output error"));
    clock.advance(LinkTiming::kFastPaceMs);
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->text(),
              text("Lost").arg(QStringLiteral("Input/output error"), QStringLiteral("/dev/ttyS0")).arg(3));
    EXPECT_EQ(bar->accessibleName(), bar->text());
    saveScreenshot(window, QStringLiteral("line-bar-lost"));

    bank.accept(QStringLiteral("/dev/ttyS0"));
    ASSERT_TRUE(clock.advanceUntil([&] { return link->lineState() == Link::LineState::Up; }, 5000));
    EXPECT_EQ(bar->text(), text("Restored"));
    clock.advance(LineBar::kRestoredShownMs);
    EXPECT_FALSE(bar->isVisible());

    // Garbage from the line: told while it lasts.
    QRandomGenerator random(5);
    QByteArray garbage(2000, '\0');
    for (char& c : garbage)
        c = char(random.bounded(256));
    bank.receive(garbage);
    ASSERT_TRUE(link->lineFault());
    EXPECT_EQ(bar->text(), text("Fault").arg(link->garbagePercent()).arg(link->bytesPerSecond()));
    ASSERT_TRUE(clock.advanceUntil([&] { return !link->lineFault(); }, 5000));

    link->request(LinkMode::VotePoll);
    ASSERT_TRUE(hall.act(QStringLiteral("offline 3")));
    clock.advance(3 * 11 * LinkTiming::kFastPaceMs);
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->text(), text("Unheard").arg(1));
}
