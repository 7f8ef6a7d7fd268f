#pragma once
// Video FOURCCs to FFmpeg codecs through libavformat's table of RIFF video
// tags: those are the Windows video handlers, so no table is kept here.

#include <cstdint>

extern "C" {
#include <libavcodec/codec_id.h>
}

// AV_CODEC_ID_NONE when no codec has this handler.
AVCodecID codecForHandler(uint32_t handler);
