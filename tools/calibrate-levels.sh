#!/bin/sh
# Reruns the calibration of the levels "Niveau 1" to "Niveau 8" and writes
# the table of docs/levels.md to calibration/table.md.
#
# Each pair of adjacent levels plays the opening book's lines, each line with
# both colours (the engine is deterministic), through `quorvel-cli uci` and
# its option Level; level 7 plays Stockfish at UCI_LimitStrength, at its
# weakest calibrated UCI_Elo, both at 3 s a move: that match anchors the
# scale. Two games run side by side. Long: the pair 7-8 alone takes hours,
# since level 8 thinks for its 9 + 8 seconds.
#
# Usage: tools/calibrate-levels.sh [BUILD_FOLDER]   (default: build)
# Needs python3 and stockfish (Debian: stockfish, in /usr/games).
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$(pwd)/$build/app/quorvel-cli
stockfish=${STOCKFISH:-/usr/games/stockfish}
out=calibration
mkdir -p "$out"
[ -x "$cli" ] || { echo "no $cli: build quorvel-cli first" >&2; exit 2; }
[ -x "$stockfish" ] || { echo "no $stockfish: apt-get install stockfish" >&2; exit 2; }
# The weakest UCI_Elo this Stockfish accepts (1320 from version 16, 1350 before).
anchor=$(printf 'uci\nquit\n' | "$stockfish" | sed -n 's/.*name UCI_Elo type spin default [0-9]* min \([0-9]*\).*/\1/p')

pair() {  # LOW HIGH OPENINGS
    python3 tools/level_match.py --engine1 "$cli uci" --option1 OwnBook=false --option1 "Level=$1" \
        --engine2 "$cli uci" --option2 OwnBook=false --option2 "Level=$2" \
        --openings resources/ouvertures.txt --openings-used "$3" --concurrency 2 \
        --log "$out/l$1-l$2.log" | tee "$out/l$1-l$2.out"
}

# At least 40 games a pair (20 openings), 20 for the pair whose games take
# more than a minute each.
for low in 1 2 3 4 5 6; do pair "$low" $((low + 1)) 20; done
pair 7 8 10
python3 tools/level_match.py --engine1 "$cli uci" --option1 OwnBook=false --option1 Level=7 \
    --go1 "go movetime 3000" --engine2 "$stockfish" --option2 UCI_LimitStrength=true \
    --option2 "UCI_Elo=$anchor" --option2 Threads=1 --go2 "go movetime 3000" \
    --openings resources/ouvertures.txt --openings-used 10 --concurrency 2 \
    --log "$out/anchor.log" | tee "$out/anchor.out"

# The table: level 7 from the anchor, the others along the chain of pairs.
python3 - "$out" "$anchor" <<'PY'
import re, sys
out, anchor = sys.argv[1], int(sys.argv[2])
def final(name):
    line = [l for l in open(f"{out}/{name}.out") if l.startswith("final")][-1]
    m = re.search(r"games (\d+)\s+W-D-L (\S+)\s+score ([\d.]+) %\s+Elo ([-+]\d+) \+/- (\d+)", line)
    return int(m[1]), m[2], float(m[3]), int(m[4]), int(m[5])
rows, elo = [], {}
g, wdl, score, diff, margin = final("anchor")
elo[7] = anchor + diff
rows.append(f"| 7 against Stockfish UCI_Elo {anchor} | {g} | {wdl} | {score:.1f} % | {diff:+d} ± {margin} |")
g, wdl, score, diff, margin = final("l7-l8")
elo[8] = elo[7] - diff
rows.append(f"| 7 against 8 | {g} | {wdl} | {score:.1f} % | {diff:+d} ± {margin} |")
for low in range(6, 0, -1):
    g, wdl, score, diff, margin = final(f"l{low}-l{low + 1}")
    elo[low] = elo[low + 1] + diff
    rows.append(f"| {low} against {low + 1} | {g} | {wdl} | {score:.1f} % | {diff:+d} ± {margin} |")
print("| Match (first named scores) | Games | W-D-L | Score | Elo difference, 95 % |")
print("|---|---|---|---|---|")
print("\n".join(rows))
print()
print("| Level | Elo | Menu (rounded to 50) |")
print("|---|---|---|")
for level in range(1, 9):
    print(f"| {level} | {elo[level]:.0f} | {round(elo[level] / 50) * 50} |")
PY
