#pragma once

#include <filesystem>

// Create the folder when missing and make it the process's current
// directory. True only when the current directory is then that folder.
bool enter_working_folder(const std::filesystem::path& folder);

// Delete every file directly inside the folder; sub-folders stay. Never
// throws: it also runs while an exception is on its way out of a run.
void empty_folder(const std::filesystem::path& folder) noexcept;

// Move a file into place, replacing a file of the same name there. A rename
// where possible; across filesystems the file is copied to a hidden name
// beside the destination first, so the destination never holds a
// half-written file. Throws std::filesystem::filesystem_error.
void move_file_replacing(const std::filesystem::path& from, const std::filesystem::path& to);
