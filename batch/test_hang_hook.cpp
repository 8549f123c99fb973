#include "batch/test_hang_hook.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <thread>

namespace vardane {

namespace {

constexpr char kVariable[] = "VARDANE_TEST_SPIN_ON";

bool asked_for(const std::string& name)
{
    const char* value = std::getenv(kVariable);
    if (!value || name.empty()) return false;
    const std::string_view names(value);
    for (std::size_t start = 0; start <= names.size();) {
        const auto end = std::min(names.find('/', start), names.size());
        if (names.substr(start, end - start) == name) return true;
        start = end + 1;
    }
    return false;
}

} // namespace

void hang_if_asked(const std::string& path)
{
    if (!asked_for(std::filesystem::path(path).filename().string())) return;
    // Sleeping rather than burning a core: to the parent and to a cancel the
    // two are the same, and a loaded test machine stays usable.
    for (;;) std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

} // namespace vardane
