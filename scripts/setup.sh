#!/usr/bin/env bash
# Installs what the suite needs on Debian 12 (only what is missing), then
# configures build/. Used by start.sh and test.sh; safe to run again.
# Usage: scripts/setup.sh [programs|tests]
#   programs  (the default) what building, running and packaging the four
#             programs needs; build/ is configured without the tests when
#             it is configured for the first time
#   tests     that, and what the tests, the benchmarks and the sanitizer
#             and fuzz builds need; build/ is configured with the tests
set -euo pipefail
cd "$(dirname "$0")/.."

want=${1:-programs}
case $want in
  programs | tests) ;;
  *) echo "usage: scripts/setup.sh [programs|tests]" >&2; exit 2 ;;
esac

# One package per line, so that each program's needs stay easy to read.
# Building, running and packaging the programs:
programs=(
  g++
  cmake
  make
  pkg-config
  libreadline-dev
  libgtk-3-dev
  libcairo2-dev
  libpango1.0-dev
  libgdk-pixbuf-2.0-dev
  libwebp-dev
  libpng-dev
  zlib1g-dev
  duktape-dev
  libncurses-dev
  fonts-dejavu-core
  scdoc
  groff-base
  dpkg-dev
)
# Only for the tests (GoogleTest, the X server and the tools that drive
# and read it, the terminal and image tools, the package checks), the
# benchmarks, and the clang of the fuzz build:
tests=(
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  librsvg2-bin
  poppler-utils
  xvfb
  xauth
  xdotool
  xclip
  libxtst-dev
  x11-apps
  x11-utils
  imagemagick
  tmux
  bash-completion
  desktop-file-utils
  appstream
  weston
  lintian
  python3
  strace
  clang-14
  libclang-rt-14-dev
)

packages=("${programs[@]}")
[ "$want" = tests ] && packages+=("${tests[@]}")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "Missing: ${missing[*]}" >&2
      echo "Installing them needs root: run this as root, or install sudo." >&2
      exit 1
    fi
    as_root=(sudo)
  fi
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" apt-get update
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

if [ "$want" = tests ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON
elif [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
fi
