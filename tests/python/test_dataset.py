"""open_dataset() holds what vardane-cli's GeoTIFF of the same grid holds."""

import numpy as np
import pytest
import xarray as xr
from osgeo import gdal, osr

import vardane
from conftest import run_cli

gdal.UseExceptions()

# Grids of each reader family; the AMSR2 and JASMES global grids are stored
# from 0 degrees and turned to start at -180 degrees, as their GeoTIFFs are
# (the AMSR-E grids' GeoTIFFs keep 0..360).
GRIDS = [
    ("GSMAP_HOURLY", "gsmap.h5", {}),
    ("DPR_MONTHLY", "dpr.h5", {}),
    ("AMSR2_L3_BT", "bt.h5", {}),
    ("AMSRE_L3_BT", "amsre.h5", {}),
    ("JASMES_RAW", "gobi.dat", {"grid": "gobi"}),
    ("JASMES_RAW", "global.dat", {"grid": "global"}),
    ("GSMAP_BIN", "gsmap_mvk.20220701.0000.v8.0000.0.dat", {"period": "hourly"}),
    # A colour image: three bytes a sample, three bands in its GeoTIFF.
    ("JASMES_HDR", "rgb.dat", {"form": "t1rgb"}),
]


def centres(origin, step, count):
    return origin + (np.arange(count) + 0.5) * step


@pytest.mark.parametrize("kind,name,variants", GRIDS, ids=[f"{g[0]}-{g[1]}" for g in GRIDS])
def test_values_and_coordinates_equal_the_geotiff(tmp_path, synth, settings, kind, name, variants):
    path = synth(kind, name, **variants)
    _, records = run_cli([path], tmp_path / "out", settings)
    ds = vardane.open_dataset(path, settings=settings)
    assert ds.attrs["product_kind"] == records[str(path)]["kind"]
    assert list(ds.data_vars)
    tiffs = {o["path"] for o in records[str(path)]["outputs"]}
    stem = str(tmp_path / "out" / name.split(".dat")[0].split(".h5")[0])
    for variable in ds.data_vars:
        tif = f"{stem}_{variable}.tif"
        assert tif in tiffs
        image = gdal.Open(tif)
        pixels = image.ReadAsArray()
        if image.RasterCount > 1:
            pixels = np.moveaxis(pixels, 0, -1)
            # Colours, not counts to scale.
            assert ds[variable].dims[-1] == "band" and "scale_factor" not in ds[variable].attrs
        left, width, _, top, _, height = image.GetGeoTransform()
        values, lon = ds[variable].values, ds.lon.values
        assert values.dtype == pixels.dtype
        np.testing.assert_array_equal(values, pixels)
        np.testing.assert_allclose(lon, centres(left, width, pixels.shape[1]), atol=1e-9)
        np.testing.assert_allclose(ds.lat.values, centres(top, height, pixels.shape[0]), atol=1e-9)


def test_counts_decode_to_their_values(tmp_path, synth, settings):
    ds = vardane.open_dataset(synth("AMSR2_L3_BT", "bt.h5"), settings=settings)
    counts = ds.BT_H.values
    fills = ds.BT_H.attrs["missing_value"]
    assert ds.BT_H.attrs["scale_factor"] == pytest.approx(0.01)
    with pytest.warns(xr.SerializationWarning):
        decoded = xr.decode_cf(ds).BT_H.values
    stored = np.isin(counts, fills)
    assert stored.any() and not stored.all()
    assert np.isnan(decoded[stored]).all()
    np.testing.assert_allclose(decoded[~stored], counts[~stored] * 0.01, rtol=1e-6)


def test_variables_are_chosen_by_name_or_key(tmp_path, synth, settings):
    path = synth("AMSR2_L3_BT", "bt.h5")
    assert list(vardane.open_dataset(path, variables=["BT_V"], settings=settings).data_vars) == ["BT_V"]
    with pytest.raises(ValueError, match="no variable BT_X .*BT_H, BT_V"):
        vardane.open_dataset(path, variables="BT_X", settings=settings)


def test_non_products_raise(tmp_path, synth, settings):
    notes = tmp_path / "notes.txt"
    notes.write_text("no product\n")
    with pytest.raises(ValueError, match="notes.txt: not a product"):
        vardane.open_dataset(notes, settings=settings)


MAPPED = [g[:3] for g in GRIDS if g[0] in ("DPR_MONTHLY", "JASMES_RAW")]


@pytest.mark.parametrize("kind,name,variants", MAPPED, ids=[g[0] for g in MAPPED])
def test_gdal_reads_the_grid_mapping_as_the_geotiffs(tmp_path, synth, settings, kind, name, variants):
    path = synth(kind, name, **variants)
    _, records = run_cli([path], tmp_path / "out", settings)
    ds = vardane.open_dataset(path, settings=settings)
    ds.to_netcdf(tmp_path / "copy.nc")
    for variable in ds.data_vars:
        copy = gdal.Open(f"NETCDF:{tmp_path / 'copy.nc'}:{variable}")
        tif = next(o["path"] for o in records[str(path)]["outputs"] if o["path"].endswith(f"_{variable}.tif"))
        image = gdal.Open(tif)
        np.testing.assert_allclose(copy.GetGeoTransform(), image.GetGeoTransform(), atol=1e-9)
        assert osr.SpatialReference(wkt=copy.GetProjection()).IsSame(osr.SpatialReference(wkt=image.GetProjection()))
        np.testing.assert_array_equal(copy.GetRasterBand(1).ReadAsArray(), image.GetRasterBand(1).ReadAsArray())
