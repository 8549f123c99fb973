# Shared parts of the benchmark scripts; sourced, not run.

# Reads the options every script takes: --build DIR, --runs N, --keep and
# -h/--help (which prints the script's leading comment). Sets build, runs
# (left at the caller's default unless given) and keep; everything else is
# left, in order, in the array bench_args for the script to read.
bench_options() {
  build="${build:-}"
  keep=0
  bench_args=()
  while [ $# -gt 0 ]; do
    case "$1" in
      --build) build="$2"; shift 2 ;;
      --runs) runs="$2"; shift 2 ;;
      --keep) keep=1; shift ;;
      -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
      *) bench_args+=("$1"); shift ;;
    esac
  done
}

# Stops with status 2 when the script was given anything bench_options did
# not take.
bench_no_more_args() {
  if [ ${#bench_args[@]} -gt 0 ]; then echo "unknown argument ${bench_args[0]}" >&2; exit 2; fi
}

# Sets build to the first build folder holding both executables, unless the
# caller gave one.
bench_find_build() {
  local here
  here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  if [ -z "$build" ]; then
    for d in "$here/build" "$here/build-output"; do
      if [ -x "$d/cli/vardane-cli" ] && [ -x "$d/tools/synth/vardane-synth" ]; then build="$d"; break; fi
    done
  fi
}

# Finds the build (bench_find_build), sets cli and synth to its two
# programs and stops with status 2 when they or any of the other tools
# given are missing.
bench_find_tools() {
  bench_find_build
  cli="$build/cli/vardane-cli"
  synth="$build/tools/synth/vardane-synth"
  local tool
  for tool in "$cli" "$synth" "$@"; do
    command -v "$tool" >/dev/null 2>&1 || { echo "missing: $tool (build the project, run scripts/install-deps)" >&2; exit 2; }
  done
}

# Makes the scratch folder work (named after $1), removed at exit unless
# keep is 1.
bench_work_dir() {
  work="$(mktemp -d "${TMPDIR:-/tmp}/$1-XXXXXX")"
  trap 'if [ "$keep" -eq 0 ]; then rm -rf "$work"; else echo "kept $work"; fi' EXIT
}

# /usr/bin/time -v report -> "wall_seconds kilobytes"
time_report() {
  awk -F': ' '
    /Elapsed \(wall clock\) time/ {
      n = split($2, p, ":"); s = 0
      for (i = 1; i <= n; i++) s = s * 60 + p[i]
    }
    /Maximum resident set size/ { m = $2 }
    END { printf "%.3f %d\n", s, m }' "$1"
}

# /usr/bin/time -v report -> "wall_seconds cpu_seconds kilobytes"
time_report_cpu() {
  awk -F': ' '
    /Elapsed \(wall clock\) time/ {
      n = split($2, p, ":"); s = 0
      for (i = 1; i <= n; i++) s = s * 60 + p[i]
    }
    /User time \(seconds\)|System time \(seconds\)/ { c += $2 }
    /Maximum resident set size/ { m = $2 }
    END { printf "%.3f %.3f %d\n", s, c, m }' "$1"
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
max_of() { sort -g | tail -1; }

# Runs a command and writes "wall_s cpu_s peak_kB" to the file $1: bash's
# own clock for wall and CPU time (children included, to the millisecond),
# /usr/bin/time for the peak resident set. The command's output goes to $2.
measure() {
  local report="$1" log="$2"; shift 2
  local TIMEFORMAT='%3R %3U %3S' times
  times=$( { time /usr/bin/time -f '%M' -o "$report.mem" "$@" >"$log" 2>&1; } 2>&1 ) || true
  read -r wall user sys <<<"$times"
  printf '%s %s %s\n' "$wall" "$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.3f", u + s }')" \
    "$(tail -1 "$report.mem")" >"$report"
}

load_average() { cut -d' ' -f1-3 /proc/loadavg; }
