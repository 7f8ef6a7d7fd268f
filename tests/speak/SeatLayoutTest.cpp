// The seat layout: the grid, the file as it is written and read back, and
// what a damaged file still gives.

#include "speak/SeatLayout.h"
#include "speak/SeatPainter.h"

#include "support/ConsoleTest.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <array>

namespace {

// Left, top, right, bottom as the file keeps them (right and bottom exclusive).
std::array<int, 4> ltrb(const QRect& r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

class SeatLayoutTest : public ConsoleTest
{
protected:
    QString layoutPath() const { return m_folder.filePath(QStringLiteral("seat.ini")); }
    void writeFile(const QByteArray& bytes) const
    {
        QFile file(layoutPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

TEST_F(SeatLayoutTest, GridFillsRowsLeftToRightAndPutsTheRemainderInALastRow)
{
    const SeatLayout layout = SeatLayout::grid(25);
    ASSERT_EQ(layout.count(), 25);
    // Twelve seats a row; the file test below checks a seat's picture and label sizes.
    EXPECT_EQ(layout.seat(12).button.top(), 0);
    EXPECT_EQ(layout.seat(13).button.topLeft(), QPoint(0, 72));
    EXPECT_EQ(layout.seat(25).button.topLeft(), QPoint(0, 144));
    EXPECT_EQ(layout.seat(25).caption, QStringLiteral("25"));

    EXPECT_EQ(SeatLayout::grid(5, {8, 4, 6}).seat(5).button.topLeft(), QPoint(4 * 46, 0));
    EXPECT_TRUE(SeatLayout::grid(0).isEmpty());
    EXPECT_TRUE(SeatLayout::grid(-3).isEmpty());
    EXPECT_EQ(SeatLayout::grid(400).count(), SeatLayout::kMaxSeats);
}

TEST_F(SeatLayoutTest, FileHoldsEverySeatAndAMovedSeatReadsBackWhereItWasPutDown)
{
    SeatLayout layout = SeatLayout::grid(249);
    layout.moveSeat(7, QPoint(300, 410));
    ASSERT_TRUE(layout.save(layoutPath()));

    bool damaged = true;
    const SeatLayout again = SeatLayout::load(layoutPath(), &damaged);
    EXPECT_FALSE(damaged);
    ASSERT_EQ(again.count(), 249);
    EXPECT_EQ(ltrb(again.seat(7).button), (std::array<int, 4>{300, 410, 342, 452}));
    EXPECT_EQ(ltrb(again.seat(7).label), (std::array<int, 4>{300, 452, 342, 467}));
    EXPECT_EQ(again.seat(249).button, layout.seat(249).button);
    EXPECT_EQ(again.seat(249).caption, QStringLiteral("249"));

    QFile file(layoutPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.startsWith("[appInfo]\r\ncount=249\r\n"));
    EXPECT_TRUE(text.contains("[Control2]\r\ncaption=2\r\nleft=52\r\ntop=0\r\nright=94\r\nbottom=42\r\n"
                              "left1=52\r\ntop1=42\r\nright1=94\r\nbottom1=57\r\n"));
}

TEST_F(SeatLayoutTest, WideGridStaysOnTheCanvasAndReadsBackSeatForSeat)
{
    // Twelve a row with 30-pixel gaps would put seat 12 at 792, past the canvas;
    // read back, the clamp stacked it on seat 11.
    const SeatLayout layout = SeatLayout::grid(40, {12, 30, 30});
    for (int number = 1; number <= layout.count(); ++number)
        EXPECT_LE(layout.seat(number).button.left() + SeatLayout::kSeatSize, SeatLayout::kCanvasWidth)
            << number;
    EXPECT_EQ(layout.seat(12).button.topLeft(), QPoint(0, 72));
    ASSERT_TRUE(layout.save(layoutPath()));
    QFile file(layoutPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    file.close();

    const SeatLayout again = SeatLayout::load(layoutPath());
    ASSERT_EQ(again.count(), 40);
    for (int number = 1; number <= 40; ++number) {
        EXPECT_EQ(again.seat(number).button, layout.seat(number).button) << number;
        EXPECT_EQ(again.seat(number).label, layout.seat(number).label) << number;
    }
    // Saving what was read writes the same file: the next edit moves nothing.
    ASSERT_TRUE(again.save(layoutPath()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), written);

    // A hall deeper than the canvas keeps its last row inside it too.
    const SeatLayout deep = SeatLayout::grid(255, {1, 0, 60});
    EXPECT_LE(deep.seat(255).label.bottom() + 1, SeatLayout::kMaxDepth);
    EXPECT_GT(deep.seat(255).button.top(), deep.seat(254).button.top());
}

TEST_F(SeatLayoutTest, DamagedFileGivesWhatIsSoundAndKeepsSeatsOnTheCanvas)
{
    writeFile("garbage line without equals\n[appInfo]\ncount=100000\n"
              "[Control1]\ncaption=Chair\nleft=-500\ntop=-20\n"
              "[Control2]\nleft=99999999\ntop=123456789\n"
              "[Control3]\nleft=abc\ntop=12xyz\n\x01\x02\xff\n");
    bool damaged = false;
    const SeatLayout layout = SeatLayout::load(layoutPath(), &damaged);
    EXPECT_TRUE(damaged) << "the pages say so and offer the grid";
    ASSERT_EQ(layout.count(), SeatLayout::kMaxSeats);
    EXPECT_EQ(layout.seat(1).caption, QStringLiteral("Chair"));
    EXPECT_EQ(layout.seat(1).button.topLeft(), QPoint(0, 0));
    EXPECT_LE(layout.seat(2).button.right(), SeatLayout::kCanvasWidth);
    EXPECT_LE(layout.seat(2).label.bottom(), SeatLayout::kMaxDepth);
    EXPECT_EQ(layout.seat(3).button.topLeft(), QPoint(0, 12));
    // Seats the file does not describe still exist, so seat numbers stay those of the units.
    EXPECT_EQ(layout.seat(200).button.topLeft(), QPoint(0, 0));

    EXPECT_TRUE(SeatLayout::load(m_folder.filePath(QStringLiteral("missing.ini")), &damaged).isEmpty());
    EXPECT_FALSE(damaged) << "no file is no layout, not a damaged one";
    writeFile("[Control1]\nleft=5\n");
    EXPECT_TRUE(SeatLayout::load(layoutPath(), &damaged).isEmpty());
    EXPECT_TRUE(damaged);
}

TEST_F(SeatLayoutTest, PointFindsTheTopmostSeatByPictureOrLabel)
{
    SeatLayout layout = SeatLayout::grid(3);
    EXPECT_EQ(layout.seatAt(QPoint(60, 10)), 2);
    EXPECT_EQ(layout.seatAt(QPoint(60, 50)), 2); // its label
    EXPECT_EQ(layout.seatAt(QPoint(46, 10)), 0); // the gap
    layout.moveSeat(3, QPoint(55, 5));
    EXPECT_EQ(layout.seatAt(QPoint(60, 10)), 3);
    EXPECT_EQ(layout.extent(), QPoint(97, 62));
}

TEST_F(SeatLayoutTest, SeatsAreDrawnInTheColourOfTheirState)
{
    const SeatLayout layout = SeatLayout::grid(4);
    QImage image(240, 70, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const SeatState states[] = {SeatState::MicClosed, SeatState::MicOpen, SeatState::Absent,
                                SeatState::Forbidden};
    for (int number = 1; number <= 4; ++number)
        SeatPainter::paintSeat(painter, layout.seat(number), states[number - 1],
                               QStringLiteral("Name %1").arg(number));
    painter.end();
    for (int number = 1; number <= 4; ++number) {
        // A corner of the tile, clear of the microphone drawn on it.
        const QPoint corner = layout.seat(number).button.topLeft() + QPoint(6, 36);
        EXPECT_EQ(image.pixelColor(corner), SeatPainter::stateColour(states[number - 1])) << number;
        // The label band: pale, with dark text somewhere in it.
        const QRect label = layout.seat(number).label;
        int dark = 0;
        for (int x = label.left(); x <= label.right(); ++x)
            dark += qGray(image.pixel(x, label.center().y())) < 100;
        EXPECT_GT(dark, 2) << number;
    }
    EXPECT_NE(SeatPainter::stateColour(SeatState::MicOpen), SeatPainter::stateColour(SeatState::MicClosed));
}

} // namespace
