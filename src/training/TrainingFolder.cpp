#include "training/TrainingFolder.h"

#include "core/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// True when `inner` is `outer` or lies inside it.
bool within(const QString& inner, const QString& outer)
{
    const QString a = QDir::cleanPath(QFileInfo(inner).absoluteFilePath());
    const QString b = QDir::cleanPath(QFileInfo(outer).absoluteFilePath());
    return a == b || a.startsWith(b + QLatin1Char('/'));
}

} // namespace

namespace TrainingFolder {

QString under(const QString& dataHome)
{
    return dataHome + QStringLiteral("/training");
}

bool seed(const QString& real, const QString& training, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (within(real, training))
        return fail(QStringLiteral("The program folder %1 is the training folder itself").arg(real));
    QDir target(training);
    if (target.exists() && !target.removeRecursively())
        return fail(QStringLiteral("Cannot empty the training folder %1").arg(training));
    if (!QDir().mkpath(training))
        return fail(QStringLiteral("Cannot create the training folder %1").arg(training));
    const QDir source(real);
    for (const QString& part : kParts) {
        const QFileInfo item(source.filePath(part));
        if (!item.exists())
            continue;
        const QString to = target.filePath(part);
        const bool copied =
            item.isDir() ? ProgramFolder::copyTree(item.filePath(), to) : QFile::copy(item.filePath(), to);
        if (!copied)
            return fail(
                QStringLiteral("Cannot copy %1 into the training folder %2").arg(item.filePath(), training));
    }
    return true;
}

} // namespace TrainingFolder
