#!/bin/sh
# Reruns the calibration of the levels "Niveau 1" to "Niveau 8" with
# `quorvel-cli match` and writes the table of docs/levels.md to
# calibration/table.md.
#
# The openings are the opening book's lines cut after eight plies, forty of
# them spread over the book, each played with both colours (the engine is
# deterministic). Each pair of adjacent levels plays them through
# `quorvel-cli uci` and its option Level, each level with its own depth and
# times; level 7 then plays Stockfish at UCI_LimitStrength, at its weakest
# calibrated UCI_Elo, at 3 s a move: that match anchors the scale. Two games
# run side by side. The pairs 1-2 to 6-7 take a few minutes in all; 7-8 takes
# about an hour, since level 8 thinks for its 9 + 8 seconds, and the anchor
# half an hour. Level 8 is bounded by time: run on a quiet machine.
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

# The openings as positions: Stockfish plays the book's moves and tells the FEN.
python3 - "$stockfish" resources/ouvertures.txt "$out/openings.fen" <<'PY'
import subprocess, sys
engine, book, target = sys.argv[1:4]
lines = [l.split(",")[0].split() for l in open(book, encoding="utf-8") if l.strip() and not l.startswith("#")]
starts = []
for moves in lines:
    start = tuple(moves[:8])
    if len(start) == 8 and start not in starts:
        starts.append(start)
chosen = starts[:: max(1, len(starts) // 40)][:40]
sf = subprocess.Popen([engine], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
fens = []
for start in chosen:
    sf.stdin.write("position startpos moves " + " ".join(start) + "\nd\nisready\n")
    sf.stdin.flush()
    for line in sf.stdout:
        if line.startswith("Fen:"):
            fens.append(line[5:].strip())
        if line.startswith("readyok"):
            break
sf.stdin.write("quit\n")
sf.stdin.flush()
open(target, "w").write("\n".join(fens) + "\n")
PY

pair() {  # LOW HIGH GAMES
    "$cli" match --engine1 "$cli uci" --option1 OwnBook=false --option1 "Level=$1" --own-time1 \
        --engine2 "$cli uci" --option2 OwnBook=false --option2 "Level=$2" --own-time2 \
        --games "$3" --concurrency 2 --openings "$out/openings.fen" --pgn "$out/l$1-l$2.pgn" |
        tee "$out/l$1-l$2.out"
}

# Forty games a pair, every opening with both colours where the games are
# quick; twenty for the pair whose games take more than a minute each.
for low in 1 2 3 4 5 6; do pair "$low" $((low + 1)) 80; done
pair 7 8 20
"$cli" match --engine1 "$cli uci" --option1 OwnBook=false --option1 Level=7 --own-time1 \
    --engine2 "$stockfish" --option2 UCI_LimitStrength=true --option2 "UCI_Elo=$anchor" \
    --option2 Threads=1 --movetime2 3000 --games 20 --concurrency 2 \
    --openings "$out/openings.fen" --pgn "$out/anchor.pgn" | tee "$out/anchor.out"

# The table: level 7 from the anchor, the others along the chain of pairs.
python3 - "$out" "$anchor" > "$out/table.md" <<'PY'
import re, sys
out, anchor = sys.argv[1], int(sys.argv[2])
def final(name):
    text = open(f"{out}/{name}.out", encoding="utf-8").read()
    m = re.search(r"W-D-L (\d+)-(\d+)-(\d+), ([\d.]+) % in (\d+) games\s*\nElo difference: ([-+]?[\d.]+) \+/- ([\d.]+)", text)
    w, d, l, score, games, diff, margin = m.groups()
    return int(games), f"{w}-{d}-{l}", float(score), float(diff), float(margin)
rows, elo = [], {}
g, wdl, score, diff, margin = final("anchor")
elo[7] = anchor + diff
rows.append(f"| 7 against Stockfish UCI_Elo {anchor}, 3 s a move | {g} | {wdl} | {score:.1f} % | {diff:+.0f} ± {margin:.0f} |")
g, wdl, score, diff, margin = final("l7-l8")
elo[8] = elo[7] - diff
rows.append(f"| 7 against 8 | {g} | {wdl} | {score:.1f} % | {diff:+.0f} ± {margin:.0f} |")
for low in range(6, 0, -1):
    g, wdl, score, diff, margin = final(f"l{low}-l{low + 1}")
    elo[low] = elo[low + 1] + diff
    rows.append(f"| {low} against {low + 1} | {g} | {wdl} | {score:.1f} % | {diff:+.0f} ± {margin:.0f} |")
print("| Match (the first named level's score) | Games | W-D-L | Score | Elo difference, 95 % |")
print("|---|---|---|---|---|")
print("\n".join(rows))
print()
print("| Level | Elo | Menu (rounded to 50) |")
print("|---|---|---|")
for level in range(1, 9):
    print(f"| {level} | {elo[level]:.0f} | {round(elo[level] / 50) * 50} |")
PY
cat "$out/table.md"
