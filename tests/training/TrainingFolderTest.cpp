// The rehearsal's program folder: a fresh copy of the real one, never the other way round.

#include "training/TrainingFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
}

} // namespace

TEST(TrainingFolder, SeedsAFreshCopyOfTheProgramFolder)
{
    QTemporaryDir dir;
    const QString real = dir.filePath("real");
    const QString training = TrainingFolder::under(dir.filePath("home"));
    write(real + "/System/SystemData.db", "system");
    write(real + "/Data/Council.db", "council");
    write(real + "/MeeFile/20260301100000/banner.rtf", "banner");
    write(real + "/Help.html", "help");
    write(real + "/system", "an executable beside its folder"); // not part of the program folder
    write(training + "/Data/Council.db", "last rehearsal");
    write(training + "/Data/Old.db", "a meeting deleted since");

    ASSERT_TRUE(TrainingFolder::seed(real, training));
    EXPECT_EQ(read(training + "/System/SystemData.db"), "system");
    EXPECT_EQ(read(training + "/Data/Council.db"), "council");
    EXPECT_EQ(read(training + "/MeeFile/20260301100000/banner.rtf"), "banner");
    EXPECT_EQ(read(training + "/Help.html"), "help");
    EXPECT_FALSE(QFile::exists(training + "/Data/Old.db"));
    EXPECT_FALSE(QFile::exists(training + "/system"));
}

TEST(TrainingFolder, NeverEmptiesAFolderHoldingTheRealOne)
{
    QTemporaryDir dir;
    const QString training = TrainingFolder::under(dir.path());
    const QString real = training + "/inside";
    write(real + "/Data/Council.db", "council");
    QString error;
    EXPECT_FALSE(TrainingFolder::seed(real, training, &error));
    EXPECT_FALSE(TrainingFolder::seed(training, training));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(read(real + "/Data/Council.db"), "council");
}
