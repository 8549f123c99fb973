"""Swath products and polar-stereographic grids as xarray Datasets, and the
turn of global grids stored from 0 degrees: where open_dataset's samples lie
is where the GeoTIFF writers put them.

Swath samples keep their stored lines and pixels; their positions are those
the GeoTIFF swath writer uses, worked out in C++ (co-registration of the
low-frequency channels, the 89 GHz A and B horns' own arrays, SGLI tie-point
interpolation, tile geometry). Variables sharing one set of positions share
its dimensions and coordinates; with several sets in one Dataset each has its
own, named by a suffix (see _suffixes).
"""

from collections import Counter

import numpy as np
import xarray as xr

from . import _vardane


def _described(path, chosen, parameter_of, first):
    """(variable, parameter, samples) of every chosen variable, by
    parameter_of; `first` is the triple of one already asked for."""
    return [first if variable["index"] == first[0]["index"] else (variable, *parameter_of(path, variable, False))
            for variable in chosen]


# Suffixes of the position sets named after where their positions come from.
_SOURCE_SUFFIXES = {"89A": "89a", "89B": "89b", "89A doubled": "low"}
_COREGISTERED = "co-registered "


def _suffixes(groups):
    """Suffix of each position set's dimensions and coordinates, from its
    set name and shape: none when the Dataset has one set; else the
    co-registration band ("6g" ... "36g"), the 89 GHz horn ("89a", "89b"),
    "low" (L1R channels on every second 89 GHz A position), and for sets of
    other sources none for the largest, "half"/"quarter" for those with half
    or a quarter of its lines and pixels (the SGLI IRS bands stored at
    1 km), else LINESxPIXELS."""
    if len(groups) == 1:
        return [""]
    names = [name[len(_COREGISTERED):].lower() if name.startswith(_COREGISTERED) else _SOURCE_SUFFIXES.get(name)
             for name, _ in groups]
    others = [i for i, name in enumerate(names) if name is None]
    if others:
        largest = max(others, key=lambda i: groups[i][1][0] * groups[i][1][1])
        rows, columns = groups[largest][1]
        for i in others:
            r, c = groups[i][1]
            if i == largest:
                names[i] = ""
            elif (r * 2, c * 2) == (rows, columns):
                names[i] = "half"
            elif (r * 4, c * 4) == (rows, columns):
                names[i] = "quarter"
            else:
                names[i] = f"{r}x{c}"
    seen = set()
    for i, name in enumerate(names):
        if name in seen:
            names[i] = f"{name}_{i}" if name else str(i)
        seen.add(names[i])
    return names


def swath_positions(path, index, shape, lines=None):
    """(lat, lon) of the samples of parameter `index` of `shape`, as the
    GeoTIFF swath writer places them: of every line, or of lines = (first,
    count) alone."""
    placed = _vardane.swath_positions(path, [(index, *shape)], lines)["variables"][0]
    return placed["lat"], placed["lon"]


def _coordinate(name, values, dims, axis):
    what = "latitude" if axis == "lat" else "longitude"
    return xr.Variable(dims, values, {
        "standard_name": what,
        "long_name": f"{what} of the samples, as the GeoTIFF swath writer places them",
        "units": "degrees_north" if axis == "lat" else "degrees_east",
    })


def open_swath(path, info, chosen, attributes, parameter_of, positions_of, first):
    """A swath product's variables as stored, on 2-D lat/lon coordinates.

    parameter_of(path, variable, turned) gives a variable's description and
    its samples (an array, or one read later); positions_of(path, index,
    shape) the (lat, lon) of a parameter's samples (arrays, or ones worked
    out later); `first` is (variable, parameter, samples) already asked
    for. Variables of one set of positions and one shape share their
    coordinates, asked for once. Dimensions are scan (AMSR) or line (SGLI)
    and pixel; a position set with a suffix S has lat_S, lon_S on dimensions
    pixel_S and, when its lines are not the Dataset's usual count, scan_S or
    line_S.
    """
    described = _described(path, chosen, parameter_of, first)
    sets = _vardane.position_sets(path, [v["index"] for v in chosen])
    groups = []
    member = []
    for (variable, _, samples), name in zip(described, sets):
        key = (name, tuple(samples.shape))
        if not name or key not in groups:
            groups.append(key)
        member.append(len(groups) - 1 if not name else groups.index(key))
    suffixes = _suffixes(groups)
    # The line count of most variables (the larger on a tie) keeps the
    # plain line dimension.
    rows = Counter(groups[g][1][0] for g in member)
    usual_rows = max(rows, key=lambda r: (rows[r], r)) if rows else 0
    line = "line" if info["kind"].startswith("SGLI") else "scan"
    coords = {}
    dims = []
    for g, ((_, shape), suffix) in enumerate(zip(groups, suffixes)):
        tail = f"_{suffix}" if suffix else ""
        here = (line if shape[0] == usual_rows else f"{line}{tail}", f"pixel{tail}")
        dims.append(here)
        first = described[member.index(g)][0]
        lat, lon = positions_of(path, first["index"], shape)
        coords[f"lat{tail}"] = _coordinate(f"lat{tail}", lat, here, "lat")
        coords[f"lon{tail}"] = _coordinate(f"lon{tail}", lon, here, "lon")
    data = {}
    for (variable, parameter, samples), g in zip(described, member):
        data[variable["name"]] = xr.Variable(dims[g], samples, attributes(variable, parameter, samples))
    ds = xr.Dataset(data, coords=coords)
    ds.attrs.update({"product_kind": info["kind"], "product_label": info["label"], "source": path})
    return ds


def open_polar(path, info, chosen, attributes, parameter_of, first):
    """A polar-stereographic radiometer L3 grid: 1-D x/y projection
    coordinates of the cell centres in metres and the grid mapping
    `spatial_ref` of the polar GeoTIFF writer's coordinate system.
    parameter_of and `first` as for open_swath."""
    described = _described(path, chosen, parameter_of, first)
    shapes = {tuple(samples.shape) for _, _, samples in described}
    if len(shapes) > 1:
        raise NotImplementedError(f"{path}: variables on different grids cannot share a Dataset yet")
    height, width = shapes.pop() if shapes else (0, 0)
    grid = _vardane.polar_grid(width, height)
    if grid is None:
        raise ValueError(f"{path}: a polar-stereographic grid of {width} x {height} cells is no grid the GeoTIFF writer knows")
    left, size, _, top, _, _ = grid["transform"]
    x = left + (np.arange(width) + 0.5) * size
    y = top - (np.arange(height) + 0.5) * size
    data = {}
    for variable, parameter, samples in described:
        attrs = attributes(variable, parameter, samples)
        attrs["grid_mapping"] = "spatial_ref"
        data[variable["name"]] = xr.Variable(("y", "x"), samples, attrs)
    north = grid["standard_parallel"] > 0
    a, b = grid["semi_major_axis"], grid["semi_minor_axis"]
    ds = xr.Dataset(data, coords={
        "x": ("x", x, {"standard_name": "projection_x_coordinate", "units": "m", "axis": "X"}),
        "y": ("y", y, {"standard_name": "projection_y_coordinate", "units": "m", "axis": "Y"}),
        "spatial_ref": xr.Variable((), np.int32(0), {
            "grid_mapping_name": "polar_stereographic",
            "latitude_of_projection_origin": 90.0 if north else -90.0,
            "standard_parallel": grid["standard_parallel"],
            "straight_vertical_longitude_from_pole": grid["pole_longitude"],
            "false_easting": 0.0,
            "false_northing": 0.0,
            "semi_major_axis": a,
            "inverse_flattening": a / (a - b),
            "crs_wkt": grid["wkt"],
            "spatial_ref": grid["wkt"],
            "GeoTransform": " ".join(repr(float(v)) for v in grid["transform"]),
        }),
    })
    ds.attrs.update({"product_kind": info["kind"], "product_label": info["label"], "source": path})
    return ds
