#!/usr/bin/env bash
# Resident memory of Quorvel between the computer's moves.
#
# First `quorvel-cli selfplay`: the computer plays both sides through the
# game's own search driver, tree arena and opening book, with the game's time
# limits (9 s + 8 s) and memory budget, and the resident size is printed after
# each move. Then, with --game, the game itself runs under Xvfb in the
# computer-against-computer mode and its resident size is read from
# /proc/PID/status ten times a second; each low point after a search's peak
# is printed (the memory held while the next move is shown).
#
# Usage: tools/memory_between_moves.sh [--game SECONDS] [BUILD_DIR] [-- SELFPLAY OPTIONS]
#   e.g. tools/memory_between_moves.sh -- --moves 4 --book resources/ouvertures.txt
# Needs a build with the quorvel-cli target (and quorvel for --game, with
# xvfb-run and xdotool).
set -euo pipefail
cd "$(dirname "$0")/.."

game_seconds=0
build=build
while [ $# -gt 0 ]; do
    case "$1" in
        --game) game_seconds=${2:?--game needs a number of seconds}; shift 2 ;;
        --) shift; break ;;
        *) build=$1; shift ;;
    esac
done
selfplay_options=("$@")
[ ${#selfplay_options[@]} -gt 0 ] || selfplay_options=(--moves 5)

cli="$build/app/quorvel-cli"
[ -x "$cli" ] || { echo "no $cli: build the quorvel-cli target first" >&2; exit 2; }
echo "== quorvel-cli selfplay ${selfplay_options[*]}"
"$cli" selfplay "${selfplay_options[@]}"

[ "$game_seconds" -gt 0 ] || exit 0
game="$build/app/gui/quorvel"
[ -x "$game" ] || { echo "no $game: build the quorvel target first" >&2; exit 2; }
command -v xvfb-run > /dev/null && command -v xdotool > /dev/null ||
    { echo "--game needs xvfb-run and xdotool (Debian packages xvfb, xdotool)" >&2; exit 2; }

# The game's settings and recovery file go to a folder of their own, not to
# the user's; the book is the one beside the program.
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cat > "$folder/play.sh" << 'EOF'
#!/usr/bin/env bash
# Runs inside Xvfb: starts the game, chooses "Partie > Adversaires >
# Ordinateur / Ordinateur" and samples the resident size.
set -u
game=$1 seconds=$2
cd "$(dirname "$0")"
env -u QT_QPA_PLATFORM HOME="$PWD" XDG_CONFIG_HOME="$PWD/config" XDG_DATA_HOME="$PWD/data" \
    "$game" > game.log 2>&1 &
pid=$!
sleep 6  # the splash window
xdotool mousemove 87 9 click 1
sleep 1
xdotool key a
sleep 0.5
xdotool key r
end=$((SECONDS + seconds))
while [ $SECONDS -lt $end ] && kill -0 "$pid" 2> /dev/null; do
    awk -v t="$SECONDS" '/^VmRSS:/ {print t, $2}' "/proc/$pid/status"
    sleep 0.1
done
kill "$pid" 2> /dev/null || true
EOF
chmod +x "$folder/play.sh"
echo
echo "== the game, computer against computer, ${game_seconds} s (resident MB at each low point)"
xvfb-run -a -s "-screen 0 1280x1024x24" "$folder/play.sh" "$(realpath "$game")" "$game_seconds" |
    awk '
        # A low point: after the size fell 100 MB below its peak, its lowest
        # value until it rises 100 MB again (the next search).
        { mb = $2 / 1024 }
        NR == 1 { top = mb; falling = 0 }
        !falling && mb > top { top = mb }
        !falling && mb < top - 100 { falling = 1; bottom = mb; at = $1 }
        falling && mb < bottom { bottom = mb; at = $1 }
        falling && mb > bottom + 100 {
            printf "second %4d: %5.0f MB after a peak of %5.0f MB\n", at, bottom, top
            falling = 0; top = mb
        }
        mb > highest { highest = mb }
        END {
            if (falling) printf "second %4d: %5.0f MB after a peak of %5.0f MB\n", at, bottom, top
            printf "highest %5.0f MB, at the end %5.0f MB\n", highest, mb
        }
    '
