#!/usr/bin/env bash
# Plants the plausible faults listed in tools/mutations.txt one at a time,
# rebuilds incrementally, runs the tests that should notice (the core tests,
# or the window's tests for a fault in window/ or features/) and prints the
# share of faults caught. For developers, not for CI: after the first build
# it takes five to ten minutes on two cores.
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

build_for() {
    if [ "$1" = gui ]; then
        run ninja -C "$build" -j"$jobs" "${gui_targets[@]}"
    else
        run ninja -C "$build" -j"$jobs" "${core_targets[@]}"
    fi
}

labels_of() {
    if [ "$1" = gui ]; then echo 'window|features'; else echo core; fi
}

tests_pass() {
    run ctest --test-dir "$build" -L "$(labels_of "$1")" -LE deep --stop-on-failure --timeout 300 -j"$jobs"
}

# The programs the tests of a label run, built in this folder: the targets
# a fault has to rebuild.
targets_of() {
    ctest --test-dir "$build" -N -V -L "$(labels_of "$1")" -LE deep 2> /dev/null |
        awk '/Test command:/ {print $4}' | grep "^$(cd "$build" && pwd)/" | xargs -r -n1 basename | sort -u
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
mapfile -t core_targets < <(targets_of core)
mapfile -t gui_targets < <(targets_of gui)
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
    local label
    label=$(label_of "$file")
    cp "$file" "$backup"
    planted=$file
    replace_once "$file" "$from" "$to"
    local result
    if ! build_for "$label"; then
        result="no build"
        unusable+=("$what ($file: does not build)")
    elif tests_pass "$label"; then
        result="PASSES"
        survivors+=("$what ($file)")
        total=$((total + 1))
    else
        result="caught"
        caught=$((caught + 1))
        total=$((total + 1))
    fi
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
