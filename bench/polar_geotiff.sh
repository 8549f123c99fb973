#!/usr/bin/env bash
# Polar-stereographic GeoTIFF throughput: vardane-cli reprojecting a full
# 3600 x 1800 global grid to north and south polar-stereographic GeoTIFFs,
# against two gdalwarp -t_srs runs making the same two projections from the
# same grid as a latitude/longitude GeoTIFF, measured in the same run.
#
#   bench/polar_geotiff.sh [--build DIR] [--runs N] [--keep] [KIND]
#
# KIND is a global gridded synthetic product (default GSMAP_HOURLY), written
# with --full. The CLI runs RUNS times with
#   vardane-cli --geotiff --pace 0 -q --settings F -o OUT FILE
# where F asks for north and south polar output ("Projection: 1"), and RUNS
# times with the built-in settings (the latitude/longitude GeoTIFF only), so
# that the cost of the polar output can be told from that of reading the
# product. The latitude/longitude GeoTIFF is also the input of gdalwarp,
# which runs RUNS times, north and south one after the other (nearest
# neighbour, as the CLI). Prints the median wall and CPU (user + system)
# seconds of each, the ratio polar CLI / gdalwarp (below 1 means the CLI is
# faster; the CLI's time includes reading the product), the ratio of the
# polar output's own share (polar run minus latitude/longitude run) to
# gdalwarp, and the peak resident memory (/usr/bin/time -v).
set -euo pipefail

source "$(dirname "$0")/bench_common.sh"
runs=5
bench_options "$@"
kind="GSMAP_HOURLY"
for arg in "${bench_args[@]}"; do
  case "$arg" in
    -*) echo "unknown option $arg" >&2; exit 2 ;;
    *) kind="$arg" ;;
  esac
done
bench_find_tools /usr/bin/time gdalwarp gdalinfo

bench_work_dir vardane-polar-bench

# The projections the CLI writes.
north_srs="+proj=stere +lat_0=90.0 +lon_0=0.0 +k=1 +x_0=0 +y_0=0 +datum=WGS84 +units=m +no_defs"
south_srs="+proj=stere +lat_0=-90.0 +lon_0=0.0 +k=1 +x_0=0 +y_0=0 +datum=WGS84 +units=m +no_defs"

mkdir -p "$work/in" "$work/eqr" "$work/out" "$work/gdal"
input="$work/in/${kind,,}.h5"
"$synth" "$kind" "$input" --full >"$work/synth.log" 2>&1 || { echo "vardane-synth failed (see $work/synth.log)" >&2; exit 1; }

# Settings: the built-in ones with polar output, north and south, for every
# kind of product (the key-and-value projection line is read under any marker).
"$cli" --list-options >"$work/eqr.dat"
awk '{ print } /^#/ && $0 != "#NONE" { print "\tProjection: 1" }' "$work/eqr.dat" | grep -v $'^\tProjection: 0$' >"$work/polar.dat"

# The latitude/longitude GeoTIFF that gdalwarp starts from.
"$cli" --geotiff --pace 0 -q --settings "$work/eqr.dat" -o "$work/eqr" "$input" >"$work/eqr.log" 2>&1 || true
eqr="$(find "$work/eqr" -maxdepth 1 -name '*.tif' | sort | head -1)"
[ -n "$eqr" ] || { echo "the CLI wrote no latitude/longitude GeoTIFF (see $work/eqr.log)" >&2; exit 1; }
size="$(gdalinfo "$eqr" | awk '/^Size is/ { gsub(",", ""); print $3 "x" $4 }')"

# measure NAME COMMAND...: RUNS timed runs; sets NAME_wall, NAME_cpu (medians)
# and NAME_peak (kB, largest).
measure() {
  local name="$1"; shift
  local walls=() cpus=() mems=() w c m
  for ((i = 0; i < runs; i++)); do
    rm -rf "$work/out" "$work/gdal"; mkdir -p "$work/out" "$work/gdal"
    /usr/bin/time -v -o "$work/$name.time" "$@" >"$work/$name.log" 2>&1 || true
    read -r w c m < <(time_report_cpu "$work/$name.time")
    walls+=("$w"); cpus+=("$c"); mems+=("$m")
  done
  printf -v "${name}_wall" '%s' "$(printf '%s\n' "${walls[@]}" | median)"
  printf -v "${name}_cpu" '%s' "$(printf '%s\n' "${cpus[@]}" | median)"
  printf -v "${name}_peak" '%s' "$(printf '%s\n' "${mems[@]}" | max_of)"
}

measure eqrcli "$cli" --geotiff --pace 0 -q --settings "$work/eqr.dat" -o "$work/out" "$input"
measure polar "$cli" --geotiff --pace 0 -q --settings "$work/polar.dat" -o "$work/out" "$input"
made=$(find "$work/out" -maxdepth 1 -name '*_[NS].tif' | wc -l)
[ "$made" -gt 0 ] || { echo "the CLI wrote no polar GeoTIFF (see $work/polar.log)" >&2; exit 1; }
sizes=""
for f in "$work/out"/*_[NS].tif; do
  sizes+="$(basename "$f") $(gdalinfo "$f" | awk '/^Size is/ { gsub(",", ""); print $3 "x" $4 }'); "
done
measure gdal bash -c '
  gdalwarp -q -overwrite -r near -t_srs "$2" "$1" "$4/north.tif" &&
  gdalwarp -q -overwrite -r near -t_srs "$3" "$1" "$4/south.tif"' _ "$eqr" "$north_srs" "$south_srs" "$work/gdal"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
mb() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
echo "$kind $size, $made polar GeoTIFFs, median of $runs runs"
printf '%-34s %8s %8s %10s\n' run wall_s cpu_s peak_MB
printf '%-34s %8s %8s %10s\n' "vardane-cli polar (north, south)" "$polar_wall" "$polar_cpu" "$(mb "$polar_peak")"
printf '%-34s %8s %8s %10s\n' "vardane-cli lat/lon only" "$eqrcli_wall" "$eqrcli_cpu" "$(mb "$eqrcli_peak")"
printf '%-34s %8s %8s %10s\n' "gdalwarp north + south" "$gdal_wall" "$gdal_cpu" "$(mb "$gdal_peak")"
polar_share_wall=$(awk -v a="$polar_wall" -v b="$eqrcli_wall" 'BEGIN { printf "%.3f", a - b }')
polar_share_cpu=$(awk -v a="$polar_cpu" -v b="$eqrcli_cpu" 'BEGIN { printf "%.3f", a - b }')
echo "ratio polar CLI / gdalwarp:            wall $(ratio "$polar_wall" "$gdal_wall"), cpu $(ratio "$polar_cpu" "$gdal_cpu")"
echo "ratio polar share / gdalwarp:          wall $(ratio "$polar_share_wall" "$gdal_wall"), cpu $(ratio "$polar_share_cpu" "$gdal_cpu")"
echo "sizes: ${sizes}gdalwarp north.tif $(gdalinfo "$work/gdal/north.tif" | awk '/^Size is/ { gsub(",", ""); print $3 "x" $4 }')"
