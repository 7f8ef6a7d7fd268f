#include "reports/RegisterPainter.h"

#include "reports/RegisterLayout.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <numeric>

namespace {

constexpr double kTitlePoints = 18;
constexpr double kSubjectPoints = 11;
constexpr double kTablePoints = 9;
constexpr double kSmallestTablePoints = 6.5;
constexpr double kRecordPoints = 7;
constexpr double kPadding = 1.2; // mm inside a cell
constexpr double kMeasureDpi = 1200;

double toMm(double pixels)
{
    return pixels * 25.4 / kMeasureDpi;
}

double toPixels(double mm)
{
    return mm * kMeasureDpi / 25.4;
}

// Lines of `text` wrapped into `width` pixels at words, or anywhere when a word is longer.
int lineCount(const QString& text, const QFont& font, double width)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return qMax(1, lines);
}

// The widest piece of `text` between two places where a line may break (a
// blank, or between two Chinese characters).
double longestUnbreakable(const QFontMetricsF& metrics, const QString& text)
{
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    double widest = 0;
    qsizetype start = 0;
    while (breaks.toNextBoundary() >= 0) {
        const qsizetype end = breaks.position();
        widest = qMax(widest, metrics.horizontalAdvance(text.mid(start, end - start).trimmed()));
        start = end;
    }
    return widest;
}

} // namespace

QFont RegisterPainter::pageFont(double points, double dpiY, bool bold)
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("WenQuanYi Zen Hei")});
    font.setPixelSize(qMax(1, qRound(points * dpiY / 72.0)));
    font.setBold(bold);
    return font;
}

RegisterPainter::RegisterPainter(const RegisterTable& table, const RegisterHeading& heading)
    : m_table(table), m_heading(heading)
{
    namespace L = RegisterLayout;
    // Measured once at a fine resolution; a printer or the screen differ only by hinting.
    // A register too wide for the page is set smaller, down to a floor, before a word has to break.
    QList<double> needed;
    QList<double> least; // the longest word of the column, so that no word breaks inside
    for (m_tablePoints = kTablePoints;; m_tablePoints -= 0.5) {
        const QFontMetricsF cellMetrics(pageFont(m_tablePoints, kMeasureDpi));
        const QFontMetricsF bold(pageFont(m_tablePoints, kMeasureDpi, true));
        needed.clear();
        least.clear();
        for (int c = 0; c < table.columnCount(); ++c) {
            // A heading wraps at its blanks, so its longest word must fit.
            double widest = 0;
            for (const QString& word : table.headings[c].split(QLatin1Char(' ')))
                widest = qMax(widest, bold.horizontalAdvance(word));
            double longestWord = widest;
            for (const QStringList& row : table.rows) {
                widest = qMax(widest, cellMetrics.horizontalAdvance(row.value(c)));
                longestWord = qMax(longestWord, longestUnbreakable(cellMetrics, row.value(c)));
            }
            needed << toMm(widest) + 2 * kPadding + 0.4;
            least << toMm(longestWord) + 2 * kPadding + 0.4;
        }
        if (std::accumulate(least.begin(), least.end(), 0.0) <= L::kRight - L::kLeft ||
            m_tablePoints <= kSmallestTablePoints)
            break;
    }
    const QFont cell = pageFont(m_tablePoints, kMeasureDpi);
    m_columns = L::columns(needed, least);
    QList<double> heights;
    heights.reserve(table.rows.size());
    for (const QStringList& row : table.rows) {
        int lines = 1;
        for (int c = 0; c < m_columns.size(); ++c)
            lines = qMax(lines, lineCount(row.value(c), cell, toPixels(m_columns[c].width() - 2 * kPadding)));
        heights << L::rowHeight(lines);
    }
    m_heights = heights;
    m_pages = L::paginate(heights);
}

int RegisterPainter::pageCount() const
{
    return int(m_pages.size());
}

void RegisterPainter::paintPage(QPainter& painter, int page, double dpiX, double dpiY) const
{
    namespace L = RegisterLayout;
    const auto x = [dpiX](double mm) { return mm * dpiX / 25.4; };
    const auto y = [dpiY](double mm) { return mm * dpiY / 25.4; };
    const auto rect = [&](const QRectF& mm) {
        return QRectF(x(mm.left()), y(mm.top()), x(mm.width()), y(mm.height()));
    };
    painter.save();
    painter.setPen(Qt::black);

    painter.setFont(pageFont(kTitlePoints, dpiY, true));
    painter.drawText(
        rect({L::kLeft, L::kTitleTop, L::kRight - L::kLeft, 10}), Qt::AlignCenter,
        painter.fontMetrics().elidedText(m_heading.title, Qt::ElideRight, int(x(L::kRight - L::kLeft))));
    painter.setFont(pageFont(kSubjectPoints, dpiY));
    const QRectF subjectLine{L::kLeft, L::kSubjectTop, L::kRight - L::kLeft, 7};
    painter.drawText(rect(subjectLine), Qt::AlignLeft | Qt::AlignVCenter, m_heading.subject);
    painter.drawText(rect(subjectLine), Qt::AlignRight | Qt::AlignVCenter,
                     m_heading.dateLabel + m_heading.printDate);

    const double padding = x(kPadding);
    double top = L::kTableTop;
    const auto drawRow = [&](const QStringList& cells, double height, bool heading) {
        const QRectF row(L::kLeft, top, L::kRight - L::kLeft, height);
        if (heading)
            painter.fillRect(rect(row), QColor(0xe8, 0xec, 0xf2));
        for (int c = 0; c < m_columns.size(); ++c) {
            const QRectF cell = rect({m_columns[c].left(), row.top(), m_columns[c].width(), row.height()});
            painter.drawRect(cell);
            QTextOption option(Qt::AlignVCenter |
                               (heading || m_table.centred.value(c) ? Qt::AlignHCenter : Qt::AlignLeft));
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            painter.drawText(cell.adjusted(padding, 0, -padding, 0), cells.value(c), option);
        }
        top += height;
    };
    QPen rule(Qt::black);
    rule.setWidthF(y(0.2));
    painter.setPen(rule);
    painter.setFont(pageFont(m_tablePoints, dpiY, true));
    drawRow(m_table.headings, L::kHeadingHeight, true);
    painter.setFont(pageFont(m_tablePoints, dpiY));
    if (page >= 1 && page <= m_pages.size()) {
        const L::Page& rows = m_pages[page - 1];
        for (int i = rows.first; i < rows.first + rows.count; ++i)
            drawRow(m_table.rows[i], m_heights[i], false);
    }

    painter.drawText(rect({L::kLeft, L::kPageLineTop, L::kRight - L::kLeft, 6}), Qt::AlignCenter,
                     m_heading.pageLine.arg(page).arg(pageCount()));
    if (!m_heading.record.isEmpty()) {
        painter.setFont(pageFont(kRecordPoints, dpiY));
        QTextOption centred(Qt::AlignHCenter | Qt::AlignTop);
        centred.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        painter.drawText(rect({L::kLeft, L::kRecordLineTop, L::kRight - L::kLeft, 8}), m_heading.record,
                         centred);
    }
    painter.restore();
}

bool paintPages(QPagedPaintDevice& device, int pageCount,
                const std::function<void(QPainter&, int page, double dpiX, double dpiY)>& paintPage)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int page = 1; page <= pageCount; ++page) {
        if (page > 1 && !device.newPage())
            return false;
        paintPage(painter, page, device.logicalDpiX(), device.logicalDpiY());
    }
    return painter.end();
}

bool RegisterPainter::paintAll(QPagedPaintDevice& device) const
{
    return paintPages(device, pageCount(), [this](QPainter& painter, int page, double dpiX, double dpiY) {
        paintPage(painter, page, dpiX, dpiY);
    });
}
