#pragma once
// Every frame through a video codec and back: encode with the chosen codec
// (when the caller asked for compression), decode again and convert to the
// capture format, so the window shows what the codec leaves of the picture.
// A step that fails to open takes only the steps that depend on it along:
// without a decoder the frame is shown as it came.

#include "framepane/DisplayWords.h"

#include <QImage>
#include <QStringList>

#include <memory>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

class CodecRoundTrip
{
public:
    CodecRoundTrip();
    ~CodecRoundTrip();
    CodecRoundTrip(const CodecRoundTrip&) = delete;
    CodecRoundTrip& operator=(const CodecRoundTrip&) = delete;

    // Opens the compressor and the decompressor; returns the texts of the steps that failed.
    QStringList open(const PlaybackSettings& settings);
    // True when frames really go through a codec.
    bool roundTrips() const { return m_encoder && m_decoder; }
    // The frame (in the capture format) after the round trip; the frame itself when there is
    // none, or the last good picture while a decoder waits for more data.
    QImage process(const QImage& frame);
    // Bytes of the last compressed frame.
    int compressedSize() const { return m_compressedSize; }

private:
    struct ContextDeleter
    {
        void operator()(AVCodecContext* context) const;
    };
    struct FrameDeleter
    {
        void operator()(AVFrame* frame) const;
    };
    struct PacketDeleter
    {
        void operator()(AVPacket* packet) const;
    };
    using Context = std::unique_ptr<AVCodecContext, ContextDeleter>;

    bool openEncoder(int codecId, const PlaybackSettings& settings);
    QStringList openDecoder(int codecId, const PlaybackSettings& settings);
    void keepDecoded();

    Context m_encoder;
    Context m_decoder;
    std::unique_ptr<AVFrame, FrameDeleter> m_encoderFrame;
    std::unique_ptr<AVFrame, FrameDeleter> m_decodedFrame;
    std::unique_ptr<AVPacket, PacketDeleter> m_packet;
    SwsContext* m_toEncoder = nullptr;
    SwsContext* m_fromDecoder = nullptr;
    QImage::Format m_format = QImage::Format_BGR888;
    QImage m_last;
    int64_t m_pts = 0;
    int m_compressedSize = 0;
};
