#pragma once
// The program folder: every stored path is this folder + a relative path with '/'.
// It is chosen once at start-up and read by everything that touches a file.

#include <QString>
#include <QStringList>

class ProgramFolder
{
public:
    struct Candidates
    {
        QString rootOption;    // --root DIR, empty when not given
        QString executableDir; // folder of the running executable
        QString dataHome;      // $XDG_DATA_HOME/<program> (or ~/.local/share/<program>)
        QStringList seedTrees; // installed share trees, first existing one seeds dataHome
    };

    // --root, else the executable's folder when it holds System/, else dataHome.
    // A chosen folder without System/ is seeded from the first existing seed tree.
    // Empty on failure.
    static QString choose(const Candidates& candidates, QString* error = nullptr);
    // The folder `choose` would take, only when it already holds System/;
    // nothing is created or filled. Empty otherwise.
    static QString existing(const Candidates& candidates);

    // The folder of the services in use (ConsoleServices).
    static void set(const QString& folder);
    static QString path();
    // program folder + "/" + relative ("System/SystemData.db" or "/System/SystemData.db").
    static QString filePath(const QString& relative);

    // Copies a tree, keeping files that already exist at the destination.
    static bool copyTree(const QString& from, const QString& to);
};
