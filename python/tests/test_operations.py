"""Every operation of the table through Python and through nuvak-cli on the
same images: the same bytes, or the same failure text."""

import inspect
import warnings

import pytest

import nuvak

# Parameters beyond the defaults, as keywords and as the CLI's words.
PARAMETERS = {
    "Low Pass Filter": ({"size": 5, "aoi": (10, 10, 50, 25)}, ["--size", "5", "--aoi", "10,10,50,25"]),
    "Rotate": ({"degrees": 30, "interpolation": "nearest"}, ["--degrees", "30", "--interpolation", "nearest"]),
    "Scale": ({"x": 150, "y": 50.5}, ["--x", "150", "--y", "50.5"]),
    "Threshold": ({"threshold": 100, "fill": 9, "above": True}, ["--threshold", "100", "--fill", "9", "--above"]),
    "Bound": ({"color": (1, 2, 3), "mode": "inside", "aoi": (2, 2, 9, 9)},
              ["--color", "1,2,3", "--mode", "inside", "--aoi", "2,2,9,9"]),
    "Unsharp Mask": ({"boost": 2.5}, ["--boost", "2.5"]),
    "Crop": ({"aoi": (3, 4, 20, 30)}, ["--aoi", "3,4,20,30"]),
    "Custom Filter": ({"kernel": "{folder}/k.ftr"}, ["--kernel", "{folder}/k.ftr"]),
    "Find Objects": ({"results": "{folder}/o.dat"}, ["--results", "{folder}/o.dat"]),
}


def filled(values, folder):
    if isinstance(values, dict):
        return {k: v.format(folder=folder) if isinstance(v, str) else v for k, v in values.items()}
    return [v.format(folder=folder) for v in values]


@pytest.mark.parametrize("kind", ["grey", "colour"])
@pytest.mark.parametrize("operation", nuvak.operations)
def test_operation_equals_cli(cli, images, kind, operation):
    (cli.folder / "k.ftr").write_bytes(b"3\r\n0\r\n0\r\n3/2\r\n0\n0\n0\n0\n0\n0\n")
    keywords, words = PARAMETERS.get(operation, ({}, []))
    keywords, words = filled(keywords, cli.folder), filled(words, cli.folder)
    source = cli.image("in.png", images[kind])
    status, err = cli("apply", "--op", operation, *words, source, cli.folder / "out.png")
    function = getattr(nuvak, nuvak._operations.function_name(operation))
    if operation == "Find Objects":
        function = nuvak.apply
        keywords = {"operation": operation, **keywords}
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", nuvak.Notice)
        if status != 0:
            with pytest.raises(nuvak.Error) as failure:
                function(images[kind], **keywords)
            assert cli.said(err) == f"{failure.value}\n"
            return
        result = function(images[kind], **keywords)
    assert status == 0, err
    extras = {}
    if isinstance(result, nuvak.Result):
        extras = {k: v for k, v in vars(result).items() if k != "image"}
        result = result.image
    nuvak.imwrite(cli.folder / "py.png", result)
    assert (cli.folder / "py.png").read_bytes() == (cli.folder / "out.png").read_bytes()
    for name, array in extras.items():
        nuvak.imwrite(cli.folder / "py_extra.png", array)
        assert (cli.folder / "py_extra.png").read_bytes() == (cli.folder / f"out_{name}.png").read_bytes(), name


@pytest.mark.parametrize("operation", nuvak.calculations)
def test_calculation_equals_cli(cli, images, operation):
    b = images["grey"][::-1].copy()
    status, err = cli("calc", "--op", operation, cli.image("a.png", images["grey"]), cli.image("b.png", b),
                      cli.folder / "out.png")
    assert status == 0, err
    nuvak.imwrite(cli.folder / "py.png", nuvak.calc(operation, images["grey"], b))
    assert (cli.folder / "py.png").read_bytes() == (cli.folder / "out.png").read_bytes()


def test_help_shows_the_table():
    assert str(inspect.signature(nuvak.bound)) == (
        "(img, *, mode='outside', intensity=0, color=(0, 0, 0), aoi=None, answer='yes', range=None)")
    text = nuvak.low_pass_filter.__doc__
    assert text.startswith('"Low Pass Filter": ')
    assert "    size: 3|5|7|9; neighbourhood size (default 3)" in text
    assert "    repetitions: N; repetitions, 1..5 (default 1)" in nuvak.opening.__doc__
