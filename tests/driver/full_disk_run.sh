#!/bin/bash
# A batch whose output folder lies on a 3 MB file system that fills up while
# GeoTIFFs and plain TIFFs are written: the run must end (with a failure
# named and exit status 1), and the output folder must hold only whole files.
# Needs root for the mount.
#   full_disk_run.sh VARDANE_CLI VARDANE_SYNTH
set -u
cli=$1
synth=$2
root=$(mktemp -d /tmp/vardane-full-disk-XXXXXX)
disk=$root/disk
cleanup() {
    umount "$disk" 2>/dev/null
    rm -rf "$root"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

mkdir -p "$disk" "$root/in"
mount -t tmpfs -o size=3m vardane-full-disk "$disk" || fail "cannot mount a tmpfs"
"$synth" AMSR2_L3_BT "$root/in/l3bt.h5" --full >/dev/null || fail "synth L3"
"$synth" AMSR2_L1B "$root/in/l1b.h5" --full >/dev/null || fail "synth L1B"

# One job and two jobs at once: with two, both writers pass the free-space
# check and the disk fills in the middle of their writes.
for jobs in 1 2; do
    out=$disk/out$jobs
    mkdir "$out"
    log=$root/log$jobs
    # A spinning writer would hold the run for ever; 120 s is far beyond a
    # run that ends.
    timeout 120 "$cli" -j "$jobs" -o "$out" --geotiff --tiff-text "$root/in/l3bt.h5" "$root/in/l1b.h5" >"$log" 2>&1
    status=$?
    [ "$status" -ne 124 ] || fail "-j $jobs: the run did not end"
    [ "$status" -eq 1 ] || fail "-j $jobs: exit status $status, not 1: $(cat "$log")"
    grep -q "^Fail in creating " "$log" || fail "-j $jobs: no failure line: $(cat "$log")"
    # Nothing hidden or half-written: no working folder, no temporary copy,
    # and every image opens and reads to its last line.
    leftovers=$(find "$out" -mindepth 1 -name '.*')
    [ -z "$leftovers" ] || fail "-j $jobs: left behind: $leftovers"
    for tif in "$out"/*.tif; do
        [ -e "$tif" ] || continue
        gdalinfo -checksum "$tif" >/dev/null 2>"$root/gdal" || fail "$tif does not read"
        ! grep -q ERROR "$root/gdal" || fail "$tif: $(cat "$root/gdal")"
    done
    rm -rf "$out"
done
echo "full disk: runs ended, failures reported, only whole files kept"
