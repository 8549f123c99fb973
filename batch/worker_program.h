#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

#include "batch/batch_options.h"

namespace vardane {

// A program that starts its batch's workers afresh (the window: a process
// with threads must not convert in a fork of itself) runs them as itself
// with these arguments; its main() hands them to run_worker_program before
// it builds anything else.
inline constexpr char kWorkerSwitch[] = "--worker";

// The arguments after `program` that make it the worker of `parent` for
// `options`: kWorkerSwitch first.
std::vector<std::string> worker_arguments(const std::string& program, const batch_options& options, pid_t parent);

// True when the program was started as a worker.
bool is_worker_start(int argc, char** argv);

// The worker's whole life (see run_worker): reads the options of
// worker_arguments (argv[1] is kWorkerSwitch) and the settings file they
// name, converts the tasks of its standard input, and ends the process
// without returning; a command line it cannot read ends it with status 2.
[[noreturn]] void run_worker_program(int argc, char** argv);

} // namespace vardane
