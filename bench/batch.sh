#!/usr/bin/env bash
# Batch throughput: one vardane-cli run over 16 different full-size gridded
# products with --jobs 1 against the same run with --jobs 2.
#
#   bench/batch.sh [--build DIR] [--runs N] [--inputs N] [--keep]
#
# The products are the gridded HDF5 kinds vardane-synth lists, each written
# with --full, and then again with other seeds until there are 16 (or the
# number --inputs gives). Each round runs
#   vardane-cli --geotiff --pace 0 -q --jobs J -o OUT FILE...
# for J = 1 and 2, alternating which goes first, and the same over two small
# products: the cost of the run itself and of starting its workers, which
# no number of jobs shares out. It prints the medians of wall and CPU time
# (workers included, milliseconds), the ratios jobs 2 / jobs 1, the wall
# ratio that this fixed cost leaves at best (the rest halved exactly), and
# the load average before and after the rounds: on two otherwise idle cores
# the wall time of --jobs 2 should be near that bound, and its CPU time no
# more than that of --jobs 1.
set -euo pipefail

source "$(dirname "$0")/bench_common.sh"
runs=3
count=16
bench_options "$@"
set -- "${bench_args[@]+"${bench_args[@]}"}"
bench_args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --inputs) count="$2"; shift 2 ;;
    *) bench_args+=("$1"); shift ;;
  esac
done
bench_no_more_args
bench_find_tools /usr/bin/time awk

bench_work_dir vardane-bench-batch
mapfile -t kinds < <("$synth" --list | cut -f1 | grep -Ei 'gsmap|dpr|l3' | grep -Eiv 'bin|polar|nsidc|snow' || true)
[ ${#kinds[@]} -gt 0 ] || { echo "no gridded kinds" >&2; exit 2; }

synthesise() {
  if ! "$synth" "$@" >>"$work/synth.log" 2>&1; then
    echo "vardane-synth $1 failed (see $work/synth.log)" >&2; exit 1
  fi
}

mkdir -p "$work/in" "$work/small"
inputs=()
for ((n = 0; ${#inputs[@]} < count; n++)); do
  kind="${kinds[n % ${#kinds[@]}]}"
  seed=$((n / ${#kinds[@]} + 1))
  file="$work/in/${kind}_${seed}.h5"
  synthesise "$kind" "$file" --full --seed "$seed"
  inputs+=("$file")
done
small=()
for seed in 1 2; do
  small+=("$work/small/GSMAP_HOURLY_$seed.h5")
  synthesise GSMAP_HOURLY "${small[-1]}" --seed "$seed"
done

# run LABEL JOBS FILE...: one timed run, its figures added to the label's;
# written is the number of GeoTIFFs it wrote.
declare -A wall cpu
written=0
run() {
  local label="$1" jobs="$2"; shift 2
  rm -rf "$work/out"; mkdir -p "$work/out"
  measure "$work/run.time" "$work/run.log" "$cli" --geotiff --pace 0 -q --jobs "$jobs" -o "$work/out" "$@"
  read -r t c _ <"$work/run.time"
  wall[$label]+="$t "; cpu[$label]+="$c "
  written=$(find "$work/out" -maxdepth 1 -name '*.tif' | wc -l)
}

load_before=$(load_average)
for ((i = 0; i < runs; i++)); do
  for jobs in $( ((i % 2)) && echo "2 1" || echo "1 2"); do
    run "fixed$jobs" "$jobs" "${small[@]}"
    run "$jobs" "$jobs" "${inputs[@]}"
  done
done
load_after=$(load_average)

med() { printf '%s\n' $1 | median; }
ms() { awk -v s="$1" 'BEGIN { printf "%.0f", s * 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
printf '%-16s %10s %10s\n' run wall_ms cpu_ms
for label in 1 2 fixed1 fixed2; do
  printf '%-16s %10s %10s\n' "$(case $label in fixed*) echo "jobs ${label#fixed}, 2 small";; *) echo "jobs $label";; esac)" \
    "$(ms "$(med "${wall[$label]}")")" "$(ms "$(med "${cpu[$label]}")")"
done
w1=$(med "${wall[1]}"); w2=$(med "${wall[2]}"); c1=$(med "${cpu[1]}"); c2=$(med "${cpu[2]}")
f1=$(med "${wall[fixed1]}"); f2=$(med "${wall[fixed2]}")
# The fixed part of --jobs 2, plus half of what --jobs 1 spends beyond its own.
bound=$(awk -v w1="$w1" -v f1="$f1" -v f2="$f2" 'BEGIN { printf "%.2f", (f2 + (w1 - f1) / 2) / w1 }')
printf 'ratio 2/1: wall %s (at best %s for this fixed cost), cpu %s; %d inputs, %d GeoTIFFs per run; load average before %s, after %s\n' \
  "$(ratio "$w2" "$w1")" "$bound" "$(ratio "$c2" "$c1")" "${#inputs[@]}" "$written" "$load_before" "$load_after"
