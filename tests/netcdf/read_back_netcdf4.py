"""Reads an L1B copy with netCDF4-python, masking and scaling on, as users'
tools read it: unsigned data, valid ranges and fill values must agree."""
import sys

import netCDF4
import numpy

with netCDF4.Dataset(sys.argv[1]) as ds:
    ds.set_auto_maskandscale(True)
    bt = ds["Brightness_Temperature__10_7GHz_V_"][:]
    assert not numpy.ma.is_masked(bt[0, 0]), "a count of 25000 is masked"
    assert abs(float(bt[0, 0]) - 250.0) < 1e-4, f"25000 reads {bt[0, 0]}"
    assert numpy.ma.is_masked(bt[0, 1]), "the fill value 65535 is not masked"
    assert numpy.ma.is_masked(bt[0, 2]), "999 below the valid range is not masked"

    quality = ds["Pixel_Data_Quality_6_to_36"][:]
    assert not numpy.ma.is_masked(quality[0, 0]) and int(quality[0, 0]) == 200, f"flag 200 reads {quality[0, 0]}"

    sps = ds["SPS_Temperature_Count"][:]
    assert not numpy.ma.is_masked(sps[0, 0]) and int(sps[0, 0]) == 40000, f"count 40000 reads {sps[0, 0]}"

    lat = ds["lat"][:]
    assert lat.shape[1] * 2 == ds.dimensions["For89ASamples"].size
print("read back")
