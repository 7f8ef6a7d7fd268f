#include "core/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ProgramFolderTest, DataHomeIsSeededOnceFromTheShareTree)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("share/System/Menu");
    QFile seed(dir.filePath("share/System/Menu/menu.ini"));
    ASSERT_TRUE(seed.open(QIODevice::WriteOnly));
    seed.write("[A]\nk=seeded\n");
    seed.close();

    const QString home = dir.filePath("home/console");
    const ProgramFolder::Candidates candidates{
        {}, dir.filePath("bin"), home, {dir.filePath("missing"), dir.filePath("share")}};
    EXPECT_EQ(ProgramFolder::choose(candidates), home);
    ASSERT_TRUE(QFile::exists(home + "/System/Menu/menu.ini"));

    // The operator's own changes survive the next start.
    QFile mine(home + "/System/Menu/menu.ini");
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.write("[A]\nk=mine\n");
    mine.close();
    EXPECT_EQ(ProgramFolder::choose(candidates), home);
    ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
    EXPECT_EQ(mine.readAll(), "[A]\nk=mine\n");
}

} // namespace
