#pragma once
// What the preparation hub asks of a page: to work on the meeting chosen on
// the meeting page and reload its list. The hub calls it each time it shows
// the page, so a page never shows another meeting's rows.

#include <QString>

class PrepPage
{
public:
    virtual ~PrepPage();
    // Name and key of the selected meeting (Mottag.MeeName, Mottag.insertdate).
    virtual void openMeeting(const QString& meetingName, const QString& meetingKey) = 0;
};
