"""convert() makes what vardane-cli makes of the same inputs."""

import glob
import json
import os
import signal
import threading

import numpy as np
import pytest
from osgeo import gdal

import vardane
from conftest import run_cli

gdal.UseExceptions()


def pixels(path):
    ds = gdal.Open(str(path))
    return [ds.GetRasterBand(b + 1).ReadAsArray() for b in range(ds.RasterCount)], ds.GetGeoTransform()


@pytest.fixture
def inputs(tmp_path, synth):
    notes = tmp_path / "in" / "notes.txt"
    made = [
        synth("GSMAP_HOURLY", "gsmap.h5"),
        synth("AMSR2_L3_BT", "bt.h5"),
        synth("JASMES_RAW", "gobi.dat", grid="gobi"),
    ]
    notes.write_text("no product\n")
    return made + [notes]


@pytest.mark.parametrize("jobs", [1, 2])
def test_outputs_and_results_equal_the_command_lines(tmp_path, inputs, settings, jobs):
    _, expected = run_cli(inputs, tmp_path / "cli", settings, kinds=("geotiff", "netcdf"))
    (tmp_path / "py").mkdir()
    results = vardane.convert(inputs, tmp_path / "py", kinds=("geotiff", "netcdf"), jobs=jobs, settings=settings)

    assert [r["input"] for r in results] == [str(i) for i in inputs]
    for result in results:
        record = expected[result["input"]]
        assert result["kind"] == record["kind"]
        assert [f["line"] for f in result["failures"]] == [f["line"] for f in record["failures"]]
        names = sorted(os.path.basename(o["path"]) for o in result["outputs"])
        assert names == sorted(os.path.basename(o["path"]) for o in record["outputs"])
        for output in result["outputs"]:
            assert os.path.getsize(output["path"]) == output["bytes"]
            twin = tmp_path / "cli" / os.path.basename(output["path"])
            if output["path"].endswith(".tif"):
                ours, theirs = pixels(output["path"]), pixels(twin)
                assert ours[1] == theirs[1]
                for a, b in zip(ours[0], theirs[0]):
                    np.testing.assert_array_equal(a, b)
    assert results[-1]["kind"] == "not a product"
    assert sum(len(r["outputs"]) for r in results) > 3


def test_the_report_has_a_line_per_input_as_the_command_lines(tmp_path, inputs, settings):
    _, expected = run_cli(inputs, tmp_path / "cli", settings)
    (tmp_path / "py").mkdir()
    report = tmp_path / "py.jsonl"
    vardane.convert(inputs, tmp_path / "py", report=report, settings=settings)
    with open(report) as lines:
        records = [json.loads(line) for line in lines]
    assert sorted(r["input"] for r in records) == sorted(expected)
    for record in records:
        assert record["kind"] == expected[record["input"]]["kind"]
        assert record["asked"] == expected[record["input"]]["asked"] == ["GeoTIFF"]


def test_a_missing_input_is_a_failure_of_its_own(tmp_path, synth, settings):
    good = synth("GSMAP_HOURLY", "gsmap.h5")
    (tmp_path / "py").mkdir()
    results = vardane.convert([good, tmp_path / "absent.h5"], tmp_path / "py", settings=settings)
    assert len(results) == 2
    assert results[0]["outputs"] and not results[0]["failures"]
    assert results[1]["input"] == str(tmp_path / "absent.h5")
    assert results[1]["failures"][0]["line"] == "no such file or folder"


def test_bad_arguments_raise(tmp_path, synth, settings):
    good = synth("GSMAP_HOURLY", "gsmap.h5")
    with pytest.raises(ValueError, match="Output folder"):
        vardane.convert([good], tmp_path / "nowhere", settings=settings)
    with pytest.raises(ValueError, match="unknown output kind png"):
        vardane.convert([good], tmp_path, kinds=("png",), settings=settings)
    with pytest.raises(ValueError, match="jobs"):
        vardane.convert([good], tmp_path, jobs=0, settings=settings)
    assert not list(tmp_path.glob("*.tif"))


def test_keywords_mean_what_the_command_lines_switches_mean(tmp_path, synth, settings):
    grid = [synth("GSMAP_HOURLY", "gsmap.h5")]
    _, expected = run_cli(grid, tmp_path / "cli", settings,
                          extra=["--geotiff-profile", "compressed", "--no-nodata", "--polar-grid", "nsidc-25km"])
    (tmp_path / "py").mkdir()
    [result] = vardane.convert(grid, tmp_path / "py", settings=settings, geotiff_profile="compressed",
                               nodata=False, polar_grid="nsidc-25km", file_timeout=0)
    names = sorted(os.path.basename(o["path"]) for o in result["outputs"])
    assert names == sorted(os.path.basename(o["path"]) for o in expected[str(grid[0])]["outputs"])
    for name in names:
        ours, theirs = gdal.Open(str(tmp_path / "py" / name)), gdal.Open(str(tmp_path / "cli" / name))
        assert ours.GetMetadata("IMAGE_STRUCTURE").get("COMPRESSION") == "DEFLATE"
        np.testing.assert_equal(ours.GetRasterBand(1).GetNoDataValue(), theirs.GetRasterBand(1).GetNoDataValue())
        assert ours.RasterXSize == theirs.RasterXSize and ours.GetGeoTransform() == theirs.GetGeoTransform()
        np.testing.assert_array_equal(ours.ReadAsArray(), theirs.ReadAsArray())

    with pytest.raises(TypeError, match="geotiff_profil"):
        vardane.convert(grid, tmp_path, geotiff_profil="cog")
    with pytest.raises(ValueError, match="--polar-grid needs"):
        vardane.convert(grid, tmp_path, polar_grid="lambert")


class Interrupted(Exception):
    pass


def children():
    """This process's child processes."""
    found = set()
    for listing in glob.glob(f"/proc/{os.getpid()}/task/*/children"):
        with open(listing) as f:
            found.update(f.read().split())
    return found


def test_an_event_or_a_signal_cancels_the_batch(tmp_path, synth, settings):
    inputs = [synth("AMSR2_L1B", f"l1b_{i}.h5") for i in range(6)]
    out = tmp_path / "out"
    out.mkdir()
    stop = threading.Event()
    threading.Timer(0.5, stop.set).start()
    results = vardane.convert(inputs, out, settings=settings, cancel=stop)
    assert len(results) < len(inputs)
    # The file in work when cancelled keeps no output; files ended before keep theirs.
    assert all(not r["outputs"] for r in results if r["cancelled"])
    assert sorted(os.listdir(out)) == sorted(os.path.basename(o["path"]) for r in results for o in r["outputs"])
    with pytest.raises(TypeError, match="is_set"):
        vardane.convert(inputs, out, cancel=True)

    # A signal's handler runs in the interpreter; its exception comes once
    # the batch has wound down, with no worker left behind.
    def interrupted(signum, frame):
        raise Interrupted()

    before = children()
    previous = signal.signal(signal.SIGINT, interrupted)
    try:
        again = tmp_path / "again"
        again.mkdir()
        threading.Timer(0.5, os.kill, (os.getpid(), signal.SIGINT)).start()
        with pytest.raises(Interrupted):
            vardane.convert(inputs, again, settings=settings)
    finally:
        signal.signal(signal.SIGINT, previous)
    assert children() <= before
    assert len(os.listdir(again)) < 16 * len(inputs)
