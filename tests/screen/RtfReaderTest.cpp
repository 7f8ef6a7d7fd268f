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

QStringList blockTexts(const QTextDocument& document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts.append(block.text());
    return texts;
}

QTextBlock blockAt(const QTextDocument& document, int number)
{
    return document.findBlockByNumber(number);
}

// The character format of the first character of the given text in the document.
QTextCharFormat formatOf(const QTextDocument& document, const QString& text)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().contains(text))
                return it.fragment().charFormat();
        }
    }
    ADD_FAILURE() << "text not found: " << text.toStdString();
    return QTextCharFormat();
}

QString familyOf(const QTextCharFormat& format)
{
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.first();
}

QString readText(const QByteArray& rtf, RtfReader::Status expected = RtfReader::Status::Ok)
{
    QTextDocument document;
    RtfReader reader;
    EXPECT_EQ(reader.read(rtf, &document), expected) << reader.errorString().toStdString();
    return document.toRawText();
}

} // namespace

TEST(RtfReaderTest, EnglishDocumentKeepsCharacterAndParagraphFormats)
{
    QTextDocument document;
    RtfReader reader;
    ASSERT_EQ(reader.read(fixture("english.rtf"), &document), RtfReader::Status::Ok);

    EXPECT_EQ(
        blockTexts(document),
        QStringList({"Annual Meeting", "The chair opens the session and reads the agenda.",
                     "Red words and blue on yellow.", QStringLiteral("Struck\tafter tab\u2028next line")}));
    EXPECT_EQ(blockAt(document, 0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(blockAt(document, 1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(blockAt(document, 2).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(blockAt(document, 3).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);

    const QTextCharFormat title = formatOf(document, "Annual");
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 20.0);
    EXPECT_EQ(familyOf(title), "Arial");

    const QTextCharFormat body = formatOf(document, "The chair");
    EXPECT_NE(body.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(body.fontPointSize(), 12.0);
    EXPECT_TRUE(formatOf(document, "session").fontItalic());
    EXPECT_FALSE(formatOf(document, " and reads").fontItalic());
    EXPECT_TRUE(formatOf(document, "agenda").fontUnderline());
    EXPECT_TRUE(formatOf(document, "Struck").fontStrikeOut());
    EXPECT_FALSE(formatOf(document, "after tab").fontStrikeOut());

    const QTextCharFormat red = formatOf(document, "Red words");
    EXPECT_EQ(familyOf(red), "Times New Roman");
    EXPECT_EQ(red.foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(red.hasProperty(QTextFormat::BackgroundBrush));
    const QTextCharFormat highlighted = formatOf(document, "blue on yellow");
    EXPECT_EQ(highlighted.foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(highlighted.background().color(), QColor(255, 255, 0));
    // \cf0 returns to the automatic colour and \highlight0 to no background.
    QStringList runs;
    for (auto it = blockAt(document, 2).begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        runs.append(
            it.fragment().text() + "|" +
            (format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color().name() : "-") +
            "|" +
            (format.hasProperty(QTextFormat::BackgroundBrush) ? format.background().color().name() : "-"));
    }
    EXPECT_EQ(runs,
              QStringList({"Red words|#ff0000|-", " and |-|-", "blue on yellow|#0000ff|#ffff00", ".|-|-"}));

    // Document information and generator groups are not text.
    EXPECT_FALSE(document.toPlainText().contains("Agenda"));
    EXPECT_FALSE(document.toPlainText().contains("Hand made"));
}

TEST(RtfReaderTest, ChineseDocumentDecodesGbkBytesAndFontName)
{
    QTextDocument document;
    RtfReader reader;
    ASSERT_EQ(reader.read(fixture("chinese_gbk.rtf"), &document), RtfReader::Status::Ok);
    EXPECT_EQ(blockTexts(document), QStringList({"会议开始。", "请代表签到！ OK"}));
    const QTextCharFormat format = formatOf(document, "会议");
    EXPECT_EQ(familyOf(format), "宋体");
    EXPECT_DOUBLE_EQ(format.fontPointSize(), 16.0);
    EXPECT_EQ(blockAt(document, 0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(blockAt(document, 1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

TEST(RtfReaderTest, CodePagesAndSymbolFontsDecodeToUnicode)
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
        {"no charset: the document's code page",
         "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0 SimSun;}}\\f0 \\'d6\\'d0\\'ce\\'c4}", "中文"},
        {"no font table", "{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce\\'c4}", "中文"},
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
        {"Word's square bullets in Wingdings",
         "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f5\\fcharset2 Wingdings;}}{\\listtext\\f5 \\'a7\\tab}\\f0 Item "
         "{\\f5 v}}",
         QStringLiteral("\u25AA\tItem \u2756")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readText(c.rtf), c.text) << c.why;
}

TEST(RtfReaderTest, AssociatedPropertiesApplyToDoubleByteText)
{
    // As LibreOffice writes Chinese text: Western properties with \\f, \\fs, \\b; Asian ones after \\dbch.
    QTextDocument document;
    RtfReader reader;
    ASSERT_EQ(reader.read("{\\rtf1{\\fonttbl{\\f1 Arial;}{\\f2 SimSun;}{\\f3 Complex;}}"
                          "\\rtlch\\af3\\afs40\\ab \\ltrch\\f1\\fs24\\dbch\\af2 "
                          "{\\loch\\f1 Latin}{\\dbch\\afs44\\ab\\dbch \\u20013?}{\\hich\\f1 Back}}",
                          &document),
              RtfReader::Status::Ok);
    EXPECT_EQ(document.toRawText(), "Latin中Back");
    const QTextCharFormat latin = formatOf(document, "Latin");
    EXPECT_EQ(familyOf(latin), "Arial");
    EXPECT_DOUBLE_EQ(latin.fontPointSize(), 12.0);
    EXPECT_NE(latin.fontWeight(), QFont::Bold);
    const QTextCharFormat chinese = formatOf(document, "中");
    EXPECT_EQ(familyOf(chinese), "SimSun");
    EXPECT_DOUBLE_EQ(chinese.fontPointSize(), 22.0);
    EXPECT_EQ(chinese.fontWeight(), QFont::Bold);
    // Right-to-left associated properties do not leak into other text.
    const QTextCharFormat back = formatOf(document, "Back");
    EXPECT_DOUBLE_EQ(back.fontPointSize(), 12.0);
    EXPECT_NE(back.fontWeight(), QFont::Bold);

    // Word marks Chinese text \\loch and formats it with the ordinary properties.
    ASSERT_EQ(
        reader.read("{\\rtf1\\ansicpg936{\\fonttbl{\\f13\\fcharset134 SimSun;}}"
                    "{\\rtlch\\af0\\afs44 \\ltrch\\b\\fs44\\hich\\af13\\dbch\\af13\\loch\\f13 \\'b5\\'da}}",
                    &document),
        RtfReader::Status::Ok);
    EXPECT_EQ(document.toRawText(), "第");
    EXPECT_EQ(formatOf(document, "第").fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(formatOf(document, "第").fontPointSize(), 22.0);
}

TEST(RtfReaderTest, UnicodeEscapesSkipTheirFallbackCharacters)
{
    QTextDocument document;
    RtfReader reader;
    ASSERT_EQ(reader.read(fixture("unicode_uc.rtf"), &document), RtfReader::Status::Ok);
    EXPECT_EQ(blockTexts(document), QStringList({"Cafés 会议 end", "Two中 fallback", "None€done",
                                                 QStringLiteral("Smile \U0001F600 !")}));

    // The fallback count belongs to the group; a closing brace ends the fallback early.
    EXPECT_EQ(readText("{\\rtf1 {\\uc3 \\u20013ab}c\\u20013?d}"), "中c中d");
    // A control word counts as one fallback character.
    EXPECT_EQ(readText("{\\rtf1\\uc1 \\u20013\\'3f x}"), "中 x");
}

TEST(RtfReaderTest, PngPictureBecomesAnImageResourceWithItsGoalSize)
{
    QTextDocument document;
    RtfReader reader;
    ASSERT_EQ(reader.read(fixture("picture_png.rtf"), &document), RtfReader::Status::Ok);
    EXPECT_EQ(blockTexts(document), QStringList({QStringLiteral("Before \uFFFC after"), "Metafile skipped"}));
    // The metafile in the text is left out; the one in \nonshppict is a duplicate and not counted.
    EXPECT_EQ(reader.skippedPictures(), 1);

    const QTextCharFormat format = formatOf(document, QString(QChar::ObjectReplacementCharacter));
    ASSERT_TRUE(format.isImageFormat());
    const QTextImageFormat image = format.toImageFormat();
    EXPECT_DOUBLE_EQ(image.width(), 80.0);  // 1200 twips
    EXPECT_DOUBLE_EQ(image.height(), 60.0); // 900 twips
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(image.name()));
    ASSERT_EQ(resource.typeId(), QMetaType::QImage);
    const QImage picture = resource.value<QImage>();
    ASSERT_EQ(picture.size(), QSize(4, 3));
    EXPECT_EQ(QColor(picture.pixel(0, 0)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(picture.pixel(3, 1)), QColor(0, 255, 0));
    EXPECT_EQ(QColor(picture.pixel(2, 2)), QColor(0, 0, 255));
}

TEST(RtfReaderTest, DeviceIndependentAndPlainBitmapsAreDecoded)
{
    // A 2 x 1 DIB: BITMAPINFOHEADER (40 bytes, one plane, 24 bits, 8 bytes of pixels), then one row
    // in blue-green-red order, padded to 4 bytes.
    const QByteArray dib =
        "280000000200000001000000010018000000000008000000" + QByteArray(32, '0') + "0000ff00ff000000";
    QTextDocument document;
    RtfReader reader;
    ASSERT_EQ(reader.read("{\\rtf1{\\pict\\dibitmap0\\picw2\\pich1 " + dib + "}}", &document),
              RtfReader::Status::Ok);
    QTextImageFormat format = formatOf(document, QString(QChar::ObjectReplacementCharacter)).toImageFormat();
    QImage picture = document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    ASSERT_EQ(picture.size(), QSize(2, 1));
    EXPECT_EQ(QColor(picture.pixel(0, 0)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(picture.pixel(1, 0)), QColor(0, 255, 0));

    // A monochrome device-dependent bitmap, 3 x 2 pixels, two bytes per row.
    ASSERT_EQ(reader.read("{\\rtf1{\\pict\\wbitmap0\\picw3\\pich2\\wbmbitspixel1\\wbmwidthbytes2 a0004000}}",
                          &document),
              RtfReader::Status::Ok);
    format = formatOf(document, QString(QChar::ObjectReplacementCharacter)).toImageFormat();
    picture = document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    ASSERT_EQ(picture.size(), QSize(3, 2));
    EXPECT_EQ(QColor(picture.pixel(0, 0)), QColor(Qt::white));
    EXPECT_EQ(QColor(picture.pixel(1, 0)), QColor(Qt::black));
    EXPECT_EQ(QColor(picture.pixel(2, 0)), QColor(Qt::white));
    EXPECT_EQ(QColor(picture.pixel(1, 1)), QColor(Qt::white));

    // Bitmaps whose data is shorter than their size promise are left out.
    ASSERT_EQ(reader.read("{\\rtf1 a{\\pict\\wbitmap0\\picw300\\pich200\\wbmbitspixel24 ffff}b}", &document),
              RtfReader::Status::Ok);
    EXPECT_EQ(document.toPlainText(), "ab");
    EXPECT_EQ(reader.skippedPictures(), 1);
}

TEST(RtfReaderTest, ParagraphMarksAndSpecialCharacters)
{
    // A final \par closes the last paragraph without adding an empty one; a second one does.
    QTextDocument document;
    RtfReader reader;
    reader.read("{\\rtf1 one\\par two\\par}", &document);
    EXPECT_EQ(blockTexts(document), QStringList({"one", "two"}));
    reader.read("{\\rtf1 one\\par\\par two}", &document);
    EXPECT_EQ(blockTexts(document), QStringList({"one", "", "two"}));
    // Alignment set after a \par belongs to the next paragraph only.
    reader.read("{\\rtf1\\qc one\\par\\pard two}", &document);
    EXPECT_EQ(blockAt(document, 0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(blockAt(document, 1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

    EXPECT_EQ(readText("{\\rtf1 a\\{b\\}c\\\\d\\~e\\emdash f\\lquote g\\rquote}"),
              QStringLiteral("a{b}c\\d\u00A0e\u2014f\u2018g\u2019"));
    // A space ends a control word and is not text; a second space is.
    EXPECT_EQ(readText("{\\rtf1 \\b  x\\b0  y}"), " x y");
    // Line ends in the file are not text.
    EXPECT_EQ(readText("{\\rtf1 ab\r\ncd}"), "abcd");
    // Hidden text and ignored destinations stay out of the text; field results stay in.
    EXPECT_EQ(
        readText("{\\rtf1 a{\\v hidden}b{\\*\\unknown c}d{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}"
                 "{\\stylesheet{\\s0 Normal;}}e}"),
        "abdlinke");
    // Objects show their result, Unicode pairs show the Unicode part.
    EXPECT_EQ(readText("{\\rtf1 {\\object\\objemb{\\*\\objclass Paint}{\\*\\objdata 0102}{\\result shown}}"
                       "{\\upr{ansi}{\\*\\ud{uni}}}}"),
              "shownuni");
}

TEST(RtfReaderTest, TableRowsBecomeTabSeparatedParagraphs)
{
    // As Word writes a two-row table: row properties repeated in a group before \\row.
    EXPECT_EQ(readText("{\\rtf1 Before\\par\\trowd\\cellx1000\\cellx2000\\pard\\intbl {A\\cell }{B\\cell }"
                       "\\pard\\intbl{\\trowd\\cellx1000\\cellx2000\\row }"
                       "\\trowd\\cellx1000\\cellx2000\\pard\\intbl {\\cell }{D\\cell }{\\row }\\pard After}"),
              QStringLiteral("Before\u2029A\tB\u2029\tD\u2029After"));
}

TEST(RtfReaderTest, NotRtfLeavesTheDocumentAlone)
{
    QTextDocument document;
    document.setPlainText("kept");
    RtfReader reader;
    EXPECT_EQ(reader.read("plain text", &document), RtfReader::Status::NotRtf);
    EXPECT_EQ(reader.read("", &document), RtfReader::Status::NotRtf);
    EXPECT_EQ(reader.readFile("/nonexistent/file.rtf", &document), RtfReader::Status::CannotOpen);
    EXPECT_FALSE(reader.errorString().isEmpty());
    EXPECT_EQ(document.toPlainText(), "kept");

    // Reading is not an edit that can be undone.
    document.setUndoRedoEnabled(true);
    ASSERT_EQ(reader.read("{\\rtf1 loaded}", &document), RtfReader::Status::Ok);
    EXPECT_FALSE(document.isUndoAvailable());
    EXPECT_TRUE(document.isUndoRedoEnabled());

    // A byte-order mark and blanks before the header are accepted.
    EXPECT_EQ(reader.read("\xEF\xBB\xBF \r\n{\\rtf1 x}", &document), RtfReader::Status::Ok);
    EXPECT_EQ(document.toPlainText(), "x");
}

TEST(RtfReaderTest, DamagedFilesKeepWhatWasReadable)
{
    QTextDocument document;
    RtfReader reader;
    // Extra closing braces end the document early; what follows is reported, not shown.
    EXPECT_EQ(reader.read(fixture("malformed.rtf"), &document), RtfReader::Status::Damaged);
    EXPECT_EQ(document.toPlainText(), "Bold start ");
    EXPECT_FALSE(reader.errorString().isEmpty());

    // A file cut in the middle keeps the paragraphs before the cut.
    EXPECT_EQ(reader.read(fixture("truncated.rtf"), &document), RtfReader::Status::Damaged);
    EXPECT_TRUE(document.toPlainText().startsWith("Annual Meeting\nThe chair opens"));
    EXPECT_TRUE(document.toPlainText().endsWith("Red words and "));
    EXPECT_EQ(formatOf(document, "Red words").foreground().color(), QColor(255, 0, 0));

    // Unclosed groups at the end of a well-formed body.
    EXPECT_EQ(reader.read("{\\rtf1 {\\b bold {\\i both", &document), RtfReader::Status::Damaged);
    EXPECT_EQ(document.toPlainText(), "bold both");
    EXPECT_TRUE(formatOf(document, "both").fontItalic());

    // Only blanks and NUL bytes may follow the final brace.
    EXPECT_EQ(reader.read(QByteArray("{\\rtf1 x}\r\n\0\0", 13), &document), RtfReader::Status::Ok);

    // Cut inside escapes.
    for (const char* cut : {"{\\rtf1 a\\", "{\\rtf1 a\\'", "{\\rtf1 a\\'4", "{\\rtf1 a\\u", "{\\rtf1 a\\u-",
                            "{\\rtf1 a\\bin", "{\\rtf1 a\\bin99", "{\\rtf1 a{\\pict\\pngblip 89504"}) {
        EXPECT_EQ(reader.read(cut, &document), RtfReader::Status::Damaged) << cut;
        EXPECT_TRUE(document.toPlainText().startsWith("a")) << cut;
    }
}

TEST(RtfReaderTest, DeepNestingIsCutOffWithoutExhaustingTheStack)
{
    const int depth = 100000;
    QByteArray rtf = "{\\rtf1 start";
    rtf += QByteArray(depth, '{') + "deep" + QByteArray(depth, '}') + " end}";
    QTextDocument document;
    RtfReader reader;
    EXPECT_EQ(reader.read(rtf, &document), RtfReader::Status::Damaged);
    EXPECT_EQ(document.toPlainText(), "start end");

    // Nesting within the limit is ordinary.
    const int allowed = RtfReader::kMaxDepth - 1;
    rtf = "{\\rtf1 a" + QByteArray(allowed, '{') + "b" + QByteArray(allowed, '}') + "c}";
    EXPECT_EQ(reader.read(rtf, &document), RtfReader::Status::Ok);
    EXPECT_EQ(document.toPlainText(), "abc");
}

TEST(RtfReaderTest, LargePicturesAreReadOrDroppedButTheTextSurvives)
{
    // A 10 MB picture: a valid PNG header followed by noise, so Qt refuses it after reading it all.
    QByteArray data("\x89PNG\r\n\x1a\n", 8);
    data.resize(10 * 1024 * 1024);
    QRandomGenerator random(7);
    for (qsizetype i = 8; i < data.size(); ++i)
        data[i] = static_cast<char>(random.bounded(256));
    QTextDocument document;
    RtfReader reader;
    EXPECT_EQ(reader.read("{\\rtf1 before{\\pict\\pngblip " + data.toHex() + "}after}", &document),
              RtfReader::Status::Ok);
    EXPECT_EQ(document.toPlainText(), "beforeafter");
    EXPECT_EQ(reader.skippedPictures(), 1);

    // Binary picture data with \bin, larger than the limit: dropped and reported.
    QByteArray binary(RtfReader::kMaxPictureBytes + 1, '{');
    const QByteArray rtf =
        "{\\rtf1 before{\\pict\\pngblip\\bin" + QByteArray::number(binary.size()) + ' ' + binary + "}after}";
    EXPECT_EQ(reader.read(rtf, &document), RtfReader::Status::Damaged);
    EXPECT_EQ(document.toPlainText(), "beforeafter");

    // A \bin count beyond the end of the data stops at the end.
    EXPECT_EQ(reader.read("{\\rtf1 a\\bin2147483647 xyz", &document), RtfReader::Status::Damaged);
    EXPECT_EQ(document.toPlainText(), "a");
    // \bin outside a picture skips its bytes, braces included.
    EXPECT_EQ(reader.read("{\\rtf1 a\\bin3 }}}b}", &document), RtfReader::Status::Ok);
    EXPECT_EQ(document.toPlainText(), "ab");
}

TEST(RtfReaderTest, OutOfRangeParametersAreHarmless)
{
    QTextDocument document;
    RtfReader reader;
    EXPECT_EQ(reader.read("{\\rtf1{\\colortbl;\\red300\\green-5\\blue0;}\\cf1 a\\cf99 b\\f77 c\\fs0 d"
                          "\\fs99999999999 e\\highlight-3 g\\u h}",
                          &document),
              RtfReader::Status::Ok);
    EXPECT_EQ(document.toPlainText(), "abcdegh");
    EXPECT_EQ(formatOf(document, "a").foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(formatOf(document, "b").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(formatOf(document, "d").fontPointSize(), 0.0);
    EXPECT_GT(formatOf(document, "e").fontPointSize(), 0.0);
    EXPECT_FALSE(formatOf(document, "g").hasProperty(QTextFormat::BackgroundBrush));
    // A huge fallback count is cut, and the group end stops it anyway.
    EXPECT_EQ(reader.read("{\\rtf1 {\\uc2147483647 \\u20013 abc}d}", &document), RtfReader::Status::Ok);
    EXPECT_EQ(document.toPlainText(), "中d");
}

TEST(RtfReaderTest, GarbageNeverCrashesOrHangs)
{
    QRandomGenerator random(20261206);
    const QByteArray alphabet = "{}\\\\\\'*;abcdefuvbinpictparfs0123456789- \r\n\x80\xff";
    QTextDocument document;
    RtfReader reader;
    for (int round = 0; round < 300; ++round) {
        QByteArray rtf = "{\\rtf1 ";
        const int length = random.bounded(2000);
        for (int i = 0; i < length; ++i)
            rtf.append(round % 2 ? static_cast<char>(random.bounded(256))
                                 : alphabet[random.bounded(static_cast<int>(alphabet.size()))]);
        const RtfReader::Status status = reader.read(rtf, &document);
        ASSERT_TRUE(status == RtfReader::Status::Ok || status == RtfReader::Status::Damaged) << round;
    }
}

TEST(RtfReaderTest, MutatedFixturesNeverCrashOrHang)
{
    QRandomGenerator random(4242);
    const QByteArray specials = "{}\\'*;0123456789-\x80\xff ";
    QTextDocument document;
    RtfReader reader;
    for (const char* name : {"english.rtf", "chinese_gbk.rtf", "unicode_uc.rtf", "picture_png.rtf"}) {
        const QByteArray original = fixture(name);
        for (int round = 0; round < 150; ++round) {
            QByteArray rtf = original;
            const int changes = 1 + random.bounded(8);
            for (int change = 0; change < changes && !rtf.isEmpty(); ++change) {
                const int at = random.bounded(static_cast<int>(rtf.size()));
                switch (random.bounded(3)) {
                case 0:
                    rtf[at] = specials[random.bounded(static_cast<int>(specials.size()))];
                    break;
                case 1:
                    rtf.insert(at, specials[random.bounded(static_cast<int>(specials.size()))]);
                    break;
                default:
                    rtf.truncate(qMax(6, at));
                    break;
                }
            }
            const RtfReader::Status status = reader.read(rtf, &document);
            ASSERT_NE(status, RtfReader::Status::CannotOpen) << name << " " << round;
        }
    }
}
