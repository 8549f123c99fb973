// vardane-mkdata FOLDER: writes the program's data folder.
#include <filesystem>
#include <iostream>
#include <system_error>

#include "tools/mkdata/data_writers.h"

namespace vardane {

int run_program(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: vardane-mkdata FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::cerr << "vardane-mkdata: cannot make " << folder << ": " << ec.message() << "\n";
        return 1;
    }
    const bool colours = write_colour_data(folder);
    const bool polar = write_polar_tables(folder);
    return colours && polar ? 0 : 1;
}

} // namespace vardane

int main(int argc, char** argv) { return vardane::run_program(argc, argv); }
