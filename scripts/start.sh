#!/usr/bin/env bash
# Sets up the machine, builds, and starts the workbench (arguments go to it).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
exec build/bin/nuvak "$@"
