"""Refusals, failures and notices carry the CLI's own texts."""

import warnings

import numpy as np
import pytest

import nuvak

AOI_OUT = (0, 0, 500, 10)


@pytest.mark.parametrize("operation, keywords, words, kind, error", [
    ("Low Pass Filter", {"size": 4}, ["--size", "4"], "grey", ValueError),
    ("Low Pass Filter", {"colour": 1}, ["--colour", "1"], "grey", ValueError),
    ("Invert", {"size": 3}, ["--size", "3"], "grey", ValueError),
    ("Invert", {"answer": "maybe"}, ["--answer", "maybe"], "grey", ValueError),
    ("Invert", {"aoi": (5, 5, 1, 1)}, ["--aoi", "5,5,1,1"], "grey", ValueError),
    ("Median Filter", {}, [], "colour", nuvak.Error),
    ("Clean", {"background": 255, "answer": "no"}, ["--background", "255", "--answer", "no"], "grey", nuvak.Error),
])
def test_refusals_and_failures(cli, images, operation, keywords, words, kind, error):
    status, err = cli("apply", "--op", operation, *words, cli.image("in.png", images[kind]), cli.folder / "o.png")
    assert status != 0
    with pytest.raises(error) as raised:
        nuvak.apply(images[kind], operation, **keywords)
    assert cli.said(err) == f"{raised.value}\n"


GREY = np.zeros((2, 2), np.uint8)


@pytest.mark.parametrize("call, text", [
    (lambda: nuvak.apply(GREY, "Blur"), 'unknown operation "Blur"'),
    (lambda: nuvak.calc("Plus", GREY, GREY), 'unknown calculation "Plus"'),
    (lambda: nuvak.invert(GREY, range="9,3"), "--range must be full or LO,HI with 0 <= LO < HI <= 65535"),
    (lambda: nuvak.invert(GREY, pixel_size=1, unit="ft"), "--unit must be nm, um, mm, cm, m or in"),
    (lambda: nuvak.invert(GREY, pixel_size=0, unit="mm"), "--pixel-size must be W or W,H with numbers above 0"),
    (lambda: nuvak.invert(GREY, unit="mm"), "--pixel-size and --unit go together"),
])
def test_refused_names_and_options(call, text):
    with pytest.raises(ValueError) as refused:
        call()
    assert str(refused.value) == text


def test_notices_are_the_clis(cli, images):
    status, err = cli("apply", "--op", "Invert", "--aoi", ",".join(map(str, AOI_OUT)),
                      cli.image("in.png", images["grey"]), cli.folder / "o.png")
    assert status == 0
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        nuvak.invert(images["grey"], aoi=AOI_OUT)
    assert caught and all(w.category is nuvak.Notice and w.filename == __file__ for w in caught)
    assert "".join(f"notice: {w.message}\n" for w in caught) == err
