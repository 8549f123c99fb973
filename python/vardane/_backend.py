"""The xarray backend: xr.open_dataset(path, engine="vardane")."""

import os
import threading

import numpy as np
import xarray as xr
from xarray.backends import BackendArray, BackendEntrypoint
from xarray.core import indexing

from . import _vardane
from ._dataset import grid_dataset, turned_columns
from ._swath import swath_positions


class VardaneBackendArray(BackendArray):
    """One variable of a product, read when its values are first asked for.

    Opening describes the parameter (shape, sample type) and reads none of
    its samples. The readers deliver a parameter whole, never a part of
    one: the first access reads the whole parameter, keeps it, and this and
    every later access (every dask chunk of it, in the same process) slices
    the kept plane. Other variables of the file are not read. A copy sent
    to another process (a dask.distributed worker) reads for itself.
    """

    def __init__(self, path, index, shape, dtype, turned=False):
        self.path = path
        self.index = index
        self.shape = tuple(shape)
        self.dtype = np.dtype(dtype)
        self.turned = turned
        self._lock = threading.Lock()
        self._samples = None

    def __getstate__(self):
        # A copy sent to another process reads for itself.
        return {"path": self.path, "index": self.index, "shape": self.shape, "dtype": self.dtype,
                "turned": self.turned}

    def __setstate__(self, state):
        self.__init__(**state)

    def __getitem__(self, key):
        return indexing.explicit_indexing_adapter(key, self.shape, indexing.IndexingSupport.BASIC, self._sliced)

    def _sliced(self, key):
        return self._plane()[key]

    def _plane(self):
        with self._lock:
            if self._samples is None:
                samples = _vardane.read_parameter(self.path, self.index)["samples"]
                # The description promised what the read must deliver.
                if samples.shape != self.shape or samples.dtype != self.dtype:
                    raise ValueError(
                        f"{self.path}: parameter {self.index} read as {samples.dtype}{list(samples.shape)}, "
                        f"described as {self.dtype}{list(self.shape)}")
                self._samples = turned_columns(samples) if self.turned else samples
            return self._samples


class _SwathPositions:
    """The (lat, lon) of a set of swath positions, worked out in C++ at the
    first use of either and kept for both. A copy sent to another process
    works them out for itself."""

    def __init__(self, path, index, shape):
        self.path, self.index, self.shape = path, index, tuple(shape)
        self._lock = threading.Lock()
        self._planes = None

    def __getstate__(self):
        return {"path": self.path, "index": self.index, "shape": self.shape}

    def __setstate__(self, state):
        self.__init__(**state)

    def planes(self):
        with self._lock:
            if self._planes is None:
                self._planes = swath_positions(self.path, self.index, self.shape)
            return self._planes


class _PositionArray(BackendArray):
    """Latitudes (axis 0) or longitudes (axis 1) of a set of positions."""

    def __init__(self, positions, axis):
        self.positions = positions
        self.axis = axis
        self.shape = positions.shape
        self.dtype = np.dtype(np.float32)

    def __getitem__(self, key):
        return indexing.explicit_indexing_adapter(key, self.shape, indexing.IndexingSupport.BASIC,
                                                  lambda k: self.positions.planes()[self.axis][k])


def _lazy_positions(path, index, shape):
    positions = _SwathPositions(path, index, shape)
    return tuple(indexing.LazilyIndexedArray(_PositionArray(positions, axis)) for axis in (0, 1))


def _described(path, variable, turned):
    """A parameter's description and its lazy array; no sample is read."""
    parameter = _vardane.describe_parameter(path, variable["index"])
    array = VardaneBackendArray(path, variable["index"], parameter["shape"], parameter["dtype"], turned)
    return parameter, indexing.LazilyIndexedArray(array)


def open_lazy_dataset(path, variables=None, settings=None):
    """vardane.open_dataset's Dataset, each variable read at its first use."""
    return grid_dataset(path, variables, settings, _described, _lazy_positions)


class VardaneBackendEntrypoint(BackendEntrypoint):
    """xr.open_dataset(path, engine="vardane", variables=..., settings=...).

    The Dataset of vardane.open_dataset decoded as xarray.decode_cf decodes
    it (mask_and_scale=False keeps the samples as stored), read lazily:
    opening reads no sample, and a variable is read, whole, when its values
    are first used; with chunks= its dask chunks slice that one read. A
    swath's positions are worked out when its coordinates are first used,
    once for the variables that share them. Polar grids are read when
    opened.
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
