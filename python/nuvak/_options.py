"""Keyword arguments as the option words of nuvak-cli, which the core reads."""

import numbers


def option_value(value):
    """A keyword's value as the CLI would be given it."""
    if isinstance(value, str):
        return value
    if isinstance(value, bool):
        return "yes" if value else "no"
    if isinstance(value, numbers.Integral):
        return str(int(value))
    if isinstance(value, numbers.Real):
        return repr(float(value))
    if isinstance(value, (tuple, list)):
        return ",".join(option_value(v) for v in value)
    raise TypeError(f"{value!r} is not a number, a text or a tuple of numbers")


def options(name, flags, kwargs, answer="yes", aoi=None):
    """The (option, value) pairs of one step: the operation, its parameters
    in snake case (a flag given as True or False), the AOI and the answer."""
    pairs = [("op", name), ("answer", option_value(answer))]
    if aoi is not None:
        pairs.append(("aoi", option_value(aoi)))
    for key, value in kwargs.items():
        option = key.replace("_", "-")
        if option in flags:
            if value:
                pairs.append((option, ""))
            continue
        pairs.append((option, option_value(value)))
    return pairs


def file_options(range=None, pixel_size=None, unit=None, quality=None, answer=None):
    """The (option, value) pairs of the keywords given of how images are read
    and written, which the core checks as it checks the CLI's."""
    given = (("range", range), ("pixel-size", pixel_size), ("unit", unit), ("quality", quality),
             ("answer", answer))
    return [(option, option_value(value)) for option, value in given if value is not None]
