#pragma once
// Only one console runs per user. The first copy holds a lock file and listens
// on a local socket in the runtime folder; a second copy finds the lock, asks
// the first one to come to the front, and ends.

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
        ActivatedOther, // another copy was found and asked to come forward
        OtherNotFound,  // another copy holds the lock but does not answer
        CheckFailed,    // the lock could not be made at all
    };

    // `runtimeDir` empty: the user's runtime folder.
    explicit SingleInstance(const QString& name, const QString& runtimeDir = QString(),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    Outcome claim();

signals:
    void activationRequested();

private:
    QString m_lockPath;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};
