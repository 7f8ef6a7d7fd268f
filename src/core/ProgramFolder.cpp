#include "core/ProgramFolder.h"

#include "core/ConsoleServices.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

QString ProgramFolder::choose(const Candidates& candidates, QString* error)
{
    if (candidates.rootOption.isEmpty() && !candidates.executableDir.isEmpty() &&
        QDir(candidates.executableDir).exists(QStringLiteral("System")))
        return QDir(candidates.executableDir).absolutePath();

    // A --root folder or the data home without System/ is filled from the share tree.
    const QDir home(candidates.rootOption.isEmpty() ? candidates.dataHome : candidates.rootOption);
    if (!home.exists(QStringLiteral("System"))) {
        for (const QString& seed : candidates.seedTrees) {
            if (!QDir(seed).exists(QStringLiteral("System")))
                continue;
            if (!copyTree(seed, home.path())) {
                if (error)
                    *error =
                        QStringLiteral("Cannot fill the program folder %1 from %2").arg(home.path(), seed);
                return QString();
            }
            break;
        }
    }
    if (!QDir().mkpath(home.path())) {
        if (error)
            *error = QStringLiteral("Cannot create the program folder %1").arg(home.path());
        return QString();
    }
    return home.absolutePath();
}

QString ProgramFolder::existing(const Candidates& candidates)
{
    for (const QString& folder : {candidates.rootOption, candidates.executableDir, candidates.dataHome}) {
        if (folder.isEmpty())
            continue;
        const QDir dir(folder);
        if (dir.exists(QStringLiteral("System")))
            return dir.absolutePath();
        if (folder == candidates.rootOption)
            return QString(); // a --root folder is never passed over
    }
    return QString();
}

void ProgramFolder::set(const QString& folder)
{
    Services::current().folder = QDir::cleanPath(folder);
}

QString ProgramFolder::path()
{
    return Services::current().folder;
}

QString ProgramFolder::filePath(const QString& relative)
{
    QString rest = relative;
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (rest.startsWith(QLatin1Char('/')))
        rest.remove(0, 1);
    return Services::current().folder + QLatin1Char('/') + rest;
}

bool ProgramFolder::copyTree(const QString& from, const QString& to)
{
    const QDir source(from);
    if (!QDir().mkpath(to))
        return false;
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString item = it.next();
        const QString target = to + QLatin1Char('/') + source.relativeFilePath(item);
        if (QFileInfo(item).isDir()) {
            if (!QDir().mkpath(target))
                return false;
        } else if (!QFileInfo::exists(target)) {
            if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(item, target))
                return false;
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
        }
    }
    return true;
}
