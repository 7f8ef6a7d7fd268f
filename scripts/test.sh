#!/usr/bin/env bash
# Installs the packages, builds and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The benchmarks are not tests: CI compiles them in its sanitizer build.
scripts/build.sh build -DCONSOLE_BENCH=OFF
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 300
