#pragma once
// Only one console runs per user. The first copy holds a lock file and listens
// on a local socket in the runtime folder; a second copy finds the lock, asks
// the first one to come to the front, learns its program folder, and ends. A
// lock file nothing can hold (empty, garbage, a folder) is taken over once no
// copy answers on the socket.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    enum class Outcome
    {
        First,          // this copy runs; activationRequested() may follow
        TookOverBroken, // as First, after removing a broken lock file nobody answered for
        ActivatedOther, // another copy was found and asked to come forward
        OtherNotFound,  // another copy holds the lock but does not answer
        CheckFailed,    // the lock could not be made at all
    };

    // `runtimeDir` empty: the user's runtime folder.
    explicit SingleInstance(const QString& name, const QString& runtimeDir = QString(),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // `programFolder`: what this copy tells a second start that asks.
    Outcome claim(const QString& programFolder = QString());
    // After ActivatedOther: the program folder of the running copy (empty when it did not say).
    QString otherFolder() const { return m_otherFolder; }
    QString lockPath() const { return m_lockPath; }

signals:
    void activationRequested();

private:
    QString m_lockPath;
    QString m_socketPath;
    QString m_folder;
    QString m_otherFolder;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};
