#pragma once
// When the simulated hall answers a frame: as late as a real line allows. A
// 4-byte frame in and a 4-byte answer out, 10 bits a byte at 9600 bit/s, take
// 8.33 ms; a unit adds its turnaround. unitsim and the training hall share this,
// so a rehearsal runs at the pace of the pseudo-terminal simulator.

#include <cmath>

namespace HallTiming {

constexpr int kBitsPerSecond = 9600;
constexpr int kBitsPerByte = 10;  // start, 8 data, stop
constexpr int kExchangeBytes = 8; // the frame in and its answer out
constexpr double kTurnaroundMs = 0.5;

// Whole milliseconds after a frame arrives that its answer is out (9 ms with the default turnaround).
inline int answerDelayMs(double turnaroundMs = kTurnaroundMs)
{
    const double lineMs = 1000.0 * kExchangeBytes * kBitsPerByte / kBitsPerSecond;
    return int(std::ceil(lineMs + (turnaroundMs > 0 ? turnaroundMs : 0)));
}

} // namespace HallTiming
