"""One function for each row of the core's operation table, and apply/calc."""

import inspect
import os
import re
import types

from . import _core
from ._arrays import samples
from ._options import file_options, options


class Result(types.SimpleNamespace):
    """An operation's image and the extra images it makes, by name:
    Extract RGB's red, green and blue, Comb's even and odd."""


# name -> (description, parameter rows) of every operation.
OPERATIONS = {name: (description, params) for name, description, params in _core.operations()}


def function_name(name):
    """"Low Pass Filter" -> "low_pass_filter"."""
    return re.sub(r"[^0-9a-z]+", "_", name.lower()).strip("_")


def _flags(name):
    """The operation's flags; none for a name the core refuses."""
    return {option for option, hint, *_ in OPERATIONS.get(name, ("", ()))[1] if not hint}


def _extra_name(key):
    """"_red.bmp" -> "red"; an extra named by a path, by its file's stem."""
    return os.path.splitext(os.path.basename(key))[0].lstrip("_")


def _result(image, extras):
    if not extras:
        return image
    return Result(image=image, **{_extra_name(key): array for key, array in extras})


def apply(img, operation, *, aoi=None, answer="yes", range=None, pixel_size=None, unit=None, **params):
    """Runs one operation of the table as `nuvak-cli apply --op OPERATION`
    does and returns a new array (or a Result when it makes extra images).

    aoi=(left, top, right, bottom) inclusive; answer="yes"|"no" answers its
    questions; range= reads uint16 arrays as --range does; pixel_size and
    unit calibrate the image. Parameters are the CLI's options in snake case.
    """
    pairs = options(operation, _flags(operation), params, answer, aoi)
    image, extras = _core.apply(samples(img), pairs + file_options(range, pixel_size, unit))
    return _result(image, extras)


def calc(operation, a, b, *, range=None):
    """The calculation of two images of one size and format, as
    `nuvak-cli calc --op OPERATION`: "Add", "Subtract", "Absolute
    Difference", "Multiply" or "Divide"."""
    return _core.calc(samples(a), samples(b), [("op", operation)] + file_options(range))


def _signature_text(params):
    lines = []
    for option, hint, default, text, limits, required in params:
        keyword = option.replace("-", "_")
        kind = "True or False" if not hint else hint
        shown = "required" if required else (f"default {default}" if default else "default none")
        limit = f", {limits[0]:g}..{limits[1]:g}" if limits else ""
        lines.append(f"    {keyword}: {kind}; {text}{limit} ({shown})")
    return "\n".join(lines)


def _default(text, hint):
    """A parameter's default as the value a keyword would give: a flag's
    False, None for a file left out, a number or a tuple of numbers, or the
    text."""
    if not hint:
        return False
    if not text:
        return None
    if "," in text:
        return tuple(_default(part, hint) for part in text.split(","))
    for kind in (int, float):
        try:
            return kind(text)
        except ValueError:
            pass
    return text


def _signature(params):
    keyword = inspect.Parameter.KEYWORD_ONLY
    return inspect.Signature(
        [inspect.Parameter("img", inspect.Parameter.POSITIONAL_OR_KEYWORD)]
        + [inspect.Parameter(option.replace("-", "_"), keyword, default=_default(default, hint))
           for option, hint, default, *_ in params]
        + [inspect.Parameter(k, keyword, default=v) for k, v in (("aoi", None), ("answer", "yes"), ("range", None))])


def _make(name, description, params):
    def operation(img, *, aoi=None, answer="yes", range=None, **kwargs):
        return apply(img, name, aoi=aoi, answer=answer, range=range, **kwargs)

    operation.__name__ = operation.__qualname__ = function_name(name)
    operation.__signature__ = _signature(params)
    operation.__doc__ = (f'"{name}": {description}.\n\n'
                         f"Keywords (aoi=, answer=, range= as for nuvak.apply):\n"
                         f"{_signature_text(params) or '    none'}\n")
    return operation


def generated():
    """Every operation's function by its name."""
    return {function_name(name): _make(name, description, params)
            for name, (description, params) in OPERATIONS.items()}
