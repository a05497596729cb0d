#!/bin/sh
# quorvel-cli review refuses bad input with one line on standard error and
# status 2, before any search.
#   cli_review_refusals.sh QUORVEL_CLI
set -u
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkfifo "$dir/tube.pgn"
printf '1. e4 e5 *\n' > "$dir/one.pgn"
printf '1. e4 e5 2. Ke3 *\n' > "$dir/illegal.pgn"
printf '\n' > "$dir/empty.pgn"
printf '[White "A"]\n*\n' > "$dir/nomove.pgn"
printf '40' > "$dir/cut.ech"
status=0
refused() {
    "$cli" review "$@" > /dev/null 2> "$dir/err" < /dev/null
    code=$?
    lines=$(wc -l < "$dir/err")
    if [ "$code" -ne 2 ] || [ "$lines" -ne 1 ]; then
        echo "quorvel-cli review $*: status $code, $lines lines on standard error"
        cat "$dir/err"
        status=1
    fi
}
refused
refused "$dir/missing.pgn"
refused "$dir/tube.pgn"
refused "$dir"
refused "$dir/cut.ech"
refused "$dir/illegal.pgn"
refused "$dir/empty.pgn"
refused "$dir/nomove.pgn"
refused "$dir/one.pgn" --game 2
refused "$dir/one.pgn" --game 0
refused "$dir/one.pgn" --movetime 5
refused "$dir/one.pgn" --movetime
refused "$dir/one.pgn" --analyst no-such-engine
refused "$dir/one.pgn" --analyst "\"unclosed"
refused "$dir/one.pgn" --depth 3
refused "$dir/one.pgn" "$dir/one.pgn"
refused "$dir/cut.ech" --game 1
exit $status
