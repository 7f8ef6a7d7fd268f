#pragma once
// The line noise of the simulated hall (unitsim, the training hall): each byte
// sent is hit with a probability, and a hit is, in equal shares, a flipped bit,
// a byte lost on the line or a stray byte added after it. The decoder must read
// every intact frame after each of them.

#include <QByteArray>
#include <QRandomGenerator>

namespace LineNoise {

QByteArray apply(const QByteArray& bytes, double probability, QRandomGenerator& random);

} // namespace LineNoise
