#include <gtest/gtest.h>

#include <filesystem>

#include "util/program_dir.h"

namespace vardane {

TEST(ProgramDir, FolderOfExecutableIndependentOfCwd)
{
    const std::string before = getCurrentDir();
    ASSERT_FALSE(before.empty());
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(before) / "test_util"));
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    EXPECT_EQ(getCurrentDir(), before);
    std::filesystem::current_path(cwd);
    EXPECT_NE(before.back(), '/');
}

} // namespace vardane
