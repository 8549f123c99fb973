"""Helpers of bench/swath_geotiff.sh (run with /usr/bin/python3).

  swath_tools.py warp-inputs L1B.h5 DIR   one VRT per channel in DIR, each with
                                          the channel's own geolocation for
                                          gdalwarp -geoloc (not timed)
  swath_tools.py pyresample L1B.h5 DIR    pyresample nearest neighbour of the 16
                                          channels onto the 3600 x 1800 grid,
                                          one k-d tree per geolocation (timed)
  swath_tools.py ramp L1B.h5 RAMP.h5      a copy whose H channels hold the
                                          latitude, the V channels the longitude
                                          of their own footprints (0.01 degree a
                                          count)
  swath_tools.py bias NAME DIR            the mean error in pixels of the ramps
                                          of DIR read back at each pixel centre,
                                          one line
  swath_tools.py compare NAME DIR_A DIR_B  coverage and mean difference of the
                                          16 channels of A against B, one line

Every channel is placed where the product says it lies: the 89 GHz A and B
channels on their own horns' latitude/longitude, the low frequencies on the
co-registered positions between 89 GHz A samples 2i and 2i + 1 given by the
file's CoRegistrationParameterA1/A2.
"""

import os
import sys

import numpy as np
from osgeo import gdal

gdal.UseExceptions()

NODATA = 65535
WIDTH, HEIGHT = 3600, 1800
# (channel name part, output name, geolocation)
BANDS = [("6.9GHz", "6G"), ("7.3GHz", "7G"), ("10.7GHz", "10G"), ("18.7GHz", "18G"),
         ("23.8GHz", "23G"), ("36.5GHz", "36G"), ("89.0GHz-A", "89A"), ("89.0GHz-B", "89B")]


def channels():
    for part, geo in BANDS:
        for pol in ("H", "V"):
            yield f"Brightness Temperature ({part},{pol})", f"{part}_{pol}", geo


def read(path, name):
    sub = name.replace(" ", "_")
    return gdal.Open(f'HDF5:"{path}"://{sub}').ReadAsArray()


def attribute(path, key):
    return gdal.Open(path).GetMetadataItem(key) or ""


def factors(text):
    out = {}
    for item in text.split(","):
        key, _, value = item.strip().partition("-")
        try:
            out[key] = float(value)
        except ValueError:
            pass
    return out


def unit(lat, lon):
    la, lo = np.radians(lat), np.radians(lon)
    return np.stack([np.cos(lo) * np.cos(la), np.sin(lo) * np.cos(la), np.sin(la)], axis=-1)


def coregistered(lat89, lon89, a1, a2):
    """Low-frequency footprints on the great circle through A samples 2i, 2i + 1."""
    la1, lo1 = lat89[:, 0::2].astype(np.float64), lon89[:, 0::2].astype(np.float64)
    la2, lo2 = lat89[:, 1::2].astype(np.float64), lon89[:, 1::2].astype(np.float64)
    bad = (np.abs(la1) > 90) | (np.abs(la2) > 90) | (np.abs(lo1) > 180) | (np.abs(lo2) > 180)
    p1, p2 = unit(la1, lo1), unit(la2, lo2)
    theta = np.arccos(np.clip(np.sum(p1 * p2, axis=-1), -1, 1))
    n = np.cross(p1, p2)
    n /= np.maximum(np.linalg.norm(n, axis=-1, keepdims=True), 1e-300)
    m = np.cross(n, p1)
    a, b = (a1 * theta)[..., None], (a2 * theta)[..., None]
    r = (p1 * np.cos(a) + m * np.sin(a)) * np.cos(b) + n * np.sin(b)
    lon = np.degrees(np.arctan2(r[..., 1], r[..., 0]))
    lat = np.degrees(np.arctan2(r[..., 2], np.hypot(r[..., 0], r[..., 1])))
    lat[bad] = -9999.0
    lon[bad] = -9999.0
    return lat.astype(np.float32), lon.astype(np.float32)


def geolocations(path):
    """Latitude/longitude arrays by geolocation key."""
    lat_a = read(path, "Latitude of Observation Point for 89A")
    lon_a = read(path, "Longitude of Observation Point for 89A")
    out = {"89A": (lat_a, lon_a),
           "89B": (read(path, "Latitude of Observation Point for 89B"),
                   read(path, "Longitude of Observation Point for 89B"))}
    f1 = factors(attribute(path, "CoRegistrationParameterA1"))
    f2 = factors(attribute(path, "CoRegistrationParameterA2"))
    for _, geo in BANDS[:6]:
        out[geo] = coregistered(lat_a, lon_a, f1.get(geo, 0.0), f2.get(geo, 0.0))
    return out


def write_array(path, array):
    ds = gdal.GetDriverByName("GTiff").Create(path, array.shape[1], array.shape[0], 1, gdal.GDT_Float32)
    band = ds.GetRasterBand(1)
    band.SetNoDataValue(-9999.0)
    band.WriteArray(np.where(np.abs(array) > 360, -9999.0, array))
    ds = None


def warp_inputs(path, folder):
    from osgeo import osr
    srs = osr.SpatialReference()
    srs.ImportFromEPSG(4326)
    wgs84 = srs.ExportToWkt()
    geo = geolocations(path)
    # The target window: the swath's extent on the 0.1-degree grid (the
    # geolocation transformer cannot invert the rest of the Earth).
    lats = np.concatenate([g[0][np.abs(g[0]) <= 90] for g in geo.values()])
    lons = np.concatenate([g[1][np.abs(g[1]) <= 180] for g in geo.values()])
    with open(os.path.join(folder, "extent"), "w") as f:
        f.write(" ".join(f"{v:.1f}" for v in (np.floor(lons.min() * 10) / 10, np.floor(lats.min() * 10) / 10,
                                               np.ceil(lons.max() * 10) / 10, np.ceil(lats.max() * 10) / 10)) + "\n")
    for key, (lat, lon) in geo.items():
        lat = np.where(np.abs(lat) > 90, -9999.0, lat)
        write_array(os.path.join(folder, f"lat_{key}.tif"), lat)
        write_array(os.path.join(folder, f"lon_{key}.tif"), np.where(lat == -9999.0, -9999.0, lon))
    for name, out, key in channels():
        vrt = os.path.join(folder, f"{out}.vrt")
        gdal.Translate(vrt, f'HDF5:"{path}"://{name.replace(" ", "_")}', format="VRT")
        ds = gdal.Open(vrt, gdal.GA_Update)
        ds.SetMetadata({"X_DATASET": os.path.join(folder, f"lon_{key}.tif"), "X_BAND": "1",
                        "Y_DATASET": os.path.join(folder, f"lat_{key}.tif"), "Y_BAND": "1",
                        "PIXEL_OFFSET": "0", "PIXEL_STEP": "1", "LINE_OFFSET": "0", "LINE_STEP": "1",
                        "SRS": wgs84, "GEOREFERENCING_CONVENTION": "PIXEL_CENTER"}, "GEOLOCATION")
        ds.GetRasterBand(1).SetNoDataValue(NODATA)
        ds = None


def write_grid(path, grid):
    ds = gdal.GetDriverByName("GTiff").Create(path, WIDTH, HEIGHT, 1, gdal.GDT_UInt16)
    ds.SetGeoTransform((-180, 0.1, 0, 90, 0, -0.1))
    ds.GetRasterBand(1).WriteArray(grid)
    ds = None


def run_pyresample(path, folder):
    from pyresample import geometry, kd_tree
    area = geometry.AreaDefinition("global", "global", "latlon", "EPSG:4326", WIDTH, HEIGHT,
                                   (-180, -90, 180, 90))
    geo = geolocations(path)
    # One k-d tree (neighbour search) per geolocation, used by both of its channels.
    info = {}
    for key, (lat, lon) in geo.items():
        swath = geometry.SwathDefinition(lons=lon.astype(np.float64), lats=lat.astype(np.float64))
        info[key] = kd_tree.get_neighbour_info(swath, area, radius_of_influence=12000, neighbours=1)
    for name, out, key in channels():
        data = read(path, name)
        valid_in, valid_out, index, _ = info[key]
        grid = kd_tree.get_sample_from_neighbour_info("nn", area.shape, data, valid_in, valid_out, index,
                                                      fill_value=NODATA)
        write_grid(os.path.join(folder, f"{out}.tif"), np.asarray(grid, dtype=np.uint16))


def load(folder, out):
    """A channel's output placed on the global 0.1-degree grid."""
    for f in os.listdir(folder):
        if f.endswith(f"_{out}.proj.tif") or f == f"{out}.tif":
            ds = gdal.Open(os.path.join(folder, f))
            gt = ds.GetGeoTransform()
            if abs(gt[1] - 0.1) > 1e-9 or abs(gt[5] + 0.1) > 1e-9:
                raise SystemExit(f"{f}: not on the 0.1-degree grid")
            x0, y0 = round((gt[0] + 180) / 0.1), round((90 - gt[3]) / 0.1)
            grid = np.full((HEIGHT, WIDTH), float(NODATA))
            grid[y0:y0 + ds.RasterYSize, x0:x0 + ds.RasterXSize] = ds.ReadAsArray()
            return grid
    raise SystemExit(f"no output for {out} in {folder}")


def make_ramp(path, ramp_path):
    import shutil
    import h5py
    geo = geolocations(path)
    shutil.copyfile(path, ramp_path)
    with h5py.File(ramp_path, "r+") as f:
        for name, _, key in channels():
            lat, lon = geo[key]
            counts = (lat + 90) * 100 if name.endswith("H)") else (lon + 180) * 100
            f[name][...] = np.where(np.abs(lat) > 90, NODATA, np.round(counts)).astype(np.uint16)


def bias(label, folder):
    """How far the image lies from its georeferencing, in pixels: south from
    the latitude (H) channels, east from the longitude (V) channels (a pixel
    showing the place d pixels north of its centre is shifted d south); away
    from the poles and the date line, where a ramp jumps."""
    y, x = np.mgrid[0:HEIGHT, 0:WIDTH]
    lat = 90 - (y + 0.5) / 10
    lon = -180 + (x + 0.5) / 10
    usable = (np.abs(lat) < 60) & (np.abs(lon) < 170)
    errors = {}
    for name, out, key in channels():
        grid = load(folder, out)
        ok = usable & (grid != NODATA)
        if name.endswith("H)"):
            e = ((grid / 100 - 90) - lat)[ok] / 0.1
        else:
            e = (lon - (grid / 100 - 180))[ok] / 0.1
        errors.setdefault(("89" if key in ("89A", "89B") else "low", name.endswith("H)")), []).append(e)
    cells = []
    for group in ("low", "89"):
        for south in (False, True):
            e = np.concatenate(errors[(group, south)])
            cells.append(f"{e.mean():+8.3f}")
    print(f"{label:<28} " + " ".join(cells))


def compare(label, folder_a, folder_b):
    rows = []
    for _, out, _ in channels():
        a, b = load(folder_a, out), load(folder_b, out)
        fa, fb = a != NODATA, b != NODATA
        both = fa & fb
        rows.append((fa.sum(), fb.sum(), both.sum(), np.abs(a - b)[both].mean()))
    r = np.array(rows, dtype=np.float64)
    print(f"{label:<28} {r[:, 0].sum() / r[:, 1].sum():8.4f} {r[:, 2].sum() / r[:, 1].sum():8.4f} "
          f"{r[:, 3].mean() / 100:8.2f}")


def main(argv):
    if len(argv) >= 3 and argv[0] == "warp-inputs":
        warp_inputs(argv[1], argv[2])
    elif len(argv) >= 3 and argv[0] == "pyresample":
        run_pyresample(argv[1], argv[2])
    elif len(argv) >= 3 and argv[0] == "ramp":
        make_ramp(argv[1], argv[2])
    elif len(argv) >= 3 and argv[0] == "bias":
        bias(argv[1], argv[2])
    elif len(argv) >= 4 and argv[0] == "compare":
        compare(argv[1], argv[2], argv[3])
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
