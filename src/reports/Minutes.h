#pragma once
// The minutes: one PDF of the whole meeting, in the language in use. The
// meeting (name, place, dates); attendance with the quorum result and the
// chart of units present over time; every vote in order with its kind,
// result line, pass text and time; the speakers in order with their times;
// and on the last page the record's state with the SHA-256 of the last
// event, so a printed copy can be checked against the file later.
//
// A4 portrait with page numbers, painted on any QPainter; `write` builds the
// file under a temporary name and renames it when whole.

#include "prep/MeetingTable.h"
#include "reports/AttendanceChart.h"
#include "speak/SpeechTable.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace Minutes {

struct Vote
{
    QString title;
    QString kind;
    QString resultLine; // "Due 40 · Present 30 · Yes 18 · …", or candidates with their votes
    QString passText;
    QString time;
};

struct RecordState
{
    QString line;     // "Record intact (12 events)", or where it breaks
    QString lastHash; // of the last event; empty without events
};

struct Content
{
    Meeting meeting;
    QStringList attendance; // the figure lines
    AttendanceChart::Input chart;
    QList<Vote> votes;
    QList<SpeechTable::Speech> speeches;
    RecordState record;
};

// The state of the meeting's record as the minutes print it: the one place it is read.
RecordState recordState(const QString& meetingName);

// Everything the minutes show of a meeting with a database; the texts are the language in use.
Content gather(const Meeting& meeting);

class Document
{
public:
    explicit Document(Content content);
    int pageCount() const { return int(m_pages.size()); }
    // Page `page` (1-based) on a device of this resolution.
    void paintPage(QPainter& painter, int page, double dpiX, double dpiY) const;
    bool paintAll(QPagedPaintDevice& device) const;

private:
    struct Block
    {
        double height = 0; // mm
        bool keepWithNext = false;
        // Paints at `top` mm; `mm` turns millimetres into device units.
        std::function<void(QPainter&, double top, const std::function<double(double)>& mm, double dpiY)>
            paint;
    };
    void addText(const QString& text, double points, bool bold = false, double indent = 0, double after = 0);
    void addHeading(const QString& text);
    void layOut();

    Content m_content;
    QString m_pageLine;
    QList<Block> m_blocks;
    QList<QList<std::pair<int, double>>> m_pages; // per page: block and its top
};

enum class Outcome
{
    Written,
    NoMeeting,   // no such meeting, or it has no database file
    CannotWrite, // the file could not be made or completed
};
// `detail` gets a one-line reason when the minutes were not written.
Outcome write(const QString& meetingName, const QString& path, QString* detail = nullptr);

} // namespace Minutes
