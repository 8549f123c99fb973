#!/usr/bin/python3
"""vardane.open_dataset against h5py reading the same datasets, product kind by kind.

    /usr/bin/python3 bench/python_open.py [--build build] [--runs 3] [KIND...]

Writes every product kind of vardane-synth --list (full size, --layout real)
in a temporary folder, one after the other, and times in fresh child
processes of the same interpreter, interleaved run by run (imports and
once-per-process set-up, xarray's engine search and PROJ's database, done
before the clock starts; the file is in the page cache: it was just written).
Before its clock starts, each child also opens a small product of another
kind the way it is about to open the measured one, so that what a session
pays once (the first Dataset xarray builds, the libraries' first file) is
not counted against the file:

  open_dataset   vardane.open_dataset(path) with every value in memory: it
                 identifies the file, reads the selected variables and, for
                 swaths, works out their 2-D positions in C++ (co-registration
                 of the low-frequency channels, SGLI tie-point interpolation)
  engine         xr.open_dataset(path, engine="vardane") with the values of
                 its variables in memory, not those of its coordinates:
                 swath positions are worked out only when used
  samples        vardane.read_parameter of the same variables, nothing else
  positions      open_dataset - samples: the positions, identify and the
                 xarray assembly (the child also times identify alone)
  h5py           h5py.File, then ds[()] of each dataset holding a chosen
                 variable (whole, even where the variable is one plane of it),
                 then of the stored latitude/longitude datasets, every array
                 kept until the end as open_dataset keeps them; "data" is the
                 time up to the end of the variables' datasets
  fromfile       for flat binary files, numpy.fromfile of the whole image

The dataset holding each variable is found once, outside the clock, by
comparing read_parameter's array with every dataset, its planes, transposed
and flipped; the mapping is printed. Times are medians of the runs, wall
(perf_counter) / CPU (process_time) in seconds; open/h5py compares
open_dataset with h5py reading data and geolocation, samples/data
read_parameter and the engine with h5py reading the data only. HDF4 files have no h5py
counterpart and are left out. Run on demand, never in CI.
"""

import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

import h5py
import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
# Provider names the flat binary readers recognise.
FILE_NAMES = {"GSMAP_BIN": "gsmap_mvk.20220701.0000.v8.0000.0.dat", "JASMES_RAW": "JASMES_RAW.dat",
              "JASMES_HDR": "JASMES_HDR.dat"}
VIEWS = {"": lambda a: a, "transposed": lambda a: a.T, "flipped": lambda a: a[::-1],
         "transposed, flipped": lambda a: a.T[::-1],
         "columns turned by half": lambda a: np.roll(a, a.shape[-1] // 2, axis=-1)}


def chosen(vardane, path):
    info = vardane.identify(path)
    return [v for v in info["variables"] if v["selected"] and 0 <= v["index"] < info["parameters"]]


def timed(work):
    start, cpu = time.perf_counter(), time.process_time()
    work()
    return time.perf_counter() - start, time.process_time() - cpu


def child(job):
    sys.path.insert(0, os.environ["VARDANE_PYTHON"])
    import vardane

    import xarray as xr

    # Once-per-process set-up, before the clock: xarray's search for its
    # engines and PROJ's database behind the grids' coordinate system.
    xr.backends.list_engines()
    vardane._vardane.wgs84_wkt()
    path, mode, warm = job["path"], job["mode"], job["warm"]
    out = {}
    if mode == "engine":
        xr.open_dataset(warm, engine="vardane", mask_and_scale=False).load()
    elif mode == "open":
        vardane.open_dataset(warm).load()
    elif mode == "samples":
        vardane.read_parameter(warm, 0)
    elif mode == "h5py":
        with h5py.File(warm, "r") as f:
            f[job["warm_dataset"]][()]
    else:
        np.fromfile(warm, np.uint8)
    if mode == "engine":
        def work():
            ds = xr.open_dataset(path, engine="vardane", mask_and_scale=False)
            for variable in ds.data_vars.values():
                variable.values
        out["wall"], out["cpu"] = timed(work)
    elif mode == "open":
        def work():
            ds = vardane.open_dataset(path)
            ds.load()
            for variable in ds.variables.values():
                variable.values
        out["wall"], out["cpu"] = timed(work)
    elif mode == "samples":
        out["identify"], _ = timed(lambda: vardane.identify(path))
        out["wall"], out["cpu"] = timed(lambda: [vardane.read_parameter(path, i)["samples"] for i in job["indices"]])
    elif mode == "h5py":
        # The arrays are kept, as open_dataset's are: memory freed by one
        # read and taken again by the next is already mapped, fresh memory
        # for each array is not.
        held = []
        start, cpu = time.perf_counter(), time.process_time()
        with h5py.File(path, "r") as f:
            for name in job["data"]:
                held.append(f[name][()])
            out["data"], out["data_cpu"] = time.perf_counter() - start, time.process_time() - cpu
            for name in job["geo"]:
                held.append(f[name][()])
        out["wall"], out["cpu"] = time.perf_counter() - start, time.process_time() - cpu
    else:
        out["wall"], out["cpu"] = timed(lambda: np.fromfile(path, np.dtype(job["dtype"]), offset=job["offset"]))
        out["data"], out["data_cpu"] = out["wall"], out["cpu"]
    print(json.dumps(out))


def planes(a):
    """(where, 2-D plane) of an array: itself, or each plane along its
    leading or trailing axes."""
    if a.ndim <= 2:
        yield "", a
        return
    for idx in np.ndindex(a.shape[:-2]):
        yield f"[{','.join(map(str, idx))}]", a[idx]
    for idx in np.ndindex(a.shape[2:]):
        yield f"[:,:,{','.join(map(str, idx))}]", a[(slice(None), slice(None)) + idx]


def match(samples, array):
    for where, plane in planes(array):
        for view, turn in VIEWS.items():
            seen = turn(plane)
            if seen.shape == samples.shape and np.array_equal(seen, samples, equal_nan=samples.dtype.kind == "f"):
                return f"{where} {view}".strip()
    return None


def h5_counterpart(vardane, path, variables):
    """The datasets holding the variables (name -> where, how) and the stored
    latitude/longitude datasets."""
    wanted = {v["name"]: vardane.read_parameter(path, v["index"])["samples"] for v in variables}
    found = {}
    with h5py.File(path, "r") as f:
        names = []
        f.visititems(lambda n, o: names.append(n) if isinstance(o, h5py.Dataset) else None)
        geo = [n for n in names if "Latitude" in n or "Longitude" in n]
        for name in names:
            open_ones = [k for k in wanted if k not in found and f[name].size % max(wanted[k].size, 1) == 0]
            if not open_ones:
                continue
            array = f[name][()]
            for key in open_ones:
                how = match(wanted[key], array)
                if how is not None:
                    found[key] = (name, how)
            if len(found) == len(wanted):
                break
    missing = [k for k in wanted if k not in found]
    if missing:
        raise RuntimeError(f"no dataset holds {', '.join(missing)}")
    data = list(dict.fromkeys(name for name, _ in found.values()))
    return {"mode": "h5py", "data": data, "geo": geo}, found


def flat_counterpart(vardane, path, variables):
    """numpy.fromfile of the image at the end of the file, when its bytes are
    read_parameter's array as stored."""
    if len(variables) != 1:
        raise RuntimeError("not one image")
    samples = vardane.read_parameter(path, variables[0]["index"])["samples"]
    offset = os.path.getsize(path) - samples.nbytes
    for order in "<>":
        dtype = samples.dtype.newbyteorder(order)
        if offset >= 0:
            how = match(samples, np.fromfile(path, dtype, offset=offset).reshape(samples.shape))
            if how is not None:
                return {"mode": "fromfile", "dtype": dtype.str, "offset": offset}, \
                    {variables[0]["name"]: (f"{dtype.str} from byte {offset}", how)}
    raise RuntimeError(f"its {samples.dtype} samples are not the file's bytes (scaled or decoded on reading)")


def measure(job, runs, env):
    figures = []
    for _ in range(runs):
        done = subprocess.run([sys.executable, os.path.abspath(__file__), "--child", json.dumps(job)], env=env,
                              capture_output=True, text=True)
        if done.returncode != 0:
            raise RuntimeError((done.stderr.strip().splitlines() or ["child failed"])[-1])
        figures.append(json.loads(done.stdout.strip().splitlines()[-1]))
    return {k: statistics.median(f[k] for f in figures) for k in figures[0]}


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default=os.path.join(HERE, "..", "build"))
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--child", help=argparse.SUPPRESS)
    parser.add_argument("kinds", nargs="*", help="kinds to measure (default: all)")
    args = parser.parse_args()
    if args.child:
        child(json.loads(args.child))
        return
    build = os.path.abspath(args.build)
    sys.path.insert(0, os.path.join(build, "python"))
    import vardane

    env = dict(os.environ, VARDANE_PYTHON=os.path.join(build, "python"))
    synth = os.path.join(build, "tools", "synth", "vardane-synth")
    listed = subprocess.run([synth, "--list"], check=True, capture_output=True, text=True).stdout
    kinds = args.kinds or [line.split("\t")[0] for line in listed.splitlines() if line.strip()]
    print(f"{'kind':14s} {'MiB':>6s}  {'open_dataset':>13s} {'engine':>13s} {'samples':>13s} {'positions':>13s}  "
          f"{'h5py':>13s} {'h5py data':>13s}  open/h5py engine/data samples/data   "
          f"(wall/CPU s, medians of {args.runs})")
    rows = []
    with tempfile.TemporaryDirectory() as folder:
        # The small product each child opens before its clock starts.
        warm = os.path.join(folder, "warm-up.h5")
        subprocess.run([synth, "AMSR2_L2_LOW", warm], check=True, capture_output=True)
        with h5py.File(warm, "r") as f:
            warm_dataset = next(n for n in f if isinstance(f[n], h5py.Dataset) and f[n].ndim >= 2)
        for kind in kinds:
            if kind == "JASMES_HDF4":
                print(f"{kind:14s} left out: HDF4, no h5py counterpart")
                continue
            path = os.path.join(folder, FILE_NAMES.get(kind, f"{kind}.h5"))
            try:
                made = subprocess.run([synth, kind, path, "--full", "--layout", "real"], capture_output=True, text=True)
                if made.returncode != 0:
                    raise RuntimeError(f"vardane-synth: {made.stderr.strip()}")
                variables = chosen(vardane, path)
                if h5py.is_hdf5(path):
                    job, found = h5_counterpart(vardane, path, variables)
                else:
                    try:
                        job, found = flat_counterpart(vardane, path, variables)
                    except RuntimeError as error:
                        print(f"{kind:14s} left out: flat binary, no plain numpy.fromfile counterpart: {error}")
                        continue
                base = {"path": path, "warm": warm, "warm_dataset": warm_dataset}
                # Interleaved, so that a busy spell of the machine falls on every way alike.
                opened = measure(dict(base, mode="open"), args.runs, env)
                lazy = measure(dict(base, mode="engine"), args.runs, env)
                samples = measure(dict(base, mode="samples", indices=[v["index"] for v in variables]), args.runs, env)
                other = measure(dict(base, **job), args.runs, env)
            except Exception as error:  # a kind that fails is reported, the others still run
                print(f"{kind:14s} failed: {str(error).strip()}")
                continue
            finally:
                if os.path.exists(path):
                    size = os.path.getsize(path) / 2**20
                    os.remove(path)
            pair = lambda w, c: f"{w:6.3f}/{c:6.3f}"
            print(f"{kind:14s} {size:6.1f}  {pair(opened['wall'], opened['cpu'])} {pair(lazy['wall'], lazy['cpu'])} "
                  f"{pair(samples['wall'], samples['cpu'])} "
                  f"{pair(opened['wall'] - samples['wall'], opened['cpu'] - samples['cpu'])}  "
                  f"{pair(other['wall'], other['cpu'])} {pair(other['data'], other['data_cpu'])}  "
                  f"{opened['wall'] / other['wall']:9.2f} {lazy['wall'] / other['data']:11.2f} "
                  f"{samples['wall'] / other['data']:12.2f}")
            where = "; ".join(f"{k} <- {n}{(' ' + h).rstrip()}" for k, (n, h) in found.items())
            geo = f"; geolocation read: {', '.join(job['geo'])}" if job.get("geo") else ""
            print(f"{'':14s} identify {samples['identify']:.3f} s; variables ({len(variables)}): {where}{geo}")
            rows.append((kind, opened, samples, other, lazy))
    if rows:
        total = lambda figs, key: sum(f[key] for f in figs)
        o, s, h, e = ([r[i] for r in rows] for i in (1, 2, 3, 4))
        print(f"summary over {len(rows)} kinds: open_dataset {total(o, 'wall'):.2f} s, engine {total(e, 'wall'):.2f} s, "
              f"samples {total(s, 'wall'):.2f} s, h5py/fromfile {total(h, 'wall'):.2f} s (data {total(h, 'data'):.2f} s); "
              f"open/h5py {total(o, 'wall') / total(h, 'wall'):.2f}, engine/data {total(e, 'wall') / total(h, 'data'):.2f}, "
              f"samples/data {total(s, 'wall') / total(h, 'data'):.2f}; "
              f"median ratio per kind open/h5py {statistics.median(r[1]['wall'] / r[3]['wall'] for r in rows):.2f}, "
              f"engine/data {statistics.median(r[4]['wall'] / r[3]['data'] for r in rows):.2f}, "
              f"samples/data {statistics.median(r[2]['wall'] / r[3]['data'] for r in rows):.2f}")


if __name__ == "__main__":
    main()
