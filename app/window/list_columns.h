#pragma once

#include <array>

namespace vardane {

// The columns of the two file lists, kept as data. Every cell holds text.
struct list_column {
    const char* header;
    const char* name;
    bool hidden;
};

namespace input_col {
enum : int { FullPath = 0, FileName = 1, FileDate = 2, FileSize = 3, SelFlag = 4, Count = 5 };
}
namespace output_col {
enum : int { FullPath = 0, FileName = 1, FileDate = 2, FileSize = 3, Count = 4 };
}

inline constexpr std::array<list_column, input_col::Count> kInputColumns{{
    {"fullpath", "inFullpath", true},
    {"Name", "inFileName", false},
    {"Date", "inFileDate", false},
    {"Size", "inFileSize", false},
    {"SF", "SelFlag", true},
}};

inline constexpr std::array<list_column, output_col::Count> kOutputColumns{{
    {"fullpath", "outFullpath", true},
    {"Name", "outFileName", false},
    {"Date", "outFileDate", false},
    {"Size", "outFileSize", false},
}};

// The check flag of an input row, as stored in its hidden column.
inline constexpr char kFlagTrue[] = "True";
inline constexpr char kFlagFalse[] = "False";

} // namespace vardane
