#pragma once
// A hall voting in real time: the link polls a simulated hall at its designed
// pace while delegates press keys, and every step the live count goes to the
// hall's state model as the vote page would put it on the screen. The spacing
// of consecutive polls is recorded, when each count was handed over and how
// long the program's thread spent handing it, so a run can judge the link's
// pace, what the model's calls cost the sequencer's thread and how fast
// viewers saw the count.

#include "link/Link.h"
#include "training/TrainingHall.h"

#include <vector>

class HallState;

class PolledVote
{
public:
    explicit PolledVote(int units = Link::kHighestUnit);
    ~PolledVote();

    // The link finds the hall, the vote opens and the endless poll cycle runs; false on time-out.
    bool start(int timeoutMs);
    // A few more delegates press; the count goes to `state` (when given) under the heading
    // "#<step>". Returns the step's number.
    int step(HallState* state);
    // Runs the program's event loop for this long, a step every stepMs.
    void run(int ms, int stepMs, HallState* state);

    // Milliseconds between polls of consecutive units (the cycle's turn is left out).
    const std::vector<double>& pollSpacingMs() const { return m_spacing; }
    // When each step's count was handed to the model (steady clock, ns), and how long the
    // model's calls took on the program's thread (ms).
    const std::vector<qint64>& stepTimesNs() const { return m_stepAt; }
    const std::vector<double>& callTimesMs() const { return m_callMs; }
    void clearSpacing() { m_spacing.clear(); }

private:
    int m_units;
    TrainingHall m_hall;
    Link m_link;
    int m_pressed = 0;
    int m_lastPolled = 0;
    qint64 m_lastPollAt = 0;
    std::vector<double> m_spacing;
    std::vector<qint64> m_stepAt;
    std::vector<double> m_callMs;
};

// The share of `spacing` within ±tolerance of `designed`, and a percentile (0..1) of it.
double shareWithin(const std::vector<double>& spacing, double designed, double tolerance);
double percentile(std::vector<double> values, double p);
