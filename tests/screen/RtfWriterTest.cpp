#include "screen/RtfWriter.h"
#include "RtfTestPrinters.h"
#include "screen/RtfReader.h"

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
            if (f.isImageFormat()) {
                const QTextImageFormat picture = f.toImageFormat();
                const QImage image =
                    document.resource(QTextDocument::ImageResource, QUrl(picture.name())).value<QImage>();
                lines.append(QStringLiteral("picture %1x%2 of %3x%4, corners %5 %6")
                                 .arg(picture.width())
                                 .arg(picture.height())
                                 .arg(image.width())
                                 .arg(image.height())
                                 .arg(image.pixel(0, 0), 0, 16)
                                 .arg(image.pixel(image.width() - 1, image.height() - 1), 0, 16));
                continue;
            }
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

// The sample with a picture at the end (the LibreOffice test keeps the sample without one).
void addPicture(QTextDocument& document)
{
    QImage image(5, 4, QImage::Format_RGB32);
    image.fill(QColor(10, 20, 30));
    image.setPixel(4, 3, qRgb(250, 0, 0));
    document.addResource(QTextDocument::ImageResource, QUrl("logo"), image);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    QTextImageFormat format;
    format.setName("logo");
    format.setWidth(50);
    format.setHeight(40);
    cursor.insertImage(format);
}

QByteArray fixture(const char* name)
{
    QFile file(QStringLiteral(RTF_FIXTURES "/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

} // namespace

// The sample and the fixtures (GBK, \uN with \ucN, a PNG, colours) written and read back: the same
// text and formats, pictures with their size and pixels, and the same bytes when written again.
TEST(RtfWriterTest, RoundTripKeepsTextFormatsAndPictures)
{
    QTextDocument sample;
    buildSample(sample);
    addPicture(sample);
    const struct
    {
        const char* name;
        int codePage;
    } cases[] = {{"sample", 936},          {"sample", 1252},        {"english.rtf", 936},
                 {"chinese_gbk.rtf", 936}, {"unicode_uc.rtf", 936}, {"picture_png.rtf", 936}};
    for (const auto& c : cases) {
        SCOPED_TRACE(QString("%1 in code page %2").arg(c.name).arg(c.codePage).toStdString());
        QTextDocument fromFile;
        if (QByteArray(c.name) != "sample") {
            ASSERT_EQ(RtfReader().read(fixture(c.name), &fromFile), RtfReader::Status::Ok);
        }
        const QTextDocument& original = QByteArray(c.name) == "sample" ? sample : fromFile;
        RtfWriter writer;
        writer.setCodePage(c.codePage);
        const QByteArray rtf = writer.write(original);
        EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg" + QByteArray::number(c.codePage)));
        for (const char ch : rtf)
            ASSERT_LT(static_cast<unsigned char>(ch), 0x80);

        QTextDocument copy;
        RtfReader reader;
        ASSERT_EQ(reader.read(rtf, &copy), RtfReader::Status::Ok) << reader.errorString().toStdString();
        EXPECT_EQ(copy.toRawText(), original.toRawText());
        EXPECT_EQ(describe(copy), describe(original));
        // Nothing drifts on repeated saves.
        EXPECT_EQ(writer.write(copy), rtf);
    }

    // What other readers need: the Chinese font name in GBK with its charset, or as \uN where
    // Windows-1252 cannot hold it, and \uN as a signed 16-bit value (U+8868 is negative).
    RtfWriter writer;
    QByteArray rtf = writer.write(sample);
    EXPECT_TRUE(rtf.contains("\\fcharset134 \\'cb\\'ce\\'cc\\'e5;")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\uc1"));
    EXPECT_TRUE(rtf.contains("\\u-30616?"));
    writer.setCodePage(1252);
    rtf = writer.write(sample);
    EXPECT_FALSE(rtf.contains("\\fcharset134"));
    EXPECT_TRUE(rtf.contains("\\fcharset0 \\u23435?\\u20307?;")) << rtf.constData();
}

TEST(RtfWriterTest, FormatsMadeFromAFontKeepTheirFamilyAndSize)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat fromFont;
    QFont font("Courier New");
    font.setPointSize(18);
    fromFont.setFont(font);
    cursor.insertText("typed", fromFont);
    QTextCharFormat pixels;
    pixels.setProperty(QTextFormat::FontPixelSize, 32);
    cursor.insertText(" pixels", pixels);

    QTextDocument copy;
    ASSERT_EQ(RtfReader().read(RtfWriter().write(document), &copy), RtfReader::Status::Ok);
    auto it = copy.begin().begin();
    ASSERT_EQ(it.fragment().text(), "typed");
    EXPECT_EQ(it.fragment().charFormat().fontFamilies().toStringList().value(0), "Courier New");
    EXPECT_DOUBLE_EQ(it.fragment().charFormat().fontPointSize(), 18.0);
    ++it;
    ASSERT_EQ(it.fragment().text(), " pixels");
    EXPECT_DOUBLE_EQ(it.fragment().charFormat().fontPointSize(), 24.0); // 32 px at 96 dots per inch
}

TEST(RtfWriterTest, ListsAndTablesPastedFromTheWebKeepTheirStructure)
{
    QTextDocument document;
    document.setHtml("<p>Agenda</p><ul><li>Opening</li></ul><ol><li>Vote</li><li>Close</li></ol>"
                     "<table><tr><td>09:00</td><td>Opening</td><td></td></tr>"
                     "<tr><td>10:00</td><td>Vote</td><td>Hall A</td></tr></table><p>End</p>");
    QTextDocument copy;
    ASSERT_EQ(RtfReader().read(RtfWriter().write(document), &copy), RtfReader::Status::Ok);
    EXPECT_EQ(copy.toPlainText(), QStringLiteral("Agenda\n\u2022\tOpening\n1.\tVote\n2.\tClose\n"
                                                 "09:00\tOpening\t\n10:00\tVote\tHall A\n\nEnd"));
    // List items hang their marker out of the indented text.
    EXPECT_GT(copy.findBlockByNumber(1).blockFormat().leftMargin(), 0.0);
    EXPECT_LT(copy.findBlockByNumber(1).blockFormat().textIndent(), 0.0);
}

TEST(RtfWriterTest, EmptyDocumentsMissingPicturesAndFiles)
{
    QTextDocument copy;
    copy.setPlainText("old");
    EXPECT_EQ(RtfReader().read(RtfWriter().write(QTextDocument()), &copy), RtfReader::Status::Ok);
    EXPECT_TRUE(copy.isEmpty());

    // A picture whose resource is missing is left out rather than written empty.
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText("a");
    QTextImageFormat missing;
    missing.setName("no-such-image");
    cursor.insertImage(missing);
    EXPECT_FALSE(RtfWriter().write(document).contains("\\pict"));

    // Overwriting replaces the whole file; a path that cannot be written says why.
    QTemporaryDir folder;
    const QString path = folder.filePath("insretview.rtf");
    document.setPlainText("saved\nsecond line");
    ASSERT_TRUE(RtfWriter().writeFile(document, path));
    document.setPlainText("short");
    QString error;
    ASSERT_TRUE(RtfWriter().writeFile(document, path, &error)) << error.toStdString();
    ASSERT_EQ(RtfReader().readFile(path, &copy), RtfReader::Status::Ok);
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
