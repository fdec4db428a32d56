#!/usr/bin/env bash
# Checks that the Linux plugin library shows exactly the two exports info and plugmain, as C
# functions, and needs no C++ run-time library of the system.
# Usage: check_so_exports.sh <nm> <readelf> <library> <static C++ run-time: ON|OFF>
set -uo pipefail
nm=$1 readelf=$2 library=$3 static_runtime=$4
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

defined=$("$nm" -D --defined-only "$library" | awk '{print $2 " " $3}' | sort)
expected=$'T info\nT plugmain'
[ "$defined" = "$expected" ] || fail "defined dynamic symbols are:"$'\n'"$defined"

if [ "$static_runtime" = "ON" ]; then
  needed=$("$readelf" -d "$library" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
  grep -qE 'libstdc\+\+|libgcc_s' <<<"$needed" && fail "needs a C++ run-time library:"$'\n'"$needed"
fi

if [ "$failures" -ne 0 ]; then
  exit 1
fi
echo "ok: $library"
