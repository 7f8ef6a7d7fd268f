#include "speak/CameraPad.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "speak/CameraWords.h"
#include "ui/PageBuilder.h"

#include <QPushButton>

namespace CameraPad {

namespace {

// Column and row of each button in a grid of three columns, and its word.
const struct
{
    int column;
    int row;
    quint8 code;
    bool held;
} kPlaces[kButtons] = {
    {1, 0, CameraWords::kUp, true},       {0, 1, CameraWords::kLeft, true},
    {2, 1, CameraWords::kRight, true},    {1, 2, CameraWords::kDown, true},
    {0, 3, CameraWords::kZoomIn, true},   {0, 4, CameraWords::kZoomOut, true},
    {1, 3, CameraWords::kIrisOpen, true}, {1, 4, CameraWords::kIrisClose, true},
    {2, 3, CameraWords::kSpeedUp, false}, {2, 4, CameraWords::kSpeedDown, false},
};

// The groups of the pad stand apart by one more gap.
constexpr int kGroupRow = 3;

} // namespace

QSize build(PageBuilder& builder, Link& link, Names& names, QPoint origin, QSize button, int gap)
{
    QSize taken;
    for (int i = 0; i < kButtons; ++i) {
        const auto& place = kPlaces[i];
        const int x = origin.x() + place.column * (button.width() + gap);
        const int y = origin.y() + place.row * (button.height() + gap) + (place.row >= kGroupRow ? gap : 0);
        QPushButton* b = builder.button(names[i], QRect(QPoint(x, y), button));
        const Command word = Commands::camera(place.code);
        if (place.held) {
            QObject::connect(b, &QPushButton::pressed, b, [&link, word] { link.request(word); });
            QObject::connect(b, &QPushButton::released, b,
                             [&link] { link.request(Commands::camera(CameraWords::kStop)); });
        } else {
            QObject::connect(b, &QPushButton::clicked, b, [&link, word] { link.request(word); });
        }
        taken = taken.expandedTo(QSize(x + button.width() - origin.x(), y + button.height() - origin.y()));
    }
    return taken;
}

} // namespace CameraPad
