#include "framepane/FourccCodec.h"

#include "framepane/DisplayWords.h"

extern "C" {
#include <libavformat/avformat.h>
}

AVCodecID codecForHandler(uint32_t handler)
{
    // "DIB " is the handler of uncompressed full frames, which the RIFF table knows as BI_RGB (0).
    if (handler == makeFourcc('D', 'I', 'B', ' '))
        handler = 0;
    const AVCodecTag* const tables[] = {avformat_get_riff_video_tags(), nullptr};
    return av_codec_get_id(tables, handler);
}

QString fourccText(uint32_t fourcc)
{
    QString text;
    for (int shift = 0; shift < 32; shift += 8) {
        const char c = char(fourcc >> shift & 0xFF);
        text += c >= 0x20 && c < 0x7F ? QChar::fromLatin1(c) : QChar(u'?');
    }
    return text;
}
