"""Vardane's product readers and batch converter, from Python.

identify(path)         -- the product kind, label and variables of a file
convert(inputs, ...)   -- the command line's batch, one result per input
open_dataset(path)     -- a gridded product as an xarray.Dataset
regrid(path, variable) -- a swath variable regridded as the swath GeoTIFFs
"""

from ._vardane import read_parameter
from ._identify import identify
from ._convert import convert
from ._dataset import open_dataset
from ._regrid import regrid, Grid

__all__ = ["identify", "convert", "open_dataset", "read_parameter"]
__all__ += ["regrid", "Grid"]
