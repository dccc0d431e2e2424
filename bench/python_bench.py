#!/usr/bin/env python3
"""What a call of the nuvak module costs over the same operation in
nuvak-bench, and beside the nearest cv2 call and scikit-image's equivalent,
on the 4096 x 4096 images of nuvak-bench's Compare rows.

    PYTHONPATH=build/python /usr/bin/python3 bench/python_bench.py \
        [--bench build/bin/nuvak-bench] [--rounds 7] [--only REGEX]

Each row runs with 1 and with 2 threads (NUVAK_THREADS and cv2's own), in
rounds in which nuvak, cv2 and scikit-image take turns at going first; the
ratios are medians of each round's ratios, as nuvak-bench reports them. The
nuvak-bench column is that program's median for the same row, run just
before. cv2 and scikit-image come from scripts/setup-bench.sh.
"""

import argparse
import json
import os
import re
import statistics
import subprocess
import sys
import time

import numpy as np

SIDE = 4096
ROOM = 4  # nuvak-bench's AOI inset
AOI = (ROOM, ROOM, SIDE - 1 - ROOM, SIDE - 1 - ROOM)


def images():
    """Random grey and colour pixels, and nuvak-bench's 200 discs."""
    rng = np.random.default_rng(12345)
    grey = rng.integers(0, 256, (SIDE, SIDE), dtype=np.uint8)
    rgb = rng.integers(0, 256, (SIDE, SIDE, 3), dtype=np.uint8)
    discs = np.zeros((SIDE, SIDE), np.uint8)
    y, x = np.ogrid[:SIDE, :SIDE]
    for k in range(200):
        cx, cy, radius = 100 + (k % 20) * 200, 150 + (k // 20) * 400, 40 + k % 50
        box = (slice(cy - radius, cy + radius + 1), slice(cx - radius, cx + radius + 1))
        discs[box][(x[:, box[1]] - cx) ** 2 + (y[box[0]] - cy) ** 2 <= radius * radius] = 200
    return {"grey": grey, "rgb": rgb, "discs": discs}


def rotate_peer(cv2, img, flags):
    centre = ((img.shape[1] - 1) * 0.5, (img.shape[0] - 1) * 0.5)
    return cv2.warpAffine(img, cv2.getRotationMatrix2D(centre, 30, 1), (img.shape[1], img.shape[0]), flags=flags)


def find_objects_peer(cv2, img):
    cv2.connectedComponentsWithStats(img)
    cv2.findContours(img, cv2.RETR_EXTERNAL, cv2.CHAIN_APPROX_NONE)


def regionprops(img):
    from skimage import measure
    for region in measure.regionprops(measure.label(img > 0)):
        region.area, region.centroid, region.perimeter, region.axis_major_length, region.axis_minor_length


def rows(nuvak, cv2):
    """(nuvak-bench row, image, nuvak call, cv2 call, scikit-image's name and call)."""
    from scipy import ndimage
    from skimage import filters, transform

    def on_aoi(function, **params):
        return lambda img: function(img, aoi=AOI, **params)

    table = [
        ("Invert/rgb", "rgb", on_aoi(nuvak.invert), cv2.bitwise_not, None),
        ("Threshold/rgb", "rgb", on_aoi(nuvak.threshold, threshold=128, fill=0, below=True),
         lambda img: cv2.threshold(img, 127, 0, cv2.THRESH_TOZERO), None),
    ]
    for n in (3, 9):
        for kind in ("rgb", "grey"):
            size = (n, n, 1) if kind == "rgb" else (n, n)
            table.append((f"LowPass/{kind}/{n}", kind, on_aoi(nuvak.low_pass_filter, size=n),
                          lambda img, n=n: cv2.blur(img, (n, n)),
                          ("ndimage.uniform_filter", lambda img, size=size: ndimage.uniform_filter(img, size))))
    box = lambda n, off, centre: np.where(np.arange(n * n).reshape(n, n) == n * n // 2, centre, off).astype(np.float32)
    table += [
        ("HighPass/rgb/3", "rgb", on_aoi(nuvak.high_pass_filter, size=3),
         lambda img: cv2.filter2D(img, -1, box(3, -1, 9)), None),
        ("Laplace/rgb/3", "rgb", on_aoi(nuvak.laplace, size=3), lambda img: cv2.filter2D(img, -1, box(3, -1, 8)), None),
        ("UnsharpMask/rgb/3", "rgb", on_aoi(nuvak.unsharp_mask, size=3, boost=1.0),
         lambda img: cv2.filter2D(img, -1, box(3, -1 / 9, 17 / 9)), None),
        ("Prewitt/grey", "grey", on_aoi(nuvak.prewitt),
         lambda img: cv2.filter2D(img, -1, np.array([[1, 1, 1], [0, 0, 0], [-1, -1, -1]], np.float32)), None),
        ("Sobel/grey", "grey", on_aoi(nuvak.sobel),
         lambda img: cv2.convertScaleAbs(cv2.magnitude(cv2.Sobel(img, cv2.CV_32F, 1, 0), cv2.Sobel(img, cv2.CV_32F, 0, 1))),
         None),
    ]
    for n in (3, 9):
        square = np.ones((n, n), np.uint8)
        table += [
            (f"Median/grey/{n}", "grey", on_aoi(nuvak.median_filter, size=n), lambda img, n=n: cv2.medianBlur(img, n),
             ("filters.median", lambda img, fp=square.astype(bool): filters.median(img, footprint=fp))),
            (f"Erosion/grey/square/{n}", "grey", on_aoi(nuvak.erosion, size=n), lambda img, k=square: cv2.erode(img, k),
             ("ndimage.grey_erosion", lambda img, n=n: ndimage.grey_erosion(img, size=(n, n)))),
            (f"Dilation/grey/square/{n}", "grey", on_aoi(nuvak.dilation, size=n),
             lambda img, k=square: cv2.dilate(img, k), None),
            (f"Opening/grey/square/{n}", "grey", on_aoi(nuvak.opening, size=n),
             lambda img, k=square: cv2.morphologyEx(img, cv2.MORPH_OPEN, k), None),
        ]
    for name, order, flags in (("nearest", 0, cv2.INTER_NEAREST), ("bilinear", 1, cv2.INTER_LINEAR)):
        table.append((f"Rotate30/rgb/{name}", "rgb", on_aoi(nuvak.rotate, degrees=30, interpolation=name),
                      lambda img, flags=flags: rotate_peer(cv2, img, flags),
                      ("transform.rotate", lambda img, order=order: transform.rotate(
                          img, 30, order=order, preserve_range=True).astype(np.uint8))))
    for factor, label in ((0.5, "Scale0.5"), (2.0, "Scale2")):
        for name, flags in (("nearest", cv2.INTER_NEAREST), ("bilinear", cv2.INTER_LINEAR)):
            table.append((f"{label}/rgb/{name}", "rgb",
                          on_aoi(nuvak.scale, x=factor * 100, y=factor * 100, interpolation=name),
                          lambda img, f=factor, flags=flags: cv2.resize(img, None, fx=f, fy=f, interpolation=flags),
                          None))
    table += [
        ("Equalize/grey", "grey", on_aoi(nuvak.equalize), cv2.equalizeHist, None),
        ("FindObjects/200", "discs", lambda img: nuvak.find_objects(img, background=0, metrics=2047),
         lambda img: find_objects_peer(cv2, img), ("measure.regionprops", regionprops)),
    ]
    return table


def milliseconds(call, img):
    start = time.perf_counter()
    call(img)
    return (time.perf_counter() - start) * 1000


def bench_ms(program, row, threads):
    """nuvak-bench's median of ours for the row, or None without the program."""
    if not program:
        return None
    out = subprocess.run([program, f"--benchmark_filter=^Compare/{re.escape(row)}/threads:{threads}/",
                          "--benchmark_format=json"], capture_output=True, text=True, check=True).stdout
    found = json.loads(out)["benchmarks"] if out.strip() else []
    return found[0]["ours_ms"] if found else None


def run(threads, rounds, only, program):
    """The rows with this many threads, as lines of the table."""
    import cv2
    import nuvak
    cv2.setNumThreads(threads)
    pictures = images()
    copy_ms = statistics.median(milliseconds(np.copy, pictures["rgb"]) for _ in range(rounds))
    print(f"| copy of the 4096 x 4096 RGB array (np.copy) | {threads} | | {copy_ms:.1f} | | | | | |", flush=True)
    for row, kind, ours, peer, other in rows(nuvak, cv2):
        if only and not re.search(only, row):
            continue
        img = pictures[kind]
        before = img.copy()
        reference = bench_ms(program, row, threads)
        calls = [ours, peer] + ([other[1]] if other else [])
        times = [[] for _ in calls]
        for r in range(rounds):
            order = list(range(len(calls)))
            order = order[r % len(order):] + order[:r % len(order)]
            for i in order:
                times[i].append(milliseconds(calls[i], img))
        assert np.array_equal(img, before), f"{row} changed its input"
        ours_ms = statistics.median(times[0])
        ratio = lambda k: statistics.median(a / b for a, b in zip(times[0], times[k]))
        over = f"{(ours_ms / reference - 1) * 100:+.0f} %" if reference else ""
        cells = [row, threads, f"{reference:.1f}" if reference else "", f"{ours_ms:.1f}", over,
                 f"{statistics.median(times[1]):.1f}", f"{ratio(1):.2f}"]
        cells += [other[0], f"{statistics.median(times[2]):.1f}", f"{ratio(2):.2f}"] if other else ["", "", ""]
        print("| " + " | ".join(map(str, cells)) + " |", flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    default_bench = os.path.join(os.path.dirname(__file__), "..", "build", "bin", "nuvak-bench")
    parser.add_argument("--bench", default=default_bench if os.path.exists(default_bench) else "",
                        help="nuvak-bench, for its medians of the same rows (left out when not built)")
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--only", default="", help="the rows whose names match this expression")
    parser.add_argument("--threads", type=int, help=argparse.SUPPRESS)
    args = parser.parse_args()
    if args.threads:
        return run(args.threads, args.rounds, args.only, args.bench)
    print("| row | threads | nuvak-bench ms | nuvak ms | over nuvak-bench | cv2 ms | nuvak/cv2 "
          "| scikit-image | scikit-image ms | nuvak/scikit-image |")
    print("|---|---|---|---|---|---|---|---|---|---|", flush=True)
    for threads in (1, 2):
        # The core reads NUVAK_THREADS once a call asks for its threads.
        environment = dict(os.environ, NUVAK_THREADS=str(threads))
        subprocess.run([sys.executable, __file__, "--threads", str(threads), "--rounds", str(args.rounds),
                        "--only", args.only, "--bench", args.bench], env=environment, check=True)


if __name__ == "__main__":
    main()
