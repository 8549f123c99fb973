#pragma once

#include <filesystem>
#include <string>

namespace vardane {

// Create the folder when missing. True only when it then is a folder. The
// process's current directory is never changed: the driver names every file
// of its working folder by full path.
bool prepare_working_folder(const std::filesystem::path& folder);

// Delete every file directly inside the folder; sub-folders stay. Never
// throws: it also runs while an exception is on its way out of a run.
void empty_folder(const std::filesystem::path& folder) noexcept;

// Move a file into place, replacing a file of the same name there. A rename
// where possible; across filesystems the file is copied to a hidden name
// beside the destination first, so the destination never holds a
// half-written file. Throws std::filesystem::filesystem_error.
void move_file_replacing(const std::filesystem::path& from, const std::filesystem::path& to);

// The working folder of a process: prefix + process id, inside parent.
std::filesystem::path process_work_folder(const std::filesystem::path& parent, const std::string& prefix);

// Removes, with their contents, the folders prefix + N inside parent whose
// process N no longer exists: working folders left by runs that were killed.
// Folders of live processes, and anything not named so, stay. Never throws.
void sweep_stale_work_folders(const std::filesystem::path& parent, const std::string& prefix) noexcept;

// Where the window keeps its working folders: $XDG_CACHE_HOME/vardane, else
// ~/.cache/vardane, else the temporary folder's vardane folder.
std::filesystem::path user_work_parent();

} // namespace vardane
