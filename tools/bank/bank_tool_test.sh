#!/usr/bin/env bash
# Runs `vexlo bank` end to end on the sample source: import, export and import again to the same
# bytes; a check of the imported bank in a run directory passes, and a check of a bank the host
# cannot read (a UTF-8 file without byte-order mark) fails and says why. Works natively and, for
# a vexlo.exe, under the emulator given after it.
# Usage: bank_tool_test.sh SAMPLE.utf8.ini VEXLO [EMULATOR...]
set -euo pipefail
source=$1 vexlo=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
emulator=("$@")
vx() { "${emulator[@]}" "$vexlo" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

vx bank import "$source" -o "$work/first.ini" >"$work/import.txt" || fail "import: $(cat "$work/import.txt")"
vx bank export "$work/first.ini" -o "$work/exported.ini" || fail "export"
vx bank import "$work/exported.ini" -o "$work/second.ini" >/dev/null || fail "second import"
cmp "$work/first.ini" "$work/second.ini" || fail "import after export changed the bank"

mkdir -p "$work/run/plugin" "$work/bad/plugin"
cp "$work/first.ini" "$work/run/plugin/Vexlo设置.ini"
vx bank check "$work/run" >"$work/check.txt" || fail "check of the imported bank: $(cat "$work/check.txt")"
grep -q ' 0 errors' "$work/check.txt" || fail "check output: $(cat "$work/check.txt")"

cp "$source" "$work/bad/plugin/Vexlo设置.ini"
if vx bank check --json "$work/bad" >"$work/bad.json"; then fail "a UTF-8 bank passed the check"; fi
grep -q '"category":"encoding"' "$work/bad.json" || fail "check --json output: $(cat "$work/bad.json")"
echo "bank tool: ok"
