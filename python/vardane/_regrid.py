"""regrid(): a swath variable on a latitude/longitude grid, as the swath GeoTIFFs."""

import dataclasses
import math
import os

import numpy as np
import xarray as xr

from . import _vardane
from ._dataset import _add_grid_mapping, _chosen
from ._identify import identify


@dataclasses.dataclass(frozen=True)
class Grid:
    """A latitude/longitude grid: outer edges in degrees and the cell size
    in degrees, which must divide both spans into whole cells."""

    west: float
    south: float
    east: float
    north: float
    resolution: float

    def shape(self):
        """(height, width) in cells."""
        return self._cells(self.north - self.south, "north - south"), self._cells(self.east - self.west, "east - west")

    def _cells(self, span, what):
        return _whole_cells(span, self.resolution, f"grid: {what} = {span} degrees")


def _whole_cells(span, resolution, what):
    cells = round(span / resolution)
    if cells < 0 or not math.isclose(cells * resolution, span, rel_tol=1e-9, abs_tol=1e-9):
        raise ValueError(f"{what} is no whole number of {resolution}-degree cells")
    return cells


@dataclasses.dataclass(frozen=True)
class _Window:
    """The whole-degree window the projector draws (west, south, east,
    north, width, height) and the asked grid's cells in it: `left`, `top`
    cells in from its west and north edges, `width` x `height` of them."""

    drawn: tuple
    left: int
    top: int
    width: int
    height: int


def _as_grid(grid):
    if isinstance(grid, Grid):
        chosen = grid
    elif isinstance(grid, dict):
        try:
            chosen = Grid(**grid)
        except TypeError as error:
            raise ValueError(f"grid: {error}; it takes west, south, east, north and resolution") from None
    else:
        raise TypeError("grid: a vardane.Grid or a dict of west, south, east, north and resolution")
    west, south, east, north = (float(b) for b in (chosen.west, chosen.south, chosen.east, chosen.north))
    # The projector draws a cell across the 180th meridian on both sides of
    # it, within -180..180: a box beyond would miss the cells west of it.
    if not (-180 <= west < east <= 180 and -90 <= south < north <= 90):
        raise ValueError(f"grid: no extent from {west:g},{south:g} to {east:g},{north:g}")
    height, width = chosen.shape()
    # The projector's windows have whole-degree edges: a grid whose edges are
    # not is cut from the whole-degree window around it, whose cells lie on
    # the same lattice, so that each cell is drawn where it would be alone.
    outer = (math.floor(west), math.floor(south), math.ceil(east), math.ceil(north))
    what = "grid: the edges' distance to the whole degrees around them"
    left = _whole_cells(west - outer[0], chosen.resolution, what)
    bottom = _whole_cells(south - outer[1], chosen.resolution, what)
    right = _whole_cells(outer[2] - east, chosen.resolution, what)
    top = _whole_cells(outer[3] - north, chosen.resolution, what)
    drawn = outer + (left + width + right, top + height + bottom)
    return _Window(drawn, left, top, width, height), (west, south, east, north)


def _centres(first_edge, last_edge, count):
    step = (last_edge - first_edge) / count
    return first_edge + (np.arange(count) + 0.5) * step


def _stored(ds, name, path, index):
    """A Dataset variable's values as the file stores them: as they are when
    they have the stored type, else (decoded by xarray, or computed)
    physical values encoded as the file's counts, NaN as no value."""
    values = np.asarray(ds[name].values)
    parameter = _vardane.describe_parameter(path, index)
    stored = np.dtype(parameter["dtype"])
    if values.dtype == stored or stored.kind == "f":
        return values.astype(stored, copy=False)
    counts = values.astype(np.float64)
    # The counts the open Dataset's scale_factor and add_offset decode.
    if parameter["scale"] not in (0.0, 1.0):
        counts = (counts - parameter["offset"]) / parameter["scale"]
    missing = np.isnan(counts)
    counts = np.rint(np.where(missing, 0.0, counts))
    limits = np.iinfo(stored)
    if counts.size and (counts.min() < limits.min or counts.max() > limits.max):
        raise ValueError(f"{path}: values of {name} lie beyond the {stored} counts the file stores")
    out = counts.astype(stored)
    # The regridding skips one code; the file's other no-value codes are
    # samples to it, as to the GeoTIFF writer.
    out[missing] = _vardane.regrid_no_value(stored)
    return out


def _source_of(dataset):
    """The product file a Dataset of open_dataset was read from."""
    path = dataset.attrs.get("source")
    if not isinstance(path, str):
        raise ValueError("path_or_dataset: the Dataset names no source file; open it with vardane.open_dataset "
                         "or engine=\"vardane\"")
    return path


def regrid(path_or_dataset, variable, grid=None, window=None, settings=None):
    """Regrid variables of a swath product onto a latitude/longitude grid.

    The work is the command line's swath GeoTIFF writer's (the same
    positions, co-registration, blending of measurements or nearest corner
    for codes, and pixel placement), done in memory in C++ while other
    Python threads run.

    path_or_dataset -- a product file, or a Dataset of one opened by
                vardane.open_dataset or engine="vardane", decoded or not:
                its variables' values are regridded as they are now, on the
                positions of the file it names in attrs["source"] (changed
                values included; NaN is no value).

    variable -- a variable of the product, by name or option key (see
                identify): the result is an xarray.DataArray. A list of
                them gives an xarray.Dataset, the geolocation read once,
                the co-registered positions worked out once per band and
                the variables drawn by as many threads as there are cores.
    grid     -- None: the window the command line writes for the product
                (the global 0.1-degree grid for the radiometers; a product
                whose output has several windows, the SGLI polarisation
                quarters or a scene across the date line, needs `window`,
                its file-name suffix such as "_N1"). Else a vardane.Grid or
                a dict(west=, south=, east=, north=, resolution=) within
                -180..180 and -90..90, whose edges lie a whole number of
                cells from the whole degrees around them (140.25 at 0.25
                degrees, not 140.05 at 0.1).

    Each variable holds the stored counts on 1-D lat/lon cell centres
    (north first), with scale_factor/add_offset for counts, _FillValue the
    GeoTIFF's NoData (the cells no swath pixel reached) and a CF grid
    mapping `spatial_ref`. A file that is no swath product raises
    ValueError naming the file and the cause.
    """
    dataset = path_or_dataset if isinstance(path_or_dataset, xr.Dataset) else None
    path = _source_of(dataset) if dataset is not None else os.fspath(path_or_dataset)
    info = identify(path, settings)
    info["path"] = path
    single = isinstance(variable, str)
    if not single and not (isinstance(variable, (list, tuple)) and variable
                           and all(isinstance(v, str) for v in variable)):
        raise TypeError("variable: the name or option key of a variable, or a list of them")
    chosen = _chosen(info, [variable] if single else list(variable))
    asked, edges = (None, None) if grid is None else _as_grid(grid)
    if asked is not None and window is not None:
        raise ValueError("regrid: either a grid or a window, not both")
    samples = None
    if dataset is not None:
        missing = [v["name"] for v in chosen if v["name"] not in dataset.data_vars]
        if missing:
            raise ValueError(f"{path}: the Dataset holds no variable {', '.join(missing)}")
        samples = [_stored(dataset, v["name"], path, v["index"]) for v in chosen]
    done = _vardane.regrid(path, [v["index"] for v in chosen], None if asked is None else asked.drawn,
                           "" if window is None else window, samples)
    if "layers" not in done:
        names = ", ".join(repr(suffix) for suffix, _ in done["windows"]) or "none"
        if window is None:
            raise ValueError(f"{path}: the product has several windows ({names}): choose one with window=")
        raise ValueError(f"{path}: no window {window!r} (it has {names})")

    west, south, east, north, width, height = done["bounds"]
    if asked is not None:
        west, south, east, north = edges
        width, height = asked.width, asked.height
    data = {}
    for v, layer in zip(chosen, done["layers"]):
        samples = layer["samples"]
        if asked is not None:
            cut = samples[asked.top:asked.top + height, asked.left:asked.left + width]
            # A part is copied out, so that the window around it goes.
            samples = cut if cut.shape == samples.shape else cut.copy()
        attrs = {"long_name": v["key"]}
        if not layer["codes"] and layer["scale"] not in (0.0, 1.0):
            attrs["scale_factor"] = layer["scale"]
            if layer["offset"] != 0.0:
                attrs["add_offset"] = layer["offset"]
        attrs["_FillValue"] = samples.dtype.type(layer["nodata"])
        data[v["name"]] = xr.Variable(("lat", "lon"), samples, attrs)
    ds = xr.Dataset(data, coords={
        "lat": ("lat", _centres(north, south, height), {"units": "degrees_north", "standard_name": "latitude"}),
        "lon": ("lon", _centres(west, east, width), {"units": "degrees_east", "standard_name": "longitude"}),
    })
    _add_grid_mapping(ds)
    about = {"product_kind": info["kind"], "source": path, "window": done["suffix"]}
    if not single:
        ds.attrs.update(about)
        return ds
    result = ds[chosen[0]["name"]]
    result.attrs.update(about)
    return result
