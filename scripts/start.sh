#!/usr/bin/env bash
# Sets up the machine, builds, and starts the workbench (arguments go to it).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# Files named relative to where the script was started must still open:
# build there, then start from there.
(cd "$root" && bash scripts/setup.sh && bash scripts/build.sh)
exec "$root/build/bin/nuvak" "$@"
