"""dask_convert(): a list of files converted on a dask.distributed cluster."""

import os
import tempfile

from ._convert import convert


def _convert_shard(inputs, output_dir, kinds, settings):
    """One task: convert() of a shard of the inputs on a worker, returning
    its results and the report lines it wrote, as bytes."""
    fd, part = tempfile.mkstemp(prefix="vardane-report-", suffix=".jsonl")
    os.close(fd)
    try:
        results = convert(inputs, output_dir, kinds=kinds, jobs=1, report=part, settings=settings)
        with open(part, "rb") as lines:
            return results, lines.read()
    finally:
        os.remove(part)


def dask_convert(client, inputs, output_dir, kinds=("geotiff",), report=None, per_task=1, settings=None):
    """Convert `inputs` into `output_dir` on the workers of a
    dask.distributed `client`, `per_task` inputs per task.

    Each task is one convert() of its inputs (see convert) on a worker, so
    the workers need the package, the inputs, `output_dir` and `settings`
    at the same paths: a shared file system. Each task's report lines are
    those convert() writes, and the command line's --report: the lines of a
    finished task are appended to `report` (the driver's file) as the task
    ends, one JSON line per input. Returns the results of convert(), one
    per input file, in the order of `inputs`. A task that fails (its worker
    lost, say) raises here, once the report holds every task that finished.
    """
    from distributed import as_completed

    if isinstance(inputs, (str, os.PathLike)):
        inputs = [inputs]
    if isinstance(kinds, str):
        kinds = [kinds]
    if per_task < 1:
        raise ValueError("per_task: at least 1")
    # Paths as the driver sees them: a worker may run in another folder.
    inputs = [os.path.abspath(os.fspath(i)) for i in inputs]
    output_dir = os.path.abspath(os.fspath(output_dir))
    settings = None if settings is None else os.path.abspath(os.fspath(settings))
    shards = [inputs[i:i + per_task] for i in range(0, len(inputs), per_task)]
    futures = [client.submit(_convert_shard, shard, output_dir, list(kinds), settings, pure=False) for shard in shards]
    order = {future.key: n for n, future in enumerate(futures)}

    done = [None] * len(shards)
    failed = []
    with open(os.devnull if report is None else report, "ab") as out:
        # A line cut short by an earlier run stays a line of its own, as
        # the command line's report keeps it.
        if report is not None and out.tell() > 0:
            with open(report, "rb") as earlier:
                earlier.seek(-1, os.SEEK_END)
                if earlier.read(1) != b"\n":
                    out.write(b"\n")
        for future in as_completed(futures):
            try:
                results, lines = future.result()
            except Exception as error:  # kept until every finished task is reported
                failed.append(error)
                continue
            out.write(lines)
            out.flush()
            done[order[future.key]] = results
    if failed:
        raise failed[0]
    return [result for results in done for result in results]
