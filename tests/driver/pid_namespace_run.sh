#!/bin/bash
# Two shards of one batch writing into one output folder, the second in a PID
# namespace of its own (as a container or another node would be): the
# second's start-up sweep sees the first's working folders under process ids
# that mean nothing to it, and must leave them alone. Both runs are paced so
# the first is in the middle of its files then. Both must convert every
# file, with no failure, and leave no working folder behind.
# Needs root (unshare -p).
#   pid_namespace_run.sh VARDANE_CLI VARDANE_SYNTH
set -u
cli=$1
synth=$2
fail() {
    echo "FAIL: $*"
    exit 1
}
[ "$(id -u)" -eq 0 ] || fail "needs root for unshare -p; run the slow tests as root"
command -v unshare >/dev/null || fail "no unshare (scripts/install-deps installs util-linux)"

root=$(mktemp -d /tmp/vardane-pid-namespace-XXXXXX)
first=""
second=""
cleanup() {
    [ -z "$first" ] || kill "$first" 2>/dev/null
    [ -z "$second" ] || kill "$second" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$root"
}
trap cleanup EXIT

out=$root/out
mkdir -p "$out" "$root/a" "$root/b"
for i in 1 2 3 4; do
    "$synth" GSMAP_HOURLY "$root/a/a$i.h5" >/dev/null || fail "synth a$i"
    "$synth" GSMAP_HOURLY "$root/b/b$i.h5" >/dev/null || fail "synth b$i"
done

pace=300
timeout 300 "$cli" -j 2 --pace "$pace" -o "$out" "$root"/a/*.h5 >"$root/log-a" 2>&1 &
first=$!
# The second starts once the first's workers have their folders.
for _ in $(seq 600); do
    [ "$(find "$out" -maxdepth 1 -name '.vardane-work-*' | wc -l)" -ge 2 ] && break
    kill -0 "$first" 2>/dev/null || break
    sleep 0.1
done
[ "$(find "$out" -maxdepth 1 -name '.vardane-work-*' | wc -l)" -ge 2 ] || fail "the first run made no working folders: $(cat "$root/log-a")"
timeout 300 unshare -p -f --mount-proc "$cli" -j 2 --pace "$pace" -o "$out" "$root"/b/*.h5 >"$root/log-b" 2>&1 &
second=$!

wait "$first"
status_a=$?
first=""
wait "$second"
status_b=$?
second=""

for shard in a b; do
    log=$root/log-$shard
    status=$([ "$shard" = a ] && echo "$status_a" || echo "$status_b")
    [ "$status" -eq 0 ] || fail "shard $shard: exit status $status: $(cat "$log")"
    grep -qx "Summary: files 4, outputs written 4, failures 0, not products 0." "$log" \
        || fail "shard $shard: $(cat "$log")"
    ! grep -q "^Fail" "$log" || fail "shard $shard: $(cat "$log")"
    for i in 1 2 3 4; do
        tif=$out/$shard${i}_PRC.tif
        [ -f "$tif" ] || fail "no $tif"
        size=$(gdalinfo "$tif" 2>/dev/null | sed -n 's/^Size is //p')
        [ "$size" = "360, 180" ] || fail "$tif: size '$size'"
        gdalinfo -checksum "$tif" >/dev/null 2>"$root/gdal" || fail "$tif does not read"
        ! grep -q ERROR "$root/gdal" || fail "$tif: $(cat "$root/gdal")"
    done
done
leftovers=$(find "$out" -mindepth 1 -name '.*')
[ -z "$leftovers" ] || fail "left behind: $leftovers"
echo "two PID namespaces, one output folder: every file converted, no working folder lost or left"
