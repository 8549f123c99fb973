"""xr.open_dataset(engine="vardane") opens vardane.open_dataset's Dataset, reading only what is used."""

from concurrent.futures import ThreadPoolExecutor

import dask
import dask.array
import numpy as np
import pytest
import xarray as xr

import vardane
from vardane import _vardane

GRIDS = [
    ("GSMAP_HOURLY", "gsmap.h5", {}),
    ("DPR_MONTHLY", "dpr.h5", {}),
    ("AMSR2_L3_BT", "bt.h5", {}),
    ("JASMES_RAW", "gobi.dat", {"grid": "gobi"}),
    ("GSMAP_BIN", "gsmap_mvk.20220701.0000.v8.0000.0.dat", {"period": "hourly"}),
    ("JASMES_HDR", "rgb.dat", {"form": "t1rgb"}),
]


@pytest.fixture
def reads(monkeypatch):
    """The reads through the readers, as (file, index, rows): rows is
    (first, count) for a part of a parameter, None for the whole."""
    done = []
    whole, part = _vardane.read_parameter, _vardane.read_rows

    def whole_counted(path, index, turned=False):
        done.append((path, index, None))
        return whole(path, index, turned)

    def part_counted(path, index, first, count, turned=False):
        done.append((path, index, (first, count)))
        return part(path, index, first, count, turned)

    monkeypatch.setattr(_vardane, "read_parameter", whole_counted)
    monkeypatch.setattr(_vardane, "read_rows", part_counted)
    return done


@pytest.fixture
def placings(monkeypatch):
    """The swath positions placed, as (variables, lines): lines is (first,
    count) for a part, None for every line."""
    done = []
    real = _vardane.swath_positions

    def counted(path, variables, lines=None):
        done.append((variables, lines))
        return real(path, variables, lines)

    monkeypatch.setattr(_vardane, "swath_positions", counted)
    return done


def assert_same(lazy, eager):
    assert list(lazy.data_vars) == list(eager.data_vars)
    for name in eager.variables:
        assert lazy[name].dtype == eager[name].dtype, name
        assert lazy[name].attrs.keys() == eager[name].attrs.keys(), name
        np.testing.assert_array_equal(lazy[name].values, eager[name].values)


@pytest.mark.parametrize("kind,name,variants", GRIDS, ids=[g[0] for g in GRIDS])
def test_the_engine_opens_what_open_dataset_does(synth, settings, kind, name, variants):
    path = synth(kind, name, **variants)
    eager = vardane.open_dataset(path, settings=settings)
    lazy = xr.open_dataset(path, engine="vardane", settings=settings, mask_and_scale=False)
    assert_same(lazy, eager)
    assert lazy.attrs == eager.attrs


def test_chunks_give_dask_arrays_of_the_same_values(synth, settings):
    path = synth("AMSR2_L3_BT", "bt.h5")
    eager = vardane.open_dataset(path, settings=settings)
    chunked = xr.open_dataset(path, engine="vardane", settings=settings, mask_and_scale=False, chunks={"lat": 100})
    assert all(isinstance(v.data, dask.array.Array) for v in chunked.data_vars.values())
    assert len(chunked.BT_H.chunks[0]) > 1
    assert_same(chunked, eager)
    # Decoded by xarray as decode_cf decodes the eager Dataset.
    with pytest.warns(xr.SerializationWarning):
        decoded = xr.open_dataset(path, engine="vardane", settings=settings, chunks={})
    with pytest.warns(xr.SerializationWarning):
        expected = xr.decode_cf(eager)
    np.testing.assert_array_equal(decoded.BT_V.values, expected.BT_V.values)


# HDF5 on latitude/longitude and polar-stereographic grids, both flat-binary
# families (a JASMES global grid is turned by half its columns, as its
# GeoTIFF is) and HDF4.
PARTS = [
    ("AMSR2_L3_BT", "bt.h5", {"grid": "latlon_0.25"}, "BT_V", "lat"),
    ("AMSR2_L3_BT", "ps.h5", {"grid": "nsidc_north_25km"}, "BT_H", "y"),
    ("GSMAP_BIN", "gsmap_mvk.20220701.0000.v8.0000.0.dat", {"period": "hourly"}, None, "lat"),
    ("JASMES_RAW", "global.dat", {"grid": "global", "bytes": "1"}, None, "lat"),
    ("JASMES_HDF4", "JASMES_HDF4.hdf", {}, None, "lat"),
]


@pytest.mark.parametrize("kind,name,variants,variable,rows", PARTS, ids=[f"{p[0]}-{p[4]}" for p in PARTS])
def test_opening_reads_nothing_and_each_chunk_reads_only_its_rows(synth, settings, reads, kind, name, variants,
                                                                  variable, rows):
    path = synth(kind, name, **variants)
    ds = xr.open_dataset(path, engine="vardane", settings=settings, mask_and_scale=False, chunks={rows: 100})
    variable = variable or next(iter(ds.data_vars))
    index = {v["name"]: v["index"] for v in vardane.identify(path, settings)["variables"]}[variable]
    assert reads == []
    corner = ds[variable][:10, :10].values
    # Only the first chunk's rows, at most, for a corner of it.
    assert reads and all(i == index and rows[0] + rows[1] <= 100 for _, i, rows in reads)
    reads.clear()
    whole = ds[variable].values
    np.testing.assert_array_equal(corner, whole[:10, :10])
    # One read a chunk, of its rows: together the variable, once.
    edges = np.cumsum((0,) + ds[variable].chunks[0])
    assert sorted(rows for _, _, rows in reads) == [(int(a), int(b - a)) for a, b in zip(edges, edges[1:])]
    np.testing.assert_array_equal(whole, vardane.open_dataset(path, settings=settings)[variable].values)
    # Rows picked with a step, or one row, read from the first to the last taken.
    reads.clear()
    lazy = xr.open_dataset(path, engine="vardane", settings=settings, mask_and_scale=False)
    np.testing.assert_array_equal(lazy[variable][7:300:50].values, whole[7:300:50])
    np.testing.assert_array_equal(lazy[variable][-1].values, whole[-1])
    np.testing.assert_array_equal(lazy[variable][::-1].values, whole[::-1])
    assert [rows for _, _, rows in reads] == [(7, 251), (len(whole) - 1, 1), (0, len(whole))]


def test_a_product_read_only_whole_is_read_once_for_every_chunk(synth, settings, reads, monkeypatch):
    # Every family reads parts; one that could not would say so here.
    path = synth("JASMES_HDF4", "JASMES_HDF4.hdf")
    described = _vardane.describe_parameter
    monkeypatch.setattr(_vardane, "describe_parameter", lambda *a: dict(described(*a), reads_row_parts=False))
    ds = xr.open_dataset(path, engine="vardane", settings=settings, mask_and_scale=False, chunks={"lat": 100})
    (name,) = ds.data_vars
    assert len(ds[name].chunks[0]) > 1
    np.testing.assert_array_equal(ds[name].values, vardane.open_dataset(path, settings=settings)[name].values)
    assert [rows for _, _, rows in reads] == [None, None]  # the engine's one and open_dataset's


# A global grid stored from 0 degrees is turned where it is read; any grid
# turns alike: an odd width (half its columns rounded up), three bytes a
# sample, and a part of the rows.
TURNED = [
    ("JASMES_RAW", "japan.dat", {"grid": "japan", "bytes": "2"}),
    ("JASMES_HDR", "rgb.dat", {"form": "t1rgb"}),
    ("AMSR2_L3_BT", "bt.h5", {"grid": "latlon_0.25"}),
]


@pytest.mark.parametrize("kind,name,variants", TURNED, ids=[t[0] for t in TURNED])
def test_a_turned_read_is_the_read_turned_by_half_its_columns(synth, kind, name, variants):
    path = str(synth(kind, name, **variants))
    stored = _vardane.read_parameter(path, 0)["samples"]
    width = stored.shape[1]
    assert kind != "JASMES_RAW" or width % 2 == 1
    turned = np.roll(stored, -((width + 1) // 2), axis=1)
    np.testing.assert_array_equal(_vardane.read_parameter(path, 0, turned=True)["samples"], turned)
    np.testing.assert_array_equal(_vardane.read_rows(path, 0, 3, 5, turned=True)["samples"], turned[3:8])


@pytest.mark.parametrize("kind", ["AMSR2_L1B", "SGLI_IRS"])
def test_a_swath_opens_lazily_and_places_each_set_once(synth, settings, reads, placings, kind):
    path = synth(kind, "swath.h5")
    eager = vardane.open_dataset(path, settings=settings)
    eager_reads, eager_sets = len(reads), len(placings)
    reads.clear()
    placings.clear()
    lazy = xr.open_dataset(path, engine="vardane", settings=settings, mask_and_scale=False)
    assert reads == [] and placings == []
    # One read a variable and one placing a set of positions, eager or lazy.
    assert eager_reads == len(eager.data_vars)
    assert eager_sets == sum(1 for name in eager.coords if name.startswith("lat"))
    assert_same(lazy, eager)
    assert len(reads) == eager_reads and len(placings) == eager_sets


@pytest.mark.parametrize("kind,line", [("AMSR2_L1B", "scan"), ("SGLI_IRS", "line")])
def test_each_chunk_of_a_swaths_coordinates_places_its_own_lines(synth, settings, placings, kind, line):
    path = synth(kind, "swath.h5")
    eager = vardane.open_dataset(path, settings=settings)
    chunked = xr.open_dataset(path, engine="vardane", settings=settings, chunks={line: 37})
    # The latitudes and longitudes of a set, or of a chunk of it, are placed together.
    for lat in (n for n in eager.coords if n.startswith("lat")):
        placings.clear()
        lon = "lon" + lat[3:]
        assert isinstance(chunked[lat].data, dask.array.Array)
        np.testing.assert_array_equal(chunked[lat].values, eager[lat].values)
        np.testing.assert_array_equal(chunked[lon].values, eager[lon].values)
        placed = [lines for _, lines in placings]
        if chunked[lat].dims[0] != line:  # a set of other lines is one chunk: placed whole, once
            assert placed == [None], lat
            continue
        edges = np.cumsum((0,) + chunked[lat].chunks[0])
        assert len(edges) > 2, lat
        assert sorted(placed) == [(int(a), int(b - a)) for a, b in zip(edges[:-1], edges[1:])], lat
    # Lines past the end are refused.
    rows, columns = eager[next(iter(eager.data_vars))].shape
    with pytest.raises(ValueError, match=f"has no lines 30 to {rows + 1}"):
        _vardane.swath_positions(str(path), [(0, rows, columns)], (30, rows - 29))


def test_threads_placing_chunks_of_every_band_at_once_place_what_one_does(synth, settings):
    # Chunks of the co-registered bands share what each has made of the
    # orbit's scans: threads making scans of one band while others read
    # scans of another must still give each chunk its own positions.
    path = synth("AMSR2_L1B", "swath.h5")
    eager = vardane.open_dataset(path, settings=settings)
    for _ in range(3):
        chunked = xr.open_dataset(path, engine="vardane", settings=settings, chunks={"scan": 13})
        with dask.config.set(scheduler="threads", num_workers=6):
            placed = dask.compute(*(chunked[name].data for name in eager.coords))
        for name, values in zip(eager.coords, placed):
            np.testing.assert_array_equal(values, eager[name].values, err_msg=name)


def test_variables_and_drop_variables_choose(synth, settings, reads):
    path = synth("AMSR2_L3_BT", "bt.h5")
    kept = xr.open_dataset(path, engine="vardane", settings=settings, drop_variables=["BT_H"])
    assert list(kept.data_vars) == ["BT_V"]
    named = xr.open_dataset(path, engine="vardane", settings=settings, variables="BT_H")
    assert list(named.data_vars) == ["BT_H"]
    assert reads == []


def test_threads_reading_at_once_read_what_one_reads(synth, settings):
    # Dask's threads read variables at once; HDF4 must still see one at a time.
    paths = [synth("JASMES_HDF4", f"flags{seed}.hdf", seed=seed) for seed in range(4)]
    alone = [vardane.open_dataset(p, settings=settings) for p in paths]
    with ThreadPoolExecutor(4) as pool:
        together = list(pool.map(lambda p: xr.open_dataset(p, engine="vardane", settings=settings,
                                                           mask_and_scale=False).load(), paths * 4))
    for n, ds in enumerate(together):
        assert_same(ds, alone[n % len(paths)])
