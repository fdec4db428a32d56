#!/usr/bin/env bash
# Builds every tree and runs every test: native, sanitized, Windows x86-64 under wine64 (unit tests,
# scenarios, transcripts), the Windows i686 DLL's export table, and the differential test of our profile
# engine against Wine's profile functions. Ends with one summary line: "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
passed=0; failed=0; broken=()

run_ctest() {  # run_ctest TREE: runs the tree's tests and adds up the results
  local tree=$1 log
  log=$(mktemp)
  echo "== ctest: $tree"
  (cd "build/$tree" && ctest --output-on-failure -j "$(nproc)" --timeout 900) 2>&1 | tee "$log"
  local line p f
  line=$(grep -E "tests passed, [0-9]+ tests failed out of [0-9]+" "$log" | tail -n 1)
  if [ -z "$line" ]; then
    if grep -q "No tests were found" "$log"; then rm -f "$log"; return; fi
    broken+=("$tree: ctest did not finish"); failed=$((failed + 1)); rm -f "$log"; return
  fi
  f=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
  local total
  total=$(sed -E 's/.* tests failed out of ([0-9]+).*/\1/' <<<"$line")
  p=$((total - f))
  passed=$((passed + p)); failed=$((failed + f))
  [ "$f" -eq 0 ] || broken+=("$tree: $f failed")
  rm -f "$log"
}

build() {  # build TREE [cmake args]: a failed build counts as a failure
  echo "== build: $1"
  if ! scripts/build.sh "$@"; then broken+=("$1: build failed"); failed=$((failed + 1)); return 1; fi
}

build win64 && run_ctest win64
build win32 && run_ctest win32
build native -DVEXLO_WIN64_BUILD="$root/build/win64" && run_ctest native
build asan && run_ctest asan

echo "== release package"
if scripts/release.sh; then passed=$((passed + 1)); else broken+=("release package"); failed=$((failed + 1)); fi

echo
for b in "${broken[@]}"; do echo "FAILED: $b"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
