#!/usr/bin/env bash
# Installs the peers the comparison program times against (OpenCV, FFTW) and
# GNU time for the peak-memory figure; the workbench and its tests never need them.
set -euo pipefail

packages=(libopencv-dev libfftw3-dev libbenchmark-dev time)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
