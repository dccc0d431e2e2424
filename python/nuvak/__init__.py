"""NUVAK's operations, files, recipes and measurements on numpy arrays.

A grey image is a 2-D uint8 array (H, W), a colour one a 3-D uint8 array
(H, W, 3) in R, G, B order; each call returns a new array, bit for bit what
nuvak-cli writes. Every operation of the table is a function here, such as
nuvak.low_pass_filter(img, size=5); nuvak.apply(img, "Low Pass Filter",
size=5) is the same call by name. Notices arrive as nuvak.Notice warnings;
a failure raises nuvak.Error with the operation's own text.
"""

from . import _core
from ._core import Error, Notice
from ._operations import OPERATIONS, Result, apply, calc, generated
from ._files import Image, imread, imwrite, read, write
from ._objects import Objects, find_objects
from ._recipes import Recipe, Step, step

globals().update({name: function for name, function in generated().items() if name not in globals()})

operations = list(OPERATIONS)
calculations = _core.calculations()


def __getattr__(name):
    # nuvak.dask loads Dask only when it is used.
    if name == "dask":
        import importlib
        return importlib.import_module(".dask", __name__)
    raise AttributeError(f"module 'nuvak' has no attribute {name!r}")
