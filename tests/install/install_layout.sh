#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed programs
# from there, as the current user (root in CI, for whom the prefix is
# writable): every installed file is in place, the manual and the completion
# know every option the program prints, and a conversion finds its data in
# share/vardane/clt and writes nothing under the prefix.
set -euo pipefail
build="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/vardane bin/vardane-cli bin/vardane-synth \
         bin/vardane-slurm bin/vardane-parallel bin/vardane-merge-reports share/vardane/vardane-array.sbatch \
         share/applications/vardane.desktop share/icons/hicolor/scalable/apps/vardane.svg \
         share/man/man1/vardane.1.gz share/man/man1/vardane-cli.1.gz share/man/man1/vardane-synth.1.gz \
         share/man/man1/vardane-slurm.1.gz share/man/man1/vardane-parallel.1.gz share/man/man1/vardane-merge-reports.1.gz \
         share/doc/vardane/manual.html share/doc/vardane-cli/README.md \
         share/bash-completion/completions/vardane-cli; do
  [ -s "$prefix/$f" ] || fail "not installed: $f"
done
# The recipes find each other where they are installed: vardane-slurm's
# job script, and the merge beside it on the PATH.
for recipe in vardane-slurm vardane-parallel vardane-merge-reports vardane-array.sbatch; do
  [ -x "$(find "$prefix" -name "$recipe")" ] || fail "$recipe is not executable"
done
(cd "$scratch" && printf 'x\n' > one.list && PATH="$prefix/bin:$PATH" "$prefix/bin/vardane-merge-reports" --full-paths one.list) \
  | grep -qx "$scratch/x" || fail "vardane-merge-reports --full-paths"
diff -r "$build/clt" "$prefix/share/vardane/clt" || fail "share/vardane/clt differs from the build's data folder"
desktop-file-validate "$prefix/share/applications/vardane.desktop" || fail "desktop entry"

# Every option of the help text is documented and completed.
cli="$prefix/bin/vardane-cli"
options="$("$cli" --help | grep -oE '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,' | sort -u)"
[ -n "$options" ] || fail "no options in --help"
manual="$(zcat "$prefix/share/man/man1/vardane-cli.1.gz" | sed 's/\\-/-/g')"
for o in $options; do
  grep -qe "$o\b" <<<"$manual" || fail "vardane-cli.1 does not document $o"
  grep -qe "$o\b" "$prefix/share/bash-completion/completions/vardane-cli" || fail "completion lacks $o"
  grep -qe "$o\b" "$prefix/share/doc/vardane/manual.html" || fail "manual.html does not document $o"
done

# A conversion by the installed programs, with the user's folders in scratch.
find "$prefix" -printf '%p %s %T@\n' | sort >"$scratch/before"
mkdir -p "$scratch/home" "$scratch/in" "$scratch/out"
"$prefix/bin/vardane-synth" AMSR2_L1B "$scratch/in/amsr2_l1b.h5"
"$prefix/bin/vardane-synth" GSMAP_HOURLY "$scratch/in/gsmap_hourly.h5"
# A custom colour bar for GSMaP, whose table the run makes in the user's
# folder (never in the installation, though root could write there).
"$cli" --list-options | sed '0,/PercipRate: custom_colorbar=0,0,0,0,/s//PercipRate: custom_colorbar=1,0,50,0,/' >"$scratch/settings.dat"
(cd "$scratch" && env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME HOME="$scratch/home" \
  "$cli" -o out --geotiff --kmz --settings settings.dat in >"$scratch/log" 2>&1) || { cat "$scratch/log"; fail "conversion failed"; }
compgen -G "$scratch/home/.local/share/vardane/clt/custom_*.clt" >/dev/null || { cat "$scratch/log"; fail "no custom table in the user's folder"; }
for kind in tif kmz; do
  for product in amsr2_l1b gsmap_hourly; do
    compgen -G "$scratch/out/${product}*.$kind" >/dev/null || { cat "$scratch/log"; fail "no $kind of $product"; }
  done
done
# The Python module, when built, converts through its installed worker,
# which finds the same data folder.
package="$prefix/lib/python3/dist-packages/vardane"
if [ -d "$package" ]; then
  [ -x "$prefix/libexec/vardane-python-worker" ] || fail "not installed: libexec/vardane-python-worker"
  mkdir "$scratch/py"
  (cd "$scratch" && env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$scratch/home" PYTHONDONTWRITEBYTECODE=1 \
    PYTHONPATH="$prefix/lib/python3/dist-packages" /usr/bin/python3 -c '
import vardane
[result] = vardane.convert(["in/gsmap_hourly.h5"], "py", settings="settings.dat")
assert result["outputs"] and not result["failures"], result
assert vardane.identify("in/amsr2_l1b.h5")["kind"] == "AMSR2_L1B"
') || fail "the installed Python module"
fi
find "$prefix" -printf '%p %s %T@\n' | sort >"$scratch/after"
diff "$scratch/before" "$scratch/after" || fail "the run changed the installation"
echo "install layout: all checks passed"
