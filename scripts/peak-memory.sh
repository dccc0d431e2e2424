#!/usr/bin/env bash
# Peak memory of one filter run by nuvak-cli on a 16000 x 12000 RGB bitmap,
# and of reading a 16000 x 12000 16-bit grey TIFF, each as a ratio to three
# bytes a pixel. Needs GNU time (setup-bench.sh).
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

# An uncompressed 16-bit grey TIFF in strips of 16 rows, levels from random bytes.
python3 - "$dir/in16.tif" $width $height <<'PY'
import os, struct, sys
path, w, h = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rows = 16
strips = (h + rows - 1) // rows
strip_bytes = w * 2 * rows
entries = [(256, 4, 1, w), (257, 4, 1, h), (258, 3, 1, 16), (259, 3, 1, 1), (262, 3, 1, 1),
           (273, 4, strips, None), (277, 3, 1, 1), (278, 4, 1, rows), (279, 4, strips, None)]
ifd = 8
arrays = ifd + 2 + 12 * len(entries) + 4
offsets_at, counts_at = arrays, arrays + 4 * strips
data = counts_at + 4 * strips
with open(path, "wb") as f:
    f.write(b"II*\0" + struct.pack("<I", ifd) + struct.pack("<H", len(entries)))
    for tag, kind, count, value in entries:
        if tag == 273: value = offsets_at
        if tag == 279: value = counts_at
        f.write(struct.pack("<HHII", tag, kind, count, value))
    f.write(struct.pack("<I", 0))
    f.write(struct.pack("<%dI" % strips, *[data + i * strip_bytes for i in range(strips)]))
    f.write(struct.pack("<%dI" % strips, *[strip_bytes] * strips))
    for _ in range(h // 1000):
        f.write(os.urandom(w * 2 * 1000))
PY

report() {  # report WHAT: the peak of the last run against the pixel bytes
  local peak_kib
  peak_kib=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$dir/time.txt")
  awk -v w="$1" -v k="$peak_kib" -v p="$((width * height * 3))" \
      'BEGIN { printf "%s: peak %.0f MiB, pixel bytes %.0f MiB, ratio %.2f\n", w, k / 1024, p / 1048576, k * 1024 / p }'
}

/usr/bin/time -v "$cli" apply --op "Low Pass Filter" --size 3 --answer yes "$dir/in.bmp" "$dir/out.bmp" \
    2> "$dir/time.txt" > /dev/null
report "Low Pass 3 on an RGB bitmap"
/usr/bin/time -v "$cli" info "$dir/in16.tif" 2> "$dir/time.txt" > /dev/null
# Its 16-bit samples wait in two bytes a pixel until their range is known,
# then become the one-byte grey plane: three bytes a pixel at the peak.
report "reading a 16-bit grey TIFF (samples and plane)"
