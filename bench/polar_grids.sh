#!/usr/bin/env bash
# Polar grids of --polar-grid against gdalwarp, in one interleaved run.
#
#   bench/polar_grids.sh [--build DIR] [--runs N] [--keep]
#
# Inputs: a GSMaP hourly grid and an AMSR2 L3 0.1 degree latitude/longitude
# grid, full size. Each round runs, one after the other:
#   latlon   vardane-cli --geotiff (the latitude/longitude GeoTIFFs alone)
#   native   vardane-cli --geotiff --polar-grid native (the same files plus
#            north and south at the grids' own resolution)
#   warp     two gdalwarp runs per grid from the latitude/longitude GeoTIFF,
#            onto the native outputs' system, extent and size (-r bilinear)
#   quick    vardane-cli --geotiff with the polar projection setting (the
#            quick look, north and south, of the GSMaP grid)
#   qwarp    two gdalwarp runs from the GSMaP latitude/longitude GeoTIFF
#            onto the quick look's own system, extent and size (-r near)
# Prints the medians and the two ratios the targets name:
#   native / (latlon + warp)        goal 1.0 or less; peak native / latlon 2 or less
#   (quick - latlon of GSMaP) / qwarp   goal 0.5 or less
set -euo pipefail

source "$(dirname "$0")/bench_common.sh"
runs=3
bench_options "$@"
bench_no_more_args
bench_find_tools gdalwarp gdalinfo gdalsrsinfo awk
bench_work_dir polar-grids

mkdir -p "$work/in"
gsmap="$work/in/gsmap.h5"
amsr2="$work/in/amsr2_l3.h5"
"$synth" GSMAP_HOURLY "$gsmap" --full >/dev/null
"$synth" AMSR2_L3_BT "$amsr2" --full --set grid=latlon_0.1 >/dev/null

# Settings with the polar projection for every kind (the key-and-value line
# is read under any marker): the quick look of the GSMaP grid.
"$cli" --list-options | awk '{ print } /^#/ && $0 != "#NONE" { print "\tProjection: 1" }' |
  grep -v $'^\tProjection: 0$' >"$work/polar.dat"

cli_run() { local out="$1"; shift; rm -rf "$out"; mkdir -p "$out"; "$cli" -q --geotiff -o "$out" "$@"; }

# The grids gdalwarp is to match, from one run of each kind.
cli_run "$work/ref-native" --polar-grid native "$gsmap" "$amsr2"
cli_run "$work/ref-quick" --settings "$work/polar.dat" "$gsmap"

# warp_like SOURCE LIKE OUT METHOD: gdalwarp onto LIKE's system, extent, size.
warp_like() {
  local info te ts
  info=$(gdalinfo "$2")
  ts=$(awk '/^Size is/ { gsub(",", ""); print $3, $4 }' <<<"$info")
  te=$(awk -v w="${ts% *}" -v h="${ts#* }" '
    /^Origin/ { gsub(/[(),]/, " "); x = $3; y = $4 }
    /^Pixel Size/ { gsub(/[(),]/, " "); dx = $4; dy = $5 }
    END { printf "%.6f %.6f %.6f %.6f", x, y + h * dy, x + w * dx, y }' <<<"$info")
  # shellcheck disable=SC2086 # te and ts are lists of numbers
  gdalwarp -q -overwrite -t_srs "$(gdalsrsinfo -o wkt1 --single-line "$2")" -te $te -ts $ts -r "$4" "$1" "$3"
}
warp_native() {
  local stem
  for stem in gsmap_PRC amsr2_l3_BT_H; do
    warp_like "$work/ref-native/$stem.tif" "$work/ref-native/${stem}_N.tif" "$work/w/${stem}_N.tif" bilinear
    warp_like "$work/ref-native/$stem.tif" "$work/ref-native/${stem}_S.tif" "$work/w/${stem}_S.tif" bilinear
  done
}
warp_quick() {
  warp_like "$work/ref-native/gsmap_PRC.tif" "$work/ref-quick/gsmap_PRC_N.tif" "$work/w/q_N.tif" near
  warp_like "$work/ref-native/gsmap_PRC.tif" "$work/ref-quick/gsmap_PRC_S.tif" "$work/w/q_S.tif" near
}
export -f cli_run warp_like warp_native warp_quick
export cli work gsmap amsr2
mkdir -p "$work/w"

for ((i = 0; i < runs; i++)); do
  measure "$work/latlon-$i" "$work/latlon.log" bash -c 'cli_run "$work/o" "$gsmap" "$amsr2"'
  measure "$work/native-$i" "$work/native.log" bash -c 'cli_run "$work/o" --polar-grid native "$gsmap" "$amsr2"'
  measure "$work/warp-$i" "$work/warp.log" bash -c warp_native
  measure "$work/gslatlon-$i" "$work/gslatlon.log" bash -c 'cli_run "$work/o" "$gsmap"'
  measure "$work/quick-$i" "$work/quick.log" bash -c 'cli_run "$work/o" --settings "$work/polar.dat" "$gsmap"'
  measure "$work/qwarp-$i" "$work/qwarp.log" bash -c warp_quick
done

med() { cat "$work/$1"-[0-9] | awk -v f="$2" '{ print $f }' | median; }
big() { cat "$work/$1"-[0-9] | awk '{ print $3 }' | max_of; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }

echo "inputs: GSMaP hourly $(gdalinfo "$work/ref-native/gsmap_PRC.tif" | awk '/^Size is/ { print $3 $4 }')," \
  "AMSR2 L3 $(gdalinfo "$work/ref-native/amsr2_l3_BT_H.tif" | awk '/^Size is/ { print $3 $4 }'); median of $runs rounds"
echo "native north: $(gdalinfo "$work/ref-native/gsmap_PRC_N.tif" | awk '/^Size is/ { print $3 $4 }') (GSMaP)," \
  "$(gdalinfo "$work/ref-native/amsr2_l3_BT_H_N.tif" | awk '/^Size is/ { print $3 $4 }') (AMSR2);" \
  "quick look north: $(gdalinfo "$work/ref-quick/gsmap_PRC_N.tif" | awk '/^Size is/ { print $3 $4 }')"
printf '%-40s %8s %8s %9s\n' run wall_s cpu_s peak_MB
for run in latlon native warp gslatlon quick qwarp; do
  printf '%-40s %8s %8s %9s\n' "$run" "$(med "$run" 1)" "$(med "$run" 2)" \
    "$(awk -v k="$(big "$run")" 'BEGIN { printf "%.1f", k / 1024 }')"
done
sum=$(awk -v a="$(med latlon 1)" -v b="$(med warp 1)" 'BEGIN { print a + b }')
share=$(awk -v a="$(med quick 1)" -v b="$(med gslatlon 1)" 'BEGIN { print a - b }')
echo "native / (latlon + warp):            wall $(ratio "$(med native 1)" "$sum")  (goal <= 1.0)"
echo "peak native / latlon:                $(ratio "$(big native)" "$(big latlon)")  (goal <= 2)"
echo "quick-look share / qwarp:            wall $(ratio "$share" "$(med qwarp 1)")  (goal <= 0.5)"
echo "load average $(load_average)"
