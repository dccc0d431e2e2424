"""Image files through the core's readers and writers."""

import dataclasses
import os

import numpy as np

from . import _core
from ._arrays import samples
from ._options import file_options


@dataclasses.dataclass
class Image:
    """An image read from a file: its pixels, what a pixel measures and what
    the file was."""
    array: np.ndarray
    pixel_width: float = 0.0   # 0 when uncalibrated
    pixel_height: float = 0.0
    unit: str = ""             # "" when uncalibrated
    format: str = "Bitmap"     # "Bitmap", "PNG", "TIFF" or "JPEG"
    bits_per_sample: int = 8
    samples_per_pixel: int = 3
    pages: int = 1
    resolution: tuple = (0, 0)  # pixels per metre, 0 when unknown
    path: str = ""

    @property
    def calibration(self):
        """(pixel width, pixel height, unit), or None."""
        return (self.pixel_width, self.pixel_height, self.unit) if self.unit else None


def imread(path, range=None):
    """The pixels of an image file as a new array; range= as --range
    ("full" or "LO,HI") for 16-bit samples."""
    return _core.imread(os.fspath(path), file_options(range))[0]


def imwrite(path, img, quality=95):
    """Writes the array in the format of the path's extension."""
    _core.imwrite(os.fspath(path), samples(img), file_options(quality=quality), (0, 0))


def read(path, range=None):
    """An Image: pixels, calibration and the file's facts."""
    path = os.fspath(path)
    array, facts, calibrated, resolution = _core.imread(path, file_options(range))
    width, height, unit = calibrated or (0.0, 0.0, "")
    return Image(array, width, height, unit, facts["format"], facts["bits_per_sample"],
                 facts["samples_per_pixel"], facts["pages"], tuple(resolution), path)


def write(path, image, quality=95):
    """Writes an Image with its calibration (as the file's resolution), or
    an array as imwrite does."""
    width, height, unit = getattr(image, "calibration", None) or (None, None, None)
    pixel_size = None if unit is None else (width, height)
    _core.imwrite(os.fspath(path), samples(image), file_options(None, pixel_size, unit, quality),
                  tuple(getattr(image, "resolution", (0, 0))))
