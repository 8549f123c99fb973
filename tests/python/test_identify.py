"""identify() against what vardane-cli logs and reports for the same files."""

import os

import netCDF4
import pytest
import xarray as xr

import vardane
from conftest import run_cli

# Kinds of each reader family: HDF5 swaths and grids, a tile, HDF4, flat binary.
KINDS = [
    ("AMSR2_L1B", "GW1AM2_202207010000_000A_L1SGBTBR_2220220.h5", {}),
    ("AMSR2_L3_GD", "GW1AM2_20220701_01D_EQMA_L3SGSSTHA2220220.h5", {"geo": "SST"}),
    ("GSMAP_HOURLY", "GPMMRG_MAP_2207010000_H_L3S_MCH_05A.h5", {}),
    ("SGLI_LTOA", "GC1SG1_20220701D01D_T0527_L2SG_LTOAK_3000.h5", {"tile": "0512"}),
    ("JASMES_HDF4", "jasmes_flags.hdf", {"grid": "global", "flags": "cs"}),
    ("GSMAP_BIN", "gsmap_mvk.20220701.0000.v8.0000.0.dat", {"period": "hourly"}),
]

# Each family's way of stating a unit, in files of the real products' structure.
UNITS = [
    ("AMSR2_L1B", "36.5GHz_H", "K"),
    ("AMSR2_L3_GD", "SST_STD", "degrees_Celsius"),
    ("GSMAP_HOURLY", "PRC", "mm/hr"),
    ("SGLI_LST", "LST", "Kelvin"),
    ("SGLI_LST", "QA_flag", None),
    ("SGLI_VNR", "Lt_VN01", "W/m2/sr/um"),
]


@pytest.mark.parametrize("kind,name,variants", KINDS, ids=[k[0] for k in KINDS])
def test_a_product_is_what_the_batch_reports(tmp_path, synth, settings, kind, name, variants, capfd):
    path = synth(kind, name, **variants)
    found = vardane.identify(path, settings=settings)
    # The readers' announcements stay off the user's standard error.
    assert capfd.readouterr().err == ""
    log, records = run_cli([path], tmp_path / "out", settings)

    assert found["kind"] == records[str(path)]["kind"]
    # The announcement line is the one the run logs, with the label in it.
    assert found["line"] in log.splitlines()
    assert found["line"] == f"It is {found['label']} Product."
    assert found["parameters"] > 0
    # Every selected variable is one the run converted: one output each.
    selected = [v for v in found["variables"] if v["selected"]]
    assert selected
    outputs = records[str(path)]["outputs"]
    for variable in selected:
        assert any(variable["name"] in o["path"] for o in outputs), (variable, outputs)


def test_a_variable_unticked_in_the_settings_is_listed_unselected(tmp_path, synth, settings):
    path = synth("AMSR2_L3_BT", "bt.h5")
    text = settings.read_text()
    # The option's lines ("\tKEY: flag=1,NAME") of the AMSR2 and AMSR-E kinds.
    lines = [l.replace("flag=1", "flag=0") if l.endswith("flag=1,BT_V") else l for l in text.splitlines()]
    settings.write_text("\n".join(lines) + "\n")
    variables = {v["name"]: v for v in vardane.identify(path, settings=settings)["variables"]}
    assert variables["BT_H"]["selected"] and not variables["BT_V"]["selected"]
    _, records = run_cli([path], tmp_path / "out", settings)
    assert [o["path"].rsplit("/", 1)[1] for o in records[str(path)]["outputs"]] == ["bt_BT_H.tif"]


def test_a_file_that_is_no_product_raises_with_its_name(tmp_path, settings):
    path = tmp_path / "notes.txt"
    path.write_text("not a satellite product\n")
    with pytest.raises(ValueError, match="notes.txt: not a product"):
        vardane.identify(path, settings=settings)


def test_a_damaged_product_raises_with_the_batchs_cause(tmp_path, synth, settings):
    path = synth("AMSR2_L1B", "GW1AM2_202207010000_000A_L1SGBTBR_2220220.h5")
    data = path.read_bytes()
    path.write_bytes(data[: len(data) // 3])
    _, records = run_cli([path], tmp_path / "out", settings)
    causes = [f["cause"] for f in records[str(path)]["failures"] if f["cause"]]
    assert causes
    with pytest.raises(ValueError) as raised:
        vardane.identify(path, settings=settings)
    assert str(path) in str(raised.value)
    assert causes[0] in str(raised.value)


def test_a_missing_file_or_settings_file_raises(tmp_path, settings):
    with pytest.raises(ValueError, match="no such file"):
        vardane.identify(tmp_path / "absent.h5", settings=settings)
    with pytest.raises(ValueError, match="no settings file"):
        vardane.identify(tmp_path / "absent.h5", settings=tmp_path / "absent.dat")


def test_a_file_changed_between_calls_is_recognised_anew(tmp_path, synth, settings):
    """The module keeps the product of the last call for the next one on the
    same file; a file replaced or cut short since is recognised again."""
    path = synth("AMSR2_L3_BT", "product.h5")
    assert vardane.identify(path, settings=settings)["kind"] == vardane.identify(
        synth("AMSR2_L3_BT", "same.h5"), settings=settings)["kind"]
    other = synth("GSMAP_HOURLY", "other.h5")
    expected = vardane.identify(other, settings=settings)["kind"]
    samples = vardane.read_parameter(other, 0)["samples"].copy()
    vardane.read_parameter(path, 0)
    os.replace(other, path)
    assert vardane.identify(path, settings=settings)["kind"] == expected
    assert (vardane.read_parameter(path, 0)["samples"] == samples).all()
    data = path.read_bytes()
    path.write_bytes(data[: len(data) // 3])
    with pytest.raises(ValueError, match=str(path)):
        vardane.read_parameter(path, 0)


@pytest.mark.parametrize("kind,variable,units", UNITS, ids=[f"{u[0]}-{u[1]}" for u in UNITS])
def test_units_are_those_the_file_states(synth, settings, kind, variable, units):
    path = synth(kind, "real.h5", layout="real")
    (found,) = [v for v in vardane.identify(path, settings=settings)["variables"] if v["name"] == variable]
    assert found["units"] == (units or "")
    for ds in (vardane.open_dataset(path, variables=variable, settings=settings),
               xr.open_dataset(path, engine="vardane", variables=variable, settings=settings,
                               mask_and_scale=False)):
        assert ds[variable].attrs.get("units") == units
    # A file of our own structure states none, and the Dataset claims none.
    plain = synth(kind, "ours.h5")
    if kind.startswith("AMSR2"):
        assert "units" not in vardane.open_dataset(plain, variables=variable, settings=settings)[variable].attrs


def test_units_are_written_as_the_netcdf_output_writes_them(tmp_path, synth, settings):
    path = synth("AMSR2_L3_GD", "GW1AM2_20220701_01D_EQMA_L3SGSSTHA2220220.h5", layout="real", geo="SST")
    run_cli([path], tmp_path / "out", settings, kinds=("netcdf",))
    written = netCDF4.Dataset(tmp_path / "out" / (path.stem + ".nc"))
    stated = {written["Geophysical_Data"].units}
    ds = vardane.open_dataset(path, settings=settings)
    assert stated and {v.attrs["units"] for v in ds.data_vars.values()} == stated
