#!/usr/bin/env bash
# Peak memory of one filter run by nuvak-cli on a 16000 x 12000 RGB bitmap,
# as a ratio to the image's pixel bytes. Needs GNU time (setup-bench.sh).
set -euo pipefail

cli=${1:-build/bin/nuvak-cli}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
width=16000 height=12000

# A 24-bit bottom-up bitmap of random bytes; rows of 48000 bytes need no padding.
python3 - "$dir/in.bmp" $width $height <<'PY'
import os, struct, sys
path, w, h = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
pixels = w * h * 3
with open(path, "wb") as f:
    f.write(b"BM" + struct.pack("<IHHI", 54 + pixels, 0, 0, 54))
    f.write(struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, pixels, 2835, 2835, 0, 0))
    for _ in range(h // 1000):
        f.write(os.urandom(w * 3 * 1000))
PY

/usr/bin/time -v "$cli" apply --op "Low Pass Filter" --size 3 --answer yes "$dir/in.bmp" "$dir/out.bmp" \
    2> "$dir/time.txt" > /dev/null
peak_kib=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$dir/time.txt")
pixel_bytes=$((width * height * 3))
awk -v k="$peak_kib" -v p="$pixel_bytes" \
    'BEGIN { printf "peak %.0f MiB, pixel bytes %.0f MiB, ratio %.2f\n", k / 1024, p / 1048576, k * 1024 / p }'
