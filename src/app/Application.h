#pragma once
// The application object: reads the command line, finds the program folder,
// reads the appearance row, chooses the language table, makes sure only one
// copy runs, then runs the main window; the program ends with it.
//
// The command line is read before any GUI application exists, so options that
// open no window (--help, --version, a bad option) work without a display.

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

class Application
{
public:
    // Under a QCoreApplication. An exit code when the program ends here
    // (help, version, a bad option, a check of a meeting's record); nothing when it goes on to run().
    std::optional<int> readCommandLine(const QStringList& arguments);
    // Under a QApplication. Exit code of the program.
    int run();

private:
    QString chooseProgramFolder(QString& error) const;
    // --verify-meeting: prints whether the meeting's event record is intact.
    int verifyMeeting(const QString& name) const;

    QString m_root;
    QMap<int, QString> m_ports;
    bool m_training = false;
    int m_webPort = 0; // --web-port, 0 when not given
};
