"""Find Objects' results as a table of columns."""

import os
import re
import tempfile

import numpy as np

from ._operations import apply


def _column(values):
    if all(v in ("T", "F") for v in values):
        return np.array([v == "T" for v in values], dtype=bool)
    # A calibrated value may be "1e-10": whole numbers only as plain digits.
    if all(re.fullmatch(r"-?[0-9]+", v) for v in values):
        return np.array([int(v) for v in values], dtype=np.int64)
    return np.array([float(v) for v in values], dtype=np.float64)


class Objects(dict):
    """Column name -> numpy array, the results file's columns in its order
    ("#id" as "id"); pandas.DataFrame(objects) makes a frame of it."""

    def __init__(self, lines, image_name, overlay=None):
        header = next((line for line in lines if line.startswith("#") and not line.startswith("# ")), None)
        self.header = header
        self.rows = [line for line in lines if line and not line.startswith("#")]
        self.summary = next((line for line in lines if line.startswith("# ")), None)
        self.image_name = image_name
        self.overlay = overlay
        names = header[1:].split(",") if header else []
        fields = [row.split(",") for row in self.rows]
        super().__init__((name, _column([f[i] for f in fields])) for i, name in enumerate(names))

    def to_csv(self, path, image=None):
        """Writes the table as a series' combined table: an "image" column
        before the results file's columns."""
        name = self.image_name if image is None else image
        with open(path, "wb") as out:
            if self.header:
                out.write(f"image,{self.header}\r\n".encode())
            for row in self.rows:
                out.write(f"{name},{row}\r\n".encode())


def find_objects(img, *, overlay=False, aoi=None, answer="yes", range=None, pixel_size=None, unit=None, **params):
    """Finds the objects as `nuvak-cli apply --op "Find Objects"` does and
    returns them as Objects. background=0|255|"auto", min_area, max_area,
    exclude_edge, own_pixels, metrics and summary as the CLI's options;
    pixel_size=W or (W, H) with unit adds the calibrated columns (an Image
    read from a file brings its own); overlay=True keeps the overlay image
    in .overlay."""
    kept = getattr(img, "calibration", None)
    if pixel_size is None and unit is None and kept:
        pixel_size, unit = kept[:2], kept[2]
    image_name = os.path.basename(getattr(img, "path", "")) or "array"
    with tempfile.TemporaryDirectory() as folder:
        results = os.path.join(folder, "objects.dat")
        if overlay:
            params["overlay"] = os.path.join(folder, "overlay.bmp")
        made = apply(img, "Find Objects", results=results, aoi=aoi, answer=answer, range=range,
                     pixel_size=pixel_size, unit=unit, **params)
        with open(results, "rb") as file:
            lines = file.read().decode().split("\r\n")
    return Objects(lines, image_name, made.overlay if overlay else None)
