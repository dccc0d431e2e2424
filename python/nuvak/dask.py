"""NUVAK on Dask: local operations on chunked arrays, and series of files
over a Dask cluster.

nuvak.dask.apply(darray, "Median Filter", size=5) gives, chunk by chunk,
the pixels nuvak.apply gives for the whole image; operations that read the
whole image are refused. nuvak.dask.series(files, operation or recipe,
out_dir) writes what `nuvak-cli series` writes.
"""

import warnings

import dask.array as da
from dask.array.overlap import ensure_minimum_chunksize
import numpy as np

from ._margins import margin
from ._operations import apply as apply_whole
from ._series import SeriesResult, series

__all__ = ["apply", "series", "SeriesResult"]

ACCEPTED = "a 2-D (H, W) or 3-D (H, W, 3) Dask array of uint8"


def _samples_checked(darray, range):
    if not isinstance(darray, da.Array):
        raise TypeError(f"expected {ACCEPTED}, not {type(darray).__name__}; nuvak.apply takes numpy arrays")
    if darray.ndim not in (2, 3) or (darray.ndim == 3 and darray.shape[2] != 3):
        raise ValueError(f"shape {darray.shape} is not accepted: expected {ACCEPTED}")
    if darray.dtype == np.uint16:
        # Without a fixed range each chunk would be mapped by its own levels.
        if range is None or range == "file":
            raise ValueError("uint16 chunks need range='full' or range='LO,HI': the file's own range "
                             "depends on every pixel")
    elif darray.dtype != np.uint8:
        raise TypeError(f"dtype {darray.dtype} is not accepted: expected {ACCEPTED}, or uint16 with a range")
    if 0 in darray.shape:
        raise ValueError(f"the array is empty: expected {ACCEPTED}")


def _made_ndim(operation, ndim, keywords):
    """The result's number of dimensions (Grayscale and RGB change it), from
    a small image, which also refuses bad parameters before any chunk is
    read."""
    probe = np.zeros((32, 32, 3)[:ndim], dtype=np.uint8)
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        return apply_whole(probe, operation, **keywords).ndim


def _chunk(block, operation, ndim, keywords):
    if block.size == 0:  # Dask's probes of the function
        return np.zeros(block.shape[:2] + (3,) * (ndim == 3), dtype=np.uint8)
    return apply_whole(block, operation, **keywords)


def apply(darray, operation, *, aoi=None, answer="yes", range=None, **params):
    """The operation of the table on every chunk of darray with the margin it
    needs, as a new lazy Dask array: bit for bit nuvak.apply(whole, ...).

    Takes a 2-D grey or 3-D (H, W, 3) RGB uint8 Dask array (uint16 with
    range="full" or "LO,HI"), chunked anyhow (the channels go into one
    chunk). Operations that read the whole image (histogram stretch and
    equalisation, FFT, Rotate, Scale, Find Objects, Clean with an automatic
    background, ...) raise ValueError saying why; so does aoi=, since a
    chunk cannot know the AOI's edges: slice the Dask array instead.
    """
    if aoi is not None:
        raise ValueError("nuvak.dask.apply works on the whole array and takes no aoi=: slice the Dask "
                         "array to the area, or use nuvak.apply on a numpy array")
    _samples_checked(darray, range)
    depth = margin(operation, params)
    keywords = dict(params, answer=answer, range=range)
    ndim = _made_ndim(operation, darray.ndim, keywords)
    if darray.ndim == 3:
        darray = darray.rechunk({2: -1})
    common = dict(dtype=np.uint8, meta=np.empty((0,) * ndim, dtype=np.uint8), operation=operation,
                  ndim=ndim, keywords=keywords)
    if depth == 0:
        # A point operation needs no neighbours; Grayscale drops the
        # channel axis, RGB adds one.
        if ndim > darray.ndim:
            common.update(new_axis=2, chunks=darray.chunks + ((3,),))
        elif ndim < darray.ndim:
            common.update(drop_axis=2)
        return da.map_blocks(_chunk, darray, **common)
    # A filter shrinks a chunk's AOI by its reach on every side and needs two
    # rows and columns left, so a chunk at the image's edge, which has a
    # margin on one side only, must be a little longer than the margin.
    darray = darray.rechunk({axis: ensure_minimum_chunksize(min(depth + 2, darray.shape[axis]), darray.chunks[axis])
                             for axis in (0, 1)})
    # 'none': no padding at the image's own edges, which the core treats as
    # the whole image's edges.
    return da.map_overlap(_chunk, darray, depth={0: depth, 1: depth, 2: 0} if ndim == 3 else depth,
                          boundary="none", **common)
