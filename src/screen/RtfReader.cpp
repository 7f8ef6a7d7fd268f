#include "screen/RtfReader.h"

#include "screen/CodePage.h"

#include <QColor>
#include <QFile>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QMap>
#include <QSet>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <QtEndian>

#include <vector>

namespace {

// Pseudo code pages of symbol fonts (charset 2).
constexpr int kSymbolCharset = 2;
constexpr int kSymbolPage = -2;
constexpr int kWingdingsPage = -3;

enum class Destination
{
    Text,
    FontTable,
    ColorTable,
    Picture,
    Skip,
};

struct CharState
{
    int font = -1;      // -1: the document's default font
    int halfPoints = 0; // 0: size not given
    int foreground = 0; // colour table index, 0 = automatic
    int background = 0; // colour table index, 0 = none
    int vertical = 0;   // 1 superscript, -1 subscript
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    // Associated properties for double-byte (Asian) text, written after \dbch by some word
    // processors; -1 or 0 means "as for the other text".
    bool doubleByte = false;       // the text that follows is \dbch text
    bool associatedTarget = false; // \af, \afs, \ab, \ai now describe \dbch text
    int associatedFont = -1;
    int associatedHalfPoints = 0;
    int associatedBold = -1;
    int associatedItalic = -1;

    int effectiveFont() const { return doubleByte && associatedFont >= 0 ? associatedFont : font; }
};

struct ParaState
{
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftTwips = 0;
    int rightTwips = 0;
    int firstTwips = 0;
    int beforeTwips = 0;
    int afterTwips = 0;
};

struct GroupState
{
    Destination destination = Destination::Text;
    CharState chars;
    ParaState para;
    int unicodeSkip = 1;       // \ucN: fallback characters after each \uN
    bool resumable = false;    // \object or \upr group: a \result or \ud child shows its text
    bool resumeParent = false; // this group is a direct child of such a group
};

struct Font
{
    QString name;
    QByteArray pendingName;
    int charset = -1;
    int codePage = 0;
};

enum class PictureKind
{
    Unknown,
    Png,
    Jpeg,
    Dib,
    Wbitmap
};

struct Picture
{
    PictureKind kind = PictureKind::Unknown;
    QByteArray data;
    int picw = 0;
    int pich = 0;
    int goalWidth = 0;  // twips
    int goalHeight = 0; // twips
    int scaleX = 100;
    int scaleY = 100;
    int bitsPixel = 1;
    int widthBytes = 0;
    int highNibble = -1;
    bool tooLarge = false;
};

// Parses with one pass over the bytes; every loop consumes at least one byte, so no input hangs it.
class Parser
{
public:
    Parser(const QByteArray& rtf, QTextDocument* document)
        : m_data(rtf), m_document(document), m_cursor(document)
    {
    }

    void run();

    bool damaged() const { return !m_error.isEmpty(); }
    QString error() const { return m_error; }
    int skippedPictures() const { return m_skippedPictures; }

private:
    GroupState& state() { return m_stack.back(); }
    void damage(const QString& reason)
    {
        if (m_error.isEmpty())
            m_error = reason;
    }

    void pushGroup();
    void popGroup();
    void controlWord(const QByteArray& word, bool hasParam, int param);
    void controlSymbol(char symbol);
    void textByte(unsigned char byte);
    void hexByte(unsigned char byte);
    void skipBinary(qsizetype count);
    void unicodeChar(int value);
    bool consumeFallback();

    void appendText(QChar c);
    void flushText();
    void decodePending();
    void startContent();
    void endParagraph();
    void finishLastParagraph();
    void finish();

    int codePageForFont(int fontIndex) const;
    QTextCharFormat charFormat() const;
    QTextBlockFormat blockFormat() const;
    void finishFont();
    void finishPicture();
    QImage decodePicture() const;

    const QByteArray& m_data;
    qsizetype m_pos = 0;
    QTextDocument* m_document;
    QTextCursor m_cursor;

    std::vector<GroupState> m_stack;
    int m_overflowDepth = 0; // groups opened beyond kMaxDepth, skipped whole
    bool m_starred = false;  // "\*" seen: the next control word names an optional destination
    int m_fallbackLeft = 0;  // characters still to skip after \uN

    int m_documentCodePage = 1252;
    int m_defaultFont = 0;
    QMap<int, Font> m_fonts;
    int m_currentFont = -1;
    std::vector<QColor> m_colors; // invalid colour = automatic
    int m_red = -1, m_green = -1, m_blue = -1;

    Picture m_picture;
    size_t m_pictureDepth = 0;
    int m_imageCount = 0;
    int m_skippedPictures = 0;

    QByteArray m_pendingBytes;
    int m_pendingCodePage = 0;
    QString m_pendingText;
    bool m_paragraphPending = false;
    int m_cellEnd = -1; // cursor position after the last cell's tab
    bool m_contentStarted = false;

    QString m_error;
};

bool isHexDigit(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

// Symbol fonts number glyphs, not letters. List bullets are the ones that matter: show them as the
// Unicode characters they look like; other bytes are read as Western text.
QString decodeSymbols(const QByteArray& bytes, bool wingdings)
{
    static const QHash<uchar, char16_t> symbol = {{0xB7, 0x2022}, {0xA8, 0x2666}, {0xA9, 0x2665},
                                                  {0xAA, 0x2660}, {0xA7, 0x2663}, {0xDE, 0x21D2}};
    static const QHash<uchar, char16_t> dingbats = {{0xA7, 0x25AA}, {0xD8, 0x27A2}, {0xFC, 0x2713},
                                                    {0x76, 0x2756}, {0x6E, 0x25A0}, {0x6C, 0x25CF},
                                                    {0x71, 0x2751}, {0xA8, 0x25FB}, {0x9F, 0x2022}};
    const QHash<uchar, char16_t>& table = wingdings ? dingbats : symbol;
    QString text;
    for (const char c : bytes) {
        const auto byte = static_cast<uchar>(c);
        const auto it = table.constFind(byte);
        if (it != table.constEnd())
            text += QChar(*it);
        else
            text += CodePage::decode(QByteArray(1, c), 1252);
    }
    return text;
}

bool isLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Destinations whose content is never shown, whether or not they are marked with "\*".
bool isIgnoredDestination(const QByteArray& word)
{
    // clang-format off
    static const QSet<QByteArray> ignored = {
        "info", "stylesheet", "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr",
        "footerf", "footnote", "annotation", "nonshppict", "fldinst", "listtable", "listoverridetable",
        "revtbl", "rsidtbl", "xmlnstbl", "themedata", "colorschememapping", "datastore", "latentstyles",
        "pgdsctbl", "comment", "author", "operator", "title", "subject", "keywords", "doccomm", "company",
        "template", "generator", "objdata", "private", "ftnsep", "ftnsepc", "aftnsep", "aftnsepc", "txe",
        "xe", "tc", "bkmkstart", "bkmkend", "filetbl", "mmathPr", "fchars", "lchars", "userprops", "docvar",
        "atnid", "atnauthor", "atrfstart", "atrfend", "pntxta", "pntxtb", "shpinst", "blipuid", "picprop",
        "panose", "falt", "fname", "wgrffmtfilter", "pgp", "protusertbl",
    };
    // clang-format on
    return ignored.contains(word);
}

void Parser::run()
{
    // The caller checked the "{\rtf" start; skip what comes before the first brace.
    while (m_pos < m_data.size() && m_data[m_pos] != '{')
        ++m_pos;

    m_document->clear();
    m_cursor = QTextCursor(m_document);

    bool closed = false;
    while (m_pos < m_data.size() && !closed) {
        const auto c = static_cast<unsigned char>(m_data[m_pos]);
        if (c == '{') {
            ++m_pos;
            pushGroup();
        } else if (c == '}') {
            ++m_pos;
            popGroup();
            closed = m_stack.empty() && m_overflowDepth == 0;
        } else if (c == '\\') {
            ++m_pos;
            if (m_pos >= m_data.size())
                break;
            const auto next = static_cast<unsigned char>(m_data[m_pos]);
            if (isLetter(next)) {
                const qsizetype start = m_pos;
                while (m_pos < m_data.size() && isLetter(static_cast<unsigned char>(m_data[m_pos])))
                    ++m_pos;
                const QByteArray word = m_data.mid(start, qMin<qsizetype>(m_pos - start, 32));
                bool negative = false;
                if (m_pos < m_data.size() && m_data[m_pos] == '-' && m_pos + 1 < m_data.size() &&
                    m_data[m_pos + 1] >= '0' && m_data[m_pos + 1] <= '9') {
                    negative = true;
                    ++m_pos;
                }
                bool hasParam = false;
                qint64 value = 0;
                while (m_pos < m_data.size() && m_data[m_pos] >= '0' && m_data[m_pos] <= '9') {
                    hasParam = true;
                    if (value < 100000000000LL)
                        value = value * 10 + (m_data[m_pos] - '0');
                    ++m_pos;
                }
                if (m_pos < m_data.size() && m_data[m_pos] == ' ')
                    ++m_pos;
                if (negative)
                    value = -value;
                value = qBound<qint64>(-2147483647LL, value, 2147483647LL);
                if (m_stack.empty() || m_overflowDepth > 0) {
                    if (word == "bin")
                        skipBinary(value);
                    continue;
                }
                controlWord(word, hasParam, static_cast<int>(value));
            } else if (next == '\'') {
                ++m_pos;
                int byte = 0;
                int digits = 0;
                while (digits < 2 && m_pos < m_data.size() &&
                       isHexDigit(static_cast<unsigned char>(m_data[m_pos]))) {
                    byte = byte * 16 + hexValue(static_cast<unsigned char>(m_data[m_pos]));
                    ++m_pos;
                    ++digits;
                }
                if (digits > 0 && !m_stack.empty() && m_overflowDepth == 0)
                    hexByte(static_cast<unsigned char>(byte));
            } else {
                ++m_pos;
                if (!m_stack.empty() && m_overflowDepth == 0)
                    controlSymbol(static_cast<char>(next));
            }
        } else {
            ++m_pos;
            if (!m_stack.empty() && m_overflowDepth == 0)
                textByte(c);
        }
    }

    if (!closed)
        damage(QStringLiteral("the data ends before all groups are closed"));
    for (; closed && m_pos < m_data.size(); ++m_pos) {
        const char c = m_data[m_pos];
        if (c != ' ' && c != '\r' && c != '\n' && c != '\t' && c != '\0') {
            damage(QStringLiteral("there is more after the end of the document"));
            break;
        }
    }
    finish();
}

void Parser::pushGroup()
{
    m_fallbackLeft = 0;
    m_starred = false;
    if (m_overflowDepth > 0 || m_stack.size() >= static_cast<size_t>(RtfReader::kMaxDepth)) {
        ++m_overflowDepth;
        damage(QStringLiteral("groups are nested too deeply"));
        return;
    }
    flushText();
    if (m_stack.empty()) {
        m_stack.emplace_back();
        return;
    }
    GroupState child = m_stack.back();
    child.resumeParent = child.resumable;
    child.resumable = false;
    m_stack.push_back(child);
}

void Parser::popGroup()
{
    m_fallbackLeft = 0;
    m_starred = false;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.empty())
        return;
    flushText();
    const GroupState closing = m_stack.back();
    if (closing.destination == Destination::FontTable)
        finishFont();
    if (closing.destination == Destination::Picture && m_stack.size() == m_pictureDepth)
        finishPicture();
    if (m_stack.size() == 1)
        finishLastParagraph();
    m_stack.pop_back();
}

int Parser::codePageForFont(int fontIndex) const
{
    const auto it = m_fonts.constFind(fontIndex < 0 ? m_defaultFont : fontIndex);
    if (it != m_fonts.constEnd() && it->charset == kSymbolCharset)
        return it->name.contains(QLatin1String("Wingdings"), Qt::CaseInsensitive) ? kWingdingsPage
                                                                                  : kSymbolPage;
    if (it != m_fonts.constEnd()) {
        if (it->codePage > 0 && it->codePage != 1)
            return it->codePage;
        const int fromCharset = CodePage::fromCharset(it->charset);
        if (fromCharset > 0)
            return fromCharset;
    }
    return m_documentCodePage;
}

QTextCharFormat Parser::charFormat() const
{
    CharState chars = m_stack.back().chars;
    if (chars.doubleByte) {
        chars.font = chars.effectiveFont();
        if (chars.associatedHalfPoints > 0)
            chars.halfPoints = chars.associatedHalfPoints;
        if (chars.associatedBold >= 0)
            chars.bold = chars.associatedBold != 0;
        if (chars.associatedItalic >= 0)
            chars.italic = chars.associatedItalic != 0;
    }
    QTextCharFormat format;
    // Text without a \\f of its own keeps the viewer's font, as it was before it was saved.
    const auto font = m_fonts.constFind(chars.font);
    if (chars.font >= 0 && font != m_fonts.constEnd() && !font->name.isEmpty())
        format.setFontFamilies({font->name});
    if (chars.halfPoints > 0)
        format.setFontPointSize(chars.halfPoints / 2.0);
    if (chars.bold)
        format.setFontWeight(QFont::Bold);
    if (chars.italic)
        format.setFontItalic(true);
    if (chars.underline)
        format.setFontUnderline(true);
    if (chars.strike)
        format.setFontStrikeOut(true);
    if (chars.vertical > 0)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (chars.vertical < 0)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    const auto colour = [this](int index) {
        return index > 0 && static_cast<size_t>(index) < m_colors.size() ? m_colors[index] : QColor();
    };
    if (colour(chars.foreground).isValid())
        format.setForeground(colour(chars.foreground));
    if (colour(chars.background).isValid())
        format.setBackground(colour(chars.background));
    return format;
}

QTextBlockFormat Parser::blockFormat() const
{
    const ParaState& para = m_stack.back().para;
    QTextBlockFormat format;
    format.setAlignment(para.alignment);
    // Twips to pixels at 96 dots per inch.
    if (para.leftTwips != 0)
        format.setLeftMargin(para.leftTwips / 15.0);
    if (para.rightTwips != 0)
        format.setRightMargin(para.rightTwips / 15.0);
    if (para.firstTwips != 0)
        format.setTextIndent(para.firstTwips / 15.0);
    if (para.beforeTwips != 0)
        format.setTopMargin(para.beforeTwips / 15.0);
    if (para.afterTwips != 0)
        format.setBottomMargin(para.afterTwips / 15.0);
    return format;
}

void Parser::decodePending()
{
    if (m_pendingBytes.isEmpty())
        return;
    if (m_pendingCodePage == kSymbolPage || m_pendingCodePage == kWingdingsPage)
        m_pendingText += decodeSymbols(m_pendingBytes, m_pendingCodePage == kWingdingsPage);
    else
        m_pendingText += CodePage::decode(m_pendingBytes, m_pendingCodePage);
    m_pendingBytes.clear();
}

void Parser::flushText()
{
    decodePending();
    if (m_pendingText.isEmpty() || m_stack.empty())
        return;
    startContent();
    m_cursor.insertText(m_pendingText, charFormat());
    m_pendingText.clear();
}

void Parser::startContent()
{
    if (m_paragraphPending) {
        m_cursor.insertBlock(blockFormat());
        m_paragraphPending = false;
    }
    m_contentStarted = true;
}

void Parser::appendText(QChar c)
{
    decodePending();
    m_pendingText += c;
}

void Parser::endParagraph()
{
    flushText();
    startContent();
    m_cursor.setBlockFormat(blockFormat());
    // The new block is made when something follows: a final \par adds no empty paragraph.
    m_paragraphPending = true;
}

void Parser::finishLastParagraph()
{
    // A paragraph that no \par closed takes the formatting in effect at the end.
    if (!m_paragraphPending && m_contentStarted)
        m_cursor.setBlockFormat(blockFormat());
}

void Parser::finish()
{
    while (!m_stack.empty()) {
        flushText();
        const GroupState closing = m_stack.back();
        if (closing.destination == Destination::Picture && m_stack.size() == m_pictureDepth)
            finishPicture();
        if (m_stack.size() == 1)
            finishLastParagraph();
        m_stack.pop_back();
    }
}

bool Parser::consumeFallback()
{
    if (m_fallbackLeft <= 0)
        return false;
    --m_fallbackLeft;
    return true;
}

void Parser::textByte(unsigned char byte)
{
    if (byte == '\r' || byte == '\n')
        return;
    GroupState& s = state();
    switch (s.destination) {
    case Destination::Skip:
        return;
    case Destination::Picture:
        if (isHexDigit(byte)) {
            if (m_picture.tooLarge)
                return;
            if (m_picture.highNibble < 0) {
                m_picture.highNibble = hexValue(byte);
            } else {
                m_picture.data.append(static_cast<char>(m_picture.highNibble * 16 + hexValue(byte)));
                m_picture.highNibble = -1;
                if (m_picture.data.size() > RtfReader::kMaxPictureBytes) {
                    m_picture.tooLarge = true;
                    m_picture.data.clear();
                    m_picture.data.squeeze();
                }
            }
        }
        return;
    case Destination::ColorTable:
        if (byte == ';') {
            if (m_red < 0 && m_green < 0 && m_blue < 0)
                m_colors.emplace_back();
            else
                m_colors.emplace_back(qBound(0, m_red, 255), qBound(0, m_green, 255), qBound(0, m_blue, 255));
            m_red = m_green = m_blue = -1;
        }
        return;
    case Destination::FontTable:
        if (m_currentFont < 0 || consumeFallback())
            return;
        if (byte == ';')
            finishFont();
        else
            m_fonts[m_currentFont].pendingName.append(static_cast<char>(byte));
        return;
    case Destination::Text:
        break;
    }
    if (consumeFallback() || s.chars.hidden)
        return;
    if (byte == '\t') {
        appendText(QLatin1Char('\t'));
        return;
    }
    if (byte < 0x20)
        return;
    const int codePage = codePageForFont(s.chars.effectiveFont());
    if (byte < 0x80 && codePage > 0) {
        appendText(QLatin1Char(static_cast<char>(byte)));
        return;
    }
    if (!m_pendingBytes.isEmpty() && codePage != m_pendingCodePage)
        decodePending();
    m_pendingCodePage = codePage;
    m_pendingBytes.append(static_cast<char>(byte));
}

void Parser::hexByte(unsigned char byte)
{
    GroupState& s = state();
    if (s.destination == Destination::FontTable) {
        if (m_currentFont >= 0 && !consumeFallback())
            m_fonts[m_currentFont].pendingName.append(static_cast<char>(byte));
        return;
    }
    if (s.destination != Destination::Text)
        return;
    if (consumeFallback() || s.chars.hidden)
        return;
    const int codePage = codePageForFont(s.chars.effectiveFont());
    if (!m_pendingBytes.isEmpty() && codePage != m_pendingCodePage)
        decodePending();
    m_pendingCodePage = codePage;
    m_pendingBytes.append(static_cast<char>(byte));
}

void Parser::unicodeChar(int value)
{
    GroupState& s = state();
    m_fallbackLeft = s.unicodeSkip;
    const QChar c(static_cast<char16_t>(value < 0 ? value + 65536 : value));
    if (s.destination == Destination::FontTable) {
        if (m_currentFont >= 0) {
            Font& font = m_fonts[m_currentFont];
            font.name += CodePage::decode(font.pendingName, codePageForFont(m_currentFont));
            font.pendingName.clear();
            font.name += c;
        }
        return;
    }
    if (s.destination != Destination::Text || s.chars.hidden)
        return;
    if (c.unicode() < 0x20 && c != QLatin1Char('\t'))
        return;
    appendText(c);
}

void Parser::skipBinary(qsizetype count)
{
    count = qBound<qsizetype>(0, count, m_data.size() - m_pos);
    if (!m_stack.empty() && m_overflowDepth == 0 && state().destination == Destination::Picture &&
        !m_picture.tooLarge) {
        m_picture.data.append(m_data.constData() + m_pos, count);
        if (m_picture.data.size() > RtfReader::kMaxPictureBytes) {
            m_picture.tooLarge = true;
            m_picture.data.clear();
            m_picture.data.squeeze();
        }
    }
    m_pos += count;
}

void Parser::controlSymbol(char symbol)
{
    GroupState& s = state();
    if (symbol == '*') {
        m_starred = true;
        return;
    }
    m_starred = false;
    if (symbol == '\\' || symbol == '{' || symbol == '}') {
        textByte(static_cast<unsigned char>(symbol));
        return;
    }
    if (s.destination != Destination::Text)
        return;
    if (symbol == '\r' || symbol == '\n') {
        if (consumeFallback())
            return;
        endParagraph();
        return;
    }
    if (consumeFallback() || s.chars.hidden)
        return;
    switch (symbol) {
    case '~':
        appendText(QChar(0x00A0));
        break;
    case '_':
        appendText(QChar(0x2011));
        break;
    case '\t':
        appendText(QLatin1Char('\t'));
        break;
    default: // "\-" optional hyphen, "\|", "\:" and unknown symbols show nothing
        break;
    }
}

void Parser::finishFont()
{
    if (m_currentFont < 0)
        return;
    Font& font = m_fonts[m_currentFont];
    if (!font.pendingName.isEmpty()) {
        font.name += CodePage::decode(font.pendingName, codePageForFont(m_currentFont));
        font.pendingName.clear();
    }
    font.name = font.name.trimmed();
    m_currentFont = -1;
}

QImage Parser::decodePicture() const
{
    const QByteArray& data = m_picture.data;
    switch (m_picture.kind) {
    case PictureKind::Png:
        return QImage::fromData(data, "PNG");
    case PictureKind::Jpeg:
        return QImage::fromData(data, "JPEG");
    case PictureKind::Dib: {
        // A DIB is a bitmap file without its 14-byte file header; rebuild the header.
        if (data.size() < 40)
            return QImage();
        const quint32 headerSize = qFromLittleEndian<quint32>(data.constData());
        const quint16 bitCount = qFromLittleEndian<quint16>(data.constData() + 14);
        quint32 colours = headerSize >= 40 ? qFromLittleEndian<quint32>(data.constData() + 32) : 0;
        if (colours == 0 && bitCount <= 8)
            colours = 1u << bitCount;
        const quint32 compression = headerSize >= 40 ? qFromLittleEndian<quint32>(data.constData() + 16) : 0;
        const quint32 masks = (compression == 3 && headerSize == 40) ? 12 : 0;
        const quint64 offset = 14ull + headerSize + masks + 4ull * colours;
        if (offset > static_cast<quint64>(data.size()) + 14)
            return QImage();
        QByteArray file("BM");
        char field[4];
        qToLittleEndian<quint32>(static_cast<quint32>(data.size() + 14), field);
        file.append(field, 4);
        file.append(4, '\0');
        qToLittleEndian<quint32>(static_cast<quint32>(offset), field);
        file.append(field, 4);
        file.append(data);
        return QImage::fromData(file, "BMP");
    }
    case PictureKind::Wbitmap: {
        // A device-dependent bitmap: rows of raw pixels, width and height from \picw and \pich.
        const int width = m_picture.picw;
        const int height = m_picture.pich;
        const int bits = m_picture.bitsPixel;
        if (width <= 0 || height <= 0 || width > 20000 || height > 20000)
            return QImage();
        if (bits != 1 && bits != 24 && bits != 32)
            return QImage();
        qint64 stride = m_picture.widthBytes;
        if (stride <= 0)
            stride = ((static_cast<qint64>(width) * bits + 15) / 16) * 2;
        if (stride * height > data.size() || stride * 8 < static_cast<qint64>(width) * bits)
            return QImage();
        QImage image(width, height, QImage::Format_RGB32);
        if (image.isNull())
            return QImage();
        for (int y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const uchar*>(data.constData() + stride * y);
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width; ++x) {
                if (bits == 1)
                    out[x] = (row[x / 8] >> (7 - x % 8)) & 1 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
                else
                    out[x] = qRgb(row[x * bits / 8 + 2], row[x * bits / 8 + 1], row[x * bits / 8]);
            }
        }
        return image;
    }
    case PictureKind::Unknown:
        break;
    }
    return QImage();
}

void Parser::finishPicture()
{
    m_pictureDepth = 0;
    if (m_picture.tooLarge)
        damage(QStringLiteral("a picture is too large"));
    const QImage image = m_picture.tooLarge ? QImage() : decodePicture();
    if (image.isNull()) {
        ++m_skippedPictures;
        m_picture = Picture();
        return;
    }
    double width = m_picture.goalWidth > 0 ? m_picture.goalWidth / 15.0 : image.width();
    double height = m_picture.goalHeight > 0 ? m_picture.goalHeight / 15.0 : image.height();
    width = width * qBound(1, m_picture.scaleX, 10000) / 100.0;
    height = height * qBound(1, m_picture.scaleY, 10000) / 100.0;
    const QString name = QStringLiteral("rtf-image-%1").arg(++m_imageCount);
    m_document->addResource(QTextDocument::ImageResource, QUrl(name), image);

    // The picture group's character state is the one of the text around it.
    QTextImageFormat format;
    format.merge(charFormat());
    format.setName(name);
    format.setWidth(width);
    format.setHeight(height);
    startContent();
    m_cursor.insertImage(format);
    m_picture = Picture();
}

void Parser::controlWord(const QByteArray& word, bool hasParam, int param)
{
    GroupState& s = state();
    const bool starred = m_starred;
    m_starred = false;

    if (word == "bin") {
        consumeFallback();
        skipBinary(param);
        return;
    }

    if (s.destination == Destination::Skip) {
        // Inside \object and \upr only the \result and \ud parts carry what is shown.
        if (s.resumeParent && (word == "result" || word == "ud"))
            s.destination = Destination::Text;
        return;
    }

    if (m_fallbackLeft > 0 && word != "u") {
        --m_fallbackLeft;
        return;
    }

    // Formatting changes must not reach text collected so far.
    if (word != "u" && s.destination == Destination::Text)
        flushText();

    const int value = hasParam ? param : 1;
    const bool on = !hasParam || param != 0;

    // Destinations.
    if (word == "fonttbl") {
        s.destination = Destination::FontTable;
        m_currentFont = -1;
        return;
    }
    if (word == "colortbl") {
        s.destination = Destination::ColorTable;
        m_colors.clear();
        m_red = m_green = m_blue = -1;
        return;
    }
    if (word == "pict") {
        s.destination = Destination::Picture;
        m_picture = Picture();
        m_pictureDepth = m_stack.size();
        return;
    }
    if (word == "object" || word == "upr") {
        s.destination = Destination::Skip;
        s.resumable = true;
        return;
    }
    if (word == "shppict" || word == "ud" || word == "fldrslt" || word == "result")
        return;
    if (isIgnoredDestination(word)) {
        s.destination = Destination::Skip;
        return;
    }

    switch (s.destination) {
    case Destination::FontTable:
        if (word == "f") {
            finishFont();
            m_currentFont = qMax(0, value);
            m_fonts[m_currentFont] = Font();
        } else if (word == "fcharset" && m_currentFont >= 0) {
            m_fonts[m_currentFont].charset = value;
        } else if (word == "cpg" && m_currentFont >= 0) {
            m_fonts[m_currentFont].codePage = value;
        } else if (word == "u") {
            unicodeChar(param);
        } else if (starred) {
            s.destination = Destination::Skip;
        }
        return;
    case Destination::ColorTable:
        if (word == "red")
            m_red = value;
        else if (word == "green")
            m_green = value;
        else if (word == "blue")
            m_blue = value;
        else if (starred)
            s.destination = Destination::Skip;
        return;
    case Destination::Picture:
        if (word == "pngblip")
            m_picture.kind = PictureKind::Png;
        else if (word == "jpegblip")
            m_picture.kind = PictureKind::Jpeg;
        else if (word == "dibitmap")
            m_picture.kind = PictureKind::Dib;
        else if (word == "wbitmap")
            m_picture.kind = PictureKind::Wbitmap;
        else if (word == "wmetafile" || word == "emfblip" || word == "macpict" || word == "pmmetafile")
            m_picture.kind = PictureKind::Unknown;
        else if (word == "picw")
            m_picture.picw = value;
        else if (word == "pich")
            m_picture.pich = value;
        else if (word == "picwgoal")
            m_picture.goalWidth = value;
        else if (word == "pichgoal")
            m_picture.goalHeight = value;
        else if (word == "picscalex")
            m_picture.scaleX = value;
        else if (word == "picscaley")
            m_picture.scaleY = value;
        else if (word == "wbmbitspixel")
            m_picture.bitsPixel = value;
        else if (word == "wbmwidthbytes")
            m_picture.widthBytes = value;
        else if (starred)
            s.destination = Destination::Skip;
        return;
    case Destination::Skip:
        return;
    case Destination::Text:
        break;
    }

    if (starred) {
        // An optional destination this reader does not know: leave it out.
        s.destination = Destination::Skip;
        return;
    }

    // Document settings.
    if (word == "ansi") {
        m_documentCodePage = 1252;
    } else if (word == "ansicpg") {
        if (hasParam && param > 0 && CodePage::isSupported(param))
            m_documentCodePage = param;
    } else if (word == "mac") {
        m_documentCodePage = 10000;
    } else if (word == "pc") {
        m_documentCodePage = 437;
    } else if (word == "pca") {
        m_documentCodePage = 850;
    } else if (word == "deff") {
        m_defaultFont = qMax(0, value);
    } else if (word == "uc") {
        s.unicodeSkip = qBound(0, value, 16);
    } else if (word == "u") {
        if (hasParam)
            unicodeChar(param);
    }
    // Character formatting.
    else if (word == "plain") {
        s.chars = CharState();
    } else if (word == "f") {
        s.chars.font = qMax(0, value);
    } else if (word == "fs") {
        if (value > 0)
            s.chars.halfPoints = qMin(value, 3276);
    } else if (word == "b") {
        s.chars.bold = on;
    } else if (word == "i") {
        s.chars.italic = on;
    } else if (word == "ul" || word == "uld" || word == "uldash" || word == "uldashd" || word == "uldashdd" ||
               word == "uldb" || word == "ulth" || word == "ulw" || word == "ulwave" || word == "ulhwave" ||
               word == "ululdbwave" || word == "ulthd" || word == "ulthdash" || word == "ulldash" ||
               word == "ulthldash" || word == "ulthdashd" || word == "ulthdashdd") {
        s.chars.underline = on;
    } else if (word == "ulnone") {
        s.chars.underline = false;
    } else if (word == "strike" || word == "striked") {
        s.chars.strike = on;
    } else if (word == "cf") {
        s.chars.foreground = qMax(0, value);
    } else if (word == "cb" || word == "highlight" || word == "chcbpat") {
        s.chars.background = qMax(0, value);
    } else if (word == "super") {
        s.chars.vertical = on ? 1 : 0;
    } else if (word == "sub") {
        s.chars.vertical = on ? -1 : 0;
    } else if (word == "nosupersub") {
        s.chars.vertical = 0;
    } else if (word == "v") {
        s.chars.hidden = on;
    } else if (word == "loch" || word == "hich") {
        s.chars.doubleByte = false;
        s.chars.associatedTarget = false;
    } else if (word == "dbch") {
        s.chars.doubleByte = true;
        s.chars.associatedTarget = true;
    } else if (word == "rtlch") {
        // Associated properties after \rtlch are for right-to-left scripts, which are not told apart.
        s.chars.associatedTarget = false;
    } else if (s.chars.associatedTarget && word == "af") {
        s.chars.associatedFont = qMax(0, value);
    } else if (s.chars.associatedTarget && word == "afs") {
        if (value > 0)
            s.chars.associatedHalfPoints = qMin(value, 3276);
    } else if (s.chars.associatedTarget && word == "ab") {
        s.chars.associatedBold = on ? 1 : 0;
    } else if (s.chars.associatedTarget && word == "ai") {
        s.chars.associatedItalic = on ? 1 : 0;
    }
    // Paragraph formatting.
    else if (word == "pard") {
        s.para = ParaState();
    } else if (word == "ql") {
        s.para.alignment = Qt::AlignLeft;
    } else if (word == "qc") {
        s.para.alignment = Qt::AlignHCenter;
    } else if (word == "qr") {
        s.para.alignment = Qt::AlignRight;
    } else if (word == "qj" || word == "qd") {
        s.para.alignment = Qt::AlignJustify;
    } else if (word == "li") {
        s.para.leftTwips = qBound(-31680, param, 31680);
    } else if (word == "ri") {
        s.para.rightTwips = qBound(-31680, param, 31680);
    } else if (word == "fi") {
        s.para.firstTwips = qBound(-31680, param, 31680);
    } else if (word == "sb") {
        s.para.beforeTwips = qBound(0, param, 31680);
    } else if (word == "sa") {
        s.para.afterTwips = qBound(0, param, 31680);
    }
    // Breaks and special characters.
    else if (word == "par" || word == "sect" || word == "page" || word == "column") {
        endParagraph();
    } else if (word == "row" || word == "nestrow") {
        // A row is its cells separated by tabs: the tab after the last cell goes again.
        flushText();
        if (m_cellEnd > 0 && m_cellEnd == m_cursor.position())
            m_cursor.deletePreviousChar();
        m_cellEnd = -1;
        endParagraph();
    } else if (word == "line") {
        if (!s.chars.hidden)
            appendText(QChar::LineSeparator);
    } else if (word == "tab") {
        if (!s.chars.hidden)
            appendText(QLatin1Char('\t'));
    } else if (word == "cell" || word == "nestcell") {
        appendText(QLatin1Char('\t'));
        flushText();
        m_cellEnd = m_cursor.position();
    } else if (!s.chars.hidden) {
        static const QHash<QByteArray, char16_t> specials = {
            {"emdash", 0x2014},  {"endash", 0x2013},    {"bullet", 0x2022},    {"lquote", 0x2018},
            {"rquote", 0x2019},  {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
            {"enspace", 0x2002}, {"qmspace", 0x2005},   {"zwj", 0x200D},       {"zwnj", 0x200C},
            {"ltrmark", 0x200E}, {"rtlmark", 0x200F},
        };
        const auto special = specials.constFind(word);
        if (special != specials.constEnd())
            appendText(QChar(*special));
    }
}

} // namespace

bool RtfReader::isRtf(const QByteArray& bytes)
{
    qsizetype pos = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < bytes.size() &&
           (bytes[pos] == ' ' || bytes[pos] == '\t' || bytes[pos] == '\r' || bytes[pos] == '\n'))
        ++pos;
    return bytes.mid(pos, 5) == "{\\rtf";
}

RtfReader::Status RtfReader::read(const QByteArray& rtf, QTextDocument* document)
{
    m_skippedPictures = 0;
    m_error.clear();
    if (!document) {
        m_status = Status::CannotOpen;
        m_error = QStringLiteral("no document to read into");
        return m_status;
    }
    if (!isRtf(rtf)) {
        m_status = Status::NotRtf;
        m_error = QStringLiteral("the data is not RTF");
        return m_status;
    }
    // Loading is not an edit the user could undo; it also saves recording every insertion.
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    Parser parser(rtf, document);
    parser.run();
    document->setUndoRedoEnabled(undo);
    m_skippedPictures = parser.skippedPictures();
    m_status = parser.damaged() ? Status::Damaged : Status::Ok;
    m_error = parser.error();
    return m_status;
}

RtfReader::Status RtfReader::readFile(const QString& path, QTextDocument* document)
{
    m_skippedPictures = 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_status = Status::CannotOpen;
        m_error = file.errorString();
        return m_status;
    }
    if (file.size() > kMaxFileBytes) {
        m_status = Status::CannotOpen;
        m_error = QStringLiteral("the file is too large");
        return m_status;
    }
    return read(file.readAll(), document);
}
