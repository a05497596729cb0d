#!/bin/sh
# Side-by-side speed of the engine: `quorvel-cli bench` with the fast
# expansion, the same suite with the literal expansion (the test oracle), and
# `stockfish bench` on one thread, all in one run on this machine.
# Usage: tools/bench_compare.sh [BUILD_DIR]   (default: build)
set -eu
build=${1:-build}
cli="$build/app/quorvel-cli"
stockfish=${STOCKFISH:-/usr/games/stockfish}
[ -x "$cli" ] || { echo "no $cli: build the quorvel-cli target first" >&2; exit 2; }
[ -x "$stockfish" ] || { echo "no $stockfish (Debian package stockfish)" >&2; exit 2; }

nps_of() { awk '/^nodes per second/ {print $4}'; }
sf_nps_of() { awk -F: '/Nodes\/second/ {gsub(/ /, "", $2); print $2}'; }
max() { [ "$1" -gt "$2" ] 2>/dev/null && echo "$1" || echo "$2"; }

# The machine may be shared: each program runs three times, interleaved,
# and the best figure of each counts.
rounds=${ROUNDS:-3}
fast=0 literal=0 sf=0
i=0
while [ "$i" -lt "$rounds" ]; do
    fast_out=$("$cli" bench)
    literal_out=$("$cli" bench --literal)
    sf_out=$("$stockfish" bench 16 1 13 2>&1)
    fast=$(max "$(echo "$fast_out" | nps_of)" "$fast")
    literal=$(max "$(echo "$literal_out" | nps_of)" "$literal")
    sf=$(max "$(echo "$sf_out" | sf_nps_of)" "$sf")
    i=$((i + 1))
done
echo "== quorvel-cli bench (fast), last round"
echo "$fast_out"
echo "== quorvel-cli bench --literal, last round"
echo "$literal_out" | tail -3
echo "== stockfish bench (1 thread, 16 MB hash, depth 13), last round"
echo "$sf_out" | tail -3
fast_nodes=$(echo "$fast_out" | awk '/^total nodes/ {print $3}')
literal_nodes=$(echo "$literal_out" | awk '/^total nodes/ {print $3}')
echo
echo "fast nodes/s     $fast"
echo "literal nodes/s  $literal"
echo "stockfish nps    $sf"
awk -v f="$fast" -v l="$literal" -v s="$sf" 'BEGIN {
    printf "fast / literal   %.1f  (target 10)\n", f / l
    printf "fast / stockfish %.1f  (target 2)\n", f / s
}'
if [ "$fast_nodes" != "$literal_nodes" ]; then
    echo "node counts differ: fast $fast_nodes, literal $literal_nodes" >&2
    exit 1
fi
