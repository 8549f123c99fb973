"""Synthetic products and vardane-cli runs for the module's tests."""

import json
import os
import subprocess

import pytest

SYNTH = os.environ["VARDANE_SYNTH"]
CLI = os.environ["VARDANE_CLI"]


@pytest.fixture
def settings(tmp_path):
    """The built-in settings as a file, so that no user's file takes part."""
    path = tmp_path / "settings.dat"
    with open(path, "w") as out:
        subprocess.run([CLI, "--list-options"], stdout=out, check=True)
    return path


@pytest.fixture
def synth(tmp_path):
    """synth(kind, name, key=value...) writes a synthetic product and returns its path;
    layout="real" writes the internal structure of real products."""
    folder = tmp_path / "in"
    folder.mkdir()

    def make(kind, name, layout="ours", **variants):
        path = folder / name
        args = [SYNTH, kind, str(path), "--layout", layout]
        for key, value in variants.items():
            args += ["--set", f"{key}={value}"]
        subprocess.run(args, check=True)
        return path

    return make


def run_cli(inputs, output, settings, kinds=("geotiff",), extra=()):
    """vardane-cli over `inputs`; returns its log and its report records by input."""
    output.mkdir(exist_ok=True)
    report = output.parent / (output.name + ".report.jsonl")
    args = [CLI, "-o", str(output), "--settings", str(settings), "--report", str(report)]
    args += [f"--{kind}" for kind in kinds] + list(extra) + [str(i) for i in inputs]
    done = subprocess.run(args, capture_output=True, text=True)
    assert done.returncode in (0, 1), done.stderr
    with open(report) as lines:
        records = {r["input"]: r for r in map(json.loads, lines)}
    return done.stdout, records
