"""The xarray backend: xr.open_dataset(path, engine="vardane")."""

import os
import threading

import numpy as np
import xarray as xr
from xarray.backends import BackendArray, BackendEntrypoint
from xarray.core import indexing

from . import _vardane
from ._dataset import grid_dataset
from ._swath import swath_positions


def _rows_taken(key, shape, dtype, read):
    """The values of a basic index (an int or slice per axis) into an array
    of `shape`, from read(first, count) of the rows that it takes and no
    more."""
    row_key, rest = key[0], tuple(key[1:])
    taken = np.arange(shape[0])[row_key]
    if np.size(taken) == 0:
        return np.empty((0,) + tuple(shape[1:]), dtype)[(slice(None),) + rest]
    first, last = int(np.min(taken)), int(np.max(taken))
    block = read(first, last - first + 1)
    if np.ndim(taken) == 0:
        local = int(taken) - first
    elif isinstance(row_key, slice) and (row_key.step or 1) == 1:
        local = slice(None)
    else:
        local = taken - first
    return block[(local,) + rest]


class VardaneBackendArray(BackendArray):
    """One variable of a product, read when its values are first asked for.

    Opening describes the parameter (shape, sample type, whether its reader
    reads a part of it) and reads none of its samples. Where the reader
    reads parts (every product family's does today), each access reads the
    rows it takes and no others: every dask chunk reads its own. From a
    reader that reads only whole, the first access reads the parameter and
    keeps it, and every later access in the same process slices the kept
    plane. A copy sent to another
    process (a dask.distributed worker) reads for itself.
    """

    def __init__(self, path, index, shape, dtype, turned=False, by_rows=False):
        self.path = path
        self.index = index
        self.shape = tuple(shape)
        self.dtype = np.dtype(dtype)
        self.turned = turned
        self.by_rows = by_rows
        self._lock = threading.Lock()
        self._samples = None

    def __getstate__(self):
        # A copy sent to another process reads for itself.
        return {"path": self.path, "index": self.index, "shape": self.shape, "dtype": self.dtype,
                "turned": self.turned, "by_rows": self.by_rows}

    def __setstate__(self, state):
        self.__init__(**state)

    def __getitem__(self, key):
        return indexing.explicit_indexing_adapter(key, self.shape, indexing.IndexingSupport.BASIC, self._sliced)

    def _sliced(self, key):
        return self._rows_of(key) if self.by_rows else self._plane()[key]

    def _rows_of(self, key):
        return _rows_taken(key, self.shape, self.dtype, self._read)

    def _checked(self, samples, rows):
        # The description promised what every read must deliver.
        if samples.shape != (rows,) + self.shape[1:] or samples.dtype != self.dtype:
            raise ValueError(
                f"{self.path}: parameter {self.index} read as {samples.dtype}{list(samples.shape)}, "
                f"described as {self.dtype}{[rows] + list(self.shape[1:])}")
        return samples

    def _read(self, first, count):
        return self._checked(_vardane.read_rows(self.path, self.index, first, count, self.turned)["samples"], count)

    def _plane(self):
        with self._lock:
            if self._samples is None:
                samples = _vardane.read_parameter(self.path, self.index, self.turned)["samples"]
                self._samples = self._checked(samples, self.shape[0])
            return self._samples


class _SwathPositions:
    """The (lat, lon) of a set of swath positions, worked out in C++: all of
    them at the first use of every line of either, and kept for both; the
    lines a part (a dask chunk) takes, for that part alone, kept until the
    same part of the other is taken. A copy sent to another process works
    them out for itself."""

    def __init__(self, path, index, shape):
        self.path, self.index, self.shape = path, index, tuple(shape)
        self._lock = threading.Lock()
        self._planes = None
        # (first, count) -> [(lat, lon), the axis not yet taken]
        self._parts = {}

    def __getstate__(self):
        return {"path": self.path, "index": self.index, "shape": self.shape}

    def __setstate__(self, state):
        self.__init__(**state)

    def planes(self):
        with self._lock:
            if self._planes is None:
                self._planes = swath_positions(self.path, self.index, self.shape)
            return self._planes

    def lines(self, first, count, axis):
        """Lines [first, first + count) of the latitudes (axis 0) or the
        longitudes (axis 1)."""
        with self._lock:
            kept = self._planes
            part = self._parts.get((first, count))
            if part is not None and part[1] == axis:
                del self._parts[(first, count)]
                return part[0][axis]
        if kept is not None or count == self.shape[0]:
            return (kept or self.planes())[axis][first:first + count]
        placed = swath_positions(self.path, self.index, self.shape, (first, count))
        with self._lock:
            # Placed at once for the other axis too: that one has its own.
            if self._parts.pop((first, count), None) is None:
                self._parts[(first, count)] = [placed, 1 - axis]
        return placed[axis]


class _PositionArray(BackendArray):
    """Latitudes (axis 0) or longitudes (axis 1) of a set of positions."""

    def __init__(self, positions, axis):
        self.positions = positions
        self.axis = axis
        self.shape = positions.shape
        self.dtype = np.dtype(np.float32)

    def __getitem__(self, key):
        return indexing.explicit_indexing_adapter(key, self.shape, indexing.IndexingSupport.BASIC, self._taken)

    def _taken(self, key):
        return _rows_taken(key, self.shape, self.dtype,
                           lambda first, count: self.positions.lines(first, count, self.axis))


def _lazy_positions(path, index, shape):
    positions = _SwathPositions(path, index, shape)
    return tuple(indexing.LazilyIndexedArray(_PositionArray(positions, axis)) for axis in (0, 1))


def _described(path, variable, turned):
    """A parameter's description and its lazy array; no sample is read."""
    parameter = _vardane.describe_parameter(path, variable["index"])
    array = VardaneBackendArray(path, variable["index"], parameter["shape"], parameter["dtype"], turned,
                                parameter["reads_row_parts"])
    return parameter, indexing.LazilyIndexedArray(array)


def open_lazy_dataset(path, variables=None, settings=None):
    """vardane.open_dataset's Dataset, each variable read at its first use."""
    return grid_dataset(path, variables, settings, _described, _lazy_positions)


class VardaneBackendEntrypoint(BackendEntrypoint):
    """xr.open_dataset(path, engine="vardane", variables=..., settings=...).

    The Dataset of vardane.open_dataset decoded as xarray.decode_cf decodes
    it (mask_and_scale=False keeps the samples as stored), read lazily:
    opening reads no sample, and a variable is read when its values are
    first used: a product's only as far as the rows used where its reader
    reads parts (with chunks=, each dask chunk reads its own rows), another's
    whole, once. A swath's positions are worked out when its coordinates are
    first used: all of them once, for the variables that share them, or the
    lines of each chunk for that chunk.
    """

    description = "Earth-observation satellite products through Vardane's readers"

    def open_dataset(self, filename_or_obj, *, drop_variables=None, variables=None, settings=None,
                     mask_and_scale=True, decode_times=True, concat_characters=True, decode_coords=True,
                     use_cftime=None, decode_timedelta=None):
        ds = open_lazy_dataset(os.fspath(filename_or_obj), variables, settings)
        # A backend decodes what it opens, as xarray.decode_cf would; the
        # decoding stays lazy.
        return xr.decode_cf(ds, concat_characters=concat_characters, mask_and_scale=mask_and_scale,
                            decode_times=decode_times, decode_coords=decode_coords, drop_variables=drop_variables,
                            use_cftime=use_cftime, decode_timedelta=decode_timedelta)

    def guess_can_open(self, filename_or_obj):
        # Only by the product files' extensions: the files themselves are
        # told apart by opening them, which engine="vardane" does.
        try:
            name = os.fspath(filename_or_obj)
        except TypeError:
            return False
        return isinstance(name, str) and name.lower().endswith((".h5", ".he5", ".hdf", ".dat", ".gz"))
