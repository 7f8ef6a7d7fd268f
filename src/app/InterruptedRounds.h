#pragma once
// Rounds cut off by a crash, a kill or the end of the program, across every
// meeting of the program folder. At start-up each cut-off vote is closed and
// the operator told which motion and when; a journaled sign-in is offered for
// storing (marked interrupted) or discarded. When the program ends with a vote
// running, the vote is closed the same way, so its partial count never stays
// as the motion's result.

namespace InterruptedRounds {

// At start-up, with the language table chosen: closes, tells and asks.
void recover();
// At the end of the run: closes the votes that still run, without a word.
void closeRunning();
// Makes every end of the program (its exits, SIGTERM, SIGINT) close running votes first.
void closeRunningAtEveryEnd();

} // namespace InterruptedRounds
