#!/usr/bin/env bash
# Runs every case file through the portable engine and through the Windows profile functions under
# wine64, and compares the two outputs case by case.
# Usage: run_diff.sh NATIVE_PROGRAM WINDOWS_PROGRAM WINE_RUNNER CASES_FOLDER
# An empty WINDOWS_PROGRAM skips the test (exit 77). Exit 0 when every case agrees, 1 otherwise.
set -euo pipefail
native=$1 windows=$2 runner=$3 cases=$4

if [ -z "$windows" ]; then
  echo "SKIPPED: no Windows build given; configure this tree with -DVEXLO_WIN64_BUILD=<win64 build folder>"
  exit 77
fi
if [ ! -f "$windows" ]; then
  echo "FAILED: $windows does not exist; build the win64 tree first"
  exit 1
fi

native=$(realpath "$native") windows=$(realpath "$windows") runner=$(realpath "$runner")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$cases"
files=(*.txt)

"$native" "${files[@]}" >"$work/native.out" || { echo "FAILED: the native case program failed"; exit 1; }
"$runner" "$windows" "${files[@]}" >"$work/windows.out" ||
  { echo "FAILED: the Windows case program failed"; exit 1; }

# One file per case and side.
for side in native windows; do
  mkdir "$work/$side"
  awk -v dir="$work/$side" '
    /^case / { out = dir "/" $2; if (seen[$2]++) { print "duplicate case " $2 > "/dev/stderr"; exit 3 } }
    { print > out }' "$work/$side.out"
done

total=0 differ=0
for f in "$work"/windows/*; do
  name=$(basename "$f")
  total=$((total + 1))
  if ! cmp -s "$f" "$work/native/$name"; then
    differ=$((differ + 1))
    echo "DIFFERS: case $name (--- Windows, +++ portable engine)"
    diff -u "$f" "$work/native/$name" 2>&1 | tail -n +3 | cut -c1-400 || true
  fi
done
for f in "$work"/native/*; do
  [ -f "$work/windows/$(basename "$f")" ] || { echo "DIFFERS: case $(basename "$f") missing on Windows"; differ=$((differ + 1)); }
done

if [ "$differ" -ne 0 ]; then
  echo "FAILED: $differ of $total cases differ"
  exit 1
fi
echo "PASSED: $total cases agree"
