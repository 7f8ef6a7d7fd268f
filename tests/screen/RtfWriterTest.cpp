#include "screen/RtfWriter.h"
#include "screen/RtfReader.h"
#include "RtfTestPrinters.h"

#include <QFile>
#include <QFont>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// One line per fragment: text and every format the writer promises to keep.
QStringList describe(const QTextDocument& document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int alignment = static_cast<int>(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask);
        lines.append(QStringLiteral("block align=%1 left=%2 indent=%3")
                         .arg(alignment)
                         .arg(block.blockFormat().leftMargin())
                         .arg(block.blockFormat().textIndent()));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QStringList families = f.fontFamilies().toStringList();
            lines.append(
                QStringLiteral("[%1] font=%2 size=%3 b=%4 i=%5 u=%6 s=%7 v=%8 fg=%9 bg=%10")
                    .arg(it.fragment().text(), families.isEmpty() ? QString() : families.first())
                    .arg(f.fontPointSize())
                    .arg(f.fontWeight() > QFont::Medium)
                    .arg(f.fontItalic())
                    .arg(f.fontUnderline())
                    .arg(f.fontStrikeOut())
                    .arg(static_cast<int>(f.verticalAlignment()))
                    .arg(f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : "-")
                    .arg(f.hasProperty(QTextFormat::BackgroundBrush) ? f.background().color().name() : "-"));
        }
    }
    return lines;
}

QTextCharFormat plain()
{
    return QTextCharFormat();
}

void buildSample(QTextDocument& document)
{
    QTextCursor cursor(&document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    QTextCharFormat title;
    title.setFontFamilies({"宋体"});
    title.setFontPointSize(22);
    title.setFontWeight(QFont::Bold);
    title.setForeground(QColor(200, 0, 0));
    cursor.insertText("第一次会议", title);

    QTextBlockFormat left;
    left.setAlignment(Qt::AlignLeft);
    left.setLeftMargin(20);
    left.setTextIndent(40);
    cursor.insertBlock(left);
    cursor.insertText("Plain {braces} and \\backslash, ", plain());
    QTextCharFormat italic;
    italic.setFontItalic(true);
    italic.setFontFamilies({"Arial"});
    cursor.insertText("italic", italic);
    cursor.insertText(" ", plain());
    QTextCharFormat underlined;
    underlined.setFontUnderline(true);
    underlined.setFontStrikeOut(true);
    underlined.setBackground(QColor(255, 255, 0));
    cursor.insertText("marked", underlined);
    QTextCharFormat raised;
    raised.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    cursor.insertText("2", raised);

    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    cursor.insertBlock(right);
    QTextCharFormat mixed;
    mixed.setFontPointSize(10.5);
    mixed.setForeground(QColor(0, 0, 255));
    cursor.insertText(QStringLiteral("Tab\there\u2028line café € \U0001F600 表决"), mixed);

    QTextBlockFormat justified;
    justified.setAlignment(Qt::AlignJustify);
    cursor.insertBlock(justified);
    cursor.insertBlock(centred);
    cursor.insertText("after an empty paragraph", plain());
}

} // namespace

TEST(RtfWriterTest, RoundTripKeepsTextAndFormats)
{
    QTextDocument original;
    buildSample(original);
    RtfWriter writer;
    const QByteArray rtf = writer.write(original);

    QTextDocument copy;
    RtfReader reader;
    ASSERT_EQ(reader.read(rtf, &copy), RtfReader::Status::Ok) << reader.errorString().toStdString();
    EXPECT_EQ(copy.toRawText(), original.toRawText());
    EXPECT_EQ(describe(copy), describe(original));

    // Written once more, the copy gives the same bytes: nothing drifts on repeated saves.
    EXPECT_EQ(writer.write(copy), rtf);
}

TEST(RtfWriterTest, OutputIsSevenBitWithTheChosenCodePage)
{
    QTextDocument document;
    buildSample(document);
    RtfWriter writer;
    EXPECT_EQ(writer.codePage(), 936);
    QByteArray rtf = writer.write(document);
    for (const char c : rtf)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg936"));
    // The Chinese font name in GBK bytes with its charset, as Chinese word processors write it.
    EXPECT_TRUE(rtf.contains("\\fcharset134 \\'cb\\'ce\\'cc\\'e5;")) << rtf.constData();
    // Non-ASCII text as \uN with a one-character fallback; U+8868 (表) is negative as a signed 16-bit value.
    EXPECT_TRUE(rtf.contains("\\uc1"));
    EXPECT_TRUE(rtf.contains("\\u-30616?")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\u-10179?\\u-8704?"));
    EXPECT_TRUE(rtf.trimmed().endsWith('}'));

    writer.setCodePage(1252);
    rtf = writer.write(document);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    EXPECT_FALSE(rtf.contains("\\fcharset134"));
    // A name that Windows-1252 cannot hold is written as Unicode escapes.
    EXPECT_TRUE(rtf.contains("\\fcharset0 \\u23435?\\u20307?;")) << rtf.constData();
    QTextDocument copy;
    ASSERT_EQ(RtfReader().read(rtf, &copy), RtfReader::Status::Ok);
    EXPECT_EQ(describe(copy), describe(document));
}

TEST(RtfWriterTest, PicturesAreWrittenAsPngAndReadBack)
{
    QImage image(5, 4, QImage::Format_RGB32);
    image.fill(QColor(10, 20, 30));
    image.setPixel(4, 3, qRgb(250, 0, 0));

    QTextDocument document;
    document.addResource(QTextDocument::ImageResource, QUrl("logo"), image);
    QTextCursor cursor(&document);
    cursor.insertText("Logo: ");
    QTextImageFormat format;
    format.setName("logo");
    format.setWidth(50);
    format.setHeight(40);
    cursor.insertImage(format);
    cursor.insertImage(format);
    cursor.insertText(" end");
    // A picture whose resource is missing is left out rather than written empty.
    QTextImageFormat missing;
    missing.setName("no-such-image");
    cursor.insertImage(missing);

    const QByteArray rtf = RtfWriter().write(document);
    EXPECT_EQ(rtf.count("\\pngblip"), 2);
    EXPECT_TRUE(rtf.contains("\\picwgoal750\\pichgoal600"));

    QTextDocument copy;
    RtfReader reader;
    ASSERT_EQ(reader.read(rtf, &copy), RtfReader::Status::Ok);
    EXPECT_EQ(copy.toRawText(), QStringLiteral("Logo: \uFFFC\uFFFC end"));
    int pictures = 0;
    for (auto it = copy.begin().begin(); !it.atEnd(); ++it) {
        if (!it.fragment().charFormat().isImageFormat())
            continue;
        const QTextImageFormat read = it.fragment().charFormat().toImageFormat();
        EXPECT_DOUBLE_EQ(read.width(), 50.0);
        EXPECT_DOUBLE_EQ(read.height(), 40.0);
        const QImage back = copy.resource(QTextDocument::ImageResource, QUrl(read.name())).value<QImage>();
        ASSERT_EQ(back.size(), QSize(5, 4));
        EXPECT_EQ(back.pixel(0, 0), qRgb(10, 20, 30));
        EXPECT_EQ(back.pixel(4, 3), qRgb(250, 0, 0));
        pictures += it.fragment().length();
    }
    EXPECT_EQ(pictures, 2);
}

TEST(RtfWriterTest, FormatsMadeFromAFontKeepTheirFamilyAndSize)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat fromFont;
    QFont font("Courier New");
    font.setPointSize(18);
    font.setItalic(true);
    fromFont.setFont(font);
    cursor.insertText("typed", fromFont);
    QTextCharFormat pixels;
    pixels.setProperty(QTextFormat::FontPixelSize, 32);
    cursor.insertText(" pixels", pixels);

    QTextDocument copy;
    ASSERT_EQ(RtfReader().read(RtfWriter().write(document), &copy), RtfReader::Status::Ok);
    auto it = copy.begin().begin();
    ASSERT_FALSE(it.atEnd());
    EXPECT_EQ(it.fragment().text(), "typed");
    EXPECT_EQ(it.fragment().charFormat().fontFamilies().toStringList().value(0), "Courier New");
    EXPECT_DOUBLE_EQ(it.fragment().charFormat().fontPointSize(), 18.0);
    EXPECT_TRUE(it.fragment().charFormat().fontItalic());
    ++it;
    ASSERT_FALSE(it.atEnd());
    EXPECT_EQ(it.fragment().text(), " pixels");
    EXPECT_DOUBLE_EQ(it.fragment().charFormat().fontPointSize(), 24.0); // 32 px at 96 dots per inch
}

TEST(RtfWriterTest, ListItemsKeepTheirBulletsAndNumbers)
{
    // As an agenda pasted from a web page arrives in the editor.
    QTextDocument document;
    document.setHtml(
        "<p>Agenda</p><ul><li>Opening</li><li>Report</li></ul><ol><li>Vote</li><li>Close</li></ol>");
    QTextDocument copy;
    ASSERT_EQ(RtfReader().read(RtfWriter().write(document), &copy), RtfReader::Status::Ok);
    EXPECT_EQ(copy.toPlainText(),
              QStringLiteral("Agenda\n\u2022\tOpening\n\u2022\tReport\n1.\tVote\n2.\tClose"));
    // Indented with the first line hanging out by the marker.
    const QTextBlockFormat item = copy.findBlockByNumber(1).blockFormat();
    EXPECT_GT(item.leftMargin(), 0.0);
    EXPECT_LT(item.textIndent(), 0.0);
    EXPECT_EQ(copy.findBlockByNumber(0).blockFormat().leftMargin(), 0.0);
}

TEST(RtfWriterTest, TableRowsBecomeTabSeparatedParagraphs)
{
    QTextDocument document;
    document.setHtml("<p>Schedule</p><table><tr><td>09:00</td><td>Opening</td><td></td></tr>"
                     "<tr><td>10:00</td><td>Vote</td><td>Hall A</td></tr></table><p>End</p>");
    QTextDocument copy;
    ASSERT_EQ(RtfReader().read(RtfWriter().write(document), &copy), RtfReader::Status::Ok);
    EXPECT_TRUE(copy.toPlainText().contains("09:00\tOpening\t\n10:00\tVote\tHall A\n"))
        << copy.toPlainText().toStdString();
    EXPECT_TRUE(copy.toPlainText().startsWith("Schedule\n"));
    EXPECT_TRUE(copy.toPlainText().endsWith("\nEnd"));
}

TEST(RtfWriterTest, FixturesSurviveReadWriteRead)
{
    for (const char* name : {"english.rtf", "chinese_gbk.rtf", "unicode_uc.rtf", "picture_png.rtf"}) {
        QTextDocument first;
        RtfReader reader;
        ASSERT_EQ(reader.readFile(QStringLiteral(RTF_FIXTURES "/") + name, &first), RtfReader::Status::Ok)
            << name;
        QTextDocument second;
        ASSERT_EQ(reader.read(RtfWriter().write(first), &second), RtfReader::Status::Ok) << name;
        EXPECT_EQ(second.toRawText(), first.toRawText()) << name;
        EXPECT_EQ(describe(second), describe(first)) << name;
    }
}

TEST(RtfWriterTest, EmptyDocumentAndFiles)
{
    QTextDocument empty;
    const QByteArray rtf = RtfWriter().write(empty);
    QTextDocument copy;
    copy.setPlainText("old");
    EXPECT_EQ(RtfReader().read(rtf, &copy), RtfReader::Status::Ok);
    EXPECT_TRUE(copy.isEmpty());

    QTemporaryDir folder;
    QTextDocument document;
    document.setPlainText("saved\nsecond line");
    const QString path = folder.filePath("insretview.rtf");
    QString error;
    ASSERT_TRUE(RtfWriter().writeFile(document, path, &error)) << error.toStdString();
    RtfReader reader;
    ASSERT_EQ(reader.readFile(path, &copy), RtfReader::Status::Ok);
    EXPECT_EQ(copy.toPlainText(), "saved\nsecond line");

    // Overwriting replaces the whole file.
    document.setPlainText("short");
    ASSERT_TRUE(RtfWriter().writeFile(document, path));
    ASSERT_EQ(reader.readFile(path, &copy), RtfReader::Status::Ok);
    EXPECT_EQ(copy.toPlainText(), "short");

    EXPECT_FALSE(RtfWriter().writeFile(document, folder.filePath("missing/folder/x.rtf"), &error));
    EXPECT_FALSE(error.isEmpty());
}

// Needs LibreOffice (soffice) on the PATH; skipped where it is not installed.
TEST(RtfWriterTest, WordProcessorOpensTheFileAndKeepsItsFormats)
{
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty())
        GTEST_SKIP() << "soffice is not installed";

    QTemporaryDir folder;
    QTextDocument document;
    buildSample(document);
    // A picture at the end: 6 x 4 pixels shown 90 x 60.
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(QColor(0, 128, 255));
    document.addResource(QTextDocument::ImageResource, QUrl("pic"), image);
    QTextCursor end(&document);
    end.movePosition(QTextCursor::End);
    QTextImageFormat picture;
    picture.setName("pic");
    picture.setWidth(90);
    picture.setHeight(60);
    end.insertImage(picture);
    const QString source = folder.filePath("sample.rtf");
    ASSERT_TRUE(RtfWriter().writeFile(document, source));

    // Converted once to text and once back to RTF, as LibreOffice itself writes it.
    for (const char* target : {"txt:Text (encoded):UTF8", "rtf"}) {
        QProcess process;
        process.setProgram(soffice);
        process.setArguments({"-env:UserInstallation=file://" + folder.filePath("profile"), "--headless",
                              "--convert-to", target, "--outdir", folder.filePath("out"), source});
        process.start();
        ASSERT_TRUE(process.waitForFinished(180000)) << target;
        ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    }

    QFile text(folder.filePath("out/sample.txt"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QString plainText = QString::fromUtf8(text.readAll());
    EXPECT_TRUE(plainText.contains("第一次会议"));
    EXPECT_TRUE(plainText.contains("Plain {braces} and \\backslash, italic marked2"));
    EXPECT_TRUE(plainText.contains(QStringLiteral("café € \U0001F600 表决")));
    EXPECT_TRUE(plainText.contains("after an empty paragraph"));

    QTextDocument back;
    RtfReader reader;
    ASSERT_NE(reader.readFile(folder.filePath("out/sample.rtf"), &back), RtfReader::Status::NotRtf);
    EXPECT_TRUE(back.toRawText().contains("第一次会议"));
    const QTextBlock title = back.begin();
    EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextCharFormat titleFormat = title.begin().fragment().charFormat();
    EXPECT_EQ(title.begin().fragment().text(), "第一次会议");
    EXPECT_EQ(titleFormat.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(titleFormat.fontPointSize(), 22.0);
    EXPECT_EQ(titleFormat.foreground().color(), QColor(200, 0, 0));
    bool italicSeen = false;
    bool markedSeen = false;
    for (auto it = title.next().begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        if (it.fragment().text() == "italic")
            italicSeen = format.fontItalic();
        if (it.fragment().text() == "marked")
            markedSeen = format.fontUnderline() && format.fontStrikeOut() &&
                         format.background().color() == QColor(255, 255, 0);
    }
    EXPECT_TRUE(italicSeen);
    EXPECT_TRUE(markedSeen);
    EXPECT_EQ(title.next().next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    // The picture comes back with its size and colour.
    int pictures = 0;
    for (QTextBlock block = back.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (!it.fragment().charFormat().isImageFormat())
                continue;
            ++pictures;
            const QTextImageFormat format = it.fragment().charFormat().toImageFormat();
            EXPECT_NEAR(format.width(), 90.0, 1.0);
            EXPECT_NEAR(format.height(), 60.0, 1.0);
            const QImage read =
                back.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
            ASSERT_FALSE(read.isNull());
            EXPECT_EQ(QColor(read.pixel(read.width() / 2, read.height() / 2)), QColor(0, 128, 255));
        }
    }
    EXPECT_EQ(pictures, 1);
}
