#!/usr/bin/env bash
# Installs, with apt-get, whatever Korvana's build and tests need and this
# machine lacks. Does nothing when everything is there.
set -euo pipefail

packages=(
  # native build, tests, benchmarks
  g++ cmake ninja-build googletest libgtest-dev libgmock-dev libbenchmark-dev
  # Windows build and running it
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools wine wine64 xvfb x11-utils
  # real peers and tools the tests use
  imagemagick sox lame ffmpeg clang libclang-rt-14-dev python3 tzdata xinetd
  # release packages
  nsis zip unzip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
