#include "framepane/CodecRoundTrip.h"

#include "framepane/FourccCodec.h"
#include "framepane/FrameFormat.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace {

const QString kCompressorError = QStringLiteral("ICSeqCompressFrameStart In InitCompressor ERROR");
const QString kDecompressorError = QStringLiteral("Fail to get decompressor");
const QString kDecompressorBeginError =
    QStringLiteral("DecompressorBegin Error./n/rThe input or output format is not supported");
constexpr uint32_t kVideoCodecType = makeFourcc('v', 'i', 'd', 'c');
constexpr int kFramesPerSecond = 30;

AVPixelFormat pixelFormatFor(int bitCount)
{
    switch (bitCount) {
    case 16:
        return AV_PIX_FMT_RGB555LE;
    case 32:
        return AV_PIX_FMT_BGR0;
    default:
        return AV_PIX_FMT_BGR24;
    }
}

// Quality 0..10000 (10000 best) as the codec understands it: a constant rate factor where the
// codec has one, otherwise a fixed quantiser from 31 (worst) to 2 (best).
void setQuality(AVCodecContext* context, int quality)
{
    if (quality < 0)
        return;
    if (av_opt_set_double(context->priv_data, "crf", 45.0 - quality * 35.0 / 10000, 0) == 0)
        return;
    const int quantiser = 31 - quality * 29 / 10000;
    context->flags |= AV_CODEC_FLAG_QSCALE;
    context->global_quality = FF_QP2LAMBDA * quantiser;
}

} // namespace

void CodecRoundTrip::ContextDeleter::operator()(AVCodecContext* context) const
{
    avcodec_free_context(&context);
}

void CodecRoundTrip::FrameDeleter::operator()(AVFrame* frame) const
{
    av_frame_free(&frame);
}

void CodecRoundTrip::PacketDeleter::operator()(AVPacket* packet) const
{
    av_packet_free(&packet);
}

CodecRoundTrip::CodecRoundTrip() = default;

CodecRoundTrip::~CodecRoundTrip()
{
    sws_freeContext(m_toEncoder);
    sws_freeContext(m_fromDecoder);
}

QStringList CodecRoundTrip::open(const PlaybackSettings& settings)
{
    if (!settings.decompress || !settings.capture)
        return {};
    // FFmpeg's own notes are not for the user; failures are told through the prompter.
    av_log_set_level(AV_LOG_ERROR);
    m_format = imageFormatFor(settings.bitCount);
    const AVCodecID codecId = codecForHandler(settings.handler);
    if (settings.codecType != kVideoCodecType || codecId == AV_CODEC_ID_NONE)
        return {settings.compress ? kCompressorError : kDecompressorError};
    // Full frames need no codec: the picture is shown as captured.
    if (codecId == AV_CODEC_ID_RAWVIDEO)
        return {};
    // The decompressor reads what the compressor writes, so it waits for it.
    if (settings.compress && !openEncoder(codecId, settings))
        return {kCompressorError};
    const QStringList failures = openDecoder(codecId, settings);
    if (!failures.isEmpty())
        m_encoder.reset();
    return failures;
}

bool CodecRoundTrip::openEncoder(int codecId, const PlaybackSettings& settings)
{
    const AVCodec* codec = avcodec_find_encoder(AVCodecID(codecId));
    if (!codec || !codec->pix_fmts)
        return false;
    m_encoder.reset(avcodec_alloc_context3(codec));
    AVCodecContext* context = m_encoder.get();
    context->width = settings.width;
    context->height = settings.height;
    context->pix_fmt = codec->pix_fmts[0];
    context->time_base = {1, kFramesPerSecond};
    context->framerate = {kFramesPerSecond, 1};
    context->max_b_frames = 0;
    if (settings.keyRate > 0)
        context->gop_size = settings.keyRate;
    // A live picture: every frame out as soon as it went in.
    av_opt_set(context->priv_data, "preset", "ultrafast", 0);
    av_opt_set(context->priv_data, "tune", "zerolatency", 0);
    setQuality(context, settings.quality);
    if (avcodec_open2(context, codec, nullptr) < 0) {
        m_encoder.reset();
        return false;
    }
    m_encoderFrame.reset(av_frame_alloc());
    m_encoderFrame->format = context->pix_fmt;
    m_encoderFrame->width = context->width;
    m_encoderFrame->height = context->height;
    m_toEncoder =
        sws_getContext(settings.width, settings.height, pixelFormatFor(settings.bitCount), settings.width,
                       settings.height, context->pix_fmt, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (av_frame_get_buffer(m_encoderFrame.get(), 0) < 0 || !m_toEncoder) {
        m_encoder.reset();
        return false;
    }
    m_packet.reset(av_packet_alloc());
    return true;
}

QStringList CodecRoundTrip::openDecoder(int codecId, const PlaybackSettings& settings)
{
    const AVCodec* codec = avcodec_find_decoder(AVCodecID(codecId));
    if (!codec)
        return {kDecompressorError};
    m_decoder.reset(avcodec_alloc_context3(codec));
    m_decoder->width = settings.width;
    m_decoder->height = settings.height;
    m_decoder->flags |= AV_CODEC_FLAG_LOW_DELAY;
    if (avcodec_open2(m_decoder.get(), codec, nullptr) < 0) {
        m_decoder.reset();
        return {kDecompressorBeginError};
    }
    m_decodedFrame.reset(av_frame_alloc());
    return {};
}

QImage CodecRoundTrip::process(const QImage& frame)
{
    if (!roundTrips())
        return frame;
    AVFrame* input = m_encoderFrame.get();
    if (av_frame_make_writable(input) < 0)
        return m_last;
    const uint8_t* source[] = {frame.constBits()};
    const int sourceStride[] = {int(frame.bytesPerLine())};
    sws_scale(m_toEncoder, source, sourceStride, 0, frame.height(), input->data, input->linesize);
    input->pts = m_pts++;
    input->quality = m_encoder->global_quality;
    if (avcodec_send_frame(m_encoder.get(), input) < 0)
        return m_last;
    while (avcodec_receive_packet(m_encoder.get(), m_packet.get()) == 0) {
        m_compressedSize = m_packet->size;
        if (avcodec_send_packet(m_decoder.get(), m_packet.get()) == 0)
            keepDecoded();
        av_packet_unref(m_packet.get());
    }
    return m_last;
}

void CodecRoundTrip::keepDecoded()
{
    AVFrame* decoded = m_decodedFrame.get();
    while (avcodec_receive_frame(m_decoder.get(), decoded) == 0) {
        QImage picture(decoded->width, decoded->height, m_format);
        m_fromDecoder = sws_getCachedContext(
            m_fromDecoder, decoded->width, decoded->height, AVPixelFormat(decoded->format), decoded->width,
            decoded->height, pixelFormatFor(bitCountOf(m_format)), SWS_BILINEAR, nullptr, nullptr, nullptr);
        if (m_fromDecoder) {
            uint8_t* target[] = {picture.bits()};
            const int targetStride[] = {int(picture.bytesPerLine())};
            sws_scale(m_fromDecoder, decoded->data, decoded->linesize, 0, decoded->height, target,
                      targetStride);
            m_last = picture;
        }
        av_frame_unref(decoded);
    }
}
