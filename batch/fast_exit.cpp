#include "batch/fast_exit.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <fcntl.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#include <sanitizer/lsan_interface.h>
#define VARDANE_SANITIZED 1
#endif

namespace vardane {

namespace {

#ifdef VARDANE_SANITIZED
// The sanitizers' log_path option: reports go to files, which a worker must
// not override.
bool reports_go_to_files()
{
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
        const char* options = std::getenv(name);
        if (options && std::strstr(options, "log_path=")) return true;
    }
    return false;
}
#endif

} // namespace

void fast_exit(int status)
{
#ifdef VARDANE_SANITIZED
    __lsan_do_leak_check();
#endif
    ::_exit(status);
}

void keep_sanitizer_reports_on_standard_error()
{
#ifdef VARDANE_SANITIZED
    if (reports_go_to_files()) return;
    // Above the worker's fixed descriptors, closed on exec like them.
    const int kept = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 10);
    if (kept >= 0) __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<std::intptr_t>(kept)));
#endif
}

} // namespace vardane
