#!/usr/bin/env bash
# Starts the console on the demo program folder demo/ in training mode: a hall
# simulated inside the console stands in for the controller, and meeting data
# goes to a copy of demo/ (~/.local/share/conference-console/training/).
# With --unitsim the simulated controller runs as its own process on a
# pseudo-terminal instead (unitsim --auto), wired to the console as serial port 1.
#   scripts/run-demo.sh [--unitsim] [console options...]     (BUILD_DIR=build by default)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$repo/build}
system="$build/bin/system"
unitsim="$build/bin/unitsim"

if [ ! -x "$system" ]; then
    echo "run-demo: $system is missing; build first (scripts/build.sh)" >&2
    exit 1
fi

use_unitsim=
if [ "${1:-}" = "--unitsim" ]; then
    use_unitsim=1
    shift
fi

args=(--root "$repo/demo")

# A prepared meeting with delegates and motions, added once.
if [ -x "$build/bin/demodata" ]; then
    "$build/bin/demodata" --root "$repo/demo" || echo "run-demo: the demonstration meeting was not added" >&2
fi
# The shipped language tables, so texts added since demo/ was made are there.
if [ -d "$repo/demo/System/Menu" ]; then
    cp "$repo"/share/System/Menu/*.ini "$repo/demo/System/Menu/"
fi

if [ -z "$use_unitsim" ]; then
    exec "$system" "${args[@]}" --training "$@"
fi

sim_pid=
work=$(mktemp -d)
cleanup() {
    if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

if [ -x "$unitsim" ]; then
    # unitsim prints the path of its terminal on its first line.
    "$unitsim" --auto --link "$work/controller" </dev/null >"$work/unitsim.out" 2>"$work/unitsim.err" &
    sim_pid=$!
    for _ in $(seq 1 50); do
        [ -s "$work/unitsim.out" ] && break
        kill -0 "$sim_pid" 2>/dev/null || break
        sleep 0.1
    done
    pty=$(head -n 1 "$work/unitsim.out" 2>/dev/null || true)
    if [ -n "$pty" ]; then
        echo "run-demo: simulated controller on $pty"
        args+=(--port "1=$pty")
    else
        echo "run-demo: unitsim did not start ($(cat "$work/unitsim.err" 2>/dev/null)); running without a controller" >&2
        sim_pid=
    fi
else
    echo "run-demo: $unitsim is not built; the console runs without a controller" >&2
fi

"$system" "${args[@]}" "$@"
