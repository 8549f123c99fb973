// vardane-python-worker: one worker process of a batch the Python module
// runs. The interpreter may have threads, so its batches start their workers
// afresh instead of forking it (see worker_process.h).
#include "batch/worker_program.h"

// main alone is global; the worker itself is in namespace vardane.
int main(int argc, char** argv)
{
    if (vardane::is_worker_start(argc, argv)) vardane::run_worker_program(argc, argv);
    return 2; // started by hand: it has nothing to do
}
