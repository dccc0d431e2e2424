#!/usr/bin/env bash
# Installs the peers the comparison program times against (OpenCV, FFTW),
# GNU time for the peak-memory figure, perf for profiling, and the Python
# peers of bench/python_bench.py (cv2, scikit-image); the workbench and its
# tests never need them.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh libopencv-dev libfftw3-dev libbenchmark-dev time linux-perf python3-opencv python3-skimage
