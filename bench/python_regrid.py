#!/usr/bin/python3
"""vardane.regrid against pyresample nearest on a full-size AMSR2 L1B orbit.

    /usr/bin/python3 bench/python_regrid.py [--build build] [--runs 3] [--keep FILE]

Writes a full-size L1B orbit (vardane-synth --full --layout real), then
regrids its 16 brightness-temperature channels onto the global 0.1-degree
grid, each way in a fresh child process of the same interpreter, so that
every run has a peak memory of its own:

  vardane      vardane.regrid of each channel (reading included)
  together     one vardane.regrid of the 16 channels (a Dataset: the
               geolocation read once, the co-registration once per band;
               all 16 grids held at the end)
  same positions
               pyresample's nearest neighbour with a 25 km radius on the
               very arrays regrid draws: each channel's samples on the
               positions vardane.open_dataset gives it (each band
               co-registered to its own footprints), worked out before the
               clock starts and outside the memory measured; the neighbour
               search once per geometry (8), one sample lookup per channel
  pyresample   pyresample's best case, doing less than regrid: the channels
               read through vardane.read_parameter (the same reader), the
               low-frequency channels put on the odd 89A samples as stored
               instead of their own footprints, so that three neighbour
               searches serve the 16 channels (low frequencies, 89A, 89B)
  per call     the same channels through pyresample's resample_nearest,
               one call per channel as scripts write it: the neighbour
               search made again for every channel
  threads      vardane.regrid of the 16 channels by two Python threads

Each result is dropped after its valid cells are counted. Printed: wall
and CPU time (medians of the runs; on a shared machine the CPU time is
the steadier figure), growth of the peak resident set over the child's
state after its imports (ru_maxrss), and tracemalloc's peak (the
allocations Python and numpy see; vardane's C++ buffers are not among them).
Run on demand, never in CI.
"""

import argparse
import functools
import json
import os
import resource
import statistics
import subprocess
import sys
import tempfile
import time
import tracemalloc
from concurrent.futures import ThreadPoolExecutor

HERE = os.path.dirname(os.path.abspath(__file__))
CHANNELS = 16
# The L1B's geolocation parameters: lat89A, lat89B, lon89A, lon89B.
LAT_A, LAT_B, LON_A, LON_B = 16, 17, 18, 19
RADIUS = 25_000.0
NODATA = 65535


def maxrss_kib():
    return resource.getrusage(resource.RUSAGE_SELF).ru_maxrss


def run_vardane(vardane, path, names):
    return [int((vardane.regrid(path, n).values != NODATA).sum()) for n in names]


def run_together(vardane, path, names):
    ds = vardane.regrid(path, names)
    return [int((ds[n].values != NODATA).sum()) for n in names]


def run_threads(vardane, path, names):
    with ThreadPoolExecutor(2) as pool:
        return list(pool.map(lambda n: int((vardane.regrid(path, n).values != NODATA).sum()), names))


# Channels by the geolocation they lie on.
GROUPS = (("low", range(12)), ("a", (12, 13)), ("b", (14, 15)))


def pyresample_inputs(vardane, path):
    """The global 0.1-degree area, a reader of the product's parameters and
    the (lons, lats) of each group of channels."""
    from pyresample import geometry

    area = geometry.AreaDefinition("global", "global 0.1 degree", "latlon",
                                   {"proj": "longlat", "datum": "WGS84"}, 3600, 1800, (-180.0, -90.0, 180.0, 90.0))
    read = lambda i: vardane.read_parameter(path, i)["samples"]
    lat_a, lon_a, lat_b, lon_b = read(LAT_A), read(LON_A), read(LAT_B), read(LON_B)
    # The low-frequency footprints lie beside every other 89A sample.
    geometries = {"low": (lon_a[:, 0::2], lat_a[:, 0::2]), "a": (lon_a, lat_a), "b": (lon_b, lat_b)}
    return area, read, geometries


def swath_of(lons, lats):
    import numpy as np
    from pyresample import geometry

    return geometry.SwathDefinition(lons=lons.astype(np.float64), lats=lats.astype(np.float64))


def run_pyresample(vardane, path, names):
    from pyresample import kd_tree

    area, read, geometries = pyresample_inputs(vardane, path)
    counts = []
    resample_time = 0.0
    for group, indices in GROUPS:
        start = time.perf_counter()
        swath = swath_of(*geometries[group])
        valid_in, valid_out, index, _ = kd_tree.get_neighbour_info(swath, area, RADIUS, neighbours=1)
        resample_time += time.perf_counter() - start
        for i in indices:
            samples = read(i)
            start = time.perf_counter()
            grid = kd_tree.get_sample_from_neighbour_info("nn", area.shape, samples, valid_in, valid_out, index,
                                                          fill_value=NODATA)
            resample_time += time.perf_counter() - start
            counts.append(int((grid != NODATA).sum()))
    run_pyresample.resample_time = resample_time
    return counts


def same_positions_inputs(vardane, path, names):
    """Each channel's samples and the (lons, lats) of its geometry, as
    open_dataset gives them: the arrays regrid draws."""
    ds = vardane.open_dataset(path, variables=names)
    by_geometry = {}
    for name in names:
        lat, lon = (next(c for c in ds[name].coords.values() if c.name.startswith(axis)) for axis in ("lat", "lon"))
        by_geometry.setdefault(lat.name, ((lon.values, lat.values), []))[1].append(ds[name].values)
    return list(by_geometry.values())


def run_same_positions(vardane, path, names, inputs):
    from pyresample import geometry, kd_tree

    area = geometry.AreaDefinition("global", "global 0.1 degree", "latlon",
                                   {"proj": "longlat", "datum": "WGS84"}, 3600, 1800, (-180.0, -90.0, 180.0, 90.0))
    counts = []
    for positions, channels in inputs:
        valid_in, valid_out, index, _ = kd_tree.get_neighbour_info(swath_of(*positions), area, RADIUS, neighbours=1)
        for samples in channels:
            grid = kd_tree.get_sample_from_neighbour_info("nn", area.shape, samples, valid_in, valid_out, index,
                                                          fill_value=NODATA)
            counts.append(int((grid != NODATA).sum()))
    return counts


def run_per_call(vardane, path, names):
    from pyresample import kd_tree

    area, read, geometries = pyresample_inputs(vardane, path)
    counts = []
    for group, indices in GROUPS:
        for i in indices:
            grid = kd_tree.resample_nearest(swath_of(*geometries[group]), read(i), area, radius_of_influence=RADIUS,
                                            fill_value=NODATA)
            counts.append(int((grid != NODATA).sum()))
    return counts


def child(mode, path):
    sys.path.insert(0, os.environ["VARDANE_PYTHON"])
    import numpy  # noqa: F401  (imported before the baseline, as by both ways)
    import vardane

    names = [v["name"] for v in vardane.identify(path)["variables"] if 0 <= v["index"] < CHANNELS]
    if mode in ("pyresample", "per call", "same positions"):
        import pyresample.kd_tree  # noqa: F401
    work = {"vardane": run_vardane, "together": run_together, "same positions": run_same_positions,
            "pyresample": run_pyresample, "per call": run_per_call, "threads": run_threads}[mode]
    if mode == "same positions":
        # pyresample is handed the positions: worked out before the clock
        # starts and the memory baseline is taken.
        work = functools.partial(work, inputs=same_positions_inputs(vardane, path, names))
    base = maxrss_kib()
    tracemalloc.start()
    start = time.perf_counter()
    cpu = time.process_time()
    counts = work(vardane, path, names)
    wall = time.perf_counter() - start
    cpu = time.process_time() - cpu
    _, traced = tracemalloc.get_traced_memory()
    result = {"wall": wall, "cpu": cpu, "rss_growth_mib": (maxrss_kib() - base) / 1024.0, "peak_rss_mib": maxrss_kib() / 1024.0,
              "traced_mib": traced / 2**20, "channels": len(counts), "valid": sum(counts)}
    if mode == "pyresample":
        result["resample_only"] = run_pyresample.resample_time
    print(json.dumps(result))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default=os.path.join(HERE, "..", "build"))
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--keep", help="write the orbit here and keep it")
    parser.add_argument("--child", help=argparse.SUPPRESS)
    parser.add_argument("path", nargs="?", help=argparse.SUPPRESS)
    args = parser.parse_args()
    if args.child:
        child(args.child, args.path)
        return
    build = os.path.abspath(args.build)
    env = dict(os.environ, VARDANE_PYTHON=os.path.join(build, "python"))
    with tempfile.TemporaryDirectory() as folder:
        path = args.keep or os.path.join(folder, "GW1AM2_full_L1SGBTBR.h5")
        subprocess.run([os.path.join(build, "tools", "synth", "vardane-synth"), "AMSR2_L1B", path, "--full",
                        "--layout", "real"], check=True)
        print(f"orbit: {path} ({os.path.getsize(path) / 2**20:.1f} MiB), {CHANNELS} channels, "
              f"global 0.1-degree grid (3600 x 1800)")
        figures = {}
        for mode in ("vardane", "together", "same positions", "pyresample", "per call", "threads"):
            runs = []
            for _ in range(args.runs):
                done = subprocess.run([sys.executable, os.path.abspath(__file__), "--child", mode, path], env=env,
                                      capture_output=True, text=True, check=True)
                runs.append(json.loads(done.stdout.strip().splitlines()[-1]))
            figures[mode] = {k: statistics.median(r[k] for r in runs) for k in runs[0]}
        for mode, f in figures.items():
            extra = f", resampling only {f['resample_only']:.2f} s" if "resample_only" in f else ""
            print(f"{mode:14s} wall {f['wall']:6.2f} s (CPU {f['cpu']:.2f} s){extra}; peak RSS {f['peak_rss_mib']:6.0f} MiB "
                  f"(+{f['rss_growth_mib']:.0f} MiB over the imports); tracemalloc peak {f['traced_mib']:.0f} MiB; "
                  f"{int(f['valid'])} valid cells")
        t = figures["threads"]
        for baseline in ("same positions", "pyresample", "per call"):
            p = figures[baseline]
            for name in ("vardane", "together"):
                v = figures[name]
                print(f"{baseline} / {name}: {p['wall'] / v['wall']:.1f}x the time ({p['cpu'] / v['cpu']:.1f}x the CPU), "
                      f"{p['rss_growth_mib'] / max(v['rss_growth_mib'], 1e-9):.1f}x the memory growth")
        print(f"two threads / one after the other: {t['wall'] / figures['vardane']['wall']:.2f} of the time")


if __name__ == "__main__":
    main()
