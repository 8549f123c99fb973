#!/usr/bin/env bash
# Swath regridding against two independent regridders, each given the
# geolocation the product assigns to each channel: the 89 GHz A and B
# channels their own horn's latitude/longitude, the low frequencies the
# co-registered positions between 89 GHz A samples 2i and 2i + 1 (from the
# file's CoRegistrationParameterA1/A2; bench/swath_tools.py).
#
#   bench/swath_geotiff.sh [--build DIR] [--runs N] [--keep]
#
# Two synthetic AMSR2 L1B inputs, 16 channels each onto the 0.1-degree grid:
#   full    a whole half-orbit granule (2040 scans, across the date line and
#           both turns): vardane-cli --geotiff against pyresample nearest
#           neighbour (what satpy resamples with), one k-d tree per
#           geolocation (8) shared by its channels;
#   subset  320 real scans at 34-63 N, 144-175 E (first_scan=1340), where
#           gdalwarp -geoloc works: the CLI against gdalwarp -geoloc -r near
#           onto the swath's extent on the same grid (geolocation arrays at
#           pixel centres) and against pyresample.
# The tools run in interleaved rounds (CLI, pyresample, then on the subset CLI,
# gdalwarp, pyresample), RUNS times; the table gives the median wall and CPU
# time and the peak resident memory of each (/usr/bin/time -v) and the
# ratios the targets are set for (CLI / gdalwarp at most 0.1 on the subset,
# pyresample / CLI at least 20 on the full granule).
# Then the outputs are compared pixel by pixel, 16 channels: coverage (pixels
# filled by A / by B, and filled by both / by B) and the mean absolute
# difference in kelvin where both are filled. The positional bias of each tool
# comes from copies of the inputs whose H channels hold their footprints'
# latitude and V channels their longitude (0.01 degree a count), regridded
# once by each tool and read back at every pixel centre: the mean shift in
# pixels, south and east, of the 12 co-registered and of the 4 89 GHz
# channels (below 60 degrees of latitude, away from the date line).
# Needs /usr/bin/python3 with GDAL, NumPy, h5py and pyresample
# (scripts/install-deps).
set -euo pipefail

source "$(dirname "$0")/bench_common.sh"
runs=3
bench_options "$@"
bench_no_more_args
bench_find_tools /usr/bin/time /usr/bin/python3 gdalwarp
py=/usr/bin/python3
tools="$(cd "$(dirname "$0")" && pwd)/swath_tools.py"
"$py" -c 'import numpy, h5py, pyresample, osgeo.gdal' 2>/dev/null \
  || { echo "missing: python3-pyresample, -h5py, -gdal or -numpy for $py (run scripts/install-deps)" >&2; exit 2; }

bench_work_dir vardane-bench-swath

megabytes() { awk -v k="$1" 'BEGIN { printf "%.0f", k / 1024 }'; }

full="$work/full.h5"
subset="$work/subset.h5"
"$synth" AMSR2_L1B "$full" --full >"$work/synth.log" 2>&1 \
  && "$synth" AMSR2_L1B "$subset" --set first_scan=1340 --set scans=320 >>"$work/synth.log" 2>&1 \
  || { echo "vardane-synth failed (see $work/synth.log)" >&2; exit 1; }
# The built-in settings (every channel selected), as the CLI lists them when
# no settings file of the user's exists.
mkdir -p "$work/config" "$work/warp"
XDG_CONFIG_HOME="$work/config" HOME="$work/config" "$cli" --list-options >"$work/builtin.dat"
# gdalwarp's inputs: a VRT per channel with its geolocation arrays (not timed).
"$py" "$tools" warp-inputs "$subset" "$work/warp"
read -r -a extent <"$work/warp/extent"

# One timed step: name, output folder, command... Appends "wall cpu kB" to
# $work/NAME.times; the folder is emptied first and kept for the comparison.
step() {
  local name="$1" out="$2"
  shift 2
  rm -rf "$out"; mkdir -p "$out"
  /usr/bin/time -v -o "$work/$name.time" "$@" >"$work/$name.log" 2>&1 \
    || { echo "$name failed (see $work/$name.log)" >&2; exit 1; }
  time_report_cpu "$work/$name.time" >>"$work/$name.times"
}

warp_all() { # vrt folder, output folder, xmin ymin xmax ymax
  local v
  for v in "$1"/*.vrt; do
    gdalwarp -q -overwrite -geoloc -t_srs EPSG:4326 -te "$3" "$4" "$5" "$6" -tr 0.1 0.1 -r near \
      -srcnodata 65535 -dstnodata 65535 -of GTiff "$v" "$2/$(basename "$v" .vrt).tif" || return 1
  done
}
export -f warp_all

for ((i = 0; i < runs; i++)); do
  step cli_full "$work/cli_full" "$cli" --geotiff --pace 0 -q --settings "$work/builtin.dat" -o "$work/cli_full" "$full"
  step pyres_full "$work/pyres_full" "$py" "$tools" pyresample "$full" "$work/pyres_full"
  step cli_subset "$work/cli_subset" "$cli" --geotiff --pace 0 -q --settings "$work/builtin.dat" \
    -o "$work/cli_subset" "$subset"
  step gdal_subset "$work/gdal_subset" bash -c 'warp_all "$@"' _ "$work/warp" "$work/gdal_subset" "${extent[@]}"
  step pyres_subset "$work/pyres_subset" "$py" "$tools" pyresample "$subset" "$work/pyres_subset"
done

# median of column $2 of file $1
med() { awk -v c="$2" '{ print $c }' "$1" | median; }
peak() { megabytes "$(awk '{ print $3 }' "$1" | max_of)"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.3f", a / b; else print "n/a" }'; }

echo "speed (median of $runs interleaved rounds; 16 channels)"
printf '%-8s %-12s %9s %9s %9s\n' input tool wall_s cpu_s peak_MB
for row in "full cli_full vardane-cli" "full pyres_full pyresample" "subset cli_subset vardane-cli" \
  "subset gdal_subset gdalwarp" "subset pyres_subset pyresample"; do
  read -r input name tool <<<"$row"
  printf '%-8s %-12s %9s %9s %9s\n' "$input" "$tool" "$(med "$work/$name.times" 1)" "$(med "$work/$name.times" 2)" \
    "$(peak "$work/$name.times")"
done
cli_full=$(med "$work/cli_full.times" 1)
cli_subset=$(med "$work/cli_subset.times" 1)
echo "subset: vardane-cli / gdalwarp wall $(ratio "$cli_subset" "$(med "$work/gdal_subset.times" 1)")" \
  "(target <= 0.1); full: pyresample / vardane-cli wall $(ratio "$(med "$work/pyres_full.times" 1)" "$cli_full")" \
  "(target >= 20)"

echo
echo "outputs compared pixel by pixel (A against B)"
printf '%-28s %8s %8s %8s\n' "A / B" cover both "|dT| K"
"$py" "$tools" compare "full: cli / pyresample" "$work/cli_full" "$work/pyres_full"
"$py" "$tools" compare "subset: cli / gdalwarp" "$work/cli_subset" "$work/gdal_subset"
"$py" "$tools" compare "subset: cli / pyresample" "$work/cli_subset" "$work/pyres_subset"
"$py" "$tools" compare "subset: gdalwarp / pyresample" "$work/gdal_subset" "$work/pyres_subset"

# Positional bias: the ramp copies through every tool (not timed).
for input in full subset; do
  "$py" "$tools" ramp "$work/$input.h5" "$work/ramp_$input.h5"
  mkdir -p "$work/ramp/cli_$input" "$work/ramp/pyres_$input"
  "$cli" --geotiff --pace 0 -q --settings "$work/builtin.dat" -o "$work/ramp/cli_$input" "$work/ramp_$input.h5" \
    >"$work/ramp_cli.log" 2>&1 || { echo "the CLI failed on the ramps (see $work/ramp_cli.log)" >&2; exit 1; }
  "$py" "$tools" pyresample "$work/ramp_$input.h5" "$work/ramp/pyres_$input"
done
mkdir -p "$work/ramp/warp"
"$py" "$tools" warp-inputs "$work/ramp_subset.h5" "$work/ramp/warp"
mkdir -p "$work/ramp/gdal_subset"
warp_all "$work/ramp/warp" "$work/ramp/gdal_subset" "${extent[@]}"
echo
echo "positional bias from the ramps (pixels; + is south, east)"
printf '%-28s %8s %8s %8s %8s\n' "input: tool" low_E low_S 89_E 89_S
"$py" "$tools" bias "full: vardane-cli" "$work/ramp/cli_full"
"$py" "$tools" bias "full: pyresample" "$work/ramp/pyres_full"
"$py" "$tools" bias "subset: vardane-cli" "$work/ramp/cli_subset"
"$py" "$tools" bias "subset: gdalwarp" "$work/ramp/gdal_subset"
"$py" "$tools" bias "subset: pyresample" "$work/ramp/pyres_subset"
