#!/usr/bin/env bash
# Installs what is missing, builds Vexlo and starts `vexlo chat` on the sample question bank.
# Extra arguments go to `vexlo chat` (try --help).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
echo "Building Vexlo (the first time takes a minute)..."
"$root/scripts/build.sh" play >/dev/null
exec "$root/build/play/bin/vexlo" chat "$@"
