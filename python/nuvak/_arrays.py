"""Arrays as the core takes them: checked, and C-ordered in native byte order
(copied once where needed)."""

import numpy as np

ACCEPTED = ("a 2-D (H, W) or 3-D (H, W, 3) array of uint8, or of uint16 read "
            "through the 16-bit rule")


def samples(img):
    """The C-ordered uint8 or uint16 array of img, an array or a nuvak.Image."""
    array = getattr(img, "array", img)
    if not isinstance(array, np.ndarray):
        raise TypeError(f"expected {ACCEPTED}, not {type(array).__name__}")
    if array.dtype.kind != "u" or array.dtype.itemsize not in (1, 2):
        raise TypeError(f"dtype {array.dtype} is not accepted: expected {ACCEPTED}")
    if array.ndim not in (2, 3) or (array.ndim == 3 and array.shape[2] != 3):
        raise ValueError(f"shape {array.shape} is not accepted: expected {ACCEPTED}")
    if array.shape[0] == 0 or array.shape[1] == 0:
        raise ValueError(f"the array is empty: expected {ACCEPTED}")
    if max(array.shape[:2]) > 2**31 - 1:
        raise ValueError(f"shape {array.shape} is not accepted: sides are at most {2**31 - 1}")
    return np.asarray(array, dtype=array.dtype.newbyteorder("="), order="C")
