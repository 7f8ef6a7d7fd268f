#pragma once
// The settings row of sysbasicset and the appearance row of Manage, each read
// into text fields by a short-lived accessor. Nothing is cached across users.

#include <QColor>
#include <QString>
#include <QVariantList>

class SettingsTable
{
public:
    void setPath(const QString& path) { m_path = path; }
    QString path() const { return m_path; }

    // Empties every field, then fills them from the row whose Tag is "tag".
    void load();
    // Runs one statement against the settings file (failures are reported by DbAccess).
    bool execute(const QString& statement, const QVariantList& values = {});

    QString Tag;
    QString cellnum;
    QString cinnum;
    QString comlow;
    QString comHigh;
    QString ScrTextColor;
    QString ScrSize;
    QString ScrColor;
    QString UserPass;
    QString SeatYesORNo;
    QString ico;
    QString per;
    QString Pass;
    QString mark;

private:
    QString m_path;
};

class AppearanceTable
{
public:
    void setPath(const QString& path) { m_path = path; }
    void load();

    QString borderism;
    QString function;
    QString mianbmp;
    QString logobmp;

private:
    QString m_path;
};

// "1366*768" -> width "1366", height "768"; any further "*" is dropped and a
// value without "*" is all width.
struct ScreenSizeText
{
    QString width;
    QString height;
};
ScreenSizeText splitScrSize(const QString& value);

// A stored colour (red in the low byte, then green, then blue) as decimal text;
// only the low 24 bits count.
QColor storedColour(const QString& value);
QString colourToStored(const QColor& colour);
