#!/usr/bin/env bash
# Builds the libFuzzer targets into build-fuzz/ (clang) and runs each for SECONDS, one after
# the other, starting from the seeds in tests/fuzz/corpus/. Inputs found grow a corpus in
# build-fuzz/corpus/; crashing inputs land in build-fuzz/crashes/. Fails when any target crashes.
#   scripts/fuzz.sh SECONDS [CMake options...]     (FUZZ_LOG_DIR: where the logs go)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: scripts/fuzz.sh SECONDS [CMake options...]}
shift
build=build-fuzz
logs=${FUZZ_LOG_DIR:-$build/logs}

# -O1 with line tables: quick to build, fast enough to fuzz, stack traces with lines.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DCONSOLE_FUZZ=ON -DCONSOLE_BUILD_TESTS=OFF "$@" >/dev/null
cmake --build "$build" --target fuzz --parallel "$(nproc)"

mkdir -p "$logs" "$build/crashes"
failed=()
for target in "$build"/fuzz/fuzz_*; do
    name=${target##*/fuzz_}
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    echo "== fuzz $name for ${seconds}s"
    # The first folder gets what is found; the seeds are only read.
    if ! QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 "$target" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/crashes/$name-" \
        "$corpus" "tests/fuzz/corpus/$name" >"$logs/$name.log" 2>&1; then
        failed+=("$name")
        tail -n 40 "$logs/$name.log"
    fi
    scripts/fuzz-report.sh "$logs/$name.log"
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: findings in ${failed[*]} (inputs in $build/crashes/)" >&2
    exit 1
fi
