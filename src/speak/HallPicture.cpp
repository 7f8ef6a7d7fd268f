#include "speak/HallPicture.h"

#include "core/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace HallPicture {

namespace {

QString photoFolder()
{
    return ProgramFolder::filePath(QStringLiteral("System/photo"));
}

bool sameContent(const QString& a, const QString& b)
{
    QFile first(a);
    QFile second(b);
    return first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly) &&
           first.size() == second.size() && first.readAll() == second.readAll();
}

} // namespace

Imported import(const QString& sourcePath)
{
    QImageReader reader(sourcePath);
    if (!reader.canRead())
        return {Result::NotAPicture, QString()};

    const QFileInfo source(sourcePath);
    QDir().mkpath(photoFolder());
    QString name = source.fileName();
    for (int n = 2;; ++n) {
        const QString target = photoFolder() + QLatin1Char('/') + name;
        if (!QFile::exists(target))
            return QFile::copy(sourcePath, target) ? Imported{Result::Copied, name}
                                                   : Imported{Result::CopyFailed, QString()};
        if (sameContent(sourcePath, target))
            return {Result::Copied, name};
        name = source.completeBaseName() + QStringLiteral("_%1.").arg(n) + source.suffix();
    }
}

QImage load(const QString& fileName)
{
    if (fileName.trimmed().isEmpty())
        return QImage();
    return QImage(photoFolder() + QLatin1Char('/') + fileName);
}

} // namespace HallPicture
