#!/usr/bin/env bash
# GeoTIFF output profiles: bytes and wall time of vardane-cli's
# --geotiff-profile plain, compressed and cog, and our cog against the way a
# user gets a COG without it.
#
#   bench/geotiff_profiles.sh [--build DIR] [--runs N] [--small] [--keep]
#
# 1. The README demo's inputs (scripts/demo's kinds, full size; the
#    generator's small default with --small), converted as the demo does
#    (--geotiff --kmz --tiff-text --netcdf), once per profile: median wall
#    time, bytes of all outputs and of the GeoTIFFs.
# 2. One GSMaP hourly, one AMSR2 L1B and one SGLI tile: our
#    --geotiff-profile cog run against our plain run followed by
#    gdal_translate -of COG of each GeoTIFF, with the compression our COGs
#    carry (DEFLATE when there are none), PREDICTOR=YES and average
#    overviews. It prints both wall times (medians), their ratio (ours / two
#    steps; the goal is 0.7 or less) and both byte totals (goal: within 5 %).
# Without --geotiff-profile in vardane-cli (before the profiles exist) only
# plain is measured in 1, and in 2 only the two-step side.
set -euo pipefail

source "$(dirname "$0")/bench_common.sh"
runs=3
bench_options "$@"
size=(--full)
for arg in "${bench_args[@]}"; do
  case "$arg" in
    --small) size=() ;;
    *) echo "unknown argument $arg" >&2; exit 2 ;;
  esac
done
bench_find_tools /usr/bin/time awk gdal_translate gdalinfo
bench_work_dir geotiff-profiles

profiles=(plain)
if "$cli" --help | grep -q -- '--geotiff-profile'; then
  profiles=(plain compressed cog)
  has_profiles=1
else
  has_profiles=0
  echo "note: $cli has no --geotiff-profile yet: plain only"
fi

# Bytes of the files directly in a folder matching a pattern.
bytes_of() { find "$1" -maxdepth 1 -type f -name "$2" -printf '%s\n' | awk '{ s += $1 } END { printf "%.0f\n", s }'; }

# median_wall NAME: the median wall time of the runs measured as NAME-*.
median_wall() { cat "$work/$1"-*.time | cut -d' ' -f1 | median; }

# converts OUT ARGS...: an empty OUT, then vardane-cli into it.
convert() {
  local out="$1"; shift
  rm -rf "$out"; mkdir -p "$out"
  "$cli" -q -o "$out" "$@" || [ $? -eq 1 ] # a failed output is shown in the figures, not fatal
}
# measure runs programs: the functions reach it through bash.
export -f convert
export cli

# --- 1. the demo's inputs, each profile ---
demo_in="$work/demo-in"
mkdir -p "$demo_in"
# As scripts/demo writes them.
for product in "AMSR2_L1B amsr2_l1b_swath.h5" "AMSR2_L3_GD amsr2_l3_sst_grid.h5 --set geo=SST" \
            "GSMAP_HOURLY gsmap_hourly.h5" "GSMAP_BIN gsmap_hourly_flat.dat" "DPR_DAILY dpr_daily_grid.h5" \
            "SGLI_VNR sgli_vnr_scene.h5" "SGLI_LTOA sgli_ltoa_tile.h5" "JASMES_RAW jasmes_global.dat"; do
  read -r kind file extra <<<"$product"
  # shellcheck disable=SC2086 # extra holds the options of one kind
  "$synth" "$kind" "$demo_in/$file" "${size[@]}" $extra >/dev/null
done
echo "demo inputs: $(bytes_of "$demo_in" '*') bytes"
printf '%-11s %10s %16s %16s\n' profile wall_s all_bytes geotiff_bytes
for profile in "${profiles[@]}"; do
  option=()
  [ "$has_profiles" -eq 1 ] && option=(--geotiff-profile "$profile")
  for ((i = 0; i < runs; i++)); do
    measure "$work/demo-$profile-$i.time" "$work/demo-$profile.log" \
      bash -c 'convert "$@"' convert "$work/demo-out" "${option[@]}" --geotiff --kmz --tiff-text --netcdf "$demo_in"
  done
  printf '%-11s %10s %16s %16s\n' "$profile" "$(median_wall "demo-$profile")" \
    "$(bytes_of "$work/demo-out" '*')" "$(bytes_of "$work/demo-out" '*.tif')"
done

# --- 2. our cog against plain + gdal_translate -of COG ---
# two_step OUT FILE: plain GeoTIFFs, then each made a COG by GDAL.
two_step() {
  local out="$1" file="$2" tif
  convert "$out" --geotiff "$file"
  mkdir -p "$out/cog"
  for tif in "$out"/*.tif; do
    gdal_translate -q -of COG -co "COMPRESS=$compress" -co PREDICTOR=YES -co RESAMPLING=AVERAGE \
      "$tif" "$out/cog/$(basename "$tif")"
  done
}
export -f two_step

echo
printf '%-13s %9s %9s %6s %14s %14s %7s\n' kind ours_s steps_s ratio ours_bytes steps_bytes bytes
for product in "GSMAP_HOURLY gsmap_hourly.h5" "AMSR2_L1B amsr2_l1b.h5" "SGLI_LTOA sgli_ltoa_tile.h5"; do
  read -r kind file <<<"$product"
  input="$work/$file"
  "$synth" "$kind" "$input" "${size[@]}" >/dev/null
  ours_s=- ours_bytes=- ratio=- share=-
  export compress=DEFLATE
  if [ "$has_profiles" -eq 1 ]; then
    for ((i = 0; i < runs; i++)); do
      measure "$work/ours-$kind-$i.time" "$work/ours-$kind.log" bash -c 'convert "$@"' convert "$work/ours" --geotiff-profile cog --geotiff "$input"
    done
    ours_s="$(median_wall "ours-$kind")"
    ours_bytes="$(bytes_of "$work/ours" '*.tif')"
    first="$(find "$work/ours" -maxdepth 1 -name '*.tif' | sort | head -1)"
    said="$(gdalinfo "$first" | sed -n 's/^ *COMPRESSION=//p' | head -1)"
    [ -n "$said" ] && compress="$said"
  fi
  for ((i = 0; i < runs; i++)); do
    measure "$work/steps-$kind-$i.time" "$work/steps-$kind.log" bash -c 'two_step "$@"' two_step "$work/steps" "$input"
  done
  steps_s="$(median_wall "steps-$kind")"
  steps_bytes="$(bytes_of "$work/steps/cog" '*.tif')"
  if [ "$has_profiles" -eq 1 ]; then
    ratio="$(awk -v a="$ours_s" -v b="$steps_s" 'BEGIN { printf "%.2f", a / b }')"
    share="$(awk -v a="$ours_bytes" -v b="$steps_bytes" 'BEGIN { printf "%+.1f%%", (a / b - 1) * 100 }')"
  fi
  printf '%-13s %9s %9s %6s %14s %14s %7s\n' "$kind" "$ours_s" "$steps_s" "$ratio" "$ours_bytes" "$steps_bytes" "$share"
done
echo "compression of the two-step COGs: $compress; load average $(load_average)"
