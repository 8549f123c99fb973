#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace vardane {

// A writer that fails after creating its file removes it, so that no
// half-written image can be mistaken for a result.
inline void discard_partial_file(const std::string& name)
{
    std::error_code ec;
    std::filesystem::remove(name, ec);
}

} // namespace vardane
