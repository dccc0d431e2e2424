"""How far each operation of the table reads around a pixel: the margin a
chunk needs from its neighbours so that its pixels come out as in the whole
image. An operation that reads the whole image has a refusal instead.

The core leaves a band as wide as the reach unchanged at the AOI's edges and
works each pass of a repeated operation on the previous pass's result, so a
chunk processed whole with a margin of passes x reach gives the whole
image's pixels everywhere but in the margin, which is trimmed away."""

from ._operations import OPERATIONS, _default


def _values(operation, params):
    """The operation's parameters: the given keywords over the table's
    defaults."""
    given = {key.replace("_", "-"): value for key, value in params.items()}
    return {option: given.get(option, _default(default, hint))
            for option, hint, default, *_ in OPERATIONS[operation][1]}


def _reach(p):
    """Half the neighbourhood: the core takes sizes below 3 as 3."""
    return max(int(p["size"]), 3) // 2


def _point(p):
    return 0


def _filter(p):
    return _reach(p)


def _repeated(p):
    # Each repetition erodes and dilates (or dilates and erodes) once.
    return 2 * max(int(p["repetitions"]), 0) * _reach(p)


def _clean(p):
    if p["background"] not in (0, 255, "0", "255"):
        raise ValueError("Clean with background auto needs the whole image: it detects the background "
                         "from every pixel; give background=0 or 255")
    return int(p["size"]) // 2


def _whole(why):
    def refuse(p):
        raise ValueError(why)
    return refuse


MARGINS = {
    "Grayscale": _point,
    "RGB": _point,
    "Invert": _point,
    "Threshold": _point,
    "Brightness Slice": _point,
    "Bound": _point,
    "Sobel": lambda p: 1,
    "Prewitt": lambda p: 1,
    "High Pass Filter": _filter,
    "Low Pass Filter": _filter,
    "Median Filter": _filter,
    "Unsharp Mask": _filter,
    "Laplace": _filter,
    # The kernel's size is in its file; the largest a file holds is 9.
    "Custom Filter": lambda p: 4,
    "Erosion": _filter,
    "Dilation": _filter,
    "Outline": _filter,
    "Gradient": _filter,
    "Opening": _repeated,
    "Closing": _repeated,
    "Peak Detection": _repeated,
    "Valley Detection": _repeated,
    "Clean": _clean,
    "Extract RGB": _whole("Extract RGB makes three extra images; nuvak.dask.apply returns one array"),
    "Comb": _whole("Comb makes images of half the height (its fields); nuvak.dask.apply keeps the size"),
    "Flip Horizontal": _whole("Flip Horizontal needs the whole image: it moves each pixel across the image"),
    "Flip Vertical": _whole("Flip Vertical needs the whole image: it moves each pixel across the image"),
    "Crop": _whole("Crop needs an AOI, which nuvak.dask.apply does not take: slice the Dask array instead"),
    "Rotate": _whole("Rotate needs the whole image: it moves pixels across the image"),
    "Scale": _whole("Scale needs the whole image: it changes the image's size"),
    "Find Objects": _whole("Find Objects needs the whole image: an object may span chunks and its "
                           "metrics take every pixel of it"),
    "Stretch": _whole("Stretch needs the whole image: its level map depends on every pixel"),
    "Equalize": _whole("Equalize needs the whole image: its level map depends on every pixel"),
    "FFT": _whole("FFT needs the whole image: every frequency depends on every pixel"),
    "FFT Filter": _whole("FFT Filter needs the whole image: every frequency depends on every pixel"),
    "Slide": _whole("Slide needs the whole image: its shift is held within the image's lowest and "
                    "highest levels"),
    "Window": _whole("Window needs the whole image: its weights depend on each pixel's place in the image"),
}


def margin(operation, params):
    """The margin in pixels a chunk needs for the operation with these
    keywords; ValueError when the operation needs the whole image or is not
    in the table."""
    if operation not in OPERATIONS:
        raise ValueError(f'unknown operation "{operation}"')
    if operation not in MARGINS:
        raise ValueError(f"{operation} has no known margin, so nuvak.dask.apply cannot split it into chunks")
    return MARGINS[operation](_values(operation, params))
