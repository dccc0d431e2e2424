"""The nuvak-cli the module is compared with, and the random images both get."""

import os
import re
import subprocess

import numpy as np
import pytest

import nuvak


class Cli:
    def __init__(self, folder):
        self.folder = folder

    def __call__(self, *args):
        """(exit status, stderr) of nuvak-cli with these arguments."""
        done = subprocess.run([os.environ["NUVAK_CLI"], *map(str, args)], capture_output=True, text=True)
        return done.returncode, done.stderr

    @staticmethod
    def said(err):
        """The CLI's errors without its prefixes, the questions it answered and
        its pointer to --help: the text of the exception Python raises, and a
        line end."""
        err = re.sub(r"question: .*? -> (yes|no)\n", "", err, flags=re.S).replace(
            "Try 'nuvak-cli --help' for more information.\n", "")
        return re.sub(r"^(error|nuvak-cli): ", "", err, flags=re.M)

    def image(self, name, array):
        """The array written as a PNG, for the CLI to read."""
        path = self.folder / name
        nuvak.imwrite(path, array)
        return path


@pytest.fixture
def cli(tmp_path):
    return Cli(tmp_path)


@pytest.fixture(scope="session")
def images():
    """Random grey and colour images whose sides are powers of two (for FFT)."""
    rng = np.random.default_rng(33)
    return {"grey": rng.integers(0, 256, (32, 64), dtype=np.uint8),
            "colour": rng.integers(0, 256, (32, 64, 3), dtype=np.uint8)}
