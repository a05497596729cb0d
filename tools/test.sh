#!/usr/bin/env bash
# Builds Quorvel and runs every test: the whole suite (the window's tests on
# Qt's offscreen platform, the install tree and the Debian package through
# tools/check-install.sh), then the core again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the engine under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen

echo "== Build and test =="
cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build -j"$jobs"
(cd build && ctest -LE deep --output-on-failure -j"$jobs")

echo "== Core under AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -G Ninja -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_GUI=OFF -DQUORVEL_SANITIZE=ON > /dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest -L core -LE deep --output-on-failure -j"$jobs")

echo "== Core under ThreadSanitizer (the search thread's tests among them) =="
cmake -G Ninja -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_GUI=OFF -DQUORVEL_TSAN=ON > /dev/null
cmake --build build-tsan -j"$jobs"
(cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest -L core -LE deep --output-on-failure -j"$jobs")
