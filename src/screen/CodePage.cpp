#include "screen/CodePage.h"

#include <cerrno>
#include <iconv.h>
#include <map>
#include <memory>

namespace {

QByteArray iconvName(int codePage)
{
    switch (codePage) {
    case 936:
        return "GBK";
    case 54936:
        return "GB18030";
    case 950:
        return "BIG5";
    case 65001:
        return "UTF-8";
    case 10000:
        return "MACINTOSH";
    case 20127:
        return "ASCII";
    case 28591:
        return "ISO-8859-1";
    default:
        return "CP" + QByteArray::number(codePage);
    }
}

// Owns one iconv descriptor for the duration of a conversion.
class Converter
{
public:
    Converter(const QByteArray& to, const QByteArray& from)
        : m_cd(iconv_open(to.constData(), from.constData()))
    {
    }
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return m_cd; }

private:
    iconv_t m_cd;
};

// Opening a converter costs far more than a short conversion, and RTF decodes many short runs:
// keep one per code page and direction for the thread.
Converter& cached(const QByteArray& to, const QByteArray& from)
{
    thread_local std::map<std::pair<QByteArray, QByteArray>, std::unique_ptr<Converter>> converters;
    std::unique_ptr<Converter>& converter = converters[{to, from}];
    if (!converter)
        converter = std::make_unique<Converter>(to, from);
    else if (converter->valid())
        iconv(converter->handle(), nullptr, nullptr, nullptr, nullptr);
    return *converter;
}

bool isAscii(const QByteArray& bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

namespace CodePage {

int fromCharset(int charset)
{
    switch (charset) {
    case 0:
        return 1252;
    case 2: // symbol fonts: their bytes are glyph numbers, shown as Western text
        return 1252;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0;
    }
}

int toCharset(int codePage)
{
    switch (codePage) {
    case 936:
    case 54936:
        return 134;
    case 950:
        return 136;
    case 932:
        return 128;
    case 949:
        return 129;
    case 1250:
        return 238;
    case 1251:
        return 204;
    case 1253:
        return 161;
    case 1254:
        return 162;
    case 1255:
        return 177;
    case 1256:
        return 178;
    case 1257:
        return 186;
    case 1258:
        return 163;
    case 874:
        return 222;
    default:
        return 0;
    }
}

bool isSupported(int codePage)
{
    return codePage > 0 && cached("UTF-8", iconvName(codePage)).valid();
}

QString decode(const QByteArray& bytes, int codePage, bool* ok)
{
    if (ok)
        *ok = true;
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    Converter& converter = cached("UTF-8", iconvName(codePage));
    if (!converter.valid()) {
        if (ok)
            *ok = false;
        return QString::fromLatin1(bytes);
    }

    static const QByteArray replacement("\xEF\xBF\xBD");
    QByteArray out;
    out.reserve(bytes.size() * 3 / 2 + 16);
    char buffer[4096];
    // The 1255 and 1258 converters hold the last letter back in case a combining mark follows:
    // let it out before a reset and at the end, or it is lost.
    const auto flush = [&] {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        iconv(converter.handle(), nullptr, nullptr, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        iconv(converter.handle(), nullptr, nullptr, nullptr, nullptr);
    };
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(converter.handle(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (result != static_cast<size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // An invalid byte, or a lead byte cut off at the end: mark it and go on after it.
        if (ok)
            *ok = false;
        flush();
        out.append(replacement);
        ++in;
        --inLeft;
    }
    flush();
    return QString::fromUtf8(out);
}

QByteArray encode(const QString& text, int codePage, bool* ok)
{
    if (ok)
        *ok = true;
    const QByteArray utf8 = text.toUtf8();
    if (isAscii(utf8))
        return utf8;
    Converter& converter = cached(iconvName(codePage), "UTF-8");
    if (!converter.valid()) {
        if (ok)
            *ok = false;
        return QByteArray();
    }
    QByteArray out;
    char buffer[4096];
    char* in = const_cast<char*>(utf8.constData());
    size_t inLeft = static_cast<size_t>(utf8.size());
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(converter.handle(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (result != static_cast<size_t>(-1) || errno == E2BIG)
            continue;
        // Leave out the whole UTF-8 sequence that has no encoding here.
        if (ok)
            *ok = false;
        do {
            ++in;
            --inLeft;
        } while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80);
        iconv(converter.handle(), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

} // namespace CodePage
