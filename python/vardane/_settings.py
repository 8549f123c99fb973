"""Which settings file a call converts or selects with."""

import os

from . import _vardane
from ._where import WORKER


def settings_file(settings):
    """The file named (as vardane-cli --settings names one), else the one the
    batch's workers read when none is named; a missing file means the
    built-in settings."""
    if settings is not None:
        path = os.fspath(settings)
        if not os.path.isfile(path):
            raise ValueError(f"{path}: no settings file")
        return path
    return _vardane.default_settings(WORKER)
