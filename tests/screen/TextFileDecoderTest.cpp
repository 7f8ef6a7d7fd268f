#include "screen/TextFileDecoder.h"
#include "link/QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(TextFileDecoderTest, ChoosesTheEncodingAndEndsEveryLine)
{
    const struct
    {
        QByteArray bytes;
        int legacy;
        QString text;
    } cases[] = {
        // GBK with Windows line ends, as Chinese Notepad saves it.
        {"\xbb\xe1\r\n\xd2\xe9\r\n", 936, "会\n议\n"},
        // UTF-8 without a mark is recognised even when the legacy code page is GBK.
        {"会议", 936, "会议\n"},
        {"\xEF\xBB\xBF"
         "café",
         1252, "café\n"},
        {QByteArray("\xFF\xFEO\0K\0", 6), 936, "OK\n"},
        {"one\n\ntwo\r\n", 936, "one\n\ntwo\n"},
        // A lone carriage return inside a line is kept; only the one before the line end goes.
        {"a\rb\r\n", 936, "a\rb\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextFileDecoder::decode(c.bytes, c.legacy), c.text) << c.bytes.toHex().constData();
    QTemporaryDir folder;
    QString text = "unchanged";
    EXPECT_FALSE(TextFileDecoder::readFile(folder.path(), 936, &text));
    EXPECT_EQ(text, "unchanged");
}
