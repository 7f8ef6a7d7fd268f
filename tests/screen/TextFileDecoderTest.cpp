#include "screen/TextFileDecoder.h"
#include "RtfTestPrinters.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(TextFileDecoderTest, ChoosesTheEncoding)
{
    // GBK bytes of "会议" on two lines, as Chinese Notepad saved them.
    EXPECT_EQ(TextFileDecoder::decode("\xbb\xe1\r\n\xd2\xe9\r\n", 936), "会\n议\n");
    // UTF-8 without a mark is recognised even when the legacy code page is GBK.
    EXPECT_EQ(TextFileDecoder::decode("会议", 936), "会议\n");
    EXPECT_EQ(TextFileDecoder::decode("\xEF\xBB\xBF"
                                      "café",
                                      1252),
              "café\n");
    EXPECT_EQ(TextFileDecoder::decode(QByteArray("\xFF\xFEO\0K\0", 6), 936), "OK\n");
    EXPECT_EQ(TextFileDecoder::decode(QByteArray("\xFE\xFF\0O\0K", 6), 936), "OK\n");
    // Western legacy text for the other languages.
    EXPECT_EQ(TextFileDecoder::decode("caf\xe9", 1252), "café\n");

    EXPECT_EQ(TextFileDecoder::legacyCodePage("0"), 936);
    EXPECT_EQ(TextFileDecoder::legacyCodePage("1"), 1252);
    EXPECT_EQ(TextFileDecoder::legacyCodePage("2"), 1252);
}

TEST(TextFileDecoderTest, JoinsLinesEachFollowedByANewline)
{
    EXPECT_EQ(TextFileDecoder::decode("", 936), "");
    EXPECT_EQ(TextFileDecoder::decode("one", 936), "one\n");
    EXPECT_EQ(TextFileDecoder::decode("one\n", 936), "one\n");
    EXPECT_EQ(TextFileDecoder::decode("one\n\ntwo\r\n", 936), "one\n\ntwo\n");
    // A lone carriage return inside a line is kept; only the one before the line end goes.
    EXPECT_EQ(TextFileDecoder::decode("a\rb\r\n", 936), "a\rb\n");
}

TEST(TextFileDecoderTest, ReadsFilesAndReportsUnreadableOnes)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("speech.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xc7\xeb\xd7\xf8\xa1\xa3\r\n");
    file.close();

    QString text = "unchanged";
    ASSERT_TRUE(TextFileDecoder::readFile(path, 936, &text));
    EXPECT_EQ(text, "请坐。\n");

    text = "unchanged";
    EXPECT_FALSE(TextFileDecoder::readFile(folder.filePath("missing.txt"), 936, &text));
    EXPECT_FALSE(TextFileDecoder::readFile(folder.path(), 936, &text));
    EXPECT_EQ(text, "unchanged");
}
