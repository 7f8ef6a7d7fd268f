#include "screen/CodePage.h"
#include "link/QtPrinters.h"

#include <gtest/gtest.h>

TEST(CodePageTest, DecodesLegacyBytesAndMarksWhatItCannot)
{
    bool ok = false;
    EXPECT_EQ(CodePage::decode("\xbb\xe1\xd2\xe9 ok", 936, &ok), "会议 ok");
    EXPECT_TRUE(ok);
    // An invalid byte and a lead byte cut off at the end each become one replacement character.
    EXPECT_EQ(CodePage::decode("a\xff"
                               "b\xbb",
                               936, &ok),
              QStringLiteral("a\uFFFDb\uFFFD"));
    EXPECT_FALSE(ok);
    // An unknown code page keeps the bytes as Latin-1 and says so.
    EXPECT_EQ(CodePage::decode("caf\xe9", 12345, &ok), "café");
    EXPECT_FALSE(ok);

    // Long input crosses the converter's internal buffer.
    const QByteArray many = QByteArray("\xd6\xd0").repeated(5000);
    EXPECT_EQ(CodePage::decode(many, 936, &ok), QString("中").repeated(5000));
    EXPECT_TRUE(ok);
    // The Hebrew and Vietnamese converters hold a letter back for a combining mark that may
    // follow: it must come out at the end and before an invalid byte.
    EXPECT_EQ(CodePage::decode("\xa2", 1258, &ok), "¢");
    EXPECT_EQ(CodePage::decode("\xf9\xec\xe5\xed", 1255, &ok), "שלום");
    EXPECT_EQ(CodePage::decode("\xe0\xff", 1255, &ok), QStringLiteral("א\uFFFD"));
    EXPECT_FALSE(ok);
    EXPECT_EQ(CodePage::encode("宋体", 936, &ok), QByteArray("\xcb\xce\xcc\xe5"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(CodePage::encode("x宋y", 1252, &ok), QByteArray("xy"));
    EXPECT_FALSE(ok);
}
