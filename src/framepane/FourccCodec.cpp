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
