#!/usr/bin/env bash
# Turns a question bank kept as UTF-8 into the GBK bank file the plugin reads, with CR LF line
# ends as a Windows editor writes them. Fails (leaving no output) when a character has no GBK form.
# Usage: make_bank.sh SOURCE.utf8.ini OUTPUT.ini
set -euo pipefail
source=$1 output=$2
mkdir -p "$(dirname "$output")"
LC_ALL=C sed -e 's/\r$//' -e 's/$/\r/' "$source" | iconv -f UTF-8 -t GBK >"$output.partial"
mv -f "$output.partial" "$output"
