"""find_objects against the results files of nuvak-cli."""

import numpy as np

import nuvak


def spots():
    image = np.zeros((40, 60), np.uint8)
    image[5:12, 4:20] = 255
    image[20:35, 30:38] = 200
    image[30:40, 50:60] = 120  # touches the edge
    return image


def test_columns_are_the_results_files(cli):
    source = cli.image("in.png", spots())
    status, err = cli("apply", "--op", "Find Objects", "--results", cli.folder / "r.dat", "--background", "0",
                      "--min-area", "20", "--pixel-size", "0.5", "--unit", "mm", source, cli.folder / "o.png")
    assert status == 0, err
    header, *rows = (cli.folder / "r.dat").read_bytes().decode().split("\r\n")[:-1]
    objects = nuvak.find_objects(spots(), background=0, min_area=20, pixel_size=0.5, unit="mm")
    assert header == "#" + ",".join(objects)
    assert "area_mm2" in objects and objects["area"].dtype == np.int64 and objects["partl"].dtype == bool
    for number, row in enumerate(rows):
        assert row.split(",") == [("T" if v else "F") if isinstance(v, np.bool_) else
                                  (f"{v:.6g}" if name.endswith(("_mm", "_mm2")) else
                                   f"{v:.1f}" if isinstance(v, np.floating) else str(v))
                                  for name, v in ((n, objects[n][number]) for n in objects)]
    assert list(objects["partl"]) == [False, False, True]


def test_calibrated_columns_in_exponent_form_are_reals():
    objects = nuvak.find_objects(spots(), background=0, pixel_size=1e-6, unit="m")
    assert objects["area_m2"].dtype == np.float64 and objects["area_m2"][0] == 112e-12


def test_to_csv_is_the_series_combined_table(cli):
    cli.image("in.png", spots())
    (cli.folder / "out").mkdir()
    status, err = cli("series", "--op", "Find Objects", "--results", "r.dat", "--background", "0",
                      "--exclude-edge", "--out", cli.folder / "out", cli.folder / "in.png")
    assert status == 0, err
    objects = nuvak.find_objects(nuvak.read(cli.folder / "in.png"), background=0, exclude_edge=True)
    objects.to_csv(cli.folder / "py.csv")
    assert (cli.folder / "py.csv").read_bytes() == (cli.folder / "out" / "r_all.csv").read_bytes()
    assert len(objects["id"]) == 2


def test_overlay_is_returned():
    objects = nuvak.find_objects(spots(), background=0, overlay=True)
    assert objects.overlay.shape == (40, 60, 3)
    assert tuple(objects.overlay[5, 4]) == (255, 0, 0)
