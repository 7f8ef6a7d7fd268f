#include "screen/RtfWriter.h"

#include "screen/CodePage.h"

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QSaveFile>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <cmath>

namespace {

QStringList familiesOf(const QTextCharFormat& format)
{
    QStringList families = format.fontFamilies().toStringList();
    // Formats made from a QFont may carry the single family only.
    const QString family = format.stringProperty(QTextFormat::FontFamily);
    if (families.isEmpty() && !family.isEmpty())
        families.append(family);
    return families;
}

// Index 0 of the colour table is "automatic".
int colourIndex(QList<QRgb>& colours, const QColor& colour)
{
    const QRgb rgb = colour.rgb() & 0xFFFFFF;
    qsizetype index = colours.indexOf(rgb);
    if (index < 0) {
        colours.append(rgb);
        index = colours.size() - 1;
    }
    return static_cast<int>(index) + 1;
}

bool hasColour(const QTextCharFormat& format, QTextFormat::Property property)
{
    if (!format.hasProperty(property))
        return false;
    const QBrush brush = format.brushProperty(property);
    return brush.style() != Qt::NoBrush && brush.color().isValid();
}

void appendEscapedText(QByteArray& out, const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out.append('\\');
            out.append(static_cast<char>(u));
        } else if (u == '\t') {
            out.append("\\tab ");
        } else if (u == QChar::LineSeparator) {
            out.append("\\line ");
        } else if (u == 0x00A0) {
            out.append("\\~");
        } else if (u == QChar::ObjectReplacementCharacter || u == QChar::ParagraphSeparator) {
            continue;
        } else if (u >= 0x20 && u < 0x80) {
            out.append(static_cast<char>(u));
        } else if (u >= 0x80) {
            out.append("\\u");
            out.append(QByteArray::number(static_cast<int>(static_cast<qint16>(u))));
            out.append('?');
        }
    }
}

QByteArray fontName(const QString& name, int codePage)
{
    bool encodable = false;
    const QByteArray bytes = CodePage::encode(name, codePage, &encodable);
    QByteArray out;
    if (encodable) {
        for (char c : bytes) {
            const auto b = static_cast<unsigned char>(c);
            if (b >= 0x80 || b == '\\' || b == '{' || b == '}' || b == ';') {
                out.append("\\'");
                out.append(QByteArray::number(b, 16).rightJustified(2, '0'));
            } else {
                out.append(c);
            }
        }
        return out;
    }
    appendEscapedText(out, name);
    return out;
}

QImage imageOf(const QTextDocument& document, const QTextImageFormat& format)
{
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    if (resource.typeId() == QMetaType::QImage)
        return resource.value<QImage>();
    if (resource.typeId() == QMetaType::QPixmap)
        return resource.value<QPixmap>().toImage();
    if (resource.typeId() == QMetaType::QByteArray)
        return QImage::fromData(resource.toByteArray());
    return QImage(format.name());
}

void appendPicture(QByteArray& out, const QTextDocument& document, const QTextImageFormat& format)
{
    const QImage image = imageOf(document, format);
    if (image.isNull())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return;
    const double width = format.width() > 0 ? format.width() : image.width();
    const double height = format.height() > 0 ? format.height() : image.height();
    out.append("{\\pict\\pngblip\\picw" + QByteArray::number(image.width()) + "\\pich" +
               QByteArray::number(image.height()) + "\\picwgoal" + QByteArray::number(qRound(width * 15)) +
               "\\pichgoal" + QByteArray::number(qRound(height * 15)) + "\r\n");
    const QByteArray hex = png.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128) {
        out.append(hex.constData() + i, qMin<qsizetype>(128, hex.size() - i));
        out.append("\r\n");
    }
    out.append('}');
}

// Width of a list item's marker in pixels: the hanging part of its first line.
constexpr double kMarkerWidth = 24;

QString listMarker(const QTextBlock& block)
{
    const QTextList* list = block.textList();
    if (!list)
        return QString();
    switch (list->format().style()) {
    case QTextListFormat::ListDisc:
        return QStringLiteral("\u2022");
    case QTextListFormat::ListCircle:
        return QStringLiteral("\u25E6");
    case QTextListFormat::ListSquare:
        return QStringLiteral("\u25AA");
    default:
        return list->itemText(block);
    }
}

// "\\pard" and the paragraph's alignment, indents and spacing; a list item's marker.
void appendParagraphStart(QByteArray& out, const QTextBlock& block, const QTextDocument& document)
{
    const QTextBlockFormat para = block.blockFormat();
    out.append("\\pard");
    const Qt::Alignment alignment = para.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        out.append("\\qc");
    else if (alignment & Qt::AlignJustify)
        out.append("\\qj");
    else if (alignment & Qt::AlignRight)
        out.append("\\qr");
    else
        out.append("\\ql");
    // Pixels at 96 dots per inch to twips.
    const auto twips = [](double pixels) { return QByteArray::number(qRound(pixels * 15)); };
    // List items (pasted agendas) keep their bullet or number as text with a hanging indent,
    // which every reader shows.
    const QString marker = listMarker(block);
    const double listIndent =
        block.textList() ? block.textList()->format().indent() * document.indentWidth() : 0.0;
    if (para.leftMargin() + listIndent != 0)
        out.append("\\li" + twips(para.leftMargin() + listIndent));
    if (para.rightMargin() != 0)
        out.append("\\ri" + twips(para.rightMargin()));
    if (!marker.isEmpty())
        out.append("\\fi" + twips(para.textIndent() - kMarkerWidth));
    else if (para.textIndent() != 0)
        out.append("\\fi" + twips(para.textIndent()));
    if (para.topMargin() != 0)
        out.append("\\sb" + twips(para.topMargin()));
    if (para.bottomMargin() != 0)
        out.append("\\sa" + twips(para.bottomMargin()));
    out.append(' ');
    if (!marker.isEmpty()) {
        out.append('{');
        appendEscapedText(out, marker + QLatin1Char('\t'));
        out.append('}');
    }
}

// Whether the block ends a table cell that has another cell to its right.
bool continuesRow(const QTextBlock& block)
{
    QTextTable* table = QTextCursor(block).currentTable();
    if (!table)
        return false;
    const QTextTableCell cell = table->cellAt(block.position());
    if (!cell.isValid())
        return false;
    if (block.next().isValid() && block.next().position() <= cell.lastPosition())
        return false;
    return cell.column() + cell.columnSpan() < table->columns();
}

} // namespace

QByteArray RtfWriter::write(const QTextDocument& document) const
{
    // First pass: the fonts and colours the text uses. Font 0 is the document's default font, the
    // one word processors show unformatted text in.
    QStringList fonts;
    const QString defaultFamily = document.defaultFont().family();
    fonts.append(defaultFamily.isEmpty() ? QStringLiteral("Arial") : defaultFamily);
    QList<QRgb> colours;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QStringList families = familiesOf(format);
            if (!families.isEmpty() && !fonts.contains(families.first()))
                fonts.append(families.first());
            if (hasColour(format, QTextFormat::ForegroundBrush))
                colourIndex(colours, format.foreground().color());
            if (hasColour(format, QTextFormat::BackgroundBrush))
                colourIndex(colours, format.background().color());
        }
    }

    const int charset = CodePage::toCharset(m_codePage);
    QByteArray out;
    out.append("{\\rtf1\\ansi\\ansicpg" + QByteArray::number(m_codePage) + "\\deff0\\uc1\r\n{\\fonttbl");
    for (qsizetype i = 0; i < fonts.size(); ++i)
        out.append("{\\f" + QByteArray::number(i) + "\\fnil\\fcharset" + QByteArray::number(charset) + ' ' +
                   fontName(fonts[i], m_codePage) + ";}");
    out.append("}\r\n{\\colortbl ;");
    for (const QRgb rgb : colours)
        out.append("\\red" + QByteArray::number(qRed(rgb)) + "\\green" + QByteArray::number(qGreen(rgb)) +
                   "\\blue" + QByteArray::number(qBlue(rgb)) + ';');
    out.append("}\r\n");

    // Table rows become one paragraph with the cells separated by tabs.
    bool inRow = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!inRow)
            appendParagraphStart(out, block, document);

        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            QByteArray attributes;
            const QStringList families = familiesOf(format);
            // Text without a font of its own stays so: readers show it in their default font.
            if (!families.isEmpty())
                attributes.append("\\f" + QByteArray::number(fonts.indexOf(families.first())));
            double points = format.fontPointSize();
            if (points <= 0 && format.hasProperty(QTextFormat::FontPixelSize))
                points = format.intProperty(QTextFormat::FontPixelSize) * 0.75;
            if (points > 0)
                attributes.append("\\fs" + QByteArray::number(qRound(points * 2)));
            if (format.fontWeight() > QFont::Medium)
                attributes.append("\\b");
            if (format.fontItalic())
                attributes.append("\\i");
            if (format.fontUnderline())
                attributes.append("\\ul");
            if (format.fontStrikeOut())
                attributes.append("\\strike");
            if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
                attributes.append("\\super");
            else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
                attributes.append("\\sub");
            if (hasColour(format, QTextFormat::ForegroundBrush))
                attributes.append("\\cf" +
                                  QByteArray::number(colourIndex(colours, format.foreground().color())));
            if (hasColour(format, QTextFormat::BackgroundBrush))
                attributes.append("\\highlight" +
                                  QByteArray::number(colourIndex(colours, format.background().color())));

            out.append('{');
            if (!attributes.isEmpty())
                out.append(attributes + ' ');
            if (format.isImageFormat()) {
                // One object character per picture; identical pictures may share a fragment.
                for (const QChar c : fragment.text())
                    if (c == QChar::ObjectReplacementCharacter)
                        appendPicture(out, document, format.toImageFormat());
            } else {
                appendEscapedText(out, fragment.text());
            }
            out.append('}');
        }
        inRow = continuesRow(block);
        if (inRow)
            out.append("\\tab ");
        else if (block.next().isValid())
            out.append("\\par\r\n");
    }
    out.append("\r\n}\r\n");
    return out;
}

bool RtfWriter::writeFile(const QTextDocument& document, const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(write(document)) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
