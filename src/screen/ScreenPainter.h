#pragma once
// Paints the screen panel and the name grid with a QPainter onto any paint
// device. Windows paint into an off-screen image of their client size and copy
// it in one step, so the hall never sees a half-drawn frame; tests render into
// images and look at the pixels.
//
// Texts that would not fit their place (a long English heading, a long name in
// a narrow column) are drawn smaller rather than cut off at the screen's edge.

#include "screen/NameGridState.h"
#include "screen/ScreenPanelState.h"

#include <QFont>
#include <QImage>

class QPainter;

namespace ScreenPainter {

// The panel's fonts at a pixel size: "黑体", "楷体" and a face given by a page,
// each falling back to the installed CJK font when the face is missing.
QFont heiFont(int pixelSize);
QFont kaiFont(int pixelSize);
QFont faceFont(const QString& face, int pixelSize);

// The largest pixel size (at most pixelSize, at least a legible minimum) at
// which every text fits maxWidth.
int fittedPixelSize(const QFont& font, const QStringList& texts, int pixelSize, int maxWidth);

// The labels of the pie ("name:value", a percentage under it where shown):
// their rectangles (empty for a slice without span), inside the chart area,
// apart from each other, in fonts made smaller while crowded labels collide.
struct PieLabels
{
    QStringList texts;
    QList<QRect> rects;
    QFont font;
    QFont percentFont;
};
PieLabels pieLabels(const QRect& client, const ScreenPanelState& state);

void paintPanel(QPainter& painter, const QRect& client, const ScreenPanelState& state);
QImage renderPanel(const ScreenPanelState& state, const QSize& size);

void paintNameGrid(QPainter& painter, const QRect& client, const NameGridState& state);
QImage renderNameGrid(const NameGridState& state, const QSize& size);

} // namespace ScreenPainter
