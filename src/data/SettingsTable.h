#pragma once
// The settings row of sysbasicset and the appearance row of Manage, each read
// into text fields by a short-lived accessor. Nothing is cached across users.
// The procedures read the settings through `typed()`: numbers as ints and
// colours as QColor, so no caller parses the stored text again.

#include "data/StoredColour.h"

#include <QColor>
#include <QSize>
#include <QString>
#include <QVariantList>
#include <array>

// The settings row as values. Text that is no number reads as 0.
struct SystemSettings
{
    int unitCount = 0;   // cellnum
    int chairCount = 0;  // cinnum
    int lowestPort = 0;  // comlow
    int highestPort = 0; // comHigh
    QColor screenTextColour;
    QColor screenColour;
    QSize screenSize; // ScrSize split at its first "*"; a part that is no number is 0
    QString password;
    bool seatLayout = false; // SeatYesORNo is "yes", in any case
    QString seatIcon;
    bool showPercentages = false;   // per is 1
    bool showPass = false;          // Pass is 1
    std::array<int, 5> keyPoints{}; // mark, keys 1 to 5; missing pieces are 0
    bool answerDrivenPace = false;  // AnswerPace is 1
    int speakingSeconds = 0;        // SpeakLimit: each speaker's time, 0 for none
    bool closeAtTimeUp = false;     // SpeakClose is 1
    bool webOn = false;             // WebOn is 1
    int webPort = 8080;             // WebPort; 8080 when missing or out of range
    QString webInterface;           // WebAddress: a network interface's name, empty for this computer only
    bool showSpeakerName = false;   // SpeakName is 1: the speaking page prompts the speaker's name
};

class SettingsTable
{
public:
    void setPath(const QString& path) { m_path = path; }
    QString path() const { return m_path; }

    // Empties every field, then fills them from the row whose Tag is "tag".
    // False when the file or the query failed (a missing row is no failure).
    bool load();
    // The loaded fields as values.
    SystemSettings typed() const;
    // Runs one statement against the settings file (failures are reported by DbAccess).
    bool execute(const QString& statement, const QVariantList& values = {});
    // One UPDATE of the settings row that sets these columns and no others.
    bool update(const QList<QPair<QString, QVariant>>& columns);

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
    QString AnswerPace;
    QString SpeakLimit;
    QString SpeakClose;
    QString WebOn;
    QString WebPort;
    QString WebAddress;
    QString SpeakName;

private:
    QString m_path;
};

class AppearanceTable
{
public:
    void setPath(const QString& path) { m_path = path; }
    // As SettingsTable::load.
    bool load();
    // The same without taking the file, for a start that has not yet claimed
    // the program folder: the console holding it may be writing.
    bool peek();
    // Stores the language code of the row.
    bool storeLanguage(const QString& code);

    QString borderism;
    QString function;
    QString mianbmp;
    QString logobmp;

private:
    bool read(bool takeFile);

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
