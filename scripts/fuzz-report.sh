#!/usr/bin/env bash
# Sums up libFuzzer logs (scripts/fuzz.sh writes one per target): executions, coverage, corpus
# and whether it found something. Works on logs of runs still going.
#   scripts/fuzz-report.sh [LOG...]      (default: /tmp/fuzz-logs/*.log)
set -euo pipefail
[ $# -gt 0 ] || set -- /tmp/fuzz-logs/*.log
printf '%-14s %12s %8s %8s %7s %7s  %s\n' target executions cov ft corpus exec/s state
for log in "$@"; do
    [ -f "$log" ] || continue
    name=$(basename "$log" .log)
    # The last status line: "#123456 pulse  cov: 812 ft: 2301 corp: 210/40Kb ... exec/s: 950 ..."
    line=$(grep -aE '^#[0-9]+' "$log" | tail -n 1 || true)
    field() { sed -nE "s#.*$1: ?([0-9]+).*#\\1#p" <<<"$line"; }
    execs=$(sed -nE 's/^#([0-9]+).*/\1/p' <<<"$line")
    total=$(sed -nE 's/^stat::number_of_executed_units: ([0-9]+)/\1/p' "$log")
    state=running
    grep -aq '^stat::' "$log" && state=done
    grep -aqE 'ERROR: (AddressSanitizer|libFuzzer|UndefinedBehaviorSanitizer)|runtime error:|==[0-9]+== ?ERROR' \
        "$log" && state=FINDING
    printf '%-14s %12s %8s %8s %7s %7s  %s\n' "$name" "${total:-${execs:-0}}" "$(field cov)" \
        "$(field ft)" "$(sed -nE 's/.*corp: ([0-9]+).*/\1/p' <<<"$line")" "$(field exec/s)" "$state"
done
