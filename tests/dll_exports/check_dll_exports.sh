#!/usr/bin/env bash
# Checks the plugin DLL as the host sees it: the module name in the export directory, exactly the
# exports info @1 and plugmain @2 under undecorated names, only system DLLs imported, and (for the
# 32-bit DLL) plugmain removing its 20 bytes of arguments (ret $0x14).
# Usage: check_dll_exports.sh <objdump> <dll> <i686|x86_64>
set -uo pipefail
objdump=$1 dll=$2 arch=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

headers=$("$objdump" -p "$dll") || { echo "FAIL: $objdump -p $dll"; exit 1; }

# The export directory.
name=$(sed -n 's/^Name[[:space:]]\+[0-9a-fA-F]\+ \(.*\)$/\1/p' <<<"$headers" | head -n1)
[ "$name" = "Vexlo7-1.7.cqp.dll" ] || fail "module name in the export directory is '$name'"
base=$(sed -n 's/^Ordinal Base[[:space:]]\+\([0-9]\+\)$/\1/p' <<<"$headers")
[ "$base" = "1" ] || fail "ordinal base is '$base', not 1"
names=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" | sed -n 's/^[[:space:]]*\[[[:space:]]*\([0-9]\+\)\] \(.*\)$/\1 \2/p')
expected=$'0 info\n1 plugmain'
[ "$names" = "$expected" ] || fail "exports (ordinal - base, name) are:"$'\n'"$names"
addresses=$(sed -n '/^Export Address Table -- Ordinal Base/,/^$/p' <<<"$headers" | grep -c 'Export RVA')
[ "$addresses" = "2" ] || fail "$addresses entries in the export address table, not 2"

# The imports: system DLLs only, no MinGW run-time DLL.
while read -r dll_name; do
  case "${dll_name,,}" in
    kernel32.dll | user32.dll | msvcrt.dll | advapi32.dll | ntdll.dll | ucrtbase.dll | api-ms-win-*) ;;
    *) fail "imports $dll_name, which is not a system DLL" ;;
  esac
done < <(sed -n 's/^[[:space:]]*DLL Name: \(.*\)$/\1/p' <<<"$headers")

# plugmain's own epilogue, found through the export address table (works without symbols).
if [ "$arch" = "i686" ]; then
  image_base=$(sed -n 's/^ImageBase[[:space:]]\+\([0-9a-fA-F]\+\)$/\1/p' <<<"$headers")
  rva=$(sed -n '/^Export Address Table -- Ordinal Base/,/^$/p' <<<"$headers" | sed -n 's/^.*+base\[[[:space:]]*2\] \([0-9a-fA-F]\+\) Export RVA.*$/\1/p')
  if [ -z "$image_base" ] || [ -z "$rva" ]; then
    fail "cannot find plugmain's address"
  else
    start=$((16#$image_base + 16#$rva))
    first_ret=$("$objdump" -d --no-show-raw-insn --start-address=$start --stop-address=$((start + 4096)) "$dll" |
      grep -E '^[[:space:]]*[0-9a-f]+:[[:space:]]+ret' | head -n1)
    grep -qE 'ret[[:space:]]+\$0x14$' <<<"$first_ret" ||
      fail "plugmain does not end with ret \$0x14: '${first_ret}'"
  fi
fi

if [ "$failures" -ne 0 ]; then
  exit 1
fi
echo "ok: $dll"
