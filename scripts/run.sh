#!/usr/bin/env bash
# Installs what is missing, builds Trasolin and opens its window. On a machine
# without a display it says so and converts the example log with the batch
# converter instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRASOLIN_UI=qt > /dev/null
cmake --build build -j "$(nproc)" --target trasolin trasolin-convert

if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
    exec build/ui/trasolin
fi

echo "No display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window cannot open."
shopt -s nullglob nocaseglob
logs=(examples/*.csv)
if ((${#logs[@]} == 0)); then
    echo "There is no example log (examples/*.csv) to convert instead either."
    exit 0
fi
echo "Converting the example log with trasolin-convert instead; the track goes beside it:"
build/tools/trasolin-convert "${logs[@]}"
