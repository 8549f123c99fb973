#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "jasmes/jasmes_synth.h"
#include "reader/family_probe.h"
#include "reader/spinfo.h"
#include "support/scratch_folder.h"
#include "support/synthetic_file.h"
#include "synth_registry.h"

namespace vardane {

namespace jasmes_test {

namespace fs = std::filesystem;
using family_probe::describe;

// A private folder per process and test, removed afterwards.
class ReaderTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return scratch_.file(name); }

    // Writes a file of the given synthetic kind with --set style variants.
    std::string synth(const std::string& kind, const std::string& name,
                      std::vector<std::pair<std::string, std::string>> variants = {})
    {
        EXPECT_FALSE(test_support::write_synthetic(kind, path(name), std::move(variants)).empty()) << kind;
        return path(name);
    }

    // init with the file's real size, as the run driver does.
    void recognise(spinfo& info, const std::string& p) const { info.init(p, fs::file_size(p)); }

    static std::vector<unsigned char> bytes_of(const std::string& p)
    {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static std::uint16_t u16_at(const std::vector<unsigned char>& b, std::size_t offset)
    {
        return static_cast<std::uint16_t>(b[offset] | (b[offset + 1] << 8));
    }

    test_support::scratch_folder scratch_{"vardane_jasmes"};
};

} // namespace jasmes_test

namespace jasmes_test {

// Overwrites bytes of a file in place.
inline void patch(const std::string& p, std::size_t offset, const std::vector<unsigned char>& bytes)
{
    std::fstream f(p, std::ios::binary | std::ios::in | std::ios::out);
    f.seekp(static_cast<std::streamoff>(offset));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void expect_corners(const spinfo& info, double top, double left, double bottom, double right)
{
    earthPoint_t c[4];
    info.get_Corner(c);
    using namespace corner;
    for (const auto& [k, lat, lon] :
         {std::tuple{UL, top, left}, {UR, top, right}, {LL, bottom, left}, {LR, bottom, right}}) {
        EXPECT_NEAR(c[k].lat, lat, 1e-9) << "corner " << k;
        EXPECT_NEAR(c[k].lon, lon, 1e-9) << "corner " << k;
    }
}

} // namespace jasmes_test

} // namespace vardane
