#!/usr/bin/env bash
# Swath regridding throughput: vardane-cli --geotiff on a full-size synthetic
# AMSR2 L1B (2040 scans, 16 channels onto the 3600 x 1800 global grid) against
# gdalwarp -geoloc of the same 16 channels, measured in the same run on the
# same machine.
#
#   bench/swath_geotiff.sh [--build DIR] [--runs N] [--keep]
#
# The CLI runs RUNS times with the built-in settings (every channel selected):
#   vardane-cli --geotiff --pace 0 -q --settings BUILTIN -o OUT FILE
# gdalwarp runs RUNS times over the 16 channels, each a VRT carrying the
# geolocation of the file's 89 GHz A latitude/longitude datasets (every
# second sample for the low-frequency channels), nearest neighbour onto the
# same grid. When python3 has pyresample and h5py (Debian python3-satpy
# brings both) the same 16 channels are also resampled with
# pyresample's nearest-neighbour kd-tree, once.
# Prints the median wall time of each, the ratio CLI / gdalwarp (the target
# is 0.1 or less) and the peak resident memory of each (/usr/bin/time -v).
set -euo pipefail

source "$(dirname "$0")/bench_common.sh"
runs=3
bench_options "$@"
bench_no_more_args
bench_find_tools /usr/bin/time gdalwarp gdalinfo

bench_work_dir vardane-bench-swath

megabytes() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }

input="$work/amsr2_l1b.h5"
"$synth" AMSR2_L1B "$input" --full >"$work/synth.log" 2>&1 || { echo "vardane-synth failed (see $work/synth.log)" >&2; exit 1; }
# The built-in settings, as the CLI lists them when no settings file of the
# user's exists.
mkdir -p "$work/config"
XDG_CONFIG_HOME="$work/config" HOME="$work/config" "$cli" --list-options >"$work/builtin.dat"

# --- vardane-cli
cli_times=(); cli_mem=()
for ((i = 0; i < runs; i++)); do
  rm -rf "$work/out"; mkdir -p "$work/out"
  /usr/bin/time -v -o "$work/cli.time" "$cli" --geotiff --pace 0 -q --settings "$work/builtin.dat" \
    -o "$work/out" "$input" >"$work/cli.log" 2>&1 || true
  read -r t m < <(time_report "$work/cli.time")
  cli_times+=("$t"); cli_mem+=("$m")
done
written=$(find "$work/out" -maxdepth 1 -name '*.proj.tif' | wc -l)
[ "$written" -gt 0 ] || { echo "the CLI wrote no window (see $work/cli.log)" >&2; exit 1; }

# --- gdalwarp -geoloc: one VRT per channel with the 89 GHz A geolocation.
subdataset() { # name fragment -> subdataset name
  gdalinfo "$input" 2>/dev/null | sed -n 's/^ *SUBDATASET_[0-9]*_NAME=//p' | grep -F "$1" | head -1
}
lat=$(subdataset "Latitude_of_Observation_Point_for_89A")
lon=$(subdataset "Longitude_of_Observation_Point_for_89A")
mapfile -t channels < <(gdalinfo "$input" 2>/dev/null | sed -n 's/^ *SUBDATASET_[0-9]*_NAME=//p' | grep -F "Brightness_Temperature")
[ ${#channels[@]} -eq 16 ] && [ -n "$lat" ] && [ -n "$lon" ] || { echo "unexpected datasets in $input" >&2; exit 1; }
mkdir -p "$work/vrt"
for ((k = 0; k < ${#channels[@]}; k++)); do
  src="${channels[k]}"
  # The 89 GHz channels have the geolocation's own width; the others take
  # every second A sample.
  width=$(gdalinfo "$src" 2>/dev/null | awk '/^Size is/ { gsub(",", ""); print $3 }')
  step=1; [ "$width" -lt 400 ] && step=2
  gdal_translate -q -of VRT "$src" "$work/vrt/$k.vrt"
  python3 - "$work/vrt/$k.vrt" "$lon" "$lat" "$step" <<'EOF'
import sys
from xml.sax.saxutils import escape
path, lon, lat, step = sys.argv[1:]
text = open(path).read()
meta = f'''  <Metadata domain="GEOLOCATION">
    <MDI key="X_DATASET">{escape(lon)}</MDI>
    <MDI key="X_BAND">1</MDI>
    <MDI key="Y_DATASET">{escape(lat)}</MDI>
    <MDI key="Y_BAND">1</MDI>
    <MDI key="PIXEL_OFFSET">0</MDI>
    <MDI key="PIXEL_STEP">{step}</MDI>
    <MDI key="LINE_OFFSET">0</MDI>
    <MDI key="LINE_STEP">1</MDI>
    <MDI key="SRS">EPSG:4326</MDI>
  </Metadata>
'''
at = text.index('>', text.index('<VRTDataset')) + 1
open(path, 'w').write(text[:at] + '\n' + meta + text[at:])
EOF
done
gdal_times=(); gdal_mem=()
for ((i = 0; i < runs; i++)); do
  rm -rf "$work/gdal"; mkdir -p "$work/gdal"
  /usr/bin/time -v -o "$work/gdal.time" bash -c '
    for v in "$1"/*.vrt; do
      gdalwarp -q -overwrite -geoloc -t_srs EPSG:4326 -te -180 -90 180 90 -ts 3600 1800 -r near \
        -dstnodata 65535 -of GTiff "$v" "$2/$(basename "$v" .vrt).tif" || exit 1
    done' _ "$work/vrt" "$work/gdal" >"$work/gdal.log" 2>&1 || { echo "gdalwarp failed (see $work/gdal.log)" >&2; exit 1; }
  read -r t m < <(time_report "$work/gdal.time")
  gdal_times+=("$t"); gdal_mem+=("$m")
done

# --- pyresample nearest neighbour (what satpy resamples with), when present.
satpy_t="n/a"; satpy_m="n/a"
if python3 -c 'import pyresample, h5py' >/dev/null 2>&1; then
  if /usr/bin/time -v -o "$work/satpy.time" python3 - "$input" >"$work/satpy.log" 2>&1 <<'EOF'
import sys
import h5py
import numpy as np
from pyresample import geometry, kd_tree
f = h5py.File(sys.argv[1], "r")
lat = f["Latitude of Observation Point for 89A"][:]
lon = f["Longitude of Observation Point for 89A"][:]
area = geometry.AreaDefinition("global", "global", "latlon", "EPSG:4326", 3600, 1800, (-180, -90, 180, 90))
for name in f:
    if not name.startswith("Brightness Temperature"):
        continue
    data = f[name][:]
    la, lo = (lat, lon) if data.shape[1] == lat.shape[1] else (lat[:, ::2], lon[:, ::2])
    swath = geometry.SwathDefinition(lons=lo, lats=la)
    kd_tree.resample_nearest(swath, data, area, radius_of_influence=20000, fill_value=65535)
EOF
  then
    read -r satpy_t satpy_m < <(time_report "$work/satpy.time")
    satpy_m=$(megabytes "$satpy_m")
  fi
fi

cli_med=$(printf '%s\n' "${cli_times[@]}" | median)
gdal_med=$(printf '%s\n' "${gdal_times[@]}" | median)
ratio=$(awk -v a="$cli_med" -v b="$gdal_med" 'BEGIN { if (b > 0) printf "%.3f", a / b; else print "n/a" }')
satpy_ratio=$(awk -v a="$cli_med" -v b="$satpy_t" 'BEGIN { if (b + 0 > 0) printf "%.1f", b / a; else print "n/a" }')
printf '%-10s %9s %9s %12s %12s %14s %9s %12s %14s\n' windows cli_s gdal_s cli/gdal cli_peak_MB gdal_peak_MB \
  pyres_s pyres_peak_MB pyres/cli
printf '%-10s %9s %9s %12s %12s %14s %9s %12s %14s\n' "$written" "$cli_med" "$gdal_med" "$ratio" \
  "$(megabytes "$(printf '%s\n' "${cli_mem[@]}" | max_of)")" "$(megabytes "$(printf '%s\n' "${gdal_mem[@]}" | max_of)")" \
  "$satpy_t" "$satpy_m" "$satpy_ratio"
