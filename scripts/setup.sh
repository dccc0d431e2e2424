#!/usr/bin/env bash
# Installs what building and testing NUVAK needs on Debian 12. Quick and
# silent when everything is already there.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh \
  g++ cmake ninja-build pkg-config \
  qt6-base-dev qt6-qpa-plugins libgl-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev \
  libgtest-dev libgmock-dev libbenchmark-dev \
  libpng-dev libtiff-dev libjpeg62-turbo-dev libdeflate-dev zlib1g-dev \
  xvfb xauth \
  parallel rsync \
  python3-tifffile \
  imagemagick \
  python3-pandas \
  clang libclang-rt-14-dev \
  pybind11-dev python3-dev python3-numpy python3-pytest python3-dask python3-distributed
