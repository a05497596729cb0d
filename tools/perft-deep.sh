#!/usr/bin/env bash
# The deep perft figures of the six standard positions, too slow for the test
# suite, each checked with White as the lower side and again with the board
# held mirrored (the player with Black).
set -euo pipefail
cd "$(dirname "$0")/.."
cli="${QUORVEL_CLI:-build/app/quorvel-cli}"
[ -x "$cli" ] || { echo "build quorvel-cli first (tools/test.sh or cmake --build build)"; exit 2; }

failures=0
check() {  # depth expected fen
  local got mode
  for mode in "" --mirrored; do
    got=$("$cli" perft "$1" "$3" $mode)
    if [ "$got" = "$2" ]; then echo "ok    depth $1 = $2   $3 $mode"
    else echo "FAIL  depth $1: $got, expected $2   $3 $mode"; failures=$((failures + 1)); fi
  done
}
start="rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"
kiwi="r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"
rook="8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1"
promo="r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1"
disc="rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8"
middle="r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10"
check 4 197281 "$start"
time check 5 4865609 "$start"
check 3 97862 "$kiwi"
check 4 4085603 "$kiwi"
check 5 674624 "$rook"
check 4 422333 "$promo"
check 4 2103487 "$disc"
check 3 89890 "$middle"
check 4 3894594 "$middle"
[ "$failures" -eq 0 ] && echo "all deep perft counts match" || { echo "$failures mismatches"; exit 1; }
