#!/usr/bin/env bash
# Plays a transcript of `vexlo chat` and checks the output. A transcript is the exact output of a
# script-mode session; its input is what follows "> " on each line that is not indented.
# The session runs in a fresh run directory holding the given bank (UTF-8, converted to GBK); the
# directory's name is Chinese, so paths outside ASCII are exercised on the way.
# Usage: run_transcript.sh TRANSCRIPT BANK.utf8.ini VEXLO PLUGIN [EMULATOR...]
# A VEXLO ending in .exe is a Windows build: it is copied with the plugin into the fresh folder,
# since on Windows the plugin keeps its files beside the executable, and run with EMULATOR.
set -euo pipefail
transcript=$1 bank=$2 vexlo=$3 plugin=$4
shift 4
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

input=$work/input.txt
grep -v '^ ' "$transcript" | grep -F '> ' | sed 's/^[^>]*> //' >"$input" || true

run=$work/试玩
mkdir -p "$run"
if [[ $vexlo == *.exe ]]; then
  cp "$vexlo" "$plugin" "$run/"
  bash "$here/../../../samples/make_bank.sh" "$bank" "$run/plugin/Vexlo设置.ini"
  (cd "$run" && "$@" "$run/$(basename "$vexlo")" chat <"$input" >"$work/output.txt")
else
  bash "$here/../../../samples/make_bank.sh" "$bank" "$run/plugin/Vexlo设置.ini"
  "$@" "$vexlo" chat --plugin "$plugin" --dir "$run" <"$input" >"$work/output.txt"
fi
diff -u "$transcript" "$work/output.txt"
