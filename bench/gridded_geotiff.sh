#!/usr/bin/env bash
# Gridded GeoTIFF throughput: vardane-cli --geotiff against gdal_translate of
# the same grids, on full-size synthetic products, measured in the same run on
# the same machine.
#
#   bench/gridded_geotiff.sh [--build DIR] [--runs N] [--keep] [KIND...]
#
# For each synthetic KIND (default: every gridded HDF5 kind that vardane-synth
# lists) it writes one --full product, converts it RUNS times with
#   vardane-cli --geotiff --pace 0 -q -o OUT FILE
# and RUNS times translates one HDF5 grid of the same size to GeoTIFF for each
# GeoTIFF the CLI wrote: gdal_translate for a 2-D dataset, gdalmdimtranslate
# for one layer of a larger array. It prints the
# median wall time of both, their ratio (CLI / gdal_translate, below 1 means
# the CLI is faster) and the peak resident memory of both (/usr/bin/time -v).
set -euo pipefail

build=""
runs=5
keep=0
kinds=()
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build="$2"; shift 2 ;;
    --runs) runs="$2"; shift 2 ;;
    --keep) keep=1; shift ;;
    -h|--help) sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) kinds+=("$1"); shift ;;
  esac
done

source "$(dirname "$0")/bench_common.sh"
bench_find_build
cli="$build/cli/vardane-cli"
synth="$build/tools/synth/vardane-synth"
for tool in "$cli" "$synth" /usr/bin/time gdal_translate gdalmdimtranslate gdalinfo gdalmdiminfo python3; do
  command -v "$tool" >/dev/null 2>&1 || { echo "missing: $tool (build the project, run scripts/install-deps)" >&2; exit 2; }
done

# Gridded kinds: every listed kind whose name says GSMaP, DPR or L3 on the
# latitude/longitude grid (the polar L3 variants are a different writer).
if [ ${#kinds[@]} -eq 0 ]; then
  mapfile -t kinds < <("$synth" --list | cut -f1 | grep -Ei 'gsmap|dpr|l3' | grep -Eiv 'bin|polar|nsidc|snow' || true)
fi
[ ${#kinds[@]} -gt 0 ] || { echo "no gridded kinds to measure" >&2; exit 2; }

bench_work_dir vardane-bench


# Subdatasets of the product whose grid is W x H in either orientation; a
# file with a single dataset is its own (only) candidate.
matching_subdatasets() {
  local file="$1" w="$2" h="$3"
  gdalinfo "$file" 2>/dev/null | awk -v w="$w" -v h="$h" -v file="$file" '
    /^Size is / { gsub(",", ""); if (($3 == w && $4 == h) || ($3 == h && $4 == w)) whole = 1 }
    /SUBDATASET_[0-9]+_NAME=/ { sub(/^[^=]*=/, ""); name = $0; next }
    /SUBDATASET_[0-9]+_DESC=/ {
      if (match($0, /\[[0-9x]+\]/)) {
        n = split(substr($0, RSTART + 1, RLENGTH - 2), d, "x")
        if (n >= 2 && ((d[n - 1] == h && d[n] == w) || (d[n - 1] == w && d[n] == h))) { print name; found = 1 }
      }
    }
    END { if (!found && whole) print file }'
}

# Arrays of rank 3 or more with two axes of the grid's size, as
# "array<TAB>view" selecting the first layer of every other axis.
matching_layers() {
  gdalmdiminfo "$1" 2>/dev/null | python3 -c '
import json, sys
w, h = int(sys.argv[1]), int(sys.argv[2])
def walk(group, path):
    for name, arr in (group.get("arrays") or {}).items():
        dims = [d.get("size") if isinstance(d, dict) else None for d in arr.get("dimensions", [])]
        if len(dims) < 3 or None in dims:
            continue
        for i in range(len(dims) - 1):
            if {dims[i], dims[i + 1]} == {w, h} and dims[i] * dims[i + 1] == w * h:
                view = ",".join(":" if j in (i, i + 1) else "0" for j in range(len(dims)))
                print(f"{path}/{name}\t[{view}]")
                break
    for name, sub in (group.get("groups") or {}).items():
        walk(sub, f"{path}/{name}")
walk(json.load(sys.stdin), "")
' "$2" "$3"
}

printf '%-28s %5s %10s %10s %7s %12s %12s\n' kind tifs cli_s gdal_s ratio cli_peak_MB gdal_peak_MB
for kind in "${kinds[@]}"; do
  dir="$work/$kind"
  mkdir -p "$dir/in" "$dir/out" "$dir/gdal"
  input="$dir/in/${kind}.h5"
  if ! "$synth" "$kind" "$input" --full >"$dir/synth.log" 2>&1; then
    echo "$kind: vardane-synth failed (see $dir/synth.log)" >&2; continue
  fi

  cli_times=(); cli_mem=()
  for ((i = 0; i < runs; i++)); do
    rm -rf "$dir/out"; mkdir -p "$dir/out"
    /usr/bin/time -v -o "$dir/cli.time" "$cli" --geotiff --pace 0 -q -o "$dir/out" "$input" >"$dir/cli.log" 2>&1 || true
    read -r t m < <(time_report "$dir/cli.time")
    cli_times+=("$t"); cli_mem+=("$m")
  done
  mapfile -t tifs < <(find "$dir/out" -maxdepth 1 -name '*.tif' | sort)
  if [ ${#tifs[@]} -eq 0 ]; then
    echo "$kind: the CLI wrote no GeoTIFF (see $dir/cli.log)" >&2; continue
  fi

  # One subdataset of the same size per GeoTIFF written.
  read -r w h < <(gdalinfo "${tifs[0]}" | awk '/^Size is/ { gsub(",", ""); print $3, $4 }')
  # One job per GeoTIFF written: a 2-D grid of the same size goes through
  # gdal_translate; a grid that is one layer of a larger array (L3
  # geophysical, DPR) through gdalmdimtranslate with a view of that layer.
  jobs_file="$dir/gdal.jobs"
  : >"$jobs_file"
  mapfile -t subs < <(matching_subdatasets "$input" "$w" "$h")
  if [ ${#subs[@]} -gt 0 ]; then
    for ((k = 0; k < ${#tifs[@]}; k++)); do printf 'translate\t%s\t\n' "${subs[k % ${#subs[@]}]}" >>"$jobs_file"; done
  else
    mapfile -t layers < <(matching_layers "$input" "$w" "$h")
    for ((k = 0; k < ${#tifs[@]} && ${#layers[@]} > 0; k++)); do printf 'mdim\t%s\n' "${layers[k % ${#layers[@]}]}" >>"$jobs_file"; done
  fi
  if [ ! -s "$jobs_file" ]; then
    echo "$kind: no ${w}x${h} grid for the GDAL tools" >&2; continue
  fi

  gdal_times=(); gdal_mem=()
  for ((i = 0; i < runs; i++)); do
    rm -rf "$dir/gdal"; mkdir -p "$dir/gdal"
    /usr/bin/time -v -o "$dir/gdal.time" bash -c '
      n=0
      while IFS=$'"'"'\t'"'"' read -r tool src view; do
        if [ "$tool" = translate ]; then
          gdal_translate -q -of GTiff "$src" "$1/$n.tif" || exit 1
        else
          gdalmdimtranslate -q -of GTiff -array "name=$src,view=$view" "$3" "$1/$n.tif" || exit 1
        fi
        n=$((n + 1))
      done <"$2"' _ "$dir/gdal" "$jobs_file" "$input" >"$dir/gdal.log" 2>&1 || true
    read -r t m < <(time_report "$dir/gdal.time")
    gdal_times+=("$t"); gdal_mem+=("$m")
  done

  cli_med=$(printf '%s\n' "${cli_times[@]}" | median)
  gdal_med=$(printf '%s\n' "${gdal_times[@]}" | median)
  cli_peak=$(printf '%s\n' "${cli_mem[@]}" | max_of)
  gdal_peak=$(printf '%s\n' "${gdal_mem[@]}" | max_of)
  ratio=$(awk -v a="$cli_med" -v b="$gdal_med" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }')
  printf '%-28s %5d %10s %10s %7s %12.1f %12.1f\n' "$kind" "${#tifs[@]}" "$cli_med" "$gdal_med" "$ratio" \
    "$(awk -v k="$cli_peak" 'BEGIN { print k / 1024 }')" "$(awk -v k="$gdal_peak" 'BEGIN { print k / 1024 }')"
done
