"""Files through the core's readers and writers, with their refusals."""

import numpy as np
import pytest

import nuvak


def test_read_and_write_keep_pixels_calibration_and_facts(tmp_path, images):
    image = nuvak.Image(images["colour"], 0.25, 0.5, "mm")
    nuvak.write(tmp_path / "c.png", image)
    back = nuvak.read(tmp_path / "c.png")
    assert np.array_equal(back.array, images["colour"])
    assert (back.pixel_width, back.pixel_height, back.unit) == (0.25, 0.5, "mm")
    assert (back.format, back.bits_per_sample, back.samples_per_pixel, back.pages) == ("PNG", 8, 3, 1)
    assert back.resolution == (4000, 2000)
    nuvak.write(tmp_path / "again.png", back)  # an Image as read is written as it came
    assert (tmp_path / "again.png").read_bytes() == (tmp_path / "c.png").read_bytes()
    nuvak.imwrite(tmp_path / "g.tif", images["grey"])
    assert np.array_equal(nuvak.imread(tmp_path / "g.tif"), images["grey"])
    assert nuvak.read(tmp_path / "g.tif").calibration is None


@pytest.mark.parametrize("words, call", [
    (["info", "{folder}/none.png"], lambda folder: nuvak.imread(folder / "none.png")),
    (["info", "{folder}/bad.png"], lambda folder: nuvak.read(folder / "bad.png")),
])
def test_refused_files_raise_the_readers_text(cli, words, call):
    (cli.folder / "bad.png").write_bytes(b"\x89PNG\r\n\x1a\nbroken")
    status, err = cli(*[w.format(folder=cli.folder) for w in words])
    assert status != 0
    with pytest.raises(OSError) as raised:
        call(cli.folder)
    assert cli.said(err) == f"{raised.value}\n"


def test_unwritable_file_and_bad_quality(tmp_path, images):
    with pytest.raises(OSError, match="none"):
        nuvak.imwrite(tmp_path / "none" / "x.png", images["grey"])
    with pytest.raises(ValueError, match="^--quality must be an integer from 1 to 100$"):
        nuvak.imwrite(tmp_path / "x.jpg", images["grey"], quality=0)
