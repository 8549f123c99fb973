"""open_dataset() of swath products and polar-stereographic grids holds the
samples and positions of vardane-cli's outputs of the same file."""

import h5py
import netCDF4
import numpy as np
import pytest
from osgeo import gdal, osr

import vardane
from conftest import run_cli

gdal.UseExceptions()


def unit_vectors(lat, lon):
    lat, lon = np.radians(lat.astype(np.float64)), np.radians(lon.astype(np.float64))
    return np.stack([np.cos(lat) * np.cos(lon), np.cos(lat) * np.sin(lon), np.sin(lat)], axis=-1)


def factors(text):
    """CoRegistrationParameterA1/A2 text: "6G-0.52,7G-0.47,..." by band key."""
    return {band.lower(): float(value) for band, value in (item.split("-", 1) for item in text.split(","))}


def position_set(ds, name):
    """The suffix of the lat/lon coordinates a variable lies on."""
    lats = [c for c in ds[name].coords if c.startswith("lat")]
    assert len(lats) == 1, lats
    return lats[0][4:]


@pytest.mark.parametrize("kind", ["AMSR2_L1B", "AMSRE_L1R"])
def test_radiometer_swath_equals_the_plain_tiffs_and_the_netcdf(tmp_path, synth, settings, kind, capfd):
    path = synth(kind, "swath.h5")
    _, records = run_cli([path], tmp_path / "out", settings, kinds=("tiff-text", "netcdf"))
    capfd.readouterr()
    ds = vardane.open_dataset(path, settings=settings)
    # The geolocation's warnings on lost positions stay off the user's streams.
    assert capfd.readouterr() == ("", "")
    nc = netCDF4.Dataset(tmp_path / "out" / "swath.nc")
    nc.set_auto_mask(False)
    a1 = factors(nc.CoRegistrationParameterA1) if "CoRegistrationParameterA1" in nc.ncattrs() else {}
    a2 = factors(nc.CoRegistrationParameterA2) if a1 else {}
    lat89a = nc["Latitude_of_Observation_Point_for_89A"][:]
    lon89a = nc["Longitude_of_Observation_Point_for_89A"][:]
    expected = {
        "89a": (lat89a, lon89a),
        "89b": (nc["Latitude_of_Observation_Point_for_89B"][:], nc["Longitude_of_Observation_Point_for_89B"][:]),
        "low": (nc["lat"][:], nc["lon"][:]),
    }
    assert len(ds.data_vars) == (16 if kind == "AMSR2_L1B" else 40)
    for name in ds.data_vars:
        image = gdal.Open(str(tmp_path / "out" / f"swath_{name}.tif"))
        pixels = image.GetRasterBand(1).ReadAsArray()
        assert ds[name].dtype == pixels.dtype
        np.testing.assert_array_equal(ds[name].values, pixels)

        suffix = position_set(ds, name)
        lat, lon = ds[f"lat_{suffix}"].values, ds[f"lon_{suffix}"].values
        frequency = name.split("GHz")[0].split("_")[-1]
        if "89GHz-" in name or "89.0GHz-" in name:
            assert suffix == "89" + name.split("GHz-")[1][0].lower()
        elif kind == "AMSR2_L1B":
            assert suffix == f"{int(float(frequency))}g"
        else:
            assert suffix == "low"
        if suffix in expected:
            np.testing.assert_array_equal(lat, expected[suffix][0])
            np.testing.assert_array_equal(lon, expected[suffix][1])
            continue
        # A co-registered footprint lies A1 of the way from 89 GHz A sample
        # 2P to sample 2P + 1 and A2 of that distance off to the side.
        start = unit_vectors(lat89a[:, 0::2], lon89a[:, 0::2])
        step = unit_vectors(lat89a[:, 1::2], lon89a[:, 1::2]) - start
        moved = unit_vectors(lat, lon) - start
        valid = (np.abs(lat89a[:, 0::2]) <= 90) & (np.abs(lat89a[:, 1::2]) <= 90) & (np.abs(lat) <= 90)
        assert valid.mean() > 0.99
        length = np.sum(step * step, axis=-1)
        along = np.sum(moved * step, axis=-1)[valid] / length[valid]
        aside = np.sqrt(np.maximum(np.sum(moved * moved, axis=-1)[valid] / length[valid] - along**2, 0))
        np.testing.assert_allclose(along, a1[suffix], atol=0.01)
        np.testing.assert_allclose(aside, abs(a2[suffix]), atol=0.01)


def test_sgli_scene_is_placed_on_its_tie_points(tmp_path, synth, settings):
    path = synth("SGLI_IRS", "irs.h5")
    ds = vardane.open_dataset(path, settings=settings)
    with h5py.File(path, "r") as stored:
        for name in ds.data_vars:
            np.testing.assert_array_equal(ds[name].values, stored["Image_data"][name][()])
        tie_lat = stored["Geometry_data/Latitude"][()]
        tie_lon = stored["Geometry_data/Longitude"][()]
    # The 1 km bands have a quarter of the lines and pixels of the others.
    assert position_set(ds, "Lt_SW01") == "quarter" and position_set(ds, "Lt_TI01") == ""
    lat, lon = ds.lat.values, ds.lon.values
    rows, columns = lat[::10, ::10].shape
    np.testing.assert_allclose(lat[::10, ::10], tie_lat[:rows, :columns], atol=1e-4)
    np.testing.assert_allclose((lon[::10, ::10] - tie_lon[:rows, :columns] + 180) % 360 - 180, 0, atol=1e-4)
    # Half way between two tie lines lies half way between their positions.
    np.testing.assert_allclose(lat[5::10, ::10], (tie_lat[:rows, :columns] + tie_lat[1 : rows + 1, :columns]) / 2, atol=1e-4)
    # A 1 km pixel lies where the full-resolution pixel of its first line and pixel does.
    np.testing.assert_allclose(ds.lat_quarter.values, lat[::4, ::4], atol=1e-4)
    np.testing.assert_allclose(ds.lon_quarter.values, lon[::4, ::4], atol=1e-4)


POLAR = ["nsidc_north_25km", "nsidc_south_25km", "snow_north_25km"]


@pytest.mark.parametrize("grid", POLAR)
def test_polar_grid_equals_the_polar_geotiff(tmp_path, synth, settings, grid):
    # Both hemispheres' polar-stereographic GeoTIFFs for the L3 grids.
    text = settings.read_text()
    head, tail = text.split("#GCOMW/L3BT", 1)
    settings.write_text(head + "#GCOMW/L3BT" + tail.replace("Projection: 0", "Projection: 1", 1))
    path = synth("AMSR2_L3_BT", "ps.h5", grid=grid)
    _, records = run_cli([path], tmp_path / "out", settings)
    ds = vardane.open_dataset(path, settings=settings)
    ds.to_netcdf(tmp_path / "copy.nc")
    tifs = [o["path"] for o in records[str(path)]["outputs"]]
    assert len(tifs) == 2 and set(ds.data_vars) == {"BT_H", "BT_V"}
    for name in ds.data_vars:
        tif = next(t for t in tifs if f"_{name}_" in t)
        image = gdal.Open(tif)
        np.testing.assert_array_equal(ds[name].values, image.GetRasterBand(1).ReadAsArray())
        left, size, _, top, _, step = image.GetGeoTransform()
        np.testing.assert_allclose(ds.x.values, left + (np.arange(image.RasterXSize) + 0.5) * size)
        np.testing.assert_allclose(ds.y.values, top + (np.arange(image.RasterYSize) + 0.5) * step)
        copy = gdal.Open(f"NETCDF:{tmp_path / 'copy.nc'}:{name}")
        np.testing.assert_allclose(copy.GetGeoTransform(), image.GetGeoTransform())
        assert osr.SpatialReference(wkt=copy.GetProjection()).IsSame(osr.SpatialReference(wkt=image.GetProjection()))
        np.testing.assert_array_equal(copy.GetRasterBand(1).ReadAsArray(), ds[name].values)
