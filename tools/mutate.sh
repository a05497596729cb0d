#!/usr/bin/env bash
# Plants the plausible faults listed in tools/mutations.txt one at a time,
# rebuilds incrementally, runs the tests that should notice (those of the
# fault's folder first, then the core tests, or the window's tests for a
# fault in window/ or features/) and prints the share of faults caught. For
# developers, not for CI: after the first build the whole list takes about an
# hour on two cores.
#
# Usage: tools/mutate.sh [--only TEXT] [--list FILE] [BUILD_DIR]
#   --only TEXT   plant only the faults whose description contains TEXT
#   BUILD_DIR     its own build folder (default build-mutate), so the
#                 faults never reach the build you work with
# Every file is put back as it was, also when the script is interrupted.
set -uo pipefail
cd "$(dirname "$0")/.."

list=tools/mutations.txt
build=build-mutate
only=""
while [ $# -gt 0 ]; do
    case "$1" in
        --only) only=${2:?--only needs a text}; shift 2 ;;
        --list) list=${2:?--list needs a file}; shift 2 ;;
        -h|--help) sed -n '2,12p' "$0"; exit 0 ;;
        *) build=$1; shift ;;
    esac
done
[ -f "$list" ] || { echo "no list $list" >&2; exit 2; }

tools/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
log=$(mktemp)
backup=$(mktemp)
planted=""  # the file holding a fault right now
child=""    # the build or test run under way

# Whatever ends the script, the file holding a fault gets its text back,
# with a fresh time so that every build sees it changed.
restore() {
    if [ -n "$planted" ]; then
        cp "$backup" "$planted"
        touch "$planted"
        planted=""
    fi
}
trap 'restore; rm -f "$log" "$backup"' EXIT
# Builds and tests run in process groups of their own, waited for so that a
# signal is handled at once: the group is ended, then the file restored.
set -m
interrupted() {
    [ -n "$child" ] && kill -TERM -- "-$child" 2> /dev/null && wait "$child" 2> /dev/null
    echo
    echo "interrupted: every file is as it was"
    exit 130
}
trap interrupted INT TERM HUP
run() {
    "$@" > "$log" 2>&1 &
    child=$!
    wait "$child"
    local status=$?
    child=""
    return "$status"
}

label_of() {
    case "$1" in
        window/* | features/*) echo gui ;;
        *) echo core ;;
    esac
}

# The tests of the fault's own folder run first: most faults fail there in
# seconds, and only a fault they miss pays for the whole label.
nearest_of() {
    echo "${1%%/*}"
}

labels_of() {
    if [ "$1" = gui ]; then echo 'window|features'; else echo "$1"; fi
}

tests_pass() {  # label regex
    run ctest --test-dir "$build" -L "$(labels_of "$1")" -LE deep --stop-on-failure --timeout 300 -j"$jobs"
}

# The programs the tests of a label run, built in this folder: the targets
# a fault has to rebuild.
targets_of() {
    ctest --test-dir "$build" -N -V -L "$(labels_of "$1")" -LE deep 2> /dev/null |
        awk '/Test command:/ {print $4}' | grep "^$(cd "$build" && pwd)/" | xargs -r -n1 basename | sort -u
}

declare -A targets_cache
build_for() {  # label
    if [ -z "${targets_cache[$1]+set}" ]; then
        targets_cache[$1]=$(targets_of "$1" | tr '\n' ' ')
    fi
    local targets
    read -r -a targets <<< "${targets_cache[$1]}"
    [ ${#targets[@]} -eq 0 ] && return 0
    run ninja -C "$build" -j"$jobs" "${targets[@]}"
}

# Caught when the nearest tests or, failing that, the whole label fail.
caught_by_tests() {  # file
    local label nearest
    label=$(label_of "$1")
    nearest=$(nearest_of "$1")
    if [ "$nearest" != "$label" ] && [ -n "$(targets_of "$nearest")" ]; then
        build_for "$nearest" || return 2
        tests_pass "$nearest" || return 0
    fi
    build_for "$label" || return 2
    tests_pass "$label" && return 1
    return 0
}

# Occurrences of the text FROM (\n for a line break) in a file.
occurrences() {
    FROM=$2 perl -0777 -ne '$f = $ENV{FROM}; $f =~ s/\\n/\n/g; my $c = () = /\Q$f\E/g; print $c' "$1"
}

replace_once() {
    FROM=$2 TO=$3 perl -0777 -pi -e \
        '$f = $ENV{FROM}; $t = $ENV{TO}; $f =~ s/\\n/\n/g; $t =~ s/\\n/\n/g; s/\Q$f\E/$t/' "$1"
}

echo "== Building in $build"
run cmake -G Ninja -S . -B "$build" -DCMAKE_BUILD_TYPE=Release || { cat "$log"; exit 1; }
run ninja -C "$build" -j"$jobs" || { cat "$log"; exit 1; }
for label in core gui; do
    if ! build_for "$label" || ! tests_pass "$label"; then
        cat "$log"
        echo "the $label tests fail without any fault: nothing to measure" >&2
        exit 1
    fi
done

caught=0 total=0
survivors=() unusable=()
run_fault() {  # description file from to
    local what=$1 file=$2 from=$3 to=$4
    [ -n "$only" ] && [[ "$what" != *"$only"* ]] && return
    if [ ! -f "$file" ] || [ "$(occurrences "$file" "$from")" != 1 ]; then
        unusable+=("$what ($file: text not found once)")
        printf '  stale    %s\n' "$what"
        return
    fi
    cp "$file" "$backup"
    planted=$file
    replace_once "$file" "$from" "$to"
    local result
    caught_by_tests "$file"
    case $? in
        2)
            result="no build"
            unusable+=("$what ($file: does not build)")
            ;;
        1)
            result="PASSES"
            survivors+=("$what ($file)")
            total=$((total + 1))
            ;;
        *)
            result="caught"
            caught=$((caught + 1))
            total=$((total + 1))
            ;;
    esac
    restore
    printf '  %-8s %s\n' "$result" "$what"
}

echo "== Planting the faults of $list"
what="" file="" from=""
while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in
        "## "*) what=${line#"## "} ;;
        "file: "*) file=${line#"file: "} ;;
        "from: "*) from=${line:6} ;;
        "to:"*)
            run_fault "$what" "$file" "$from" "${line:6}"
            what="" file="" from=""
            ;;
        "" | "#"*) ;;
        # A text over two lines plants half a fault: \n joins its lines.
        *) unusable+=("the list's line '$line' (a text goes on one line, \\n for a break)") ;;
    esac
done < "$list"

# Leave the build folder matching the sources.
build_for core > /dev/null 2>&1
build_for gui > /dev/null 2>&1

echo
if [ "$total" -gt 0 ]; then
    echo "caught $caught of $total faults ($((100 * caught / total)) %)"
else
    echo "no fault planted"
fi
if [ ${#survivors[@]} -gt 0 ]; then
    echo "not caught:"
    printf '  %s\n' "${survivors[@]}"
fi
if [ ${#unusable[@]} -gt 0 ]; then
    echo "left out (fix the list):"
    printf '  %s\n' "${unusable[@]}"
fi
