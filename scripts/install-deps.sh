#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Zorvic needs.
# Idempotent: packages already present are skipped, and apt is not touched at all then.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang-format
  qt6-base-dev libqt6svg6 qt6-translations-l10n
  libx11-dev libxext-dev libxfixes-dev libxtst-dev libxi-dev libxrandr-dev libxdamage-dev
  libjpeg-dev libgif-dev
  # PNG: libdeflate compresses what the PNG writer writes; zorvic-cli reads PNG and TIFF
  # through libpng and libtiff, and the tests check PNG files with pngcheck
  libdeflate-dev libpng-dev libtiff-dev pngcheck
  libavformat-dev libavcodec-dev libavdevice-dev libswscale-dev libavutil-dev
  libcanberra-dev libasound2-dev sound-theme-freedesktop
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils x11-xserver-utils xdotool jwm xclip
  xdg-utils
  fonts-wqy-microhei
  libtiff-tools imagemagick libjpeg-turbo-progs ffmpeg
  # the fuzz targets and the sanitizer build: clang and its libFuzzer and sanitizer runtimes
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
