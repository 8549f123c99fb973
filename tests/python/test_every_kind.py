"""Every kind the generator writes opens as the command line converts it:
each variable holds the samples of its plain TIFF (radiometer swaths), of
its GeoTIFF (grids) or, for the SGLI products, whose outputs are all
regridded, of the file's own dataset."""

import os
import subprocess
import warnings

import h5py
import numpy as np
import pytest
from osgeo import gdal

import vardane
from conftest import CLI, SYNTH

gdal.UseExceptions()

KINDS = [line.split("\t")[0] for line in subprocess.run([SYNTH, "--list"], capture_output=True, text=True,
                                                         check=True).stdout.splitlines()]
# Names the flat-binary readers recognise, and the HDF4 file's.
NAMES = {"GSMAP_BIN": "gsmap_mvk.20220701.0000.v8.0000.0.dat", "JASMES_RAW": "JASMES_RAW.dat",
         "JASMES_HDR": "JASMES_HDR.dat", "JASMES_HDF4": "JASMES_HDF4.hdf"}


@pytest.fixture(scope="module")
def converted(tmp_path_factory):
    """Every kind, written and converted by one run: (inputs by kind, output folder, settings)."""
    folder = tmp_path_factory.mktemp("every")
    settings = folder / "settings.dat"
    with open(settings, "w") as out:
        subprocess.run([CLI, "--list-options"], stdout=out, check=True)
    (folder / "in").mkdir()
    inputs = {}
    for kind in KINDS:
        inputs[kind] = folder / "in" / NAMES.get(kind, f"{kind}.h5")
        subprocess.run([SYNTH, kind, str(inputs[kind])], check=True)
    (folder / "out").mkdir()
    # The swaths' plain TIFFs and the grids' GeoTIFFs; not the regridded
    # swaths, whose SGLI windows alone would take gigabytes.
    swaths = [p for p in inputs.values() if vardane._vardane.describe_parameter(str(p), 0)["swath"]]
    grids = [p for p in inputs.values() if p not in swaths]
    for kind, paths in (("--tiff-text", [p for p in swaths if not p.name.startswith("SGLI")]), ("--geotiff", grids)):
        done = subprocess.run([CLI, "-o", str(folder / "out"), "--settings", str(settings), kind]
                              + [str(p) for p in paths], capture_output=True, text=True)
        assert done.returncode == 0, done.stdout + done.stderr
    return inputs, folder / "out", settings


def image(path):
    """A TIFF's samples, bands last."""
    opened = gdal.Open(str(path))
    samples = opened.ReadAsArray()
    return np.moveaxis(samples, 0, -1) if opened.RasterCount > 1 else samples


def test_the_generator_writes_every_kind():
    assert len(KINDS) >= 30 and "AMSR2_L1B" in KINDS and "JASMES_HDF4" in KINDS


@pytest.mark.parametrize("kind", KINDS)
def test_every_variable_holds_what_the_command_line_writes(converted, kind):
    inputs, out, settings = converted
    path = inputs[kind]
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        ds = vardane.open_dataset(path, settings=settings)
    # A flat GSMaP file is the GSMaP kind of its period.
    assert ds.attrs["product_kind"] == ("GSMAP_HOURLY" if kind == "GSMAP_BIN" else kind)
    assert ds.data_vars
    stem = out / path.stem
    for name, variable in ds.data_vars.items():
        values = variable.values
        if kind.startswith("SGLI"):
            with h5py.File(path, "r") as stored:
                expected = stored["Image_data"][name][()]
        else:
            # A swath's plain TIFF, else the grid's GeoTIFF; both hold the samples as stored.
            expected = image(f"{stem}_{name}.tif")
            if values.dtype.kind == "f":
                # Some kinds' float images are written floored at -10, their
                # no-value marks included.
                values = np.where((values < -10) & (expected == -10), expected, values)
        assert values.dtype == expected.dtype, name
        np.testing.assert_array_equal(values, expected, err_msg=name)
