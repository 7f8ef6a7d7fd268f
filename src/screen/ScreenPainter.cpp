#include "screen/ScreenPainter.h"
#include "screen/ScreenGeometry.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <QtMath>

using namespace ScreenGeometry;

namespace ScreenPainter {

namespace {

// Texts are not made smaller than this; a text that still does not fit runs past its place.
constexpr int kMinPixelSize = 10;

const QStringList& cjkFallbacks()
{
    static const QStringList families = {
        QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Source Han Sans SC"), QStringLiteral("Droid Sans Fallback")};
    return families;
}

QFont fontOf(const QStringList& faces, int pixelSize, bool bold = false)
{
    QFont font;
    font.setFamilies(faces + cjkFallbacks());
    font.setPixelSize(qMax(1, pixelSize));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont withPixelSize(QFont font, int pixelSize)
{
    font.setPixelSize(qMax(1, pixelSize));
    return font;
}

int textWidth(const QFont& font, const QString& text)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

// The largest pixel size (at most pixelSize) whose line height fits maxHeight.
int heightFittedSize(const QFont& font, int pixelSize, int maxHeight)
{
    int size = qMax(1, pixelSize);
    for (int attempt = 0; attempt < 12 && size > kMinPixelSize; ++attempt) {
        const int height = QFontMetrics(withPixelSize(font, size)).height();
        if (height <= maxHeight)
            break;
        size = qMax(kMinPixelSize, qMin(size - 1, int(qint64(size) * maxHeight / height)));
    }
    return size;
}

// The largest size at most pixelSize whose line fits the box and whose text fits its width.
QFont fittedInBox(const QFont& font, const QStringList& texts, int pixelSize, const QSize& box)
{
    const int size =
        fittedPixelSize(font, texts, heightFittedSize(font, pixelSize, box.height()), box.width());
    return withPixelSize(font, size);
}

// Draws with (x, y) the top-left corner of the text's cell.
void drawTop(QPainter& painter, const QFont& font, int x, int y, const QString& text)
{
    painter.setFont(font);
    painter.drawText(x, y + QFontMetrics(font).ascent(), text);
}

// Centres the text across the client at y, made smaller when it would not fit.
void drawCentred(QPainter& painter, const QRect& client, QFont font, int y, const QString& text)
{
    if (text.isEmpty())
        return;
    const int margin = client.width() / 40;
    font = withPixelSize(font, fittedPixelSize(font, {text}, font.pixelSize(), client.width() - 2 * margin));
    drawTop(painter, font, centredX(client.left(), client.width(), textWidth(font, text)), y, text);
}

// Centres the text across the box, made smaller so that its line fits the box's height as well.
void drawCentredInBox(QPainter& painter, const QRect& client, const QFont& font, const QRect& box,
                      const QString& text)
{
    if (text.isEmpty() || box.isEmpty())
        return;
    const QFont sized = withPixelSize(font, heightFittedSize(font, font.pixelSize(), box.height()));
    drawCentred(painter, client, sized, box.top(), text);
}

QColor shade(const QColor& colour, int factor)
{
    return colour.darker(factor);
}

void paintThreeLines(QPainter& painter, const QRect& client, const ScreenPanelState& s, int pixelSize)
{
    const ThreeLines lines = threeLines(client, s.line2.isEmpty());
    painter.setPen(s.bodyColour);
    const QFont font = heiFont(pixelSize);
    drawCentred(painter, client, font, lines.line1Y, s.line1);
    drawCentred(painter, client, font, lines.line2Y, s.line2);
    drawCentred(painter, client, font, lines.line3Y, s.line3);
}

void paintKeyLegend(QPainter& painter, const QRect& client, const QRect& area, const ScreenPanelState& s,
                    int pixelSize)
{
    const KeyLegend legend = keyLegend(area);
    painter.setPen(s.bodyColour);
    QStringList keyLabels;
    QStringList names;
    for (int i = 0; i < 5; ++i) {
        keyLabels.append(s.labels.value(i));
        names.append(s.labels.value(i + 5));
    }
    // Rows leave air between them and room under the fifth for the prompt.
    const int rowSize = heightFittedSize(heiFont(pixelSize), pixelSize, legend.rowPitch * 3 / 4);
    QFont labelFont = heiFont(rowSize);
    labelFont = withPixelSize(labelFont, fittedPixelSize(labelFont, keyLabels, rowSize, area.width() / 3));
    int labelWidth = 0;
    for (const QString& label : keyLabels)
        labelWidth = qMax(labelWidth, textWidth(labelFont, label));
    const int nameX = legend.labelX + labelWidth + (labelWidth > 0 ? rowSize / 2 : 0);
    QFont nameFont = heiFont(rowSize);
    nameFont = withPixelSize(
        nameFont, fittedPixelSize(nameFont, names, rowSize, area.right() - nameX - area.width() / 20));
    for (int i = 0; i < 5; ++i) {
        if (keyLabels.at(i).isEmpty() && names.at(i).isEmpty())
            continue;
        // Both texts share the row's base line when their sizes differ.
        const int rowTop = legend.rowY.at(i);
        const int base = rowTop + QFontMetrics(labelFont).ascent();
        painter.setFont(labelFont);
        painter.drawText(legend.labelX, base, keyLabels.at(i));
        painter.setFont(nameFont);
        painter.drawText(nameX, base, names.at(i));
    }
    // The prompt goes under the fifth row, in what room is left above the bottom edge.
    int lastRow = -1;
    for (int i = 0; i < 5; ++i)
        if (!keyLabels.at(i).isEmpty() || !names.at(i).isEmpty())
            lastRow = i;
    const int belowRows =
        lastRow < 0 ? 0 : legend.rowY.at(lastRow) + QFontMetrics(labelFont).height() + legend.rowPitch / 10;
    const int line3Y = qMax(legend.line3Y, belowRows);
    const int line3Size =
        heightFittedSize(heiFont(pixelSize), pixelSize, client.bottom() + 1 - edgeMargin(client) - line3Y);
    drawCentred(painter, client, heiFont(line3Size), line3Y, s.line3);
}

void paintTable(QPainter& painter, const QRect& area, const ScreenPanelState& s, int pixelSize)
{
    const QList<TableRow> rows = tableRows(s);
    if (rows.isEmpty())
        return;
    int lastRow = 0;
    for (const TableRow& row : rows)
        lastRow = qMax(lastRow, row.row);
    // Every row, the last one too, keeps within the area above the bottom margin.
    const TableColumns columns = tableColumns(area, s.subKind, lastRow + 1);
    const int gap = pixelSize / 4;
    const int rowSize = heightFittedSize(heiFont(pixelSize), pixelSize, columns.textHeight);
    QStringList labels, values, units, percents;
    for (const TableRow& row : rows) {
        labels.append(row.label);
        values.append(row.value);
        units.append(row.unit);
        percents.append(row.percent);
    }
    // One size per column, so the rows line up; the widest entry decides.
    const QFont base = heiFont(rowSize);
    // The percentages end clear of the screen's edge, not on it.
    const int right = area.right() + 1 - qMax(edgeMargin(area), area.width() / 30);
    const QFont labelFont =
        withPixelSize(base, fittedPixelSize(base, labels, rowSize, columns.valueX - columns.labelX - gap));
    const QFont valueFont =
        withPixelSize(base, fittedPixelSize(base, values, rowSize, columns.unitX - columns.valueX - gap));
    const QFont unitFont =
        withPixelSize(base, fittedPixelSize(base, units, rowSize, columns.percentX - columns.unitX - gap));
    const QFont percentFont =
        withPixelSize(base, fittedPixelSize(base, percents, rowSize, right - columns.percentX));
    painter.setPen(s.bodyColour);
    for (const TableRow& row : rows) {
        const int top = tableRowCell(area, columns, row.row).top();
        const int baseLine = top + QFontMetrics(labelFont).ascent();
        painter.setFont(labelFont);
        painter.drawText(columns.labelX, baseLine, row.label);
        painter.setFont(valueFont);
        painter.drawText(columns.valueX, baseLine, row.value);
        painter.setFont(unitFont);
        painter.drawText(columns.unitX, baseLine, row.unit);
        painter.setFont(percentFont);
        painter.drawText(columns.percentX, baseLine, row.percent);
    }
}

void paintBar(QPainter& painter, const Bar& bar, const QColor& colour)
{
    const QRect& f = bar.front;
    const int d = bar.depth;
    painter.setPen(Qt::NoPen);
    // The top is drawn even for a bar of height 0, so every candidate keeps a visible place.
    painter.setBrush(colour.lighter(130));
    painter.drawPolygon(
        QPolygon({QPoint(f.left(), f.top()), QPoint(f.left() + d, f.top() - d),
                  QPoint(f.left() + f.width() + d, f.top() - d), QPoint(f.left() + f.width(), f.top())}));
    painter.setBrush(shade(colour, 150));
    painter.drawPolygon(
        QPolygon({QPoint(f.left() + f.width(), f.top()), QPoint(f.left() + f.width() + d, f.top() - d),
                  QPoint(f.left() + f.width() + d, f.top() + f.height() - d),
                  QPoint(f.left() + f.width(), f.top() + f.height())}));
    if (f.height() > 0)
        painter.fillRect(f, colour);
}

void paintHistogram(QPainter& painter, const QRect& area, const ScreenPanelState& s, int pixelSize)
{
    const QList<ChartItem> items = histogramItems(s);
    if (items.isEmpty())
        return;
    QList<double> values(maxBars(s.subKind), 0.0);
    for (const ChartItem& item : items)
        values[item.slot] = item.value;
    while (!values.isEmpty() && values.last() == 0.0 && values.size() > items.last().slot + 1)
        values.removeLast();
    const int h = area.height();
    // Bar places: a motion vote has as many as it has figures, the others their fixed slots.
    const int barCount = s.subKind == PanelSubKind::MotionResult ? int(values.size()) : maxBars(s.subKind);

    QStringList labels, valueTexts, percents;
    bool anyPercent = false;
    for (const ChartItem& item : items) {
        labels.append(item.label);
        valueTexts.append(item.valueText);
        percents.append(item.percent);
        anyPercent = anyPercent || !item.percent.isEmpty();
    }
    // Fonts from the cells of the first bar: every bar's cells have the same size.
    const QList<Bar> probe = histogram(area, s.subKind, QList<double>(barCount, 0.0));
    if (probe.isEmpty())
        return;
    const QFont base = heiFont(pixelSize);
    const QSize labelBox(probe.first().labelCell.width(), qMin(h / 10, probe.first().labelCell.height()));
    const QFont labelFont = fittedInBox(base, labels, pixelSize, labelBox);
    // The value sits h/10 above the bar, so it may be no taller than that (less the bar's depth).
    const QFont valueFont = fittedInBox(base, valueTexts, pixelSize, probe.first().valueCell.size());
    const QFont percentFont =
        withPixelSize(base, fittedPixelSize(base, percents, valueFont.pixelSize() * 3 / 4,
                                            probe.first().valueCell.width()));
    const int percentHeight = anyPercent ? QFontMetrics(percentFont).height() : 0;
    const QList<Bar> bars = histogram(area, s.subKind, values, h / 10 + percentHeight);

    // Base line under all the bars.
    const BaseLine line = baseLine(area, s.subKind, barCount);
    painter.setPen(QPen(s.bodyColour, qMax(1, h / 200)));
    painter.drawLine(line.left, line.y, line.right, line.y);

    for (const ChartItem& item : items) {
        const Bar& bar = bars.at(item.slot);
        paintBar(painter, bar, chartColour(item.slot));
        painter.setPen(s.bodyColour);
        drawTop(painter, valueFont, bar.valueCell.left(), bar.valueCell.top(), item.valueText);
        if (!item.percent.isEmpty())
            drawTop(painter, percentFont, bar.valueCell.left(), bar.valueCell.top() - percentHeight,
                    item.percent);
        // Centred in its cell under the bar.
        const int labelWidth = textWidth(labelFont, item.label);
        drawTop(painter, labelFont, centredX(bar.labelCell.left(), bar.labelCell.width(), labelWidth),
                bar.labelCell.top(), item.label);
    }
}

QPointF ellipsePoint(const QRect& face, double degrees)
{
    const double a = qDegreesToRadians(degrees);
    const QPointF centre = QRectF(face).center();
    return QPointF(centre.x() + face.width() / 2.0 * qCos(a), centre.y() - face.height() / 2.0 * qSin(a));
}

void paintPie(QPainter& painter, const QRect& client, const ScreenPanelState& s)
{
    const QList<ChartItem> items = pieItems(s);
    QList<double> values;
    for (const ChartItem& item : items)
        values.append(item.value);
    const Pie geometry = pie(client, values);
    const QRect lowered = geometry.topFace.translated(0, geometry.depth);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (geometry.slices.isEmpty()) {
        // Nothing counted yet: an empty dish in outline.
        painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(lowered);
        painter.setBrush(s.chartAreaColour);
        painter.drawEllipse(geometry.topFace);
        painter.restore();
        return;
    }
    // The rim first: each slice one depth lower, joined to the top face by its side.
    for (int i = 0; i < geometry.slices.size(); ++i) {
        const Slice& slice = geometry.slices.at(i);
        if (slice.spanDegrees <= 0)
            continue;
        const QColor side = shade(chartColour(i), 160);
        painter.setPen(QPen(side, 1));
        painter.setBrush(side);
        painter.drawPie(lowered, slice.startDegrees * 16, slice.spanDegrees * 16);
        const QPointF a = ellipsePoint(geometry.topFace, slice.startDegrees);
        const QPointF b = ellipsePoint(geometry.topFace, slice.startDegrees + slice.spanDegrees);
        painter.drawPolygon(
            QPolygonF({a, b, b + QPointF(0, geometry.depth), a + QPointF(0, geometry.depth)}));
    }
    for (int i = 0; i < geometry.slices.size(); ++i) {
        const Slice& slice = geometry.slices.at(i);
        if (slice.spanDegrees <= 0)
            continue;
        painter.setPen(QPen(shade(chartColour(i), 130), 1));
        painter.setBrush(chartColour(i));
        painter.drawPie(geometry.topFace, slice.startDegrees * 16, slice.spanDegrees * 16);
    }

    const PieLabels labels = pieLabels(client, s);
    const QList<QRect>& rects = labels.rects;
    const QStringList& texts = labels.texts;
    const QFont& labelFont = labels.font;
    const QFont& percentFont = labels.percentFont;
    const QFontMetrics metrics(labelFont);
    for (int i = 0; i < geometry.slices.size() && i < rects.size(); ++i) {
        const QRect& rect = rects.at(i);
        if (rect.isEmpty())
            continue;
        const Slice& slice = geometry.slices.at(i);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(slice.leaderStart, leaderEnd(rect, slice.leaderStart));
        painter.setPen(s.bodyColour);
        drawTop(painter, labelFont,
                centredX(rect.left(), rect.width(), metrics.horizontalAdvance(texts.at(i))), rect.top(),
                texts.at(i));
        const QString& percent = items.at(i).percent;
        if (!percent.isEmpty())
            drawTop(painter, percentFont,
                    centredX(rect.left(), rect.width(), QFontMetrics(percentFont).horizontalAdvance(percent)),
                    rect.top() + metrics.height(), percent);
    }
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    painter.drawLine(geometry.greyLineTop, geometry.greyLineBottom);
    painter.restore();
}

} // namespace

PieLabels pieLabels(const QRect& client, const ScreenPanelState& s)
{
    PieLabels result;
    const QList<ChartItem> items = pieItems(s);
    QList<double> values;
    for (const ChartItem& item : items)
        values.append(item.value);
    const Pie geometry = pie(client, values);
    const int pixelSize = tenthsToPixels(textSizeTenths(client.width()));
    // Labels outside the dish with leader lines from inside it, inside the chart area and apart from
    // each other and off the dish: crowded labels are moved along their side, and made smaller while
    // they still collide.
    QStringList& texts = result.texts;
    for (const ChartItem& item : items)
        texts.append(QStringLiteral("%1:%2").arg(item.label, item.valueText));
    const QRect area = chartArea(client);
    const int edge = edgeMargin(client);
    const QRect allowed = area.adjusted(edge, edge, -edge, -edge);
    const QFont base = heiFont(pixelSize);
    QFont labelFont =
        withPixelSize(base, fittedPixelSize(base, texts, pixelSize * 2 / 3, client.width() / 4));
    QFont percentFont;
    QList<QRect>& rects = result.rects;
    for (int attempt = 0; attempt < 8; ++attempt) {
        percentFont = withPixelSize(labelFont, labelFont.pixelSize() * 3 / 4);
        const QFontMetrics metrics(labelFont);
        const QFontMetrics percentMetrics(percentFont);
        QList<QSize> sizes;
        for (int i = 0; i < items.size(); ++i) {
            const QString& percent = items.at(i).percent;
            const int width = qMax(metrics.horizontalAdvance(texts.at(i)),
                                   percent.isEmpty() ? 0 : percentMetrics.horizontalAdvance(percent));
            sizes.append(QSize(width, metrics.height() + (percent.isEmpty() ? 0 : percentMetrics.height())));
        }
        rects = pieLabelRects(geometry, sizes, allowed);
        bool apart = true;
        for (int i = 0; i < rects.size() && apart; ++i) {
            if (rects.at(i).isEmpty())
                continue;
            const int reach = dishHalfWidth(geometry, rects.at(i).top(), rects.at(i).bottom());
            apart = allowed.contains(rects.at(i)) &&
                    (reach == 0 || rects.at(i).left() > geometry.centre.x() + reach ||
                     rects.at(i).right() < geometry.centre.x() - reach);
            for (int j = i + 1; j < rects.size() && apart; ++j)
                apart = !rects.at(i).intersects(rects.at(j));
        }
        if (apart || labelFont.pixelSize() <= kMinPixelSize)
            break;
        labelFont = withPixelSize(labelFont, qMax(kMinPixelSize, labelFont.pixelSize() * 9 / 10));
    }
    result.font = labelFont;
    result.percentFont = percentFont;
    return result;
}

QFont heiFont(int pixelSize)
{
    return fontOf({QStringLiteral("黑体"), QStringLiteral("SimHei")}, pixelSize);
}

QFont kaiFont(int pixelSize)
{
    return fontOf({QStringLiteral("楷体"), QStringLiteral("KaiTi"), QStringLiteral("AR PL UKai CN"),
                   QStringLiteral("AR PL KaitiM GB")},
                  pixelSize);
}

QFont faceFont(const QString& face, int pixelSize)
{
    // "粗体" is how the sign-in page asks for a bold face rather than a family.
    if (face == QStringLiteral("粗体"))
        return fontOf({QStringLiteral("黑体"), QStringLiteral("SimHei")}, pixelSize, true);
    QStringList faces;
    if (!face.isEmpty())
        faces.append(face);
    faces.append({QStringLiteral("黑体"), QStringLiteral("SimHei")});
    return fontOf(faces, pixelSize);
}

int fittedPixelSize(const QFont& font, const QStringList& texts, int pixelSize, int maxWidth)
{
    int size = qMax(1, pixelSize);
    if (maxWidth <= 0)
        return qMin(size, kMinPixelSize);
    for (int attempt = 0; attempt < 4; ++attempt) {
        const QFont sized = withPixelSize(font, size);
        int widest = 0;
        for (const QString& text : texts)
            widest = qMax(widest, textWidth(sized, text));
        if (widest <= maxWidth)
            return size;
        const int smaller = qMax(kMinPixelSize, int(qint64(size) * maxWidth / widest));
        if (smaller >= size)
            return size;
        size = smaller;
    }
    return size;
}

void paintPanel(QPainter& painter, const QRect& client, const ScreenPanelState& s)
{
    painter.save();
    const QRect area = chartArea(client);
    painter.fillRect(client, s.windowColour);
    painter.fillRect(area, s.chartAreaColour);
    const int pixelSize = tenthsToPixels(textSizeTenths(client.width()));

    // Heading and top line share the band above the chart area.
    const HeaderBoxes header = headerBoxes(client, !s.topLine.isEmpty(), !s.heading.isEmpty(),
                                           QFontMetrics(heiFont(pixelSize)).height());
    painter.setPen(s.headingColour);
    drawCentredInBox(painter, client, heiFont(pixelSize), header.heading, s.heading);

    switch (s.kind) {
    case PanelKind::Histogram:
        paintHistogram(painter, area, s, pixelSize);
        break;
    case PanelKind::Pie:
        paintPie(painter, client, s);
        break;
    case PanelKind::Table:
        paintTable(painter, area, s, pixelSize);
        break;
    case PanelKind::ThreeLines:
        paintThreeLines(painter, client, s, pixelSize);
        break;
    case PanelKind::KeyLegend:
        paintKeyLegend(painter, client, area, s, pixelSize);
        break;
    case PanelKind::Blank:
        break;
    }

    painter.setPen(s.headingColour);
    drawCentredInBox(painter, client, s.topLineFont == 0 ? heiFont(pixelSize) : kaiFont(pixelSize),
                     header.topLine, s.topLine);
    painter.restore();
}

QImage renderPanel(const ScreenPanelState& state, const QSize& size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&image);
    paintPanel(painter, image.rect(), state);
    return image;
}

void paintNameGrid(QPainter& painter, const QRect& client, const NameGridState& s)
{
    painter.save();
    painter.fillRect(client, s.background);
    painter.setPen(s.text);
    const int pixelSize = tenthsToPixels(s.fontSizeTenths);
    const QFont font = faceFont(s.fontFace, pixelSize);
    const NameCells cells = nameCells(client, s.rows, s.columns, s.drawnCount());
    // The title keeps above the first row of names.
    const int titleBottom = cells.cellHeight > 0 ? gridArea(client).top() + cells.cellHeight * 19 / 20
                                                 : client.bottom() + 1 - edgeMargin(client);
    drawCentredInBox(
        painter, client, font,
        QRect(client.left(), client.top() + kTitleY, client.width(), titleBottom - client.top() - kTitleY),
        s.title);

    if (!cells.topLeft.isEmpty()) {
        const QStringList shown = s.names.mid(0, cells.topLeft.size());
        // A small inset keeps bold glyphs off the cell's edge; a little air between the rows.
        const int inset = cells.cellWidth / 40;
        const int size =
            fittedPixelSize(font, shown, heightFittedSize(font, pixelSize, cells.cellHeight * 9 / 10),
                            cells.cellWidth - 3 * inset);
        const QFont nameFont = withPixelSize(font, size);
        for (int i = 0; i < cells.topLeft.size(); ++i)
            drawTop(painter, nameFont, cells.topLeft.at(i).x() + inset, cells.topLeft.at(i).y(), shown.at(i));
    }
    painter.restore();
}

QImage renderNameGrid(const NameGridState& state, const QSize& size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&image);
    paintNameGrid(painter, image.rect(), state);
    return image;
}

} // namespace ScreenPainter
