#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every test:
# the Linux build (conversion, batch converter, Qt window), the Windows build
# cross-compiled with MinGW-w64 and tested under Wine, a sanitizer build of the
# Linux tests, and the fuzz targets for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
stage() { printf '\n=== %s\n' "$*"; }

stage "Linux build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRASOLIN_UI=qt > /dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

stage "Windows build (MinGW-w64) and its tests under Wine"
cmake -S . -B build-mingw -G Ninja --toolchain cmake/mingw-w64.cmake > /dev/null
cmake --build build-mingw -j "$jobs"
ctest --test-dir build-mingw --output-on-failure -j "$jobs"
cmake/wine-run --stop build-mingw

stage "Linux tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRASOLIN_SANITIZE=ON \
  -DTRASOLIN_UI=none -DTRASOLIN_BENCH=OFF > /dev/null
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"

stage "Fuzz targets, a minute in all"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTRASOLIN_FUZZ=ON -DTRASOLIN_TESTS=OFF -DTRASOLIN_BENCH=OFF -DTRASOLIN_UI=none > /dev/null
cmake --build build-fuzz -j "$jobs"
bash scripts/run-fuzz.sh build-fuzz 60

echo
echo "stages: 4 passed, 0 failed"
