"""nuvak.dask: chunked arrays give the whole image's pixels, whole-image
operations are refused, and a series over a cluster writes what nuvak-cli
series writes."""

import warnings

import dask.array as da
import numpy as np
import pytest

import nuvak
import nuvak.dask
from nuvak._margins import MARGINS


@pytest.fixture(scope="module")
def kernel(tmp_path_factory):
    path = tmp_path_factory.mktemp("kernel") / "k9.ftr"
    path.write_bytes(b"9\r\n" + b"".join(b"%d\r\n" % ((i * 7) % 5 - 2) for i in range(81)))
    return str(path)


@pytest.fixture(scope="module")
def big():
    """2048 x 2048 random grey and colour images with smooth shading, so
    that filters near the limits and the level range both show."""
    rng = np.random.default_rng(7)
    y, x = np.mgrid[0:2048, 0:2048]
    shade = (np.sin(x / 97) + np.cos(y / 53)) * 60 + 128
    grey = (shade + rng.integers(-40, 40, shade.shape)).clip(0, 255).astype(np.uint8)
    return {"grey": grey, "colour": rng.integers(0, 256, (2048, 2048, 3), dtype=np.uint8)}


# Every local operation of the table, with its largest reach where it has one.
LOCAL = [
    ("grey", "Grayscale", {}), ("grey", "RGB", {}), ("grey", "Invert", {}),
    ("grey", "Threshold", {"threshold": 100, "fill": 9, "above": True}),
    ("grey", "Brightness Slice", {"low": 90, "high": 170}), ("grey", "Bound", {"mode": "inside", "intensity": 7}),
    ("grey", "Sobel", {}), ("grey", "Prewitt", {"direction": 5}),
    ("grey", "Low Pass Filter", {"size": 9}), ("grey", "High Pass Filter", {"size": 7}),
    ("grey", "Median Filter", {"size": 9}), ("grey", "Unsharp Mask", {"size": 9, "boost": 2.5}),
    ("grey", "Laplace", {"size": 5}), ("grey", "Custom Filter", {"kernel": None}),
    ("grey", "Erosion", {"size": 9, "direction": 2}), ("grey", "Dilation", {"size": 7}),
    ("grey", "Opening", {"size": 9, "repetitions": 3}),
    ("grey", "Closing", {"size": 5, "repetitions": 5, "direction": 1}),
    ("grey", "Outline", {"size": 9}), ("grey", "Gradient", {"size": 7, "direction": 3}),
    ("grey", "Peak Detection", {"size": 7, "repetitions": 2}),
    ("grey", "Valley Detection", {"size": 9, "repetitions": 2}),
    ("grey", "Clean", {"size": 9, "background": 0}), ("grey", "Clean", {"size": 5, "background": 255, "clutter": 300}),
    ("colour", "Grayscale", {}), ("colour", "Threshold", {"component": "green"}), ("colour", "Sobel", {}),
    ("colour", "Low Pass Filter", {"size": 9}), ("colour", "Unsharp Mask", {"size": 5, "boost": 3}),
]


@pytest.mark.parametrize("kind, operation, params", LOCAL)
def test_chunks_give_the_whole_image(big, kernel, kind, operation, params):
    params = {k: kernel if k == "kernel" else v for k, v in params.items()}
    whole = big[kind]
    # Chunks of 256, and ragged ones smaller than a large margin at the end.
    for chunks in ((256, 256, 3), (300, 1000, 1)):
        with warnings.catch_warnings():
            warnings.simplefilter("ignore", nuvak.Notice)
            made = nuvak.dask.apply(da.from_array(whole, chunks=chunks[:whole.ndim]), operation, **params)
            assert isinstance(made, da.Array)
            np.testing.assert_array_equal(made.compute(scheduler="threads"), nuvak.apply(whole, operation, **params))
        if operation not in ("Low Pass Filter", "Opening"):
            break


def test_every_operation_has_a_margin_or_a_refusal():
    assert set(nuvak.operations) == set(MARGINS)


REFUSED = [
    ("Equalize", {}, "Equalize needs the whole image: its level map depends on every pixel"),
    ("Stretch", {}, "Stretch needs the whole image"), ("Slide", {"offset": 9}, "Slide needs the whole image"),
    ("FFT", {}, "FFT needs the whole image"), ("FFT Filter", {}, "FFT Filter needs the whole image"),
    ("Window", {}, "Window needs the whole image"), ("Rotate", {}, "Rotate needs the whole image"),
    ("Scale", {}, "Scale needs the whole image"), ("Find Objects", {}, "Find Objects needs the whole image"),
    ("Flip Horizontal", {}, "Flip Horizontal needs the whole image"), ("Crop", {}, "Crop needs an AOI"),
    ("Extract RGB", {}, "Extract RGB makes three extra images"), ("Comb", {}, "Comb makes images of half"),
    ("Clean", {}, "Clean with background auto needs the whole image"),
    ("Low Pass Filter", {"aoi": (1, 1, 9, 9)}, "takes no aoi="),
    ("Low Pass Filter", {"size": 4}, "--size must be 3|5|7|9"),
    ("No Such", {}, 'unknown operation "No Such"'),
]


@pytest.mark.parametrize("operation, params, text", REFUSED)
def test_refusals(operation, params, text):
    with pytest.raises(ValueError, match=text.replace("|", r"\|")):
        nuvak.dask.apply(da.zeros((64, 64), dtype=np.uint8, chunks=16), operation, **params)


def test_refused_arrays_and_a_missing_margin(monkeypatch):
    with pytest.raises(TypeError, match="nuvak.apply takes numpy arrays"):
        nuvak.dask.apply(np.zeros((8, 8), np.uint8), "Invert")
    with pytest.raises(TypeError, match="dtype float32"):
        nuvak.dask.apply(da.zeros((8, 8), dtype=np.float32), "Invert")
    with pytest.raises(ValueError, match="shape"):
        nuvak.dask.apply(da.zeros((8, 8, 4), dtype=np.uint8), "Invert")
    with pytest.raises(ValueError, match="range='full'"):
        nuvak.dask.apply(da.zeros((8, 8), dtype=np.uint16), "Invert")
    monkeypatch.delitem(MARGINS, "Median Filter")
    with pytest.raises(ValueError, match="Median Filter has no known margin"):
        nuvak.dask.apply(da.zeros((8, 8), dtype=np.uint8), "Median Filter")


def test_uint16_with_a_fixed_range():
    deep = np.random.default_rng(3).integers(0, 65536, (600, 500), dtype=np.uint16)
    made = nuvak.dask.apply(da.from_array(deep, chunks=128), "Median Filter", size=5, range="1000,60000")
    np.testing.assert_array_equal(made.compute(scheduler="sync"),
                                  nuvak.apply(deep, "Median Filter", size=5, range="1000,60000"))


@pytest.fixture(scope="module")
def client():
    distributed = pytest.importorskip("distributed")
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=False,
                                     dashboard_address=None) as cluster, distributed.Client(cluster) as own:
        yield own


def sources(folder, names):
    """Files written by tifffile: grey scenes of bright blocks on black with
    noise, taller when named b..., in colour when named colour..., and a
    file no reader takes when named broken...."""
    tifffile = pytest.importorskip("tifffile")
    rng = np.random.default_rng(5)
    paths = []
    for i, name in enumerate(names):
        path = folder / name
        if name.startswith("broken"):
            path.write_bytes(b"II*\0broken")
        else:
            shape = (70 + 10 * (name[0] == "b"), 90) + ((3,) if name.startswith("colour") else ())
            img = rng.integers(0, 60, shape, dtype=np.uint8)
            img[10:25, 10 + i:30] = 200
            img[40:60, 50:70 + i] = 255
            tifffile.imwrite(path, img)
        paths.append(str(path))
    return paths


RECIPE = ('nuvak recipe 1\n--op Grayscale\n--op "Median Filter" --size 3\n--op Threshold --threshold 128 --fill 0\n'
          '--op "Find Objects" --results objects.dat --background 0 --overlay over.bmp\n')
SERIES = [
    # an operation whose first file's AOI, pulled in, serves the files of its size
    (["a.tif", "a2.tif", "b.tif", "a3.tif", "a4.tif"], "Median Filter", {"size": 5}, ["--size", "5"]),
    (["a.tif", "colour.tif", "b.tif"], "recipe", {"format": "png"}, ["--format", "png"]),
    # the run ends at the unreadable file: nothing after it is written
    (["a.tif", "broken.tif", "b.tif"], "Invert", {}, []),
    (["a.tif", "broken.tif", "b.tif"], "Extract RGB", {"skip_unreadable": True}, ["--skip-unreadable"]),
]


@pytest.mark.parametrize("names, what, keywords, words", SERIES)
def test_series_writes_what_the_cli_writes(cli, client, names, what, keywords, words):
    files = sources(cli.folder, names)
    (cli.folder / "r.nrcp").write_text(RECIPE)
    given = ["--recipe", cli.folder / "r.nrcp"] if what == "recipe" else ["--op", what]
    out = cli.folder / "out"
    out.mkdir()
    # Both runs write into one folder, which the log names.
    status, err = cli("series", *given, *words, "--out", out, *files)
    out.rename(cli.folder / "by_cli")
    out.mkdir()
    run = lambda: nuvak.dask.series(files, str(cli.folder / "r.nrcp") if what == "recipe" else what, str(out),
                                    client=client, **keywords)
    if status == 0:
        result = run()
        assert result.log.startswith(str(out / "series_"))
    else:
        with pytest.raises(nuvak.Error, match="^Image Series processing aborted.\nAn error occurred while attempting to read the file\n"):
            run()

    def written(folder):
        return {("log" if p.name.startswith("series_") else p.name): p.read_bytes() for p in folder.iterdir()}

    expected, made = written(cli.folder / "by_cli"), written(out)
    assert sorted(made) == sorted(expected)
    assert [name for name in expected if made[name] != expected[name]] == []


SERIES_REFUSED = [
    ("Stretch", {}, '"Stretch" is not a series operation'),
    ("recipe", {"aoi": (1, 1, 5, 5)}, "--aoi does not apply to series --recipe: each step gives its own"),
    ("recipe", {"size": 3}, "--size is not an option of series --recipe"),
    ("Invert", {"quality": 0}, "--quality must be an integer from 1 to 100"),
    ("Invert", {"format": "gif"}, "--format must be bmp, png, tif or jpg"),
    ("Invert", {"files": ["x/a.tif", "y/a.tif"]}, "two files are named a.tif; their results would overwrite each other"),
    ("Invert", {"files": ["broken.tif"]}, "^Failed to read image .*broken.tif"),
    ("Invert", {"out": "."}, "a.tif lies in the --out folder, whose results would replace it"),
    ("No Such", {}, 'unknown operation "No Such"'),
]


@pytest.mark.parametrize("what, keywords, text", SERIES_REFUSED)
def test_series_refusals(tmp_path, what, keywords, text):
    (tmp_path / "r.nrcp").write_text(RECIPE)
    files = [tmp_path / f for f in keywords.pop("files", [])] or sources(tmp_path, ["a.tif"])
    sources(tmp_path, ["broken.tif"])
    out = tmp_path / keywords.pop("out", "out")
    with pytest.raises((ValueError, OSError), match=text):
        # No cluster is started for a run refused at its start.
        nuvak.dask.series(files, tmp_path / "r.nrcp" if what == "recipe" else what, out, **keywords)
