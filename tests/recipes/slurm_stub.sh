#!/usr/bin/env bash
# vardane-slurm against stand-ins for sbatch, squeue and scancel on PATH,
# whose "array" runs vardane-array.sbatch task by task with the real
# vardane-cli at submission, or stays running until scancel: a missing list
# or tool stops it before anything is submitted, a refused sbatch is said,
# the run converts and merges, --resume is refused while the run's array is
# queued, and Ctrl-C cancels the array and merges what is there.
#
# usage: slurm_stub.sh VARDANE_SLURM VARDANE_CLI VARDANE_SYNTH
set -euo pipefail
recipe=$(realpath -- "$1") cli=$(realpath -- "$2") synth=$(realpath -- "$3")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$scratch"

export STUB=$scratch/stub
mkdir -p "$STUB" bin
cat > bin/sbatch <<'STUB'
#!/usr/bin/env bash
# Submits as job 4242; with $STUB/refuse refuses like a bad partition, with
# $STUB/hold the job stays running, otherwise its tasks run here and now.
echo "$*" >> "$STUB/sbatch.calls"
if [ -e "$STUB/refuse" ]; then
  echo "sbatch: error: Batch job submission failed: Invalid partition name specified" >&2
  exit 1
fi
while [ "${1:-}" != "${1#--}" ]; do
  case $1 in
    --array=*) last=${1#--array=0-} ;;
    --cpus-per-task=*) cpus=${1#*=} ;;
    --chdir=*) chdir=${1#*=} ;;
    --output=*) output=${1#*=} ;;
  esac
  shift
done
echo 4242
if [ -e "$STUB/hold" ]; then echo RUNNING > "$STUB/state"; exit 0; fi
for k in $(seq 0 "$last"); do
  (cd "$chdir" && SLURM_ARRAY_TASK_ID=$k SLURM_ARRAY_TASK_MIN=0 SLURM_ARRAY_TASK_COUNT=$((last + 1)) \
    SLURM_CPUS_PER_TASK=$cpus bash "$@" > "${output//%a/$k}" 2>&1) || true
done
echo COMPLETED > "$STUB/state"
STUB
cat > bin/squeue <<'STUB'
#!/usr/bin/env bash
# The job's state, or the controller's answer for a job it no longer knows.
if [ "$(cat "$STUB/state" 2>/dev/null)" = gone ]; then
  echo "slurm_load_jobs error: Invalid job id specified" >&2
  exit 1
fi
cat "$STUB/state"
STUB
cat > bin/scancel <<'STUB'
#!/usr/bin/env bash
echo "$*" >> "$STUB/scancel.calls"
echo CANCELLED > "$STUB/state"
STUB
chmod +x bin/*
export PATH=$scratch/bin:$PATH VARDANE_CLI=$cli
calls() { if [ -e "$STUB/$1.calls" ]; then wc -l < "$STUB/$1.calls"; else echo 0; fi; }

mkdir in out
for i in 1 2 3; do "$synth" GSMAP_HOURLY "in/gsmap_$i.h5" --seed "$i" > /dev/null; done
cp in/gsmap_2.h5 whole_2.h5
truncate -s $(($(stat -c %s in/gsmap_2.h5) / 2)) in/gsmap_2.h5
printf '%s\n' in/gsmap_1.h5 in/gsmap_2.h5 in/gsmap_3.h5 > inputs.list

# run NAME [ARG...]: the recipe's exit status in $status, its stderr in NAME.err.
run() { local name=$1; shift; status=0; "$recipe" "$@" > "$name.out" 2> "$name.err" || status=$?; }

# --- stopped before anything is submitted --------------------------------------
run nolist run-a missing.list out
{ [ "$status" -eq 2 ] && grep -q '^usage: vardane-slurm' nolist.err; } || fail "missing list: exit $status, $(cat nolist.err)"
printf '# nothing to convert\n\n' > empty.list
run emptylist run-e empty.list out
{ [ "$status" -eq 2 ] && grep -q 'names no input' emptylist.err; } || fail "empty list: exit $status, $(cat emptylist.err)"
mkdir nojq
for program in /usr/bin/*; do [ "${program##*/}" = jq ] || ln -s "$program" nojq/; done
status=0
PATH=$scratch/bin:$scratch/nojq "$recipe" run-a inputs.list out > nojq.out 2> nojq.err || status=$?
{ [ "$status" -eq 3 ] && grep -q 'needs jq' nojq.err; } || fail "without jq: exit $status, $(cat nojq.err)"
touch "$STUB/refuse"
run refused -s --partition=nowhere run-a inputs.list out
rm "$STUB/refuse"
[ "$status" -eq 3 ] || fail "refused sbatch: exit $status"
{ grep -q 'Invalid partition name' refused.err && grep -q '^vardane-slurm: sbatch refused' refused.err; } \
  || fail "refused sbatch, not said: $(cat refused.err)"
[ "$(calls sbatch)" -eq 1 ] || fail "sbatch called $(calls sbatch) times, expected only by the refused run"
echo "ok: a missing or empty list or jq stops before sbatch, a refused sbatch is said"

# --- a run, a resume refused while queued, a resume ---------------------------------
run first -n 2 -c 1 run-a inputs.list out --geotiff
[ "$status" -eq 1 ] || fail "first run: exit $status, $(cat first.err)"
[ "$(cat run-a/failed.list)" = "$scratch/in/gsmap_2.h5" ] || fail "failed.list: $(cat run-a/failed.list)"
[ "$(jq -r 'select(.failures == []) | .outputs[].path' run-a/report.jsonl | wc -l)" -eq 2 ] \
  || fail "not two converted inputs: $(cat run-a/report.jsonl)"
[ "$(cat run-a/job)" = 4242 ] || fail "the job id is not kept"
echo PENDING > "$STUB/state"
run queued --resume run-a
{ [ "$status" -eq 3 ] && grep -q 'still queued or running' queued.err; } || fail "resume while queued: exit $status, $(cat queued.err)"
[ "$(calls sbatch)" -eq 2 ] || fail "the refused resume submitted"
echo gone > "$STUB/state"
cp whole_2.h5 in/gsmap_2.h5
run resumed --resume run-a
[ "$status" -eq 0 ] || fail "resume: exit $status, $(cat resumed.err)"
tail -n 1 "$STUB/sbatch.calls" | grep -q -- '--skip-existing' || fail "the resume does not skip finished files"
[ "$(jq -r 'select(.skipped | not) | .input' run-a/report.jsonl)" = "$scratch/in/gsmap_2.h5" ] \
  || fail "the resume converted other files than gsmap_2.h5"
echo "ok: a run, its resume refused while the array is queued, then done"

# --- Ctrl-C while the array runs ----------------------------------------------------
touch "$STUB/hold"
rm -f "$STUB/state"
env --default-signal=INT "$recipe" run-b inputs.list out --geotiff > held.out 2> held.err &
recipe_pid=$!
for _ in $(seq 300); do [ -s run-b/job ] && break; sleep 0.1; done
[ -s run-b/job ] || fail "the held run did not submit: $(cat held.err)"
kill -INT "$recipe_pid"
status=0; wait "$recipe_pid" || status=$?
[ "$status" -eq 130 ] || fail "interrupted: exit $status, $(cat held.err)"
[ "$(cat "$STUB/scancel.calls")" = 4242 ] || fail "scancel not called for 4242: $(cat "$STUB/scancel.calls" 2>&1)"
{ [ "$(wc -l < run-b/failed.list)" -eq 3 ] && grep -q 'resubmit with: vardane-slurm --resume' held.err; } \
  || fail "no merge after the interrupt: $(cat held.err)"
echo "ok: Ctrl-C cancels the array and merges"
echo "vardane-slurm with stand-ins: all checks passed"
