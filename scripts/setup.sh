#!/usr/bin/env bash
# Installs what the suite needs on Debian 12 (only what is missing), then
# builds it into build/. Used by start.sh and test.sh; safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

# One package per line, so that each program's needs stay easy to read.
packages=(
  g++
  cmake
  make
  pkg-config
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  libreadline-dev
  libgtk-3-dev
  libcairo2-dev
  libpango1.0-dev
  libgdk-pixbuf-2.0-dev
  libwebp-dev
  librsvg2-bin
  poppler-utils
  duktape-dev
  libncurses-dev
  xvfb
  xauth
  xdotool
  xclip
  libxtst-dev
  x11-apps
  imagemagick
  fonts-dejavu-core
  tmux
  scdoc
  groff-base
  bash-completion
  x11-utils
  desktop-file-utils
  appstream
  weston
  dpkg-dev
  lintian
  clang-14
  libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
