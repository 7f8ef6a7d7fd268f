#!/usr/bin/env bash
# Installs the packages, builds into build/ and makes the Debian package there
# (build/conference-console_VERSION_ARCH.deb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build "$@"
cd build
cpack -G DEB
ls "$PWD"/conference-console_*.deb
