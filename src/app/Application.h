#pragma once
// The application object: reads the command line, finds the program folder,
// reads the appearance row, chooses the language table, makes sure only one
// copy runs and that no other console holds the program folder, then runs the
// main window; the program ends with it.
//
// The command line is read before any GUI application exists, so options that
// open no window (--help, --version, a bad option) work without a display.

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

class AppearanceTable;

class Application
{
public:
    // Under a QCoreApplication. An exit code when the program ends here
    // (help, version, a bad option, a check of a meeting's record); nothing when it goes on to run().
    std::optional<int> readCommandLine(const QStringList& arguments);
    // Under a QApplication. Exit code of the program.
    int run();
    // --minutes NAME OUT.pdf was given: writeMinutes() runs instead of run(), under no application yet.
    bool wantsMinutes() const { return !m_minutesPath.isEmpty(); }
    // Writes the minutes without a display; 1 with one line on stderr when it cannot.
    int writeMinutes(int& argc, char** argv) const;

private:
    QString chooseProgramFolder(QString& error) const;
    // Chooses and sets the program folder; false (said on stderr) when there is none.
    bool useProgramFolder() const;
    // --verify-meeting: prints whether the meeting's event record is intact.
    int verifyMeeting(const QString& name) const;
    // Reads the appearance row without writing anything (by `readRow`: load or peek) and takes its
    // language table (with its fallbacks); false when the row could not be read and the texts are English.
    static bool useStoredLanguage(AppearanceTable& appearance, bool (AppearanceTable::*readRow)());

    QString m_root;
    QMap<int, QString> m_ports;
    bool m_training = false;
    QString m_minutesMeeting;
    QString m_minutesPath;
    int m_webPort = 0; // --web-port, 0 when not given
};
