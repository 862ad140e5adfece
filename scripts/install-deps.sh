#!/usr/bin/env bash
# Installs, as root with apt-get, what building and testing Trasolin needs.
# Packages already present are left alone, so a second run is quick.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config googletest libgtest-dev libbenchmark-dev
  # KML readers the tests check our tracks with
  gdal-bin gpsbabel
  # benchmark and test logs
  python3
  # fuzz targets: clang with libFuzzer and the sanitizers' runtimes
  clang libclang-rt-14-dev
  # the window on Linux: Qt 6 Widgets with its platform plugins (the tests draw
  # off screen), a font close to the window's own, the desktop entry's checker
  qt6-base-dev qt6-qpa-plugins fonts-liberation2 desktop-file-utils
  # the Windows side: the MinGW-w64 cross compiler; Wine to run its programs and
  # tests, with the X libraries and the fonts its windows are drawn with; a
  # virtual screen, and ImageMagick's import for the window's screenshots
  g++-mingw-w64-x86-64-posix mingw-w64 wine wine64 fonts-wine
  libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxfixes3 libxinerama1
  xvfb imagemagick
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
