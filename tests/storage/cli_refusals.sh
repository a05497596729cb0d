#!/bin/sh
# quorvel-cli refuses what is not a file at once: a pipe or a folder as a
# game or a PGN file, a folder as a book. Each gets one line on standard
# error and status 2.
#   cli_refusals.sh QUORVEL_CLI
set -u
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkfifo "$dir/tube.ech"
status=0
refused() {
    "$cli" "$@" > /dev/null 2> "$dir/err" < /dev/null
    code=$?
    lines=$(wc -l < "$dir/err")
    if [ "$code" -ne 2 ] || [ "$lines" -ne 1 ]; then
        echo "quorvel-cli $*: status $code, $lines lines on standard error"
        cat "$dir/err"
        status=1
    fi
}
refused game "$dir/tube.ech"
refused game "$dir"
refused ech "$dir/tube.ech" "$dir/out.ech"
refused ech "$dir" "$dir/out.ech"
refused search --book "$dir" --depth 1
refused search --book "$dir/tube.ech" --depth 1
exit $status
