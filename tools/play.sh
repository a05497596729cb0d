#!/usr/bin/env bash
# Builds Quorvel and starts the game from its build folder, wherever it is
# called from: the program finds its book and clips beside itself, and keeps
# the user's files in the user's folders.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
cmake -G Ninja -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$root/build" --target quorvel -j"$(nproc)"
exec "$root/build/app/gui/quorvel" "$@"
