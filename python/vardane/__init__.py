"""Vardane's product readers and batch converter, from Python.

identify(path)         -- the product kind, label and variables of a file
read_parameter(path, i) -- one parameter's samples as stored, read whole
convert(inputs, ...)   -- the command line's batch, one result per input
open_dataset(path)     -- a product (grid or swath) as an xarray.Dataset
regrid(path, variable) -- a swath variable regridded as the swath GeoTIFFs
dask_convert(client, inputs, ...) -- convert() on a dask.distributed cluster

xr.open_dataset(path, engine="vardane") opens the Dataset lazily.
"""

from ._identify import identify, read_parameter
from ._convert import convert
from ._dataset import open_dataset
from ._dask import dask_convert
from ._regrid import regrid, Grid

__all__ = ["identify", "convert", "open_dataset", "regrid", "Grid", "dask_convert", "read_parameter"]
