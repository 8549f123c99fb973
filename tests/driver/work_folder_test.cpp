// Working folders: who owns one (its lock, held by a live process of any
// name or namespace), which folders a sweep removes, and that a folder inside
// a vanished output folder is never made again.
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include "driver/working_folder.h"
#include "driver_test_support.h"

namespace vardane {

namespace fs = std::filesystem;
using namespace driver_test;

namespace {

const std::string kPrefix = ".vardane-work-";
// Above any pid_max: no process has this id.
constexpr int kNoSuchPid = 2147483000;

fs::path make_folder(const fs::path& folder)
{
    fs::create_directories(folder);
    write_text(folder / "part.tif", "half written");
    return folder;
}

fs::path make_owned_looking(const fs::path& folder)
{
    make_folder(folder);
    write_text(folder / kWorkFolderLockName, "");
    return folder;
}

// Host, boot and PID-namespace fields of this process's origin.
struct origin_fields {
    std::string host, boot, pidNamespace;
};

origin_fields own_origin()
{
    std::string origin = work_folder_origin();
    origin.pop_back();
    origin_fields f;
    f.pidNamespace = origin.substr(origin.rfind('-') + 1);
    origin.erase(origin.rfind('-'));
    f.boot = origin.substr(origin.rfind('-') + 1);
    f.host = origin.erase(origin.rfind('-'));
    return f;
}

std::string origin_of(const origin_fields& f) { return f.host + "-" + f.boot + "-" + f.pidNamespace + "-"; }

// A forked process that does `work`, says so on a pipe, and then waits
// until the pipe back to it closes or it is killed.
class child_process {
public:
    template <class Work>
    explicit child_process(Work work)
    {
        int ready[2];
        int go[2];
        if (::pipe(ready) != 0 || ::pipe(go) != 0) throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(go[1]);
            const char ok = work() ? 'y' : 'n';
            if (::write(ready[1], &ok, 1) != 1) ::_exit(1);
            char byte;
            while (::read(go[0], &byte, 1) > 0) {}
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(go[0]);
        goFd_ = go[1];
        char ok = 'n';
        workDone_ = ::read(ready[0], &ok, 1) == 1 && ok == 'y';
        ::close(ready[0]);
    }
    ~child_process() { end(SIGKILL); }
    child_process(const child_process&) = delete;
    child_process& operator=(const child_process&) = delete;

    bool work_done() const { return workDone_; }
    pid_t pid() const { return pid_; }

    // Ends it: by closing its pipe (a normal exit) or by the signal.
    void end(int signal = 0)
    {
        if (pid_ <= 0) return;
        if (signal != 0) ::kill(pid_, signal);
        ::close(goFd_);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int goFd_ = -1;
    bool workDone_ = false;
};

// A child that takes the locks of the folders' lock files.
child_process lock_holder(const std::vector<fs::path>& folders)
{
    return child_process([&folders] {
        for (const auto& folder : folders) {
            const int fd = ::open((folder / kWorkFolderLockName).c_str(), O_RDONLY);
            if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) return false;
        }
        return true;
    });
}

} // namespace

// A lock held by a live process keeps the folder, whatever its name says:
// a process id that is dead here, another host's or boot's, or an old name.
// Once that process ends, the lock is free and the folder goes.
TEST(WorkFolder, LockHeldByALiveProcessKeepsTheFolderWhateverItsNameSays)
{
    temp_folder t;
    origin_fields elsewhere = own_origin();
    elsewhere.host = "another-node";
    const std::vector<fs::path> folders{
        make_owned_looking(process_work_folder(t.path(), kPrefix, kNoSuchPid)),
        make_owned_looking(t / (kPrefix + origin_of(elsewhere) + std::to_string(kNoSuchPid))),
        make_owned_looking(t / (kPrefix + std::to_string(kNoSuchPid))),
    };
    auto holder = lock_holder(folders);
    ASSERT_TRUE(holder.work_done());

    sweep_stale_work_folders(t.path(), kPrefix);
    for (const auto& folder : folders) EXPECT_TRUE(fs::exists(folder / "part.tif")) << folder;

    holder.end();
    sweep_stale_work_folders(t.path(), kPrefix);
    for (const auto& folder : folders) EXPECT_FALSE(fs::exists(folder)) << folder;
    EXPECT_TRUE(fs::is_empty(t.path())) << "nothing left under another name";
}

// The real owner in another process: its folder stays while it lives, and
// once it is killed (no clean-up of its own) the next sweep removes it.
TEST(WorkFolder, KilledOwnersFolderIsSweptLiveOwnersIsNot)
{
    temp_folder t;
    child_process owner([&t] {
        // Kept until the process is killed.
        const auto* folder = new owned_work_folder(t.path(), kPrefix);
        write_text(folder->path() / "part.tif", "half written");
        return folder->held();
    });
    ASSERT_TRUE(owner.work_done());
    const fs::path folder = process_work_folder(t.path(), kPrefix, owner.pid());
    ASSERT_TRUE(fs::exists(folder / kWorkFolderLockName));

    sweep_stale_work_folders(t.path(), kPrefix);
    EXPECT_FALSE(remove_stale_work_folder(folder, kPrefix));
    EXPECT_TRUE(fs::exists(folder / "part.tif"));

    owner.end(SIGKILL);
    ASSERT_TRUE(fs::exists(folder)) << "a killed owner cleans up nothing itself";
    sweep_stale_work_folders(t.path(), kPrefix);
    EXPECT_FALSE(fs::exists(folder));
}

// Without a lock file (older versions made none) a folder is judged by its
// process id, and only when its name says it was made on this host, in this
// boot and this PID namespace; a sweep's own lock file goes again with a
// folder it keeps. A sweep that was interrupted is finished.
TEST(WorkFolder, WithoutALockFileOnlyThisOriginsFoldersOfDeadProcessesGo)
{
    temp_folder t;
    const origin_fields here = own_origin();
    auto another = [&](auto change) {
        origin_fields f = here;
        change(f);
        return make_folder(t / (kPrefix + origin_of(f) + std::to_string(kNoSuchPid)));
    };
    const fs::path dead = make_folder(process_work_folder(t.path(), kPrefix, kNoSuchPid));
    const fs::path interrupted = make_folder(t / (kPrefix + "~gone-12-1"));
    const std::vector<fs::path> kept{
        make_folder(process_work_folder(t.path(), kPrefix, static_cast<int>(::getpid()))),
        another([](origin_fields& f) { f.host = "another-node"; }),
        another([](origin_fields& f) { f.boot = std::string(32, '0'); }),
        another([](origin_fields& f) { f.pidNamespace = "4026530000"; }),
        make_folder(t / (kPrefix + std::to_string(kNoSuchPid))),
        make_folder(t / ("work-" + work_folder_origin() + std::to_string(kNoSuchPid))),
    };

    sweep_stale_work_folders(t.path(), kPrefix);
    EXPECT_FALSE(fs::exists(dead));
    EXPECT_FALSE(fs::exists(interrupted));
    for (const auto& folder : kept) {
        EXPECT_TRUE(fs::exists(folder / "part.tif")) << folder;
        EXPECT_FALSE(fs::exists(folder / kWorkFolderLockName)) << folder;
    }
}

// A child forked from the owner shares its lock: when the child ends, even
// through the owner object's destructor, the folder and its lock stay the
// owner's. The owner's own end removes the folder.
TEST(WorkFolder, ForkedChildThatEndsLeavesTheOwnersFolderAndLock)
{
    temp_folder t;
    auto owner = std::make_unique<owned_work_folder>(t.path(), kPrefix);
    ASSERT_TRUE(owner->held());
    const fs::path folder = owner->path();
    EXPECT_EQ(folder, process_work_folder(t.path(), kPrefix));

    const pid_t child = ::fork();
    if (child == 0) {
        owner.reset();
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(fs::exists(folder / kWorkFolderLockName));
    // Another process's view: the lock is still taken.
    auto prober = lock_holder({folder});
    EXPECT_FALSE(prober.work_done());
    prober.end();
    EXPECT_FALSE(remove_stale_work_folder(folder, kPrefix));

    owner.reset();
    EXPECT_FALSE(fs::exists(folder));
}

// Runs empty the working folder at start and end: the lock file is no file
// of theirs.
TEST(WorkFolder, EmptyingTheFolderKeepsItsLock)
{
    temp_folder t;
    const owned_work_folder owner(t.path(), kPrefix);
    ASSERT_TRUE(owner.held());
    write_text(owner.path() / "a.tif", "x");
    empty_folder(owner.path());
    EXPECT_EQ(files_in(owner.path()), std::vector<std::string>{kWorkFolderLockName});
    auto prober = lock_holder({owner.path()});
    EXPECT_FALSE(prober.work_done());
}

// A folder of this process's name left by a killed process that had the id
// before is taken over.
TEST(WorkFolder, OwnerTakesOverAFolderLeftUnderItsName)
{
    temp_folder t;
    const fs::path left = make_owned_looking(process_work_folder(t.path(), kPrefix));
    const owned_work_folder owner(t.path(), kPrefix);
    ASSERT_TRUE(owner.held());
    EXPECT_EQ(owner.path(), left);
    auto prober = lock_holder({left});
    EXPECT_FALSE(prober.work_done());
}

// Neither the owner nor a run makes a folder whose parent is gone.
TEST(WorkFolder, NothingIsMadeInsideAVanishedFolder)
{
    temp_folder t;
    const owned_work_folder owner(t / "gone", kPrefix);
    EXPECT_FALSE(owner.held());
    EXPECT_FALSE(prepare_working_folder(t / "gone" / "work"));
    EXPECT_FALSE(fs::exists(t / "gone"));
}

// A run whose output folder vanished, working folder and all, says so and
// counts a failure; it makes neither folder again.
TEST(WorkFolder, RunWhoseOutputFolderVanishedFailsAndMakesNothing)
{
    driver_rig rig;
    const auto input = write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");
    rig.request.workFolder = rig.out / ".vardane-work-1";
    fs::create_directories(rig.request.workFolder);
    fs::remove_all(rig.out);

    ASSERT_TRUE(rig.run({input}, kinds(true, false, false, false)));
    EXPECT_EQ(rig.sink.lines, (std::vector<std::string>{kStart, "Output folder is NOT exits.", kCompleted}));
    EXPECT_EQ(rig.sink.count(run_event_type::failure), 1);
    EXPECT_FALSE(fs::exists(rig.out));
}

} // namespace vardane
