#!/usr/bin/env bash
# Installs the packages, builds, and starts the console on the demo program
# folder demo/ in training mode (a hall simulated inside the console).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
exec scripts/run-demo.sh "$@"
