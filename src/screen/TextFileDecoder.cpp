#include "screen/TextFileDecoder.h"

#include "screen/CodePage.h"

#include <QFile>
#include <QStringDecoder>

namespace TextFileDecoder {

namespace {

// Files larger than this are not documents to read out; refusing them keeps the page responsive.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

QString toUnicode(const QByteArray& bytes, int legacyCodePage)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder decoder(QStringDecoder::Utf16LE);
        return decoder(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::Utf16BE);
        return decoder(bytes.mid(2));
    }
    // Stateless, so a sequence cut off at the end counts as an error instead of waiting for more.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return CodePage::decode(bytes, legacyCodePage);
}

} // namespace

int legacyCodePage(const QString& languageCode)
{
    return languageCode == QLatin1String("0") ? 936 : 1252;
}

QString decode(const QByteArray& bytes, int legacyCodePage)
{
    const QString text = toUnicode(bytes, legacyCodePage);
    QString joined;
    joined.reserve(text.size() + 1);
    qsizetype lineStart = 0;
    while (lineStart < text.size()) {
        qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), lineStart);
        const qsizetype next = lineEnd < 0 ? text.size() : lineEnd + 1;
        if (lineEnd < 0)
            lineEnd = text.size();
        qsizetype cut = lineEnd;
        if (cut > lineStart && text[cut - 1] == QLatin1Char('\r'))
            --cut;
        joined += QStringView(text).mid(lineStart, cut - lineStart);
        joined += QLatin1Char('\n');
        lineStart = next;
    }
    return joined;
}

bool readFile(const QString& path, int legacyCodePage, QString* text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    if (text)
        *text = decode(bytes, legacyCodePage);
    return true;
}

} // namespace TextFileDecoder
