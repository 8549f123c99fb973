"""dask_convert() on a local cluster reports what vardane-cli --report does."""

import json

import pytest
from distributed import Client, LocalCluster

import vardane
from conftest import run_cli


@pytest.fixture(scope="module")
def client():
    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None) as cluster:
        with Client(cluster) as client:
            yield client


def comparable(line, output_dir):
    """A report line without its timing, its outputs named within their folder."""
    record = json.loads(line)
    del record["seconds"]
    for output in record["outputs"]:
        assert output["path"].startswith(str(output_dir) + "/")
        output["path"] = output["path"][len(str(output_dir)):]
    return list(record.items())


@pytest.mark.parametrize("per_task", [1, 3])
def test_the_report_lines_are_the_command_lines(tmp_path, synth, settings, client, per_task):
    inputs = [
        synth("GSMAP_HOURLY", "gsmap.h5"),
        synth("AMSR2_L3_BT", "bt.h5"),
        synth("JASMES_RAW", "gobi.dat", grid="gobi"),
    ]
    notes = tmp_path / "in" / "notes.txt"
    notes.write_text("no product\n")
    inputs.append(notes)
    _, expected = run_cli(inputs, tmp_path / "cli", settings, kinds=("geotiff", "netcdf"))
    (tmp_path / "dask").mkdir()
    report = tmp_path / "dask.jsonl"
    results = vardane.dask_convert(client, inputs, tmp_path / "dask", kinds=("geotiff", "netcdf"),
                                   report=report, per_task=per_task, settings=settings)

    assert [r["input"] for r in results] == [str(i) for i in inputs]
    lines = report.read_text().splitlines()
    assert len(lines) == len(inputs)
    ours = {json.loads(line)["input"]: comparable(line, tmp_path / "dask") for line in lines}
    with open(tmp_path / "cli.report.jsonl") as cli:
        theirs = {json.loads(line)["input"]: comparable(line, tmp_path / "cli") for line in cli}
    assert ours == theirs
    assert sum(len(r["outputs"]) for r in results) > 3
    assert results[-1]["kind"] == "not a product"
