#!/usr/bin/env bash
# Batch throughput: one vardane-cli run over 16 different full-size gridded
# products with --jobs 1 against the same run with --jobs 2.
#
#   bench/batch.sh [--build DIR] [--runs N] [--keep]
#
# The products are the gridded HDF5 kinds vardane-synth lists, each written
# with --full, and then again with other seeds until there are 16. Each round
# runs
#   vardane-cli --geotiff --pace 0 -q --jobs J -o OUT FILE...
# for J = 1 and 2, alternating which goes first. It prints the medians of
# wall and CPU time (workers included, milliseconds), the ratios jobs 2 /
# jobs 1 and the load average before and after the rounds: on two otherwise
# idle cores the wall time of --jobs 2 should be near half, and its CPU time
# no more than that of --jobs 1.
set -euo pipefail

source "$(dirname "$0")/bench_common.sh"
runs=3
bench_options "$@"
bench_no_more_args
bench_find_tools /usr/bin/time awk

bench_work_dir vardane-bench-batch
mapfile -t kinds < <("$synth" --list | cut -f1 | grep -Ei 'gsmap|dpr|l3' | grep -Eiv 'bin|polar|nsidc|snow' || true)
[ ${#kinds[@]} -gt 0 ] || { echo "no gridded kinds" >&2; exit 2; }

mkdir -p "$work/in"
inputs=()
for ((n = 0; ${#inputs[@]} < 16; n++)); do
  kind="${kinds[n % ${#kinds[@]}]}"
  seed=$((n / ${#kinds[@]} + 1))
  file="$work/in/${kind}_${seed}.h5"
  if ! "$synth" "$kind" "$file" --full --seed "$seed" >>"$work/synth.log" 2>&1; then
    echo "vardane-synth $kind failed (see $work/synth.log)" >&2; exit 1
  fi
  inputs+=("$file")
done

load_before=$(load_average)
declare -A wall cpu
for ((i = 0; i < runs; i++)); do
  for jobs in $( ((i % 2)) && echo "2 1" || echo "1 2"); do
    rm -rf "$work/out"; mkdir -p "$work/out"
    measure "$work/run.time" "$work/run.log" "$cli" --geotiff --pace 0 -q --jobs "$jobs" -o "$work/out" "${inputs[@]}"
    read -r t c _ <"$work/run.time"
    wall[$jobs]+="$t "; cpu[$jobs]+="$c "
  done
done
load_after=$(load_average)
written=$(find "$work/out" -maxdepth 1 -name '*.tif' | wc -l)

med() { printf '%s\n' $1 | median; }
ms() { awk -v s="$1" 'BEGIN { printf "%.0f", s * 1000 }'; }
w1=$(med "${wall[1]}"); w2=$(med "${wall[2]}"); c1=$(med "${cpu[1]}"); c2=$(med "${cpu[2]}")
printf '%-8s %10s %10s\n' jobs wall_ms cpu_ms
printf '%-8s %10s %10s\n' 1 "$(ms "$w1")" "$(ms "$c1")"
printf '%-8s %10s %10s\n' 2 "$(ms "$w2")" "$(ms "$c2")"
printf 'ratio 2/1: wall %s, cpu %s; %d inputs, %d GeoTIFFs per run; load average before %s, after %s\n' \
  "$(awk -v a="$w2" -v b="$w1" 'BEGIN { printf "%.2f", a / b }')" \
  "$(awk -v a="$c2" -v b="$c1" 'BEGIN { printf "%.2f", a / b }')" "${#inputs[@]}" "$written" \
  "$load_before" "$load_after"
