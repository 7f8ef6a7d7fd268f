#pragma once
// A register as it is listed, exported and printed: column headings in the
// language in use, the on-screen widths (the printed page keeps their
// proportions), which columns are centred, and the rows as text cells.

#include <QList>
#include <QString>
#include <QStringList>

struct RegisterTable
{
    QStringList headings;
    QList<int> widths; // pixels of the list
    QList<bool> centred;
    QList<QStringList> rows;

    int columnCount() const { return int(headings.size()); }
    void addColumn(const QString& heading, int width, bool centre = false)
    {
        headings << heading;
        widths << width;
        centred << centre;
    }
};

// What the printed page says besides the table.
struct RegisterHeading
{
    QString title;     // the meeting's name
    QString subject;   // which register and which list
    QString printDate; // "%Y-%m-%d"
    QString dateLabel; // put before the date
    QString pageLine;  // "%1" the page, "%2" the page count
    QString record;    // the record's state and the hash of its last event, at the foot of every page
};
