"""convert(): the command line's worker pool, driven from Python."""

import os

from . import _vardane
from ._settings import settings_file
from ._where import WORKER

_KINDS = ("geotiff", "kmz", "tiff-text", "netcdf")

# The keywords convert() takes beyond its own, each the command-line switch
# it stands for: a value is the switch's argument; True and False are the
# switch and its negation where the command line has one.
_SWITCHES = {
    "geotiff_profile": "--geotiff-profile",
    "nodata": "--nodata",
    "polar_grid": "--polar-grid",
    "file_timeout": "--file-timeout",
    "max_memory": "--max-memory",
}
_NEGATED = {"nodata": "--no-nodata"}


def _switches(options):
    args = []
    for name, value in options.items():
        if name not in _SWITCHES:
            known = ", ".join(sorted(_SWITCHES))
            raise TypeError(f"convert() got an unexpected keyword argument {name!r} (it takes {known})")
        if name in _NEGATED:
            if not isinstance(value, bool):
                raise TypeError(f"{name}: True or False")
            args.append(_SWITCHES[name] if value else _NEGATED[name])
        elif value is not None:
            args += [_SWITCHES[name], str(value)]
    return args


def convert(inputs, output_dir, kinds=("geotiff",), jobs=1, report=None, settings=None, cancel=None, **options):
    """Convert `inputs` (files or folders) into `output_dir`.

    Runs the batch of vardane-cli: up to `jobs` worker processes, the output
    kinds of `kinds` ("geotiff", "kmz", "tiff-text", "netcdf"), and appends
    one JSON line per input to `report` when given, as --report does.
    Keywords set what the command line's switches set:
    geotiff_profile ("plain", "compressed", "cog"), nodata (True/False),
    polar_grid ("quick-look", "native", "nsidc-25km", "nsidc-12.5km",
    "ease2-25km"), file_timeout (seconds, 0 for none), max_memory (bytes or
    a text such as "2G", 0 for none).
    Returns one dict per input file: input, kind, outputs (path, bytes),
    failures (line, cause, file), seconds, cancelled. The interpreter's
    other threads run while the batch does.

    The batch is cancelled, as the command line's is on a signal (each
    worker ends its file at its next cancel check and the file's outputs
    are discarded; the files not begun are not converted), by Ctrl-C, whose
    KeyboardInterrupt is raised once the workers are gone, or when `cancel`
    (a threading.Event, or anything with is_set()) is set: the call then
    returns the results of the files that ended.
    """
    if cancel is not None and not callable(getattr(cancel, "is_set", None)):
        raise TypeError("cancel: a threading.Event, or anything with is_set()")
    if isinstance(inputs, (str, os.PathLike)):
        inputs = [inputs]
    if isinstance(kinds, str):
        kinds = [kinds]
    if not kinds:
        raise ValueError("kinds: at least one of " + ", ".join(_KINDS))
    for kind in kinds:
        if kind not in _KINDS:
            raise ValueError(f"kinds: unknown output kind {kind} (one of {', '.join(_KINDS)})")
    if int(jobs) < 1:
        raise ValueError("jobs: at least 1")
    args = ["-o", os.fspath(output_dir), "-j", str(int(jobs))]
    if settings is not None:
        args += ["--settings", settings_file(settings)]
    args += [f"--{kind}" for kind in kinds] + _switches(options)
    # Everything after -- is an input, whatever its name.
    args += ["--"] + [os.fspath(i) for i in inputs]
    report = None if report is None else os.fspath(report)
    return _vardane.convert(args, report, WORKER, cancel)
