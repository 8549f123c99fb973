"""identify(): what the batch sees in a file before it converts it."""

import os

from . import _vardane
from ._settings import settings_file


def identify(path, settings=None):
    """The product kind, label and variables of a product file.

    Returns a dict: kind (as the report names it, "AMSR2_L1B"), label (the
    product name of the log's "It is ... Product." line, "GCOM-W/L1B"), line
    (that line), product_name (the name the file gives itself), parameters
    (how many the file holds) and variables: one dict per option
    of the kind (key, name, index, selected: whether a run with the
    settings file `settings` converts it; for a variable the file holds,
    units, its CF units or "" when the file states none, and scale_factor;
    None for the others). A file that is no product, or a damaged one,
    raises ValueError naming the file and the cause.
    """
    return _vardane.identify(os.fspath(path), settings_file(settings))


def read_parameter(path, index):
    """Parameter `index` of a product file read whole, as the batch reads it:
    a dict of its samples (a numpy array as stored) and what describes them
    (scale, offset, units, fill_values, corners, swath, polar). A file that is no
    product, or a read that fails, raises ValueError naming the file and
    the cause."""
    return _vardane.read_parameter(os.fspath(path), index)
