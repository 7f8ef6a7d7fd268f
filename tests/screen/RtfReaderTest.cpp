#include "screen/RtfReader.h"
#include "RtfTestPrinters.h"

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

// The first picture of the document.
QImage pictureOf(const QTextDocument& document, QTextImageFormat* format = nullptr)
{
    const QTextImageFormat image =
        formatOf(document, QString(QChar::ObjectReplacementCharacter)).toImageFormat();
    if (format)
        *format = image;
    return document.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
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
    QStringList runs;
    for (auto it = document.findBlockByNumber(2).begin(); !it.atEnd(); ++it) {
        const QTextCharFormat f = it.fragment().charFormat();
        runs.append(it.fragment().text() + "|" +
                    (f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : "-") +
                    "|" +
                    (f.hasProperty(QTextFormat::BackgroundBrush) ? f.background().color().name() : "-"));
    }
    EXPECT_EQ(runs,
              QStringList({"Red words|#ff0000|-", " and |-|-", "blue on yellow|#0000ff|#ffff00", ".|-|-"}));

    // GBK bytes in the text and in the font name.
    ASSERT_EQ(reader.read(fixture("chinese_gbk.rtf"), &document), RtfReader::Status::Ok);
    EXPECT_EQ(document.toPlainText(), "会议开始。\n请代表签到！ OK");
    EXPECT_EQ(familyOf(formatOf(document, "会议")), "宋体");

    ASSERT_EQ(reader.read(fixture("unicode_uc.rtf"), &document), RtfReader::Status::Ok);
    EXPECT_EQ(document.toPlainText(),
              QStringLiteral("Cafés 会议 end\nTwo中 fallback\nNone€done\nSmile \U0001F600 !"));
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
        {"raw bytes above 0x7f are code page bytes", "{\\rtf1\\ansi\\ansicpg936 \xbb\xe1}", "会"},
        {"an invalid GBK sequence is marked, not dropped", "{\\rtf1\\ansi\\ansicpg936 a\\'ffb}",
         QStringLiteral("a\uFFFDb")},
        {"an unknown code page falls back to Windows-1252", "{\\rtf1\\ansi\\ansicpg99999 caf\\'e9}", "café"},
        {"WordPad's bullet list in Symbol",
         "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil\\fcharset2 Symbol;}}"
         "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'B7}}\\f0 First\\par"
         "{\\pntext\\f1\\'B7\\tab}Second}",
         QStringLiteral("\u2022\tFirst\u2029\u2022\tSecond")},
        {"Word's bullets in Wingdings",
         "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f5\\fcharset2 Wingdings;}}{\\listtext\\f5 \\'a7\\tab}\\f0 Item "
         "{\\f5 v}}",
         QStringLiteral("\u25AA\tItem \u2756")},
        {"the fallback count belongs to the group; a brace ends it early",
         "{\\rtf1 {\\uc3 \\u20013ab}c\\u20013?d}", "中c中d"},
        {"a control word is one fallback character", "{\\rtf1\\uc1 \\u20013\\'3f x}", "中 x"},
        {"a huge fallback count is cut", "{\\rtf1 {\\uc2147483647 \\u20013 abc}d}", "中d"},
        {"a final \\par adds no paragraph, a second one does", "{\\rtf1 one\\par\\par two\\par}",
         QStringLiteral("one\u2029\u2029two")},
        {"escaped symbols", "{\\rtf1 a\\{b\\}c\\\\d\\~e\\emdash f\\lquote g\\rquote}",
         QStringLiteral("a{b}c\\d\u00A0e\u2014f\u2018g\u2019")},
        {"a space ends a control word, a second one is text; file line ends are not",
         "{\\rtf1 \\b  x\\b0  y\r\nz}", " x yz"},
        {"hidden text and ignored destinations stay out, field results in",
         "{\\rtf1 a{\\v hidden}b{\\*\\unknown c}d{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}"
         "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Agenda}}e}",
         "abdlinke"},
        {"objects show their result, Unicode pairs the Unicode part",
         "{\\rtf1 {\\object\\objemb{\\*\\objclass Paint}{\\*\\objdata 0102}{\\result shown}}"
         "{\\upr{ansi}{\\*\\ud{uni}}}}",
         "shownuni"},
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

TEST(RtfReaderTest, AssociatedPropertiesApplyToDoubleByteText)
{
    // As LibreOffice writes Chinese: Western properties with \f, \fs, \b; Asian ones after \dbch.
    QTextDocument document;
    RtfReader reader;
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
    for (const char* latin : {"Latin", "Back"}) {
        EXPECT_DOUBLE_EQ(formatOf(document, latin).fontPointSize(), 12.0) << latin;
        EXPECT_NE(formatOf(document, latin).fontWeight(), QFont::Bold) << latin;
    }

    // Word marks Chinese text \loch and formats it with the ordinary properties.
    ASSERT_EQ(
        reader.read("{\\rtf1\\ansicpg936{\\fonttbl{\\f13\\fcharset134 SimSun;}}"
                    "{\\rtlch\\af0\\afs44 \\ltrch\\b\\fs44\\hich\\af13\\dbch\\af13\\loch\\f13 \\'b5\\'da}}",
                    &document),
        RtfReader::Status::Ok);
    EXPECT_EQ(formatOf(document, "第").fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(formatOf(document, "第").fontPointSize(), 22.0);
}

TEST(RtfReaderTest, PicturesBecomeImageResourcesWithTheirGoalSize)
{
    QTextDocument document;
    RtfReader reader;
    ASSERT_EQ(reader.read(fixture("picture_png.rtf"), &document), RtfReader::Status::Ok);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("Before \uFFFC after\nMetafile skipped"));
    // The metafile in the text is left out; the one in \nonshppict is a duplicate and not counted.
    EXPECT_EQ(reader.skippedPictures(), 1);
    QTextImageFormat format;
    QImage picture = pictureOf(document, &format);
    EXPECT_DOUBLE_EQ(format.width(), 80.0); // 1200 twips
    EXPECT_DOUBLE_EQ(format.height(), 60.0);
    ASSERT_EQ(picture.size(), QSize(4, 3));
    EXPECT_EQ(QColor(picture.pixel(3, 1)), QColor(0, 255, 0));

    // A 2 x 1 DIB: BITMAPINFOHEADER (40 bytes, 24 bits), one row blue-green-red, padded to 4 bytes.
    const QByteArray dib =
        "280000000200000001000000010018000000000008000000" + QByteArray(32, '0') + "0000ff00ff000000";
    ASSERT_EQ(reader.read("{\\rtf1{\\pict\\dibitmap0\\picw2\\pich1 " + dib + "}}", &document),
              RtfReader::Status::Ok);
    picture = pictureOf(document);
    ASSERT_EQ(picture.size(), QSize(2, 1));
    EXPECT_EQ(QColor(picture.pixel(0, 0)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(picture.pixel(1, 0)), QColor(0, 255, 0));

    // A monochrome device-dependent bitmap, 3 x 2 pixels, two bytes per row.
    ASSERT_EQ(reader.read("{\\rtf1{\\pict\\wbitmap0\\picw3\\pich2\\wbmbitspixel1\\wbmwidthbytes2 a0004000}}",
                          &document),
              RtfReader::Status::Ok);
    picture = pictureOf(document);
    ASSERT_EQ(picture.size(), QSize(3, 2));
    EXPECT_EQ(QColor(picture.pixel(1, 0)), QColor(Qt::black));
    EXPECT_EQ(QColor(picture.pixel(1, 1)), QColor(Qt::white));
}

TEST(RtfReaderTest, NotRtfLeavesTheDocumentAloneAndReadingIsNoUndoableEdit)
{
    QTextDocument document;
    document.setPlainText("kept");
    RtfReader reader;
    EXPECT_EQ(reader.read("plain text", &document), RtfReader::Status::NotRtf);
    EXPECT_EQ(reader.read("", &document), RtfReader::Status::NotRtf);
    EXPECT_EQ(reader.readFile("/nonexistent/file.rtf", &document), RtfReader::Status::CannotOpen);
    EXPECT_FALSE(reader.errorString().isEmpty());
    EXPECT_EQ(document.toPlainText(), "kept");

    document.setUndoRedoEnabled(true);
    // A byte-order mark and blanks before the header are accepted.
    ASSERT_EQ(reader.read("\xEF\xBB\xBF \r\n{\\rtf1 x}", &document), RtfReader::Status::Ok);
    EXPECT_EQ(document.toPlainText(), "x");
    EXPECT_FALSE(document.isUndoAvailable());
}

TEST(RtfReaderTest, DamagedOrHostileInputKeepsWhatWasReadable)
{
    const int depth = 100000;
    const int allowed = RtfReader::kMaxDepth - 1;
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
        {"unclosed groups", "{\\rtf1 {\\b bold {\\i both", RtfReader::Status::Damaged, "bold both", 0},
        {"blanks and NUL bytes after the final brace", QByteArray("{\\rtf1 x}\r\n\0\0", 13),
         RtfReader::Status::Ok, "x", 0},
        {"deep nesting is cut off",
         "{\\rtf1 start" + QByteArray(depth, '{') + "deep" + QByteArray(depth, '}') + " end}",
         RtfReader::Status::Damaged, "start end", 0},
        {"nesting within the limit",
         "{\\rtf1 a" + QByteArray(allowed, '{') + "b" + QByteArray(allowed, '}') + "c}",
         RtfReader::Status::Ok, "abc", 0},
        {"a large picture Qt cannot decode", "{\\rtf1 before{\\pict\\pngblip " + noise.toHex() + "}after}",
         RtfReader::Status::Ok, "beforeafter", 1},
        {"binary picture data over the limit",
         "{\\rtf1 before{\\pict\\pngblip\\bin" + QByteArray::number(overLimit.size()) + ' ' + overLimit +
             "}after}",
         RtfReader::Status::Damaged, "beforeafter", 1},
        {"a bitmap shorter than its size promises",
         "{\\rtf1 a{\\pict\\wbitmap0\\picw300\\pich200\\wbmbitspixel24 ffff}b}", RtfReader::Status::Ok, "ab",
         1},
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
    for (const char* cut : {"{\\rtf1 a\\", "{\\rtf1 a\\'4", "{\\rtf1 a\\u-", "{\\rtf1 a\\bin99",
                            "{\\rtf1 a{\\pict\\pngblip 89504"}) {
        EXPECT_EQ(reader.read(cut, &document), RtfReader::Status::Damaged) << cut;
        EXPECT_TRUE(document.toPlainText().startsWith("a")) << cut;
    }
}

TEST(RtfReaderTest, GarbageAndMutatedFixturesNeverCrashOrHang)
{
    QRandomGenerator random(4242);
    const QByteArray specials = "{}\\'*;abcdefuvbinpictparfs0123456789- \r\n\x80\xff";
    auto randomByte = [&](int round) {
        return round % 2 ? static_cast<char>(random.bounded(256))
                         : specials[random.bounded(static_cast<int>(specials.size()))];
    };
    QTextDocument document;
    RtfReader reader;
    // "" stands for random bytes after a header; the fixtures get a few random edits each.
    for (const char* name : {"", "english.rtf", "chinese_gbk.rtf", "unicode_uc.rtf", "picture_png.rtf"}) {
        const QByteArray original = *name ? fixture(name) : QByteArray();
        for (int round = 0; round < 150; ++round) {
            QByteArray rtf = original;
            if (!*name) {
                rtf = "{\\rtf1 ";
                for (int i = random.bounded(2000); i > 0; --i)
                    rtf.append(randomByte(round));
            }
            for (int change = *name ? 1 + random.bounded(8) : 0; change > 0; --change) {
                const int at = random.bounded(static_cast<int>(rtf.size()));
                const int edit = random.bounded(3);
                if (edit == 0)
                    rtf[at] = randomByte(round);
                else if (edit == 1)
                    rtf.insert(at, randomByte(round));
                else
                    rtf.truncate(qMax(6, at));
            }
            const RtfReader::Status status = reader.read(rtf, &document);
            ASSERT_TRUE(status == RtfReader::Status::Ok || status == RtfReader::Status::Damaged ||
                        !rtf.startsWith("{\\rtf"))
                << name << " " << round;
        }
    }
}
