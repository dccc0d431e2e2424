"""Arrays in and out: layouts, refusals, the 16-bit rule and threads."""

import struct
import threading
import warnings
import zlib

import numpy as np
import pytest

import nuvak


def write_png16(path, array):
    """A 16-bit grey PNG written here rather than by NUVAK."""
    height, width = array.shape
    rows = b"".join(b"\0" + row.astype(">u2").tobytes() for row in array)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    head = struct.pack(">IIBBBBB", width, height, 16, 0, 0, 0, 0)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + chunk(b"IDAT", zlib.compress(rows))
                     + chunk(b"IEND", b""))


def test_layouts_give_the_same_result_and_inputs_stay(images):
    colour = images["colour"]
    expected = nuvak.low_pass_filter(colour, size=5)
    kept = colour.copy()
    wide = np.zeros((32, 128, 3), np.uint8)
    wide[:, ::2] = colour
    for layout in (np.asfortranarray(colour), wide[:, ::2], colour[::-1][::-1]):
        assert np.array_equal(nuvak.low_pass_filter(layout, size=5), expected)
    assert np.array_equal(colour, kept)
    assert expected.shape == (32, 64, 3) and expected.dtype == np.uint8
    assert expected.flags.c_contiguous and expected.flags.writeable
    deep = images["grey"].astype(np.uint16) * 257
    assert np.array_equal(nuvak.invert(deep.astype(">u2"), range="full"), nuvak.invert(deep, range="full"))
    # An all-grey colour array stays a colour image.
    assert nuvak.invert(np.zeros((4, 4, 3), np.uint8)).shape == (4, 4, 3)


@pytest.mark.parametrize("array, error, text", [
    (np.zeros((4, 4), np.float32), TypeError, "dtype float32 is not accepted"),
    ([[1, 2]], TypeError, "not list"),
    (np.zeros((4, 4, 4), np.uint8), ValueError, "shape (4, 4, 4) is not accepted"),
    (np.zeros(4, np.uint8), ValueError, "shape (4,) is not accepted"),
    (np.zeros((0, 4), np.uint8), ValueError, "the array is empty"),
])
def test_refused_arrays(array, error, text):
    with pytest.raises(error, match="expected a 2-D") as refused:
        nuvak.invert(array)
    assert text in str(refused.value)


@pytest.mark.parametrize("range_", [None, "full", "1000,40000"])
def test_sixteen_bit_arrays_follow_the_files_rule(cli, range_):
    deep = np.random.default_rng(16).integers(500, 50000, (8, 16), dtype=np.uint16)
    write_png16(cli.folder / "deep.png", deep)
    words = ["--range", range_] if range_ else []
    status, err = cli("apply", "--op", "Invert", *words, cli.folder / "deep.png", cli.folder / "out.png")
    assert status == 0, err
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        nuvak.imwrite(cli.folder / "py.png", nuvak.invert(deep, range=range_))
    said = f"array has 16-bit samples; levels {deep.min()}..{deep.max()} were mapped to 0..255."
    assert [(w.category, str(w.message)) for w in caught] == ([(nuvak.Notice, said)] if range_ is None else [])
    assert (cli.folder / "py.png").read_bytes() == (cli.folder / "out.png").read_bytes()
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", nuvak.Notice)
        read = nuvak.imread(cli.folder / "deep.png", range=range_)
        assert np.array_equal(read, nuvak.invert(nuvak.invert(deep, range=range_)))


def test_threads_side_by_side(images):
    expected = nuvak.median_filter(images["grey"], size=5)
    results = [None] * 4

    def work(i):
        results[i] = nuvak.median_filter(images["grey"], size=5)

    threads = [threading.Thread(target=work, args=(i,)) for i in range(4)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert all(np.array_equal(r, expected) for r in results)
