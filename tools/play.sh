#!/usr/bin/env bash
# Builds Quorvel and starts the game from its build folder, where the
# opening book and the clips lie beside the program.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build --target quorvel -j"$(nproc)"
cd build/app/gui
exec ./quorvel "$@"
