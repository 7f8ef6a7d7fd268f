#include "speak/SeatLayout.h"

#include "core/IniFile.h"

#include <QFileInfo>
#include <algorithm>

namespace {

const QString kInfoSection = QStringLiteral("appInfo");

QString controlSection(int number)
{
    return QStringLiteral("Control%1").arg(number);
}

} // namespace

SeatLayout SeatLayout::grid(int count, const SeatGrid& grid)
{
    SeatLayout layout;
    const int seats = std::min(count, kMaxSeats);
    // A row that would run past the canvas is shortened, and rows that would run
    // past the depth close up, so every seat lies where the file can keep it:
    // a seat clamped on reading would land on its neighbour.
    const int columnPitch = kSeatSize + std::max(0, grid.columnGap);
    const int perRow = std::clamp(grid.perRow, 1, 1 + (kCanvasWidth - kSeatSize) / columnPitch);
    const int lastRow = std::max(0, seats - 1) / perRow;
    const int deepestTop = kMaxDepth - kSeatSize - kLabelHeight;
    const int rowPitch =
        lastRow == 0 ? 0 : std::min(kSeatSize + std::max(0, grid.rowGap), deepestTop / lastRow);
    for (int index = 0; index < seats; ++index) {
        const int row = index / perRow;
        const int column = index % perRow;
        const QRect button(columnPitch * column, rowPitch * row, kSeatSize, kSeatSize);
        layout.m_seats.append({QString::number(index + 1), button, labelUnder(button)});
    }
    return layout;
}

SeatLayout SeatLayout::load(const QString& path, bool* damaged)
{
    SeatLayout layout;
    const IniFile::Snapshot file = IniFile::readAll(path);
    const auto isNumber = [&file](const QString& section, const QString& key) {
        bool ok = false;
        file.readString(section, key).toInt(&ok);
        return ok;
    };
    bool sound = !QFileInfo::exists(path) || isNumber(kInfoSection, QStringLiteral("count"));
    const int count = std::clamp(file.readInt(kInfoSection, QStringLiteral("count"), 0), 0, kMaxSeats);
    for (int number = 1; number <= count; ++number) {
        const QString section = controlSection(number);
        sound =
            sound && isNumber(section, QStringLiteral("left")) && isNumber(section, QStringLiteral("top"));
        // A seat missing from the file keeps the place of a new seat, so the numbers stay in step.
        const QPoint topLeft(file.readInt(section, QStringLiteral("left"), 0),
                             file.readInt(section, QStringLiteral("top"), 0));
        const QRect button(keptOnCanvas(topLeft), QSize(kSeatSize, kSeatSize));
        layout.m_seats.append(
            {file.readString(section, QStringLiteral("caption")), button, labelUnder(button)});
    }
    if (damaged)
        *damaged = !sound;
    return layout;
}

bool SeatLayout::save(const QString& path) const
{
    // Right and bottom are the exclusive corner, as the file has always held them.
    auto corners = [](const QRect& r, const QString& suffix) {
        return QList<QPair<QString, QString>>{
            {QStringLiteral("left") + suffix, QString::number(r.left())},
            {QStringLiteral("top") + suffix, QString::number(r.top())},
            {QStringLiteral("right") + suffix, QString::number(r.left() + r.width())},
            {QStringLiteral("bottom") + suffix, QString::number(r.top() + r.height())}};
    };
    QList<IniFile::Section> sections{{kInfoSection, {{QStringLiteral("count"), QString::number(count())}}}};
    for (int number = 1; number <= count(); ++number) {
        const Seat& s = seat(number);
        IniFile::Section section{controlSection(number), {{QStringLiteral("caption"), s.caption}}};
        section.entries += corners(s.button, QString());
        section.entries += corners(s.label, QStringLiteral("1"));
        sections.append(section);
    }
    return IniFile::writeAll(path, sections);
}

void SeatLayout::keepFirst(int count)
{
    if (count >= 0 && count < m_seats.size())
        m_seats.resize(count);
}

void SeatLayout::moveSeat(int number, const QPoint& topLeft)
{
    if (number < 1 || number > count())
        return;
    Seat& s = m_seats[number - 1];
    s.button.moveTopLeft(keptOnCanvas(topLeft));
    s.label = labelUnder(s.button);
}

int SeatLayout::seatAt(const QPoint& point) const
{
    // The seat drawn last lies on top.
    for (int number = count(); number >= 1; --number) {
        const Seat& s = seat(number);
        if (s.button.contains(point) || s.label.contains(point))
            return number;
    }
    return 0;
}

QPoint SeatLayout::extent() const
{
    QPoint corner;
    for (const Seat& s : m_seats)
        corner =
            QPoint(std::max(corner.x(), s.label.right() + 1), std::max(corner.y(), s.label.bottom() + 1));
    return corner;
}

QRect SeatLayout::labelUnder(const QRect& button)
{
    return QRect(button.left(), button.top() + button.height(), button.width(), kLabelHeight);
}

QPoint SeatLayout::keptOnCanvas(const QPoint& topLeft)
{
    return QPoint(std::clamp(topLeft.x(), 0, kCanvasWidth - kSeatSize),
                  std::clamp(topLeft.y(), 0, kMaxDepth - kSeatSize - kLabelHeight));
}
