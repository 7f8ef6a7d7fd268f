#include "app/SingleInstance.h"

#include "app/FolderLock.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString& name, const QString& runtimeDir, QObject* parent)
    : QObject(parent)
{
    QString dir = runtimeDir;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    m_lockPath = dir + QLatin1Char('/') + name + QStringLiteral(".lock");
    m_socketPath = dir + QLatin1Char('/') + name + QStringLiteral(".socket");
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = m_server.nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            peer->write(m_folder.toUtf8() + '\n');
            peer->flush();
            emit activationRequested();
        }
    });
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Outcome SingleInstance::claim(const QString& programFolder)
{
    m_folder = programFolder;
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    m_lock->setStaleLockTime(0); // a lock whose process has died is taken over
    bool tookOver = false;
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() != QLockFile::LockFailedError)
            return Outcome::CheckFailed;
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(2000)) {
            socket.write("activate\n");
            socket.waitForBytesWritten(1000);
            if (socket.waitForReadyRead(2000) || socket.canReadLine())
                m_otherFolder = QString::fromUtf8(socket.readLine()).trimmed();
            socket.disconnectFromServer();
            return Outcome::ActivatedOther;
        }
        // Nobody answers: a lock file no copy can hold is taken over.
        if (!FolderLock::removeBroken(*m_lock, m_lockPath) || !m_lock->tryLock(0))
            return Outcome::OtherNotFound;
        tookOver = true;
    }
    QLocalServer::removeServer(m_socketPath);
    if (!m_server.listen(m_socketPath))
        return Outcome::CheckFailed;
    return tookOver ? Outcome::TookOverBroken : Outcome::First;
}
