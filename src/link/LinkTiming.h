#pragma once
// Every delay of the conference link and of the procedures that drive it, in
// milliseconds. The sequencer adds up to one step before each frame.

namespace LinkTiming {

// Sequencer step: normal pace, and the slow pace while a line check window is open.
constexpr int kFastPaceMs = 30;
constexpr int kSlowPaceMs = 500;
// Answer-driven pace: after a poll's answer the next frame follows a guard of
// two character times (2 x 10 bits at 9600 bit/s, 2.08 ms). The guard counts
// from the moment the port hands the answer over, when the line has already
// been quiet for the driver's delivery time, so 2 ms keeps more than two
// characters of silence. A poll nobody answers, and any other word, is given
// the normal step.
constexpr int kAnswerGuardMs = 2;
constexpr int kAnswerTimeoutMs = kFastPaceMs;
// The port search moves on every third step.
constexpr int kSearchEveryTicks = 3;

// Start-up: controller found -> start-up poll; poll done -> ControlEnd.
constexpr int kStartupPollDelayMs = 500;
constexpr int kStartupControlEndDelayMs = 500;
// Closing sign-in / vote cycle starts this long after SignInEnd / VoteEnd.
constexpr int kClosingCycleDelayMs = 500;
// A closing cycle is given this many full poll cycles at the current pace plus
// a margin; a lost controller must not keep a sign-in or a vote open for ever.
constexpr int kClosingCycles = 2;
constexpr int kClosingMarginMs = 3000;

// How long a closing cycle over unitCount units may take at a step of paceMs.
constexpr int closingLimitMs(int unitCount, int paceMs)
{
    return kClosingCycleDelayMs + kClosingCycles * (unitCount + 1) * paceMs + kClosingMarginMs;
}

// Line check: ControlBegin -> line cycle; cycle done -> ControlEnd; progress tick.
constexpr int kLineCheckCycleDelayMs = 500;
constexpr int kLineCheckControlEndDelayMs = 1000;
constexpr int kLineCheckProgressMs = 500;

// Sign-in: ControlBegin -> SignInStart -> endless cycle; closing cycle -> ControlEnd.
constexpr int kSignInStartDelayMs = 1000;
constexpr int kSignInCycleDelayMs = 2000;
constexpr int kSignInControlEndDelayMs = 500;
// A single-unit query is answered within this time or not at all.
constexpr int kSingleQueryWaitMs = 100;
// While collecting: grid and figures refresh, and the countdown's step.
constexpr int kSignInRefreshMs = 1000;
constexpr int kSignInCountdownStepMs = 1000;

// Vote: ControlBegin -> VoteStart -> endless cycle; count refresh; closing cycle -> ControlEnd.
constexpr int kVoteStartDelayMs = 1000;
constexpr int kVoteCycleDelayMs = 1000;
constexpr int kVoteCountRefreshMs = 500;
constexpr int kVoteControlEndDelayMs = 500;
// The countdown's step.
constexpr int kVoteCountdownStepMs = 1000;

// Line watch: no answer from any unit in this many full poll cycles is a lost
// line; a lost port is reopened this often until the controller answers again.
constexpr int kSilentCyclesLost = 2;
constexpr int kReopenEveryMs = 3000;
// Bytes received are judged (rate, share of garbage) over windows this long.
constexpr int kLineWindowMs = 1000;

// Connection status dialog progress tick.
constexpr int kStatusProgressMs = 100;

} // namespace LinkTiming
