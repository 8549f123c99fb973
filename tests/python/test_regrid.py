"""regrid() holds what vardane-cli's swath GeoTIFF (.proj.tif) of the same variable holds."""

import os
import shutil
import sys
import threading
import time
from concurrent.futures import ThreadPoolExecutor

import h5py
import numpy as np
import pytest
import xarray as xr
from osgeo import gdal

import vardane
from conftest import run_cli

gdal.UseExceptions()

# A radiometer on the global 0.1-degree window (co-registered, 89A and 89B
# positions) and an SGLI scene on its own 0.002-degree window (tie points).
SWATHS = [
    ("AMSR2_L1B", "l1b.h5", ["6.9GHz_H", "6.9GHz_V", "36.5GHz_V", "89.0GHz-A_H", "89.0GHz-B_V"]),
    ("SGLI_VNR", "vnr.h5", ["Lt_VN01", "QA_flag"]),
]


def only(settings, variables, tmp_path):
    """The settings with every variable of the kind but these unticked,
    so that the command line writes only the windows compared."""
    lines = settings.read_text().splitlines(keepends=True)
    out = tmp_path / "only.dat"
    with open(out, "w") as kept:
        for line in lines:
            key = line.strip().split(":")[0]
            if ": flag=1," in line and key.startswith(("Lt_VN", "Land_warer")) and key not in variables:
                line = line.replace(": flag=1,", ": flag=0,")
            kept.write(line)
    return out


def centres(origin, step, count):
    return origin + (np.arange(count) + 0.5) * step


@pytest.mark.parametrize("kind,name,variables", SWATHS, ids=[s[0] for s in SWATHS])
def test_regrid_equals_the_proj_tif(tmp_path, synth, settings, kind, name, variables):
    path = synth(kind, name)
    settings = only(settings, variables, tmp_path)
    _, records = run_cli([path], tmp_path / "out", settings)
    written = {o["path"] for o in records[str(path)]["outputs"]}
    # All at once: one read of the geolocation, the co-registration of a
    # band shared by its two polarisations.
    together = vardane.regrid(path, variables, settings=settings)
    for variable in variables:
        tif = str(tmp_path / "out" / f"{name[:-3]}_{variable}.proj.tif")
        assert tif in written
        image = gdal.Open(tif)
        band = image.GetRasterBand(1)
        pixels = band.ReadAsArray()
        left, width, _, top, _, height = image.GetGeoTransform()
        grid = vardane.regrid(path, variable, settings=settings)
        assert grid.dtype == pixels.dtype and grid.shape == pixels.shape
        np.testing.assert_array_equal(grid.values, pixels)
        np.testing.assert_array_equal(together[variable].values, pixels)
        assert ((pixels != grid.attrs["_FillValue"]).sum()) > 100
        if band.GetNoDataValue() is not None:
            assert grid.attrs["_FillValue"] == band.GetNoDataValue()
        np.testing.assert_allclose(grid.lon.values, centres(left, width, pixels.shape[1]), atol=1e-9)
        np.testing.assert_allclose(grid.lat.values, centres(top, height, pixels.shape[0]), atol=1e-9)
        transform = [float(v) for v in grid.spatial_ref.attrs["GeoTransform"].split()]
        np.testing.assert_allclose(transform, image.GetGeoTransform(), atol=1e-9)


def test_an_extent_is_the_same_window_of_the_global_grid(synth, settings):
    path = synth("AMSR2_L1B", "l1b.h5")
    whole = vardane.regrid(path, "36.5GHz_H", settings=settings)
    part = vardane.regrid(path, "36.5GHz_H", grid=vardane.Grid(west=140, south=-30, east=180, north=50, resolution=0.1),
                          settings=settings)
    assert part.shape == (800, 400)
    np.testing.assert_allclose(part.lon.values[[0, -1]], [140.05, 179.95])
    np.testing.assert_allclose(part.lat.values[[0, -1]], [49.95, -29.95])
    expected = whole.sel(lat=slice(50, -30), lon=slice(140, 180))
    assert expected.shape == part.shape
    np.testing.assert_array_equal(part.values, expected.values)
    assert (part.values != part.attrs["_FillValue"]).any()
    # Coarser cells hold the value at their own centres, somewhere else.
    coarse = vardane.regrid(path, "36.5GHz_H", grid=dict(west=-180, south=-90, east=180, north=90, resolution=0.5),
                            settings=settings)
    assert coarse.shape == (360, 720)
    with pytest.raises(ValueError, match="whole number"):
        vardane.regrid(path, "36.5GHz_H", grid=dict(west=0, south=0, east=1, north=1, resolution=0.3))
    # Edges off the whole degrees: the same cells as the whole-degree grid around.
    quarter = dict(south=-31, north=50, resolution=0.25)
    around = vardane.regrid(path, "36.5GHz_H", grid=dict(west=140, east=180, **quarter), settings=settings)
    inner = vardane.regrid(path, "36.5GHz_H", grid=dict(west=140.5, south=-30.25, east=179.75, north=49.5,
                                                         resolution=0.25), settings=settings)
    assert inner.shape == (319, 157)
    np.testing.assert_allclose(inner.lon.values[[0, -1]], [140.625, 179.625])
    np.testing.assert_allclose(inner.lat.values[[0, -1]], [49.375, -30.125])
    np.testing.assert_array_equal(inner.values, around.values[2:-3, 2:-1])
    with pytest.raises(ValueError, match="distance to the whole degrees"):
        vardane.regrid(path, "36.5GHz_H", grid=dict(west=140.05, south=0, east=141.05, north=1, resolution=0.1))
    with pytest.raises(ValueError, match="no extent"):
        vardane.regrid(path, "36.5GHz_H", grid=dict(west=170, south=0, east=190, north=10, resolution=0.1))


def test_several_windows_and_non_swaths_raise(synth, settings):
    with pytest.raises(ValueError, match="several windows .*'_N1'"):
        vardane.regrid(synth("SGLI_POL", "pol.h5"), "Lt_P1_0", settings=settings)
    with pytest.raises(ValueError, match="no swath product"):
        vardane.regrid(synth("AMSR2_L3_BT", "bt.h5"), "BT_H", settings=settings)


def test_a_file_written_anew_is_placed_anew(tmp_path, synth, settings):
    """Calls on one file share its positions; a file changed in place or
    replaced by another at the same path is read again."""
    path = synth("AMSR2_L1B", "l1b.h5")
    before = vardane.regrid(path, "36.5GHz_V", settings=settings).values
    with h5py.File(path, "r+") as f:
        for name in ("Latitude of Observation Point for 89A", "Latitude of Observation Point for 89B"):
            f[name][...] = f[name][...] - 3.0
    moved = vardane.regrid(path, "36.5GHz_V", settings=settings).values
    fresh = tmp_path / "fresh.h5"
    shutil.copy(path, fresh)
    np.testing.assert_array_equal(moved, vardane.regrid(fresh, "36.5GHz_V", settings=settings).values)
    assert not np.array_equal(moved, before)
    # The same bytes under the same name, as a new file.
    os.replace(synth("AMSR2_L1B", "again.h5"), path)
    np.testing.assert_array_equal(vardane.regrid(path, "36.5GHz_V", settings=settings).values, before)


def test_a_dataset_regrids_its_values_as_they_are_now(tmp_path, synth, settings):
    # Eager and stored, lazy and decoded: the values the file holds, codes
    # and measurements, co-registered and not.
    for kind, names in (("AMSR2_L1B", ["36.5GHz_H", "89.0GHz-A_V"]), ("SGLI_VNR", ["Lt_VN01", "QA_flag"])):
        path = synth(kind, f"{kind}.h5")
        expected = vardane.regrid(path, names, settings=settings)
        eager = vardane.open_dataset(path, variables=names, settings=settings)
        decoded = xr.open_dataset(path, engine="vardane", variables=names, settings=settings)
        if kind == "AMSR2_L1B":
            assert decoded[names[0]].dtype.kind == "f"
        for ds in (eager, decoded):
            np.testing.assert_array_equal(vardane.regrid(ds, names, settings=settings).to_array().values,
                                          expected.to_array().values)
    path = synth("AMSR2_L1B", "l1b.h5")
    band = ["36.5GHz_H", "36.5GHz_V"]
    expected = vardane.regrid(path, band, settings=settings)
    eager = vardane.open_dataset(path, variables="36.5GHz_H", settings=settings)
    decoded = xr.open_dataset(path, engine="vardane", variables=band, settings=settings)
    # Changed values are what is regridded, on the file's positions: a
    # constant is that constant wherever a sample reaches, no value nowhere.
    # The other polarisation, drawn in the same pass, keeps its own values.
    changed = decoded.copy()
    changed["36.5GHz_H"] = decoded["36.5GHz_H"] * 0 + 250.0
    changed["36.5GHz_H"][:, :10] = np.nan
    both = vardane.regrid(changed, band, settings=settings)
    np.testing.assert_array_equal(both["36.5GHz_V"].values, expected["36.5GHz_V"].values)
    out = both["36.5GHz_H"]
    reached = out.values != out.attrs["_FillValue"]
    assert reached.any()
    np.testing.assert_allclose(out.values[reached] * out.attrs["scale_factor"], 250.0, atol=0.01)
    assert reached.sum() < (expected["36.5GHz_H"].values != out.attrs["_FillValue"]).sum()
    # A Dataset from elsewhere, or without the variable, says so.
    with pytest.raises(ValueError, match="names no source file"):
        vardane.regrid(xr.Dataset({"x": (("a", "b"), np.zeros((2, 2)))}), "36.5GHz_H")
    with pytest.raises(ValueError, match="holds no variable 6.9GHz_V"):
        vardane.regrid(eager, "6.9GHz_V", settings=settings)
    # Counts of another type are values, to be encoded as counts again.
    wrong = eager.copy()
    wrong["36.5GHz_H"] = wrong["36.5GHz_H"].astype(np.int32)
    with pytest.raises(ValueError, match="values of 36.5GHz_H lie beyond the uint16 counts"):
        vardane.regrid(wrong, "36.5GHz_H", settings=settings)
    part = eager.isel({eager["36.5GHz_H"].dims[0]: slice(0, 10)})
    with pytest.raises(ValueError, match="not of the shape and type the file stores"):
        vardane.regrid(part, "36.5GHz_H", settings=settings)
    # Variables are drawn by several threads at once: a failure in any is the call's.
    index = {v["name"]: v["index"] for v in vardane.identify(path, settings)["variables"]}
    with pytest.raises(ValueError, match="variable 11 are not of the shape and type"):
        vardane._vardane.regrid(str(path), [index["36.5GHz_H"], 11, index["6.9GHz_H"]], None, "",
                                [None, np.zeros((3, 3), np.uint16), None])


def test_two_threads_regrid_as_one_after_the_other(synth, settings):
    paths = [synth("AMSR2_L1B", "a.h5"), synth("AMSR2_L1B", "b.h5", seed=7)]
    jobs = [(p, v) for p in paths for v in ("6.9GHz_V", "89.0GHz-B_H")]
    alone = [vardane.regrid(p, v, settings=settings).values for p, v in jobs]
    with ThreadPoolExecutor(2) as pool:
        together = list(pool.map(lambda job: vardane.regrid(*job, settings=settings).values, jobs * 2))
    for one, other in zip(alone * 2, together):
        np.testing.assert_array_equal(one, other)


def test_other_python_threads_run_while_it_regrids(synth, settings):
    """A thread that counts only while the regrid is under way: with a
    switch interval far longer than the test, the threads take turns only
    where one of them lets the interpreter go. A call that keeps it (the
    built-in sum) lets the counter count nothing."""
    path = synth("AMSR2_L1B", "l1b.h5")
    state = {"during": False, "ticks": 0, "run": True}

    def count():
        while state["run"]:
            if state["during"]:
                state["ticks"] += 1
            # Lets the interpreter go for a moment, for a thread that waits.
            time.sleep(0.0001)

    def ticks_during(call):
        state["ticks"] = 0
        state["during"] = True
        call()
        state["during"] = False
        return state["ticks"]

    interval = sys.getswitchinterval()
    counter = threading.Thread(target=count)
    sys.setswitchinterval(1000.0)
    try:
        counter.start()
        held = ticks_during(lambda: sum(range(20_000_000)))
        released = sum(ticks_during(lambda: vardane._vardane.regrid(str(path), [i])) for i in (0, 12, 15))
    finally:
        state["run"] = False
        counter.join()
        sys.setswitchinterval(interval)
    assert held == 0
    assert released > 0
