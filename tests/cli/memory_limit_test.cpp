// The memory limit of the workers: its sizes on the command line and its
// default.
#include <gtest/gtest.h>

#include "batch/child_channel.h"
#include "cli/cli_options.h"
#include "batch/memory_limit.h"

namespace vardane {

TEST(MemoryLimit, SizesInBytesOrBinaryMultiples)
{
    EXPECT_EQ(parse_memory_size("0"), 0u);
    EXPECT_EQ(parse_memory_size("1048576"), 1048576u);
    EXPECT_EQ(parse_memory_size("4k"), 4096u);
    EXPECT_EQ(parse_memory_size("200M"), 200u << 20);
    EXPECT_EQ(parse_memory_size("3g"), std::uint64_t{3} << 30);
    for (const char* bad : {"", "M", "12X", "1.5G", "-1", "12MB", " 1G", "17179869184G"}) {
        EXPECT_FALSE(parse_memory_size(bad).has_value()) << bad;
    }
}

TEST(MemoryLimit, DefaultSharesHalfTheMemoryAboveAFloor)
{
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_EQ(default_memory_limit(1), 0u);
#else
    const std::uint64_t one = default_memory_limit(1);
    EXPECT_GE(one, kMemoryLimitFloor);
    EXPECT_LE(default_memory_limit(2), one);
    EXPECT_EQ(default_memory_limit(1 << 20), kMemoryLimitFloor);
#endif
}

TEST(MemoryLimit, CommandLineOption)
{
    const auto given = parse_command_line({"-o", "out", "--max-memory", "200M", "a.h5"});
    EXPECT_TRUE(given.error.empty()) << given.error;
    EXPECT_EQ(given.options.maxMemory, 200u << 20);
    const auto none = parse_command_line({"-o", "out", "--max-memory=0", "a.h5"});
    EXPECT_EQ(none.options.maxMemory, 0u);
    EXPECT_FALSE(parse_command_line({"-o", "out", "a.h5"}).options.maxMemory.has_value());
    EXPECT_FALSE(parse_command_line({"-o", "out", "--max-memory", "lots", "a.h5"}).error.empty());
}

TEST(MemoryLimit, RetiringWorkerTellsItAtTheEndOfItsTask)
{
    for (const bool completed : {false, true}) {
        const auto decoded = decode_record(encode_record(task_ended{completed, true}));
        ASSERT_TRUE(decoded.has_value());
        const auto& end = std::get<task_ended>(*decoded);
        EXPECT_EQ(end.completed, completed);
        EXPECT_TRUE(end.retiring);
        EXPECT_FALSE(std::get<task_ended>(*decode_record(encode_record(task_ended{completed}))).retiring);
    }
}

} // namespace vardane
