#!/usr/bin/env bash
# vardane-parallel over a list of relative paths, run from the list's folder:
# on this machine (GNU parallel's ':') or, with "ssh", over ssh to
# 127.0.0.1 through an sshd started here on a port of its own (a command
# over ssh starts in the home folder). Four synthetic products, one cut in
# half: the run fails that one alone, listed once in failed.list with its
# full path, the others have their GeoTIFFs as reported; the rerun with
# --skip-existing after the file is mended converts it alone.
#
# usage: parallel_run.sh VARDANE_PARALLEL VARDANE_CLI VARDANE_SYNTH [ssh]
set -euo pipefail
recipe=$(realpath -- "$1") cli=$(realpath -- "$2") synth=$(realpath -- "$3") mode=${4:-local}
scratch=$(mktemp -d)
sshd_pid=
cleanup() {
  [ -z "$sshd_pid" ] || kill "$sshd_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$scratch"

hosts=:
if [ "$mode" = ssh ]; then
  ssh-keygen -q -t ed25519 -N '' -f host_key
  ssh-keygen -q -t ed25519 -N '' -f user_key
  port=$((20000 + RANDOM % 20000))
  cat > sshd_config <<CONF
ListenAddress 127.0.0.1
Port $port
HostKey $scratch/host_key
AuthorizedKeysFile $scratch/user_key.pub
StrictModes no
PasswordAuthentication no
KbdInteractiveAuthentication no
PermitRootLogin prohibit-password
UsePAM no
PidFile none
CONF
  mkdir -p /run/sshd
  /usr/sbin/sshd -D -e -f sshd_config 2> sshd.log &
  sshd_pid=$!
  export PARALLEL_SSH="ssh -p $port -i $scratch/user_key -o BatchMode=yes -o StrictHostKeyChecking=no -o UserKnownHostsFile=/dev/null -o LogLevel=ERROR"
  for _ in $(seq 100); do $PARALLEL_SSH 127.0.0.1 true 2>/dev/null && break; sleep 0.1; done
  $PARALLEL_SSH 127.0.0.1 true || { cat sshd.log >&2; fail "no ssh to 127.0.0.1:$port"; }
  hosts=127.0.0.1
fi

mkdir in out
for i in 1 2 3 4; do "$synth" GSMAP_HOURLY "in/gsmap_$i.h5" --seed "$i" > /dev/null; done
cp in/gsmap_3.h5 whole_3.h5
truncate -s $(($(stat -c %s in/gsmap_3.h5) / 2)) in/gsmap_3.h5
printf '%s\n' '# relative to this folder' in/gsmap_1.h5 ./in/gsmap_2.h5 in/gsmap_3.h5 in/../in/gsmap_4.h5 > inputs.list

export VARDANE_CLI=$cli
status=0
"$recipe" -S "$hosts" -n 2 run inputs.list out --geotiff > first.log 2>&1 || status=$?
[ "$status" -eq 1 ] || { cat first.log; fail "first run: exit $status, expected 1"; }
[ "$(cat run/failed.list)" = "$scratch/in/gsmap_3.h5" ] || { cat first.log; fail "failed.list: $(cat run/failed.list)"; }
[ "$(jq -r .input run/report.jsonl | sort)" = "$(printf "$scratch/in/gsmap_%s.h5\n" 1 2 3 4)" ] \
  || fail "the merged report does not name each input once: $(jq -r .input run/report.jsonl)"
jq -r 'select(.failures == []) | .outputs[] | "\(.bytes) \(.path)"' run/report.jsonl > outputs
[ "$(wc -l < outputs)" -eq 3 ] || fail "not one output per converted input: $(cat outputs)"
while read -r bytes path; do
  [ "$(stat -c %s "$path")" -eq "$bytes" ] || fail "$path is not $bytes bytes"
  gdalinfo "$path" > /dev/null || fail "$path is no GeoTIFF GDAL reads"
done < outputs
[ "$(ls run/reports)" = "$(printf 'task-%s.jsonl\n' 0 1)" ] || fail "not one report per shard: $(ls run/reports)"

cp whole_3.h5 in/gsmap_3.h5
"$recipe" -S "$hosts" -n 2 run inputs.list out --geotiff --skip-existing > second.log 2>&1 \
  || { cat second.log; fail "rerun: exit $?"; }
[ ! -s run/failed.list ] || fail "still failed after the rerun: $(cat run/failed.list)"
[ "$(jq -r 'select(.skipped | not) | .input' run/report.jsonl)" = "$scratch/in/gsmap_3.h5" ] \
  || fail "the rerun converted other inputs than gsmap_3.h5: $(jq -c . run/report.jsonl)"
echo "vardane-parallel ($mode): all checks passed"
