#!/usr/bin/env bash
# Installs what the console needs to build, run and test on Debian 12.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config git
    qt6-base-dev qt6-serialport-dev qt6-svg-dev libqt6svg6-dev qt6-multimedia-dev libgl-dev
    libsqlite3-dev libxlsxwriter-dev libminizip-dev libfreexl-dev libsodium-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libavcodec-dev libavformat-dev libavutil-dev libswscale-dev
    fonts-wqy-zenhei fonts-arphic-ukai fonts-liberation2
    poppler-utils xvfb xauth
    qt6-httpserver-dev qt6-websockets-dev libqrencode-dev chromium
    dpkg-dev clang-14 libclang-rt-14-dev lld
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
