#!/usr/bin/env bash
# Installs what building and testing Vexlo needs on Debian 12, and nothing when it is all there.
# Needs root (or sudo). Never installs wine32: these machines run 64-bit Windows programs only.
set -euo pipefail
packages=(cmake ninja-build g++ make libgtest-dev googletest libbenchmark-dev libcli11-dev
          g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 wine64
          locales libc-bin zip unzip python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
