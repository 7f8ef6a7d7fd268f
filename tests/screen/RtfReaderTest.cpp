#include "RtfReader.h"

#include <QTextDocument>

#include <gtest/gtest.h>

TEST(RtfReaderTest, PlainTextIsNotRtf)
{
    QTextDocument document;
    RtfReader reader;
    EXPECT_EQ(reader.read("hello", &document), RtfReader::Status::NotRtf);
}
