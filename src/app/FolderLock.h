#pragma once
// One program folder, one console: a lock file in the program folder itself,
// so two consoles never write one folder's databases, whoever runs them and
// from whichever session. A lock whose process has died on this host is taken
// over; so is an empty or unreadable lock file, since nothing holds it.

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>

class FolderLock
{
public:
    static constexpr char kFileName[] = "console.lock";

    enum class Outcome
    {
        Taken,          // this console holds the folder
        TookOverBroken, // the lock file was empty, unreadable or a folder, and is now ours
        Held,           // another console holds it (see holder())
        Failed,         // the lock cannot be made (read-only folder, ...)
    };

    struct Holder
    {
        QString host;
        QString user;
        QDateTime since;
    };

    explicit FolderLock(const QString& programFolder);
    ~FolderLock();

    Outcome claim();
    QString path() const { return m_path; }
    // Who holds the folder, when claim() said Held.
    Holder holder() const;

    // Removes a lock file nothing can hold (empty, garbage or a folder); true when one was removed.
    static bool removeBroken(QLockFile& lock, const QString& path);

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
