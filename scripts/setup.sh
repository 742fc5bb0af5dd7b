#!/usr/bin/env bash
# Installs what the build needs from Debian's packages (run as root or with sudo).
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
PACKAGES=(
  build-essential cmake pkg-config
  ccache                 # compiler cache: rebuilds of unchanged files are instant
  libsdl2-dev            # window, input, audio output
  libfreetype-dev        # text rasterising
  fonts-dejavu-core      # the font embedded at build time
  libpng-dev             # screenshots
  libgtest-dev libbenchmark-dev
  desktop-file-utils appstream shared-mime-info groff-base   # checks of the installed desktop files
  clang-14 libclang-rt-14-dev llvm-14   # the fuzz targets (libFuzzer) and their stacks' symbols
  xvfb xdotool imagemagick   # tests of the real program in a real X server
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
