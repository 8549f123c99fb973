"""convert(): the command line's worker pool, driven from Python."""

import os

from . import _vardane
from ._settings import settings_file
from ._where import WORKER


def convert(inputs, output_dir, kinds=("geotiff",), jobs=1, report=None, settings=None):
    """Convert `inputs` (files or folders) into `output_dir`.

    Runs the batch of vardane-cli: up to `jobs` worker processes, the output
    kinds of `kinds` ("geotiff", "kmz", "tiff-text", "netcdf"), and appends
    one JSON line per input to `report` when given, as --report does.
    Returns one dict per input file: input, kind, outputs (path, bytes),
    failures (line, cause, file), seconds, cancelled. The interpreter's
    other threads run while the batch does.
    """
    if isinstance(inputs, (str, os.PathLike)):
        inputs = [inputs]
    inputs = [os.fspath(i) for i in inputs]
    if isinstance(kinds, str):
        kinds = [kinds]
    report = None if report is None else os.fspath(report)
    named = "" if settings is None else settings_file(settings)
    return _vardane.convert(inputs, os.fspath(output_dir), list(kinds), int(jobs), report, named, WORKER)
