#!/usr/bin/env python3
"""Timing of the conference link from a unitsim frame log (unitsim --log FILE).

Splits the received words into poll runs (consecutive PollUnit frames 1..N) and
prints, per run, the number of polls, the duration from the first to the last
poll, and the median, minimum and maximum spacing between polls, plus the
intervals between the framing commands.

    tools/linkstats/linkstats.py /tmp/unitsim.log
"""
import statistics
import sys


def read_log(path):
    frames = []
    with open(path) as log:
        for line in log:
            fields = line.split()
            if len(fields) >= 3 and fields[1] == "RX":
                name = fields[3] if len(fields) > 3 else ""
                frames.append((float(fields[0]), int(fields[2], 16), name))
    return frames


def poll_runs(frames):
    """Runs of polls 1, 2, 3, ... without other frames between them."""
    runs, current = [], []
    for time, word, _ in frames:
        is_poll = word >> 16 == 0xFA and (word >> 8) & 0xFF == 0
        unit = word & 0xFF
        if is_poll and current and unit == (current[-1][1] & 0xFF) + 1:
            current.append((time, word))
            continue
        if len(current) > 1:
            runs.append(current)
        current = [(time, word)] if is_poll and unit == 1 else []
    if len(current) > 1:
        runs.append(current)
    return runs


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    frames = read_log(sys.argv[1])
    print(f"{len(frames)} frames received")
    for index, run in enumerate(poll_runs(frames), 1):
        gaps = [(b[0] - a[0]) * 1000 for a, b in zip(run, run[1:])]
        print(
            f"poll run {index}: units 1..{len(run)}, {run[-1][0] - run[0][0]:.3f} s first to last poll; "
            f"spacing median {statistics.median(gaps):.1f} ms, min {min(gaps):.1f}, max {max(gaps):.1f}, "
            f"stdev {statistics.pstdev(gaps):.1f}"
        )
    previous = None
    for time, word, name in frames:
        if word >> 16 != 0xFA:
            gap = "" if previous is None else f" (+{(time - previous) * 1000:.0f} ms after the previous frame)"
            print(f"{time:10.3f} {word:06X} {name}{gap}")
        previous = time
    return 0


if __name__ == "__main__":
    sys.exit(main())
