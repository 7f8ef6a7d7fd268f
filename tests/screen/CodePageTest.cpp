#include "screen/CodePage.h"
#include "RtfTestPrinters.h"

#include <gtest/gtest.h>

TEST(CodePageTest, DecodesLegacyBytes)
{
    bool ok = false;
    EXPECT_EQ(CodePage::decode("\xbb\xe1\xd2\xe9 ok", 936, &ok), "会议 ok");
    EXPECT_TRUE(ok);
    EXPECT_EQ(CodePage::decode("caf\xe9 \x80", 1252, &ok), "café €");
    EXPECT_TRUE(ok);
    EXPECT_EQ(CodePage::decode("\xa4\xa4\xa4\xe5", 950, &ok), "中文");
    EXPECT_EQ(CodePage::decode("\xcf\xf0\xe0", 1251, &ok), "Пра");

    // An invalid byte and a lead byte cut off at the end each become one replacement character.
    EXPECT_EQ(CodePage::decode("a\xff"
                               "b\xbb",
                               936, &ok),
              QStringLiteral("a\uFFFDb\uFFFD"));
    EXPECT_FALSE(ok);
    // An unknown code page keeps the bytes as Latin-1 and says so.
    EXPECT_EQ(CodePage::decode("caf\xe9", 12345, &ok), "café");
    EXPECT_FALSE(ok);
    EXPECT_FALSE(CodePage::isSupported(12345));
    EXPECT_TRUE(CodePage::isSupported(936));

    // Long input crosses the converter's internal buffer.
    const QByteArray many = QByteArray("\xd6\xd0").repeated(5000);
    EXPECT_EQ(CodePage::decode(many, 936, &ok), QString("中").repeated(5000));
    EXPECT_TRUE(ok);
}

TEST(CodePageTest, EncodesAndLeavesOutWhatTheCodePageLacks)
{
    bool ok = false;
    EXPECT_EQ(CodePage::encode("宋体", 936, &ok), QByteArray("\xcb\xce\xcc\xe5"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(CodePage::encode("x宋y", 1252, &ok), QByteArray("xy"));
    EXPECT_FALSE(ok);
    EXPECT_EQ(CodePage::encode(QStringLiteral("a\U0001F600b"), 936, &ok), QByteArray("ab"));
    EXPECT_FALSE(ok);
}

TEST(CodePageTest, CharsetNumbers)
{
    EXPECT_EQ(CodePage::fromCharset(134), 936);
    EXPECT_EQ(CodePage::fromCharset(0), 1252);
    EXPECT_EQ(CodePage::fromCharset(136), 950);
    EXPECT_EQ(CodePage::fromCharset(1), 0);
    EXPECT_EQ(CodePage::fromCharset(99), 0);
    for (int codePage : {936, 950, 932, 949, 1250, 1251, 1253, 1254, 1255, 1256, 1257, 1258, 874})
        EXPECT_EQ(CodePage::fromCharset(CodePage::toCharset(codePage)), codePage) << codePage;
}
