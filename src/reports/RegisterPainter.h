#pragma once
// The one renderer of a register page: the preview, the printer and the PDF
// all paint through it, so they never differ. It paints on any QPainter; the
// device's resolution turns the layout's millimetres into device units. Rows
// are measured once, when it is made, so every page knows its rows.

#include "reports/RegisterLayout.h"
#include "reports/RegisterTable.h"

#include <QFont>
#include <QList>
#include <functional>

class QPagedPaintDevice;
class QPainter;

// Paints `pageCount` pages on a paged device (printer, PDF writer), a new page
// between them; `paintPage` gets the page (1-based) and the device's resolution.
bool paintPages(QPagedPaintDevice& device, int pageCount,
                const std::function<void(QPainter&, int page, double dpiX, double dpiY)>& paintPage);

class RegisterPainter
{
public:
    RegisterPainter(const RegisterTable& table, const RegisterHeading& heading);

    // The printed pages' font: Latin text in Arial (or its metric twin), Chinese in WenQuanYi.
    static QFont pageFont(double points, double dpiY, bool bold = false);

    int pageCount() const;
    // Page `page` (1-based) on a device of this resolution in dots per inch.
    void paintPage(QPainter& painter, int page, double dpiX, double dpiY) const;
    // Every page on a paged device (printer, PDF writer), a new page between them.
    bool paintAll(QPagedPaintDevice& device) const;

private:
    const RegisterTable& m_table;
    RegisterHeading m_heading;
    double m_tablePoints = 0; // the table's font size: smaller for a register too wide for the page
    QList<QRectF> m_columns;  // millimetres across
    QList<double> m_heights;  // of each row, in millimetres
    QList<RegisterLayout::Page> m_pages;
};
