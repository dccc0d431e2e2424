"""Recipes between Python, the workbench's files and nuvak-cli run."""

import numpy as np
import pytest

import nuvak

WORKBENCH = ("nuvak recipe 1\r\n"
             "# made in the workbench\r\n"
             "--op Invert\r\n"
             "\r\n"
             "--op \"Low Pass Filter\" --size 5 --aoi 1,1,40,20\r\n"
             "--op Rotate --degrees 12.5 --interpolation nearest --answer yes\r\n")


def test_recipe_runs_as_the_cli_runs_it(cli, images):
    (cli.folder / "r.nrcp").write_text(WORKBENCH, newline="")
    status, err = cli("run", "--recipe", cli.folder / "r.nrcp", cli.image("in.png", images["colour"]),
                      cli.folder / "out.png")
    assert status == 0, err
    recipe = nuvak.Recipe.read(cli.folder / "r.nrcp")
    assert recipe.steps == ["--op Invert", '--op "Low Pass Filter" --size 5 --aoi 1,1,40,20',
                            "--op Rotate --degrees 12.5 --interpolation nearest --answer yes"]
    nuvak.imwrite(cli.folder / "py.png", recipe.apply(images["colour"]))
    assert (cli.folder / "py.png").read_bytes() == (cli.folder / "out.png").read_bytes()
    assert np.array_equal(nuvak.Recipe.parse(WORKBENCH).apply(images["colour"]), recipe.apply(images["colour"]))


def test_recipe_built_in_python_saves_the_files_text(tmp_path):
    recipe = nuvak.Recipe([nuvak.step("Invert"), nuvak.step("Median Filter", size=5, aoi=(0, 0, 9, 9), answer="no")])
    recipe.save(tmp_path / "r.nrcp")
    assert (tmp_path / "r.nrcp").read_text() == (
        "nuvak recipe 1\n--op Invert\n--op \"Median Filter\" --size 5 --aoi 0,0,9,9 --answer no\n")
    assert nuvak.Recipe.read(tmp_path / "r.nrcp").steps == recipe.steps


@pytest.mark.parametrize("make, text", [
    (lambda: nuvak.step("Invert", size=3), '^--size does not apply to "Invert"$'),
    (lambda: nuvak.Recipe.parse("nuvak recipe 1\n--op Blur\n"), '^recipe:2: unknown operation "Blur"$'),
    (lambda: nuvak.Recipe(["--op Invert --size 3"]), '^recipe:2: --size does not apply to "Invert"$'),
])
def test_refused_steps(make, text):
    with pytest.raises(ValueError, match=text):
        make()


def test_failing_step_is_numbered(images):
    recipe = nuvak.Recipe([nuvak.step("Invert"), nuvak.step("Median Filter")])
    with pytest.raises(nuvak.Error, match=r"^step 2 \(Median Filter\): "):
        recipe.apply(images["colour"])
