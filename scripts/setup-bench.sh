#!/usr/bin/env bash
# Installs the peers the comparison program times against (OpenCV, FFTW) and
# GNU time for the peak-memory figure; the workbench and its tests never need them.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh libopencv-dev libfftw3-dev libbenchmark-dev time
