#include "data/Backup.h"

#include "core/ProgramFolder.h"
#include "data/Schema.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>
#include <sqlite3.h>

namespace Backup {

namespace {

// "Data/Budget.db" -> "Backup/Data", "Budget"
QString folderOf(const QString& databasePath)
{
    return QStringLiteral("Backup/") + QFileInfo(databasePath).path();
}

QString stemOf(const QString& databasePath)
{
    return QFileInfo(databasePath).completeBaseName();
}

// The time and a sequence number make names that sort by age.
QString newName(const QDir& folder, const QString& stem)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmsszzz"));
    for (int sequence = 0;; ++sequence) {
        const QString name =
            QStringLiteral("%1-%2-%3.db").arg(stem, stamp).arg(sequence, 2, 10, QLatin1Char('0'));
        if (!folder.exists(name))
            return name;
    }
}

bool backUp(const QString& from, const QString& to)
{
    sqlite3* source = nullptr;
    sqlite3* target = nullptr;
    bool done =
        sqlite3_open_v2(from.toUtf8().constData(), &source, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_open_v2(to.toUtf8().constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) == SQLITE_OK;
    if (done) {
        sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
        done = backup && sqlite3_backup_step(backup, -1) == SQLITE_DONE;
        done = sqlite3_backup_finish(backup) == SQLITE_OK && done;
    }
    if (!done)
        std::fprintf(stderr, "backup of %s failed: %s\n", qPrintable(from),
                     source ? sqlite3_errmsg(source) : "cannot open");
    sqlite3_close(target);
    sqlite3_close(source);
    return done;
}

} // namespace

QStringList copies(const QString& databasePath)
{
    const QDir folder(ProgramFolder::filePath(folderOf(databasePath)));
    const QRegularExpression name(QStringLiteral("^%1-\\d{8}-\\d{9}-\\d{2}\\.db$")
                                      .arg(QRegularExpression::escape(stemOf(databasePath))));
    QStringList found;
    for (const QString& file :
         folder.entryList({QStringLiteral("*.db")}, QDir::Files, QDir::Name | QDir::Reversed))
        if (name.match(file).hasMatch())
            found.append(folder.filePath(file));
    return found;
}

bool copy(const QString& databasePath)
{
    const QString source = ProgramFolder::filePath(databasePath);
    if (!QFileInfo(source).isFile())
        return false;
    const QDir folder(ProgramFolder::filePath(folderOf(databasePath)));
    if (!QDir().mkpath(folder.path()))
        return false;
    const QString target = folder.filePath(newName(folder, stemOf(databasePath)));
    const QString partial = target + QStringLiteral(".part");
    if (!backUp(source, partial) || !QFile::rename(partial, target)) {
        QFile::remove(partial);
        return false;
    }
    const QStringList kept = copies(databasePath);
    for (qsizetype i = kKept; i < kept.size(); ++i)
        QFile::remove(kept[i]);
    return true;
}

void atStart()
{
    copy(Schema::kSystemDatabase);
}

void afterRound(const QString& meetingName)
{
    copy(Schema::kSystemDatabase);
    copy(Schema::meetingDatabasePath(meetingName));
}

bool restoreLatest(const QString& databasePath)
{
    const QStringList found = copies(databasePath);
    if (found.isEmpty())
        return false;
    const QString target = ProgramFolder::filePath(databasePath);
    const QString partial = target + QStringLiteral(".restore");
    QFile::remove(partial);
    QDir().mkpath(QFileInfo(target).path());
    // A journal of the damaged file must not roll the copy back; rename() replaces the file in one step.
    QFile::remove(target + QStringLiteral("-journal"));
    if (!QFile::copy(found.first(), partial) ||
        std::rename(partial.toLocal8Bit().constData(), target.toLocal8Bit().constData()) != 0) {
        QFile::remove(partial);
        return false;
    }
    return true;
}

} // namespace Backup
