#!/usr/bin/env bash
# vardane-merge-reports over reports written here: the latest record of each
# input wins, a torn line is passed over, and the failed list names each
# input of the list once, with its full path, whatever the spelling in the
# list or the paths in records of inputs the list does not name.
set -euo pipefail
merge=$(realpath -- "$1")
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$scratch"
mkdir -p in/folder elsewhere/in
# A name that is no UTF-8 text: "caf" then the Latin-1 byte of e-acute.
latin=$(printf 'caf\351.h5')
touch "in/$latin" in/ok.h5 in/failed.h5 in/redone.h5 in/cancelled.h5 in/unrecorded.h5 in/folder/a.h5 in/folder/b.h5
d=$scratch/in

# record INPUT [failures-json] [cancelled] [skipped]
record() {
  printf '{"input":"%s","kind":"GSMAP_HOURLY","asked":["geotiff"],"outputs":[],"failures":%s,"seconds":0.1,"cancelled":%s,"skipped":%s}\n' \
    "$1" "${2:-[]}" "${3:-false}" "${4:-false}"
}
broken='[{"line":"x","cause":"cut short","file":""}]'
cat > list <<LIST
# inputs, relative to this folder
in/ok.h5
./in/ok.h5
in/failed.h5

in/redone.h5
in/../in/cancelled.h5
$d/unrecorded.h5
in/folder
in/$latin
LIST
{
  record "$d/ok.h5"
  record "$d/failed.h5" "$broken"
  record "$d/redone.h5" "$broken"
  record "$d/cancelled.h5" '[]' true
  # A task that read the list from its home folder.
  record "$scratch/elsewhere/in/failed.h5" "$broken"
  record "$d/folder/a.h5"
  # The report writes such a name byte for byte, one character a byte.
  printf '{"input":"%s/caf\\u00e9.h5","byte_names":true,"kind":"GSMAP_HOURLY","asked":["geotiff"],"outputs":[],"failures":[],"seconds":0.1,"cancelled":false,"skipped":false}\n' "$d"
} > task-0.jsonl
{
  record "$d/redone.h5" '[]' false true
  record "$d/folder/b.h5" "$broken"
  printf '{"input":"%s","kind":"GSMAP_HOURLY","asked":["geot' "$d/ok.h5"
} > task-1.jsonl

summary=$("$merge" list merged.jsonl failed.list task-0.jsonl task-1.jsonl) || fail "merge exited $?"
expected_failed=$(printf '%s\n' "$d/cancelled.h5" "$d/failed.h5" "$d/folder/b.h5" "$d/unrecorded.h5")
[ "$(cat failed.list)" = "$expected_failed" ] || fail "failed.list is not as expected:
$(cat failed.list)"
[ "$summary" = "inputs 8, converted 3, done before 1, failed 4" ] || fail "summary: $summary"
# One line per recorded input, the latest: redone.h5 skipped as done.
[ "$(jq -r .input merged.jsonl | sort | uniq -d)" = "" ] || fail "merged report has an input twice"
[ "$(jq -c 'select(.input | endswith("/redone.h5")) | [.skipped, (.failures | length)]' merged.jsonl)" = "[true,0]" ] \
  || fail "redone.h5 is not its latest record"
[ "$(jq -c 'select(.input | endswith("/ok.h5")) | .failures' merged.jsonl)" = "[]" ] || fail "the torn line was read"

# The list with full paths, as the recipes hand it to the tasks.
full=$("$merge" --full-paths list)
[ "$full" = "$(printf "$d/%s\n" ok.h5 ok.h5 failed.h5 redone.h5 cancelled.h5 unrecorded.h5 folder "$latin")" ] \
  || fail "--full-paths: $full"
# Usage errors.
status=0; "$merge" list merged.jsonl 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "two arguments: exit $status"
echo "merge reports: all checks passed"
