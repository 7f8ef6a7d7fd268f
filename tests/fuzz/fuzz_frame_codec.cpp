// The frame decoder over any byte stream: the first byte picks the chunk size, so frames split
// at every place; every frame given out must carry a good checksum.
#include "FuzzInput.h"
#include "link/FrameCodec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t chunk = 1 + data[0] % 7;
    const QByteArray bytes = fuzzBytes(data + 1, size - 1);
    FrameDecoder decoder(size > 1 && data[1] & 1 ? QList<quint8>{0xFA, 0xFB} : QList<quint8>{});
    for (qsizetype at = 0; at < bytes.size(); at += qsizetype(chunk)) {
        for (const UnitFrame& frame : decoder.feed(bytes.mid(at, qsizetype(chunk)))) {
            const QByteArray line = FrameCodec::encode(frame);
            if (!FrameCodec::checksumMatches(line.constData()))
                std::abort();
        }
        if (decoder.pendingBytes() >= FrameCodec::kFrameSize)
            std::abort();
    }
    return 0;
}
