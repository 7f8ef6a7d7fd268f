#include "app/FolderLock.h"

#include <QDir>
#include <QFileInfo>

FolderLock::FolderLock(const QString& programFolder)
    : m_path(QDir(programFolder).absoluteFilePath(QLatin1String(kFileName)))
{
}

FolderLock::~FolderLock() = default;

bool FolderLock::removeBroken(QLockFile& lock, const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QDir(path).removeRecursively();
    qint64 pid = 0;
    QString host;
    QString application;
    if (!info.exists() || lock.getLockInfo(&pid, &host, &application))
        return false;
    return QFile::remove(path);
}

FolderLock::Outcome FolderLock::claim()
{
    m_lock = std::make_unique<QLockFile>(m_path);
    m_lock->setStaleLockTime(0); // only a dead holder makes the lock stale, never its age
    if (m_lock->tryLock(0))
        return Outcome::Taken;
    if (m_lock->error() == QLockFile::LockFailedError && removeBroken(*m_lock, m_path) && m_lock->tryLock(0))
        return Outcome::TookOverBroken;
    return m_lock->error() == QLockFile::LockFailedError ? Outcome::Held : Outcome::Failed;
}

FolderLock::Holder FolderLock::holder() const
{
    Holder holder;
    qint64 pid = 0;
    QString application;
    m_lock->getLockInfo(&pid, &holder.host, &application);
    // The lock file is made by the holder when it takes the folder.
    const QFileInfo info(m_path);
    holder.user = info.owner();
    holder.since = info.lastModified();
    return holder;
}
