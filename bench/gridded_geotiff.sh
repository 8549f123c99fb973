#!/usr/bin/env bash
# Gridded GeoTIFF throughput: vardane-cli --geotiff against the GDAL tools
# doing the same work on the same synthetic products, measured in the same
# run on the same machine.
#
#   bench/gridded_geotiff.sh [--build DIR] [--runs N] [--full] [--keep] [KIND...]
#
# For each synthetic KIND (default: every gridded HDF5 kind that vardane-synth
# lists) it writes one product (full size with --full, the generator's small
# default otherwise) and then, RUNS rounds, alternating which goes first:
#   vardane-cli --geotiff --pace 0 -q -o OUT FILE
# and one GDAL job per GeoTIFF the CLI wrote: gdal_translate of a 2-D grid of
# the same size, gdalmdimtranslate of one layer of a larger array, or, for a
# grid or layer stored transposed (GSMaP, the DPR layers), gdalmdimtranslate
# of the transposed and north-up flipped array, so that GDAL does the same
# transposition work. GDAL's files carry no coordinate system; the CLI's
# do, which costs it PROJ's database, some 20 to 25 ms of CPU a process
# (as much as it costs gdal_translate -a_srs EPSG:4326).
# It prints the medians of wall and CPU time (milliseconds), their ratios
# (CLI / GDAL, below 1 means the CLI is faster), the peak resident memory of
# both and the load average at the end of each kind.
set -euo pipefail

source "$(dirname "$0")/bench_common.sh"
runs=5
bench_options "$@"
full=()
kinds=()
for arg in "${bench_args[@]}"; do
  case "$arg" in
    --full) full=(--full) ;;
    -*) echo "unknown option $arg" >&2; exit 2 ;;
    *) kinds+=("$arg") ;;
  esac
done
bench_find_tools /usr/bin/time awk gdal_translate gdalmdimtranslate gdalinfo gdalmdiminfo python3

# Gridded kinds: every listed kind whose name says GSMaP, DPR or L3 on the
# latitude/longitude grid (the polar L3 variants are a different writer).
if [ ${#kinds[@]} -eq 0 ]; then
  mapfile -t kinds < <("$synth" --list | cut -f1 | grep -Ei 'gsmap|dpr|l3' | grep -Eiv 'bin|polar|nsidc|snow' || true)
fi
[ ${#kinds[@]} -gt 0 ] || { echo "no gridded kinds to measure" >&2; exit 2; }

bench_work_dir vardane-bench


# Subdatasets of the product whose grid is W x H in either orientation, as
# "translate<TAB>name" (stored as written) or "transposed<TAB>name" (stored
# columns first); a file with a single dataset is its own candidate.
matching_subdatasets() {
  local file="$1" w="$2" h="$3"
  gdalinfo "$file" 2>/dev/null | awk -v w="$w" -v h="$h" -v file="$file" '
    /^Size is / { gsub(",", ""); if ($3 == w && $4 == h) whole = "translate"; else if ($3 == h && $4 == w) whole = "transposed" }
    /SUBDATASET_[0-9]+_NAME=/ { sub(/^[^=]*=/, ""); name = $0; next }
    /SUBDATASET_[0-9]+_DESC=/ {
      if (match($0, /\[[0-9x]+\]/)) {
        n = split(substr($0, RSTART + 1, RLENGTH - 2), d, "x")
        if (n >= 2 && d[n - 1] == h && d[n] == w) { print "translate\t" name; found = 1 }
        else if (n >= 2 && d[n - 1] == w && d[n] == h) { print "transposed\t" name; found = 1 }
      }
    }
    END { if (!found && whole != "") print whole "\t" file }'
}

# Path of the first 2-D array stored as W rows of H (a grid written
# transposed).
array_of_size() {
  gdalmdiminfo "$1" 2>/dev/null | python3 -c '
import json, sys
w, h = int(sys.argv[1]), int(sys.argv[2])
def walk(group, path):
    for name, arr in (group.get("arrays") or {}).items():
        dims = [d.get("size") if isinstance(d, dict) else None for d in arr.get("dimensions", [])]
        if dims == [w, h]:
            return f"{path}/{name}"
    for name, sub in (group.get("groups") or {}).items():
        found = walk(sub, f"{path}/{name}")
        if found:
            return found
print(walk(json.load(sys.stdin), "") or "")
' "$2" "$3"
}

# Arrays of rank 3 or more with two axes of the grid's size, as
# "array<TAB>view<TAB>permutation" selecting the first layer of every other
# axis; the permutation (empty for a layer stored as the grid) transposes a
# layer stored columns first, which the view then flips north-up.
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
                if dims[i] == h:
                    view = ",".join(":" if j in (i, i + 1) else "0" for j in range(len(dims)))
                    print(f"{path}/{name}\t[{view}]\t")
                else:
                    # Stored as W rows of H: swapped into H rows, read
                    # bottom-up, as the CLI delivers it.
                    perm = list(range(len(dims)))
                    perm[i], perm[i + 1] = i + 1, i
                    view = ",".join("::-1" if j == i else ":" if j == i + 1 else "0" for j in range(len(dims)))
                    order = ",".join(map(str, perm))
                    print(f"{path}/{name}\t[{view}]\t[{order}]")
                break
    for name, sub in (group.get("groups") or {}).items():
        walk(sub, f"{path}/{name}")
walk(json.load(sys.stdin), "")
' "$2" "$3"
}

printf '%-16s %4s %9s %9s %6s %9s %9s %6s %8s %8s  %s\n' kind tifs cli_ms gdal_ms wall cli_cpu gdal_cpu cpu \
  cli_MB gdal_MB load
# One GDAL job per line of $1: translate SRC | transposed SRC |
# mdim ARRAY VIEW [PERMUTATION].
run_gdal_jobs() {
  local jobs="$1" out="$2" input="$3" n=0 tool src view perm
  while IFS=$'\t' read -r tool src view perm; do
    case "$tool" in
      translate) gdal_translate -q -of GTiff "$src" "$out/$n.tif" ;;
      transposed) gdalmdimtranslate -q -of GTiff -array "name=$src,transpose=[1,0],view=[::-1,:]" \
                    "$input" "$out/$n.tif" ;;
      mdim) gdalmdimtranslate -q -of GTiff -array "name=$src${perm:+,transpose=$perm},view=$view" \
              "$input" "$out/$n.tif" ;;
    esac || return 1
    n=$((n + 1))
  done <"$jobs"
}
export -f run_gdal_jobs

ms() { awk -v s="$1" 'BEGIN { printf "%.0f", s * 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }

for kind in "${kinds[@]}"; do
  dir="$work/$kind"
  mkdir -p "$dir/in" "$dir/out" "$dir/gdal"
  input="$dir/in/${kind}.h5"
  if ! "$synth" "$kind" "$input" "${full[@]}" >"$dir/synth.log" 2>&1; then
    echo "$kind: vardane-synth failed (see $dir/synth.log)" >&2; continue
  fi

  # A first conversion names the GeoTIFFs and the grid size the GDAL jobs
  # must match (and warms the page cache for both tools).
  "$cli" --geotiff --pace 0 -q -o "$dir/out" "$input" >"$dir/cli.log" 2>&1 || true
  mapfile -t tifs < <(find "$dir/out" -maxdepth 1 -name '*.tif' | sort)
  if [ ${#tifs[@]} -eq 0 ]; then
    echo "$kind: the CLI wrote no GeoTIFF (see $dir/cli.log)" >&2; continue
  fi
  read -r w h < <(gdalinfo "${tifs[0]}" | awk '/^Size is/ { gsub(",", ""); print $3, $4 }')
  jobs_file="$dir/gdal.jobs"
  : >"$jobs_file"
  mapfile -t subs < <(matching_subdatasets "$input" "$w" "$h")
  if [ ${#subs[@]} -gt 0 ]; then
    for ((k = 0; k < ${#tifs[@]}; k++)); do
      sub="${subs[k % ${#subs[@]}]}"
      # gdalmdimtranslate names the array by its path in the file.
      [ "${sub%%$'\t'*}" = transposed ] && sub="transposed"$'\t'"$(array_of_size "$input" "$w" "$h")"
      printf '%s\t\n' "$sub" >>"$jobs_file"
    done
  else
    mapfile -t layers < <(matching_layers "$input" "$w" "$h")
    for ((k = 0; k < ${#tifs[@]} && ${#layers[@]} > 0; k++)); do printf 'mdim\t%s\n' "${layers[k % ${#layers[@]}]}" >>"$jobs_file"; done
  fi
  if [ ! -s "$jobs_file" ]; then
    echo "$kind: no ${w}x${h} grid for the GDAL tools" >&2; continue
  fi

  cli_wall=(); cli_cpu=(); cli_mem=(); gdal_wall=(); gdal_cpu=(); gdal_mem=()
  for ((i = 0; i < runs; i++)); do
    for who in $( ((i % 2)) && echo "gdal cli" || echo "cli gdal"); do
      if [ "$who" = cli ]; then
        rm -rf "$dir/out"; mkdir -p "$dir/out"
        measure "$dir/cli.time" "$dir/cli.log" "$cli" --geotiff --pace 0 -q -o "$dir/out" "$input"
        read -r t c m <"$dir/cli.time"; cli_wall+=("$t"); cli_cpu+=("$c"); cli_mem+=("$m")
      else
        rm -rf "$dir/gdal"; mkdir -p "$dir/gdal"
        measure "$dir/gdal.time" "$dir/gdal.log" bash -c 'run_gdal_jobs "$@"' _ "$jobs_file" "$dir/gdal" "$input"
        read -r t c m <"$dir/gdal.time"; gdal_wall+=("$t"); gdal_cpu+=("$c"); gdal_mem+=("$m")
      fi
    done
  done

  cw=$(printf '%s\n' "${cli_wall[@]}" | median); gw=$(printf '%s\n' "${gdal_wall[@]}" | median)
  cc=$(printf '%s\n' "${cli_cpu[@]}" | median); gc=$(printf '%s\n' "${gdal_cpu[@]}" | median)
  cm=$(printf '%s\n' "${cli_mem[@]}" | max_of); gm=$(printf '%s\n' "${gdal_mem[@]}" | max_of)
  printf '%-16s %4d %9s %9s %6s %9s %9s %6s %8.1f %8.1f  %s\n' "$kind" "${#tifs[@]}" "$(ms "$cw")" "$(ms "$gw")" \
    "$(ratio "$cw" "$gw")" "$(ms "$cc")" "$(ms "$gc")" "$(ratio "$cc" "$gc")" \
    "$(awk -v k="$cm" 'BEGIN { print k / 1024 }')" "$(awk -v k="$gm" 'BEGIN { print k / 1024 }')" "$(load_average)"
done
