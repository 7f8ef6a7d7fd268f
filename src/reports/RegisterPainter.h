#pragma once
// The one renderer of a register page: the preview, the printer and the PDF
// all paint through it, so they never differ. It paints on any QPainter; the
// device's resolution turns the layout's millimetres into device units.

#include "reports/RegisterTable.h"

#include <QList>

class QPagedPaintDevice;
class QPainter;

class RegisterPainter
{
public:
    RegisterPainter(const RegisterTable& table, const RegisterHeading& heading);

    int pageCount() const;
    // Page `page` (1-based) on a device of this resolution in dots per inch.
    void paintPage(QPainter& painter, int page, double dpiX, double dpiY) const;
    // Every page on a paged device (printer, PDF writer), a new page between them.
    bool paintAll(QPagedPaintDevice& device) const;

private:
    const RegisterTable& m_table;
    RegisterHeading m_heading;
    QList<double> m_needed; // millimetres each column needs for its longest text
};
