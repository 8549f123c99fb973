#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/console_sink.h"

class spconverter;

// Working folders of command-line runs are named after their process.
inline constexpr char kWorkFolderPrefix[] = ".vardane-work-";

// The private working folder of this process inside the output folder: runs
// never empty each other's files, and moves stay renames.
std::filesystem::path private_work_folder(const std::string& output);

// Converts the files in this process, through the same run driver as the
// window; the log goes to the sink. Fills sink.tally and returns it.
run_tally run_in_process(const cli_options& options, const std::vector<std::string>& files, spconverter& settings,
                         console_sink& sink);
