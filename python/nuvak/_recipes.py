"""Recipes: steps in the workbench's and the CLI's recipe format."""

import os

from . import _core
from ._arrays import samples
from ._operations import _flags, _result
from ._options import file_options, options


class Step(str):
    """One step as its recipe line, such as --op "Low Pass Filter" --size 5."""


def step(operation, *, aoi=None, answer=None, **params):
    """A checked step of the operation with these parameters (the CLI's
    options in snake case); answer="yes"|"no" fixes its questions' answer."""
    pairs = options(operation, _flags(operation), params, answer or "yes", aoi)
    if answer is None:
        pairs = [pair for pair in pairs if pair[0] != "answer"]
    return Step(_core.step_line(pairs))


class Recipe:
    """Steps run in order on an image, as `nuvak-cli run --recipe` runs them."""

    def __init__(self, steps=()):
        self.steps = [Step(s) for s in steps]
        _core.parse_recipe(self.text, "recipe")  # refuses a step that does not read back

    @classmethod
    def parse(cls, text, name="recipe"):
        return cls(_core.parse_recipe(text, name))

    @classmethod
    def read(cls, path):
        return cls(_core.read_recipe(os.fspath(path)))

    @property
    def text(self):
        """The recipe file's text."""
        return _core.recipe_text("\n".join([_core.RECIPE_HEADER, *self.steps]) + "\n")

    def save(self, path):
        _core.write_recipe(os.fspath(path), self.text)

    def apply(self, img, *, answer="yes", range=None, pixel_size=None, unit=None):
        """Runs every step and returns the new array, or a Result with the
        extra images the steps made."""
        image, extras = _core.apply_recipe(samples(img), self.text,
                                           file_options(range, pixel_size, unit, answer=answer))
        return _result(image, extras)

    def __repr__(self):
        return f"Recipe({self.steps!r})"

