"""open_dataset(): a product as an xarray.Dataset."""

import os

import numpy as np
import xarray as xr

from . import _vardane
from ._identify import identify
from ._swath import open_polar, open_swath, swath_positions


def _chosen(info, variables):
    """The variables to read: the selected ones, or those named (by name or key)."""
    held = [v for v in info["variables"] if 0 <= v["index"] < info["parameters"]]
    if variables is None:
        return [v for v in held if v["selected"]]
    if isinstance(variables, str):
        variables = [variables]
    chosen = []
    for wanted in variables:
        match = [v for v in held if wanted in (v["name"], v["key"])]
        if not match:
            names = ", ".join(v["name"] for v in held)
            raise ValueError(f"{info['path']}: no variable {wanted} (it has {names})")
        chosen.append(match[0])
    return chosen


def _centres(first_edge, last_edge, count):
    """Cell centres of `count` cells between two outer edges."""
    step = (last_edge - first_edge) / count
    return first_edge + (np.arange(count) + 0.5) * step


def _attributes(variable, parameter, samples):
    """CF attributes that let xarray decode the stored samples."""
    attrs = {"long_name": variable["key"]}
    if parameter.get("units"):
        attrs["units"] = parameter["units"]
    integer = np.issubdtype(samples.dtype, np.integer)
    colour = len(samples.shape) == 3
    # Float samples are final values, a colour image's bytes are colours;
    # other integer samples are counts to scale.
    if integer and not colour and parameter["scale"] not in (0.0, 1.0):
        attrs["scale_factor"] = parameter["scale"]
        if parameter["offset"] != 0.0:
            attrs["add_offset"] = parameter["offset"]
    fills = [f for f in parameter["fill_values"]
             if not integer or np.iinfo(samples.dtype).min <= f <= np.iinfo(samples.dtype).max]
    if fills:
        attrs["_FillValue"] = samples.dtype.type(fills[0])
        if len(fills) > 1:
            attrs["missing_value"] = np.array(fills, dtype=samples.dtype)
    return attrs


def _add_grid_mapping(ds):
    """The CF grid mapping of the latitude/longitude GeoTIFFs, as a scalar
    `spatial_ref` that GDAL and rioxarray read, named by every variable."""
    wkt = _vardane.wgs84_wkt()
    lat, lon = ds.lat.values, ds.lon.values
    # Outer edges from the centres: GDAL's GeoTransform of the same grid.
    dx = (lon[-1] - lon[0]) / (len(lon) - 1) if len(lon) > 1 else 0.0
    dy = (lat[-1] - lat[0]) / (len(lat) - 1) if len(lat) > 1 else 0.0
    transform = [lon[0] - dx / 2, dx, 0.0, lat[0] - dy / 2, 0.0, dy]
    ds.coords["spatial_ref"] = xr.Variable((), np.int32(0), {
        "grid_mapping_name": "latitude_longitude",
        "crs_wkt": wkt,
        "spatial_ref": wkt,
        "GeoTransform": " ".join(repr(float(v)) for v in transform),
    })
    for variable in ds.data_vars.values():
        variable.attrs["grid_mapping"] = "spatial_ref"


def _grid_coordinates(parameter, shape, turned):
    """1-D lat/lon cell centres of a latitude/longitude grid of `shape`."""
    # The corners are the grid's outer edges: upper-left, upper-right,
    # lower-left, lower-right.
    (top, left), _, _, (bottom, right) = parameter["corners"]
    if turned:
        left, right = left - 180.0, right - 180.0
    height, width = shape
    return {"lat": _centres(top, bottom, height), "lon": _centres(left, right, width)}


def _read(path, variable, turned):
    """A parameter read whole: its description and its samples, in the
    GeoTIFF's column order when `turned` (a global grid stored from 0
    degrees: column c holds stored column c + ceil(width / 2))."""
    parameter = _vardane.read_parameter(path, variable["index"], turned)
    return parameter, parameter["samples"]


def grid_dataset(path, variables, settings, parameter_of, positions_of=swath_positions):
    """The Dataset of the chosen variables of `path`, each on its grid;
    parameter_of(path, variable, turned) gives what describes the
    variable's parameter and its samples, an array or one read later
    (anything with a shape and a dtype that xarray wraps), in the GeoTIFF's
    column order when `turned`; positions_of(path, index, shape) the
    (lat, lon) of a swath parameter's samples, likewise."""
    path = os.fspath(path)
    info = identify(path, settings)
    info["path"] = path
    chosen = _chosen(info, variables)
    data = {}
    coords = None
    # Where the GeoTIFF turns a grid stored from 0 degrees, so does the Dataset.
    turned = bool(chosen) and _vardane.geotiff_starts_at_180_west(path)
    for variable in chosen:
        parameter, samples = parameter_of(path, variable, turned)
        if parameter["swath"]:
            return open_swath(path, info, chosen, _attributes, parameter_of, positions_of,
                              (variable, parameter, samples))
        if parameter["polar"]:
            return open_polar(path, info, chosen, _attributes, parameter_of, (variable, parameter, samples))
        here = _grid_coordinates(parameter, samples.shape[:2], turned)
        if coords is None:
            coords = here
        elif any(len(coords[k]) != len(here[k]) or not np.allclose(coords[k], here[k]) for k in here):
            raise NotImplementedError(f"{path}: variables on different grids cannot share a Dataset yet")
        # The encoding attributes go where xarray's decoder looks for them.
        # A colour image's samples are its three bands.
        dims = ("lat", "lon", "band")[:len(samples.shape)]
        data[variable["name"]] = xr.Variable(dims, samples, _attributes(variable, parameter, samples))
    ds = xr.Dataset(data, coords={
        "lat": ("lat", coords["lat"] if coords else np.empty(0), {"units": "degrees_north", "standard_name": "latitude"}),
        "lon": ("lon", coords["lon"] if coords else np.empty(0), {"units": "degrees_east", "standard_name": "longitude"}),
    })
    if coords is not None:
        _add_grid_mapping(ds)
    ds.attrs.update({"product_kind": info["kind"], "product_label": info["label"], "source": path})
    return ds


def open_dataset(path, variables=None, settings=None):
    """Open a product as an xarray.Dataset.

    Each variable (those the settings select, see identify, or those of
    `variables` by name or option key) holds its samples as stored, with CF
    attributes (scale_factor, add_offset, _FillValue) so that xarray decodes
    them. Grids come on 1-D lat/lon coordinates of the cell centres, in the
    GeoTIFF's column order (a global grid stored from 0 degrees starts at
    -180); swath products on 2-D lat/lon coordinates, polar-stereographic
    grids on x/y in metres with their projection (see _swath). A file that
    is no product raises ValueError naming the file and the cause.
    Every variable is read here; xr.open_dataset(path, engine="vardane")
    opens the same Dataset and reads a grid's variable when it is first used.
    """
    return grid_dataset(path, variables, settings, _read)
