#include "core/IniFile.h"

#include <QFile>
#include <QStringConverter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("t.ini"))
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QByteArray contents(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    QTemporaryDir m_dir;
};

TEST_F(IniFileTest, LookupIsCaseInsensitiveAndTrimmedAndTheFirstEntryWins)
{
    const QString path = write("; comment\r\n"
                               "[FrmMeeset]\r\n"
                               "  IDC_MEEBANNER_BUTTON  =  Banner  \r\n"
                               "garbage line without equals\r\n"
                               "idc_meebanner_button=Second\r\n"
                               "[ Public ]\r\n"
                               "Quoted=\"  spaced  \"\r\n"
                               "Empty=\r\n"
                               "Mixed=12abc\r\nWord=abc\r\nNegative=-7\r\n"
                               "Long=" +
                               QByteArray(300, 'x') +
                               "\r\n"
                               "[frmmeeset]\r\nIDC_MEEBANNER_BUTTON=Third\r\n");
    EXPECT_EQ(IniFile::readString(path, "FRMMEESET", "idc_meebanner_button "), "Banner");
    EXPECT_EQ(IniFile::readString(path, "Public", "Quoted"), "  spaced  ");
    EXPECT_EQ(IniFile::readString(path, "Public", "Missing", "dflt"), "dflt");
    EXPECT_EQ(IniFile::readString(path, "Public", "Long").size(), 255) << "long values are cut";
    // Integers as the profile reader reads them: leading digits, else 0.
    EXPECT_EQ(IniFile::readInt(path, "Public", "Mixed", 5), 12);
    EXPECT_EQ(IniFile::readInt(path, "Public", "Word", 5), 0);
    EXPECT_EQ(IniFile::readInt(path, "Public", "Negative", 5), -7);
}

TEST_F(IniFileTest, WritingOrRemovingOneEntryKeepsEverythingElse)
{
    const QString path = write("; seats\r\n[Seat]\r\nCount=3\r\nIcon=a.bmp\r\n\r\n[Other]\r\nx=1\r\n");
    ASSERT_TRUE(IniFile::writeString(path, "seat", "count", "4"));
    EXPECT_EQ(contents(path), "; seats\r\n[Seat]\r\ncount=4\r\nIcon=a.bmp\r\n\r\n[Other]\r\nx=1\r\n");

    ASSERT_TRUE(IniFile::writeString(path, "Seat", "New", "v"));
    ASSERT_TRUE(IniFile::writeString(path, "Fresh", "k", "v"));
    EXPECT_EQ(IniFile::sectionNames(path), (QStringList{"Seat", "Other", "Fresh"}));
    ASSERT_TRUE(IniFile::removeSection(path, "other"));
    ASSERT_TRUE(IniFile::removeKey(path, "Seat", "ICON"));
    EXPECT_EQ(IniFile::sectionNames(path), (QStringList{"Seat", "Fresh"}));
    EXPECT_EQ(IniFile::readString(path, "Seat", "Icon", "gone"), "gone");
}

TEST_F(IniFileTest, Utf16FilesAreReadEitherWayAndStayUtf16WhenWritten)
{
    const QString text = QStringLiteral("[FrmMain]\r\nDlgName=数字会议系统\r\n");
    const QString little =
        write("\xFF\xFE" + QStringEncoder(QStringConverter::Utf16LE).encode(text), "le.ini");
    EXPECT_EQ(IniFile::readString(little, "FrmMain", "DlgName"), QStringLiteral("数字会议系统"));

    ASSERT_TRUE(IniFile::writeString(little, "FrmMain", "name", QStringLiteral("代表")));
    EXPECT_TRUE(contents(little).startsWith("\xFF\xFE"));
    EXPECT_EQ(IniFile::readString(little, "FrmMain", "name"), QStringLiteral("代表"));
    EXPECT_EQ(IniFile::readString(little, "FrmMain", "DlgName"), QStringLiteral("数字会议系统"));
}

// A writer killed half-way through a large write must leave the old file whole.
TEST_F(IniFileTest, CrashDuringWriteLeavesOldFile)
{
    const QByteArray original = "[S]\r\nk=old\r\n";
    const QString path = write(original);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The file size limit kills the writer with SIGXFSZ part-way through its write.
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        IniFile::writeString(path, "S", "k", QString(100000, QLatin1Char('x')));
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer was expected to die mid-write";
    EXPECT_EQ(contents(path), original);
}

} // namespace
