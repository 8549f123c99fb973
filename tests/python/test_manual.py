"""The manual's example, run as written on a synthetic L1B orbit: it must
keep working as the module changes, and its COG must be the .proj.tif."""

import os
import subprocess
import sys
from pathlib import Path

import numpy as np
from osgeo import gdal, osr

from conftest import run_cli

MANUAL = Path(__file__).resolve().parents[2] / "docs" / "python.md"
EXAMPLE = "## Example: from an L1B orbit to a Cloud-Optimized GeoTIFF"
ORBIT = "GW1AM2_202207010000_000A_L1SGBTBR_2220220.h5"


def example_code():
    """The indented code of the example's section."""
    section = MANUAL.read_text().split(EXAMPLE, 1)[1].split("\n## ", 1)[0]
    return "\n".join(line[4:] for line in section.splitlines() if line.startswith("    "))


def test_the_manuals_example_writes_the_cog_it_describes(tmp_path, synth, settings):
    code = example_code()
    assert "vardane.regrid" in code and "to_raster" in code
    orbit = synth("AMSR2_L1B", ORBIT)
    work = tmp_path / "notebook"
    work.mkdir()
    os.symlink(orbit, work / ORBIT)
    # A home of its own: no user's settings take part; plots go to no screen.
    env = dict(os.environ, HOME=str(tmp_path), MPLBACKEND="Agg")
    done = subprocess.run([sys.executable, "-c", code], cwd=work, env=env, capture_output=True, text=True)
    assert done.returncode == 0, done.stderr

    cog = gdal.Open(str(work / "tb36h.tif"))
    assert cog.GetMetadata("IMAGE_STRUCTURE").get("LAYOUT") == "COG"
    assert cog.GetMetadata("IMAGE_STRUCTURE").get("COMPRESSION") == "DEFLATE"
    assert (cog.RasterXSize, cog.RasterYSize) == (3600, 1800)
    np.testing.assert_allclose(cog.GetGeoTransform(), (-180.0, 0.1, 0.0, 90.0, 0.0, -0.1), atol=1e-9)
    crs = osr.SpatialReference(wkt=cog.GetProjection())
    crs.AutoIdentifyEPSG()
    assert crs.GetAuthorityCode(None) == "4326"
    band = cog.GetRasterBand(1)
    assert band.GetNoDataValue() == 65535

    _, records = run_cli([orbit], tmp_path / "out", settings)
    tif = next(o["path"] for o in records[str(orbit)]["outputs"] if o["path"].endswith("_36.5GHz_H.proj.tif"))
    image = gdal.Open(tif)
    expected = image.GetRasterBand(1).ReadAsArray()
    np.testing.assert_array_equal(band.ReadAsArray(), expected)
    assert (expected != 65535).any()
