#include "reports/RegisterPainter.h"

#include "reports/RegisterLayout.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

// Latin text in Arial (or its metric twin); Chinese falls back to WenQuanYi.
QFont pageFont(double points, double dpiY, bool bold = false)
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("WenQuanYi Zen Hei")});
    font.setPixelSize(qMax(1, qRound(points * dpiY / 72.0)));
    font.setBold(bold);
    return font;
}

constexpr double kTitlePoints = 18;
constexpr double kSubjectPoints = 11;
constexpr double kTablePoints = 9;
constexpr double kPadding = 1.2; // mm inside a cell

} // namespace

RegisterPainter::RegisterPainter(const RegisterTable& table, const RegisterHeading& heading)
    : m_table(table), m_heading(heading)
{
    // Measured once at a fine resolution; a printer or the screen differ only by hinting.
    constexpr double kDpi = 1200;
    const QFontMetricsF cell(pageFont(kTablePoints, kDpi));
    const QFontMetricsF bold(pageFont(kTablePoints, kDpi, true));
    const auto mm = [](double pixels) { return pixels * 25.4 / kDpi + 2 * kPadding + 0.4; };
    for (int c = 0; c < table.columnCount(); ++c) {
        // A heading wraps at its blanks, so its longest word must fit.
        double needed = 0;
        for (const QString& word : table.headings[c].split(QLatin1Char(' ')))
            needed = qMax(needed, bold.horizontalAdvance(word));
        for (const QStringList& row : table.rows)
            needed = qMax(needed, cell.horizontalAdvance(row.value(c)));
        m_needed << mm(needed);
    }
}

int RegisterPainter::pageCount() const
{
    return RegisterLayout::pageCount(int(m_table.rows.size()));
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

    const QList<QRectF> columns = L::columns(m_needed);
    const auto [first, count] = L::rowsOn(page, int(m_table.rows.size()));
    const double padding = x(kPadding);
    const auto drawRow = [&](int indexOnPage, const QStringList& cells, bool heading) {
        const QRectF row = L::rowRect(indexOnPage);
        if (heading)
            painter.fillRect(rect(row), QColor(0xe8, 0xec, 0xf2));
        for (int c = 0; c < columns.size(); ++c) {
            const QRectF cell = rect({columns[c].left(), row.top(), columns[c].width(), row.height()});
            painter.drawRect(cell);
            const QRectF inner = cell.adjusted(padding, 0, -padding, 0);
            const QString text = cells.value(c);
            const Qt::Alignment across =
                heading || m_table.centred.value(c) ? Qt::AlignHCenter : Qt::AlignLeft;
            if (heading)
                painter.drawText(inner, across | Qt::AlignVCenter | Qt::TextWordWrap, text);
            else
                painter.drawText(inner, across | Qt::AlignVCenter,
                                 painter.fontMetrics().elidedText(text, Qt::ElideRight, int(inner.width())));
        }
    };
    QPen rule(Qt::black);
    rule.setWidthF(y(0.2));
    painter.setPen(rule);
    painter.setFont(pageFont(kTablePoints, dpiY, true));
    drawRow(-1, m_table.headings, true);
    painter.setFont(pageFont(kTablePoints, dpiY));
    for (int i = 0; i < count; ++i)
        drawRow(i, m_table.rows[first + i], false);

    painter.setFont(pageFont(kTablePoints, dpiY));
    painter.drawText(rect({L::kLeft, L::kPageLineTop, L::kRight - L::kLeft, 6}), Qt::AlignCenter,
                     m_heading.pageLine.arg(page).arg(pageCount()));
    painter.restore();
}

bool RegisterPainter::paintAll(QPagedPaintDevice& device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int page = 1; page <= pageCount(); ++page) {
        if (page > 1 && !device.newPage())
            return false;
        paintPage(painter, page, device.logicalDpiX(), device.logicalDpiY());
    }
    return painter.end();
}
