#include "training/LineNoise.h"

namespace LineNoise {

QByteArray apply(const QByteArray& bytes, double probability, QRandomGenerator& random)
{
    if (probability <= 0)
        return bytes;
    QByteArray out;
    out.reserve(bytes.size() + 4);
    for (const char c : bytes) {
        if (random.generateDouble() >= probability) {
            out.append(c);
            continue;
        }
        switch (random.bounded(3)) {
        case 0: // a flipped bit
            out.append(char(quint8(c) ^ quint8(1u << random.bounded(8))));
            break;
        case 1: // lost
            break;
        default: // a stray byte after it
            out.append(c);
            out.append(char(random.bounded(256)));
            break;
        }
    }
    return out;
}

} // namespace LineNoise
