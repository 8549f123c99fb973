#pragma once

#include <filesystem>
#include <string>

namespace vardane {

// Create the folder when missing; its parent must exist (a working folder
// inside a vanished output folder is not made again, nor is the output
// folder). True only when it then is a folder; otherwise `why`, when
// given, receives the cause in the system's words. The process's current
// directory is never changed: the driver names every file of its working
// folder by full path.
bool prepare_working_folder(const std::filesystem::path& folder, std::string* why = nullptr);

// Delete every file directly inside the folder; sub-folders and the
// folder's lock file stay. Never throws: it also runs while an exception is on its way out of a run.
void empty_folder(const std::filesystem::path& folder) noexcept;

// Move a file into place, replacing a file of the same name there. A rename
// where possible; across filesystems the file is copied to a hidden name
// beside the destination first, so the destination never holds a
// half-written file. Throws std::filesystem::filesystem_error.
void move_file_replacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Where this process makes its working folders: host name, boot and PID
// namespace, in file-name characters, each field followed by '-'. A process
// id in a folder's name means something only to a process of the same
// origin.
std::string work_folder_origin();

// The working folder of process `pid` of this origin (this process when
// omitted): prefix + origin + pid, inside parent.
std::filesystem::path process_work_folder(const std::filesystem::path& parent, const std::string& prefix);
std::filesystem::path process_work_folder(const std::filesystem::path& parent, const std::string& prefix, int pid);

// The file inside every working folder that its owner keeps locked
// (flock, exclusive) for the folder's whole life. The kernel drops the lock
// when the owner's process ends, however it ends, so a folder whose lock can
// be taken has no owner left, wherever the owner ran. On NFS, Linux maps
// flock to POSIX byte-range locks, which hold across clients with NLM
// (NFSv3) or NFSv4 locking; a mount without locking ("nolock") keeps locks
// to one node.
inline constexpr const char* kWorkFolderLockName = ".vardane-lock";

// The working folder of this process, made and locked for the object's
// life, then removed with its contents (still locked while that happens).
// The parent must exist: a vanished output folder is not made again. The
// lock is taken before the folder is handed out for use. A child forked from
// the owner shares the lock (one open file description); when the child
// ends, neither the lock nor the folder goes with it.
class owned_work_folder {
public:
    owned_work_folder(const std::filesystem::path& parent, const std::string& prefix);
    ~owned_work_folder();
    owned_work_folder(const owned_work_folder&) = delete;
    owned_work_folder& operator=(const owned_work_folder&) = delete;

    // False when the folder could not be made or locked.
    bool held() const { return lockFd_ >= 0; }
    const std::filesystem::path& path() const { return folder_; }

private:
    std::filesystem::path folder_;
    std::string prefix_;
    int lockFd_ = -1;
    int ownerPid_ = 0;
};

// Removes, with its contents, a working folder (named prefix + ...) whose
// owner is gone: one whose lock file this call can lock itself, or - for a
// folder without a lock file - one whose name carries this process's origin
// and the id of a process that no longer exists. A folder of a live owner,
// on any host or in any PID namespace, stays; so does one without a lock
// file of another origin or of an older version (whose names carry no
// origin). True when it was removed. Never throws.
bool remove_stale_work_folder(const std::filesystem::path& folder, const std::string& prefix) noexcept;

// remove_stale_work_folder for every folder prefix + ... inside parent:
// working folders left by runs that were killed. Never throws.
void sweep_stale_work_folders(const std::filesystem::path& parent, const std::string& prefix) noexcept;

// Where the window keeps its working folders: $XDG_CACHE_HOME/vardane, else
// ~/.cache/vardane, else the temporary folder's vardane folder.
std::filesystem::path user_work_parent();

} // namespace vardane
