#include "screen/RtfReader.h"
#include "link/QtPrinters.h"

#include <QFile>
#include <QFont>
#include <QImage>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

QByteArray fixture(const char* name)
{
    QFile file(QStringLiteral(RTF_FIXTURES "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing fixture " << name;
    return file.readAll();
}

// The character format of the first fragment holding the text.
QTextCharFormat formatOf(const QTextDocument& document, const QString& text)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().text().contains(text))
                return it.fragment().charFormat();
    ADD_FAILURE() << "text not found: " << text.toStdString();
    return QTextCharFormat();
}

QString familyOf(const QTextCharFormat& format)
{
    return format.fontFamilies().toStringList().value(0);
}

Qt::Alignment alignmentOf(const QTextDocument& document, int block)
{
    return document.findBlockByNumber(block).blockFormat().alignment() & Qt::AlignHorizontal_Mask;
}

} // namespace

TEST(RtfReaderTest, FixturesKeepTextAndFormats)
{
    QTextDocument document;
    RtfReader reader;
    ASSERT_EQ(reader.read(fixture("english.rtf"), &document), RtfReader::Status::Ok);
    EXPECT_EQ(document.toRawText(),
              QStringLiteral("Annual Meeting\u2029The chair opens the session and reads the "
                             "agenda.\u2029Red words and blue on yellow.\u2029"
                             "Struck\tafter tab\u2028next line"));
    // Each paragraph keeps its own alignment.
    EXPECT_EQ(QList<Qt::Alignment>({alignmentOf(document, 0), alignmentOf(document, 1),
                                    alignmentOf(document, 2), alignmentOf(document, 3)}),
              QList<Qt::Alignment>({Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignRight, Qt::AlignJustify}));
    const QTextCharFormat title = formatOf(document, "Annual");
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 20.0);
    EXPECT_EQ(familyOf(title), "Arial");
    EXPECT_TRUE(formatOf(document, "session").fontItalic());
    EXPECT_FALSE(formatOf(document, " and reads").fontItalic());
    // \cf0 returns to the automatic colour and \highlight0 to no background.
    EXPECT_EQ(formatOf(document, "Red").foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatOf(document, "blue").background().color(), QColor(255, 255, 0));
    EXPECT_FALSE(formatOf(document, " and ").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_FALSE(formatOf(document, ".").hasProperty(QTextFormat::BackgroundBrush));

    // GBK bytes in the text and in the font name.
    ASSERT_EQ(reader.read(fixture("chinese_gbk.rtf"), &document), RtfReader::Status::Ok);
    EXPECT_EQ(document.toPlainText(), "会议开始。\n请代表签到！ OK");
    EXPECT_EQ(familyOf(formatOf(document, "会议")), "宋体");

    ASSERT_EQ(reader.read(fixture("unicode_uc.rtf"), &document), RtfReader::Status::Ok);
    EXPECT_EQ(document.toPlainText(),
              QStringLiteral("Cafés 会议 end\nTwo中 fallback\nNone€done\nSmile \U0001F600 !"));

    // As LibreOffice writes Chinese: Western properties with \f, \fs, \b; Asian ones after \dbch.
    ASSERT_EQ(reader.read("{\\rtf1{\\fonttbl{\\f1 Arial;}{\\f2 SimSun;}{\\f3 Complex;}}"
                          "\\rtlch\\af3\\afs40\\ab \\ltrch\\f1\\fs24\\dbch\\af2 "
                          "{\\loch\\f1 Latin}{\\dbch\\afs44\\ab\\dbch \\u20013?}{\\hich\\f1 Back}}",
                          &document),
              RtfReader::Status::Ok);
    const QTextCharFormat chinese = formatOf(document, "中");
    EXPECT_EQ(familyOf(chinese), "SimSun");
    EXPECT_DOUBLE_EQ(chinese.fontPointSize(), 22.0);
    EXPECT_EQ(chinese.fontWeight(), QFont::Bold);
    // Right-to-left associated properties do not leak into other text.
    EXPECT_DOUBLE_EQ(formatOf(document, "Back").fontPointSize(), 12.0);
    EXPECT_NE(formatOf(document, "Latin").fontWeight(), QFont::Bold);
}

TEST(RtfReaderTest, DecodesCodePagesEscapesAndDestinationsToText)
{
    // "中文" in GBK is d6 d0 ce c4.
    const struct
    {
        const char* why;
        QByteArray rtf;
        QString text;
    } cases[] = {
        {"a GB2312 font in a Western document",
         "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset134 SimSun;}}\\f1 "
         "\\'d6\\'d0\\'ce\\'c4}",
         "中文"},
        {"no font table: the document's code page", "{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce\\'c4}",
         "中文"},
        {"a Western font in a Chinese document keeps Western bytes",
         "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset134 SimSun;}}"
         "\\f0 caf\\'e9 \\f1 \\'d6\\'d0}",
         "café 中"},
        {"an invalid GBK sequence is marked, not dropped", "{\\rtf1\\ansi\\ansicpg936 a\\'ffb}",
         QStringLiteral("a\uFFFDb")},
        {"a Vietnamese run keeps its last letter",
         "{\\rtf1{\\fonttbl{\\f0\\fcharset163 X;}}\\f0 Vi\\'eat Nam}", "Viêt Nam"},
        {"a Hebrew word keeps its last letter",
         "{\\rtf1{\\fonttbl{\\f0\\fcharset177 X;}}\\f0 \\'f9\\'ec\\'e5\\'ed ok}", "שלום ok"},
        {"the fallback count belongs to the group; a brace ends it early",
         "{\\rtf1 {\\uc3 \\u20013ab}c\\u20013?d}", "中c中d"},
        {"a huge fallback count is cut", "{\\rtf1 {\\uc2147483647 \\u20013 abc}d}", "中d"},
        {"hidden text and ignored destinations stay out, field results in",
         "{\\rtf1 a{\\v hidden}b{\\*\\unknown c}d{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}"
         "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Agenda}}e}",
         "abdlinke"},
        {"Word's table rows become tab-separated paragraphs",
         "{\\rtf1 Before\\par\\trowd\\cellx1000\\cellx2000\\pard\\intbl {A\\cell }{B\\cell }"
         "\\pard\\intbl{\\trowd\\cellx1000\\cellx2000\\row }"
         "\\trowd\\cellx1000\\cellx2000\\pard\\intbl {\\cell }{D\\cell }{\\row }\\pard After}",
         QStringLiteral("Before\u2029A\tB\u2029\tD\u2029After")},
    };
    for (const auto& c : cases) {
        QTextDocument document;
        RtfReader reader;
        EXPECT_EQ(reader.read(c.rtf, &document), RtfReader::Status::Ok) << c.why;
        EXPECT_EQ(document.toRawText(), c.text) << c.why;
    }
}

TEST(RtfReaderTest, PicturesBecomeImageResourcesWithTheirGoalSize)
{
    QTextDocument document;
    RtfReader reader;
    ASSERT_EQ(reader.read(fixture("picture_png.rtf"), &document), RtfReader::Status::Ok);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("Before \uFFFC after\nMetafile skipped"));
    // The metafile in the text is left out; the one in \nonshppict is a duplicate and not counted.
    EXPECT_EQ(reader.skippedPictures(), 1);
    const QTextImageFormat format =
        formatOf(document, QString(QChar::ObjectReplacementCharacter)).toImageFormat();
    const QImage picture =
        document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    EXPECT_DOUBLE_EQ(format.width(), 80.0); // 1200 twips
    EXPECT_DOUBLE_EQ(format.height(), 60.0);
    ASSERT_EQ(picture.size(), QSize(4, 3));
    EXPECT_EQ(QColor(picture.pixel(3, 1)), QColor(0, 255, 0));
}

TEST(RtfReaderTest, DamagedOrHostileInputKeepsWhatWasReadable)
{
    const int depth = 100000;
    // A 10 MB picture: a PNG header and noise, so Qt refuses it only after reading it all.
    QByteArray noise("\x89PNG\r\n\x1a\n", 8);
    noise.resize(10 * 1024 * 1024);
    QRandomGenerator random(7);
    for (qsizetype i = 8; i < noise.size(); ++i)
        noise[i] = static_cast<char>(random.bounded(256));
    const QByteArray overLimit(RtfReader::kMaxPictureBytes + 1, '{');
    const struct
    {
        const char* why;
        QByteArray rtf;
        RtfReader::Status status;
        QString text;
        int skipped;
    } cases[] = {
        {"extra closing braces end the document", fixture("malformed.rtf"), RtfReader::Status::Damaged,
         "Bold start ", 0},
        {"not RTF", "plain text", RtfReader::Status::NotRtf, "", 0},
        {"unclosed groups", "{\\rtf1 {\\b bold {\\i both", RtfReader::Status::Damaged, "bold both", 0},
        {"deep nesting is cut off",
         "{\\rtf1 start" + QByteArray(depth, '{') + "deep" + QByteArray(depth, '}') + " end}",
         RtfReader::Status::Damaged, "start end", 0},
        {"a large picture Qt cannot decode", "{\\rtf1 before{\\pict\\pngblip " + noise.toHex() + "}after}",
         RtfReader::Status::Ok, "beforeafter", 1},
        {"binary picture data over the limit",
         "{\\rtf1 before{\\pict\\pngblip\\bin" + QByteArray::number(overLimit.size()) + ' ' + overLimit +
             "}after}",
         RtfReader::Status::Damaged, "beforeafter", 1},
        {"a \\bin count beyond the end", "{\\rtf1 a\\bin2147483647 xyz", RtfReader::Status::Damaged, "a", 0},
        {"\\bin outside a picture skips braces", "{\\rtf1 a\\bin3 }}}b}", RtfReader::Status::Ok, "ab", 0},
        {"out-of-range parameters",
         "{\\rtf1{\\colortbl;\\red300\\green-5\\blue0;}\\cf1 a\\cf99 b\\f77 c\\fs0 d\\fs99999999999 e"
         "\\highlight-3 g\\u h}",
         RtfReader::Status::Ok, "abcdegh", 0},
    };
    for (const auto& c : cases) {
        QTextDocument document;
        RtfReader reader;
        EXPECT_EQ(reader.read(c.rtf, &document), c.status) << c.why;
        EXPECT_EQ(document.toPlainText(), c.text) << c.why;
        EXPECT_EQ(reader.skippedPictures(), c.skipped) << c.why;
        if (c.status == RtfReader::Status::Damaged) {
            EXPECT_FALSE(reader.errorString().isEmpty()) << c.why;
        }
    }

    QTextDocument document;
    RtfReader reader;
    // A file cut in the middle keeps the paragraphs before the cut, with their formats.
    EXPECT_EQ(reader.read(fixture("truncated.rtf"), &document), RtfReader::Status::Damaged);
    EXPECT_TRUE(document.toPlainText().endsWith("Red words and "));
    EXPECT_EQ(formatOf(document, "Red words").foreground().color(), QColor(255, 0, 0));
    for (const char* cut : {"{\\rtf1 a\\'4", "{\\rtf1 a\\bin99", "{\\rtf1 a{\\pict\\pngblip 89504"}) {
        EXPECT_EQ(reader.read(cut, &document), RtfReader::Status::Damaged) << cut;
        EXPECT_TRUE(document.toPlainText().startsWith("a")) << cut;
    }
}
