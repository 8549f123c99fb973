// The converter on its own: coordinates of the polar L3 grids from the data
// folder's tables, and the failures that must leave nothing behind.
#include <gtest/gtest.h>

#include <proj.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "netcdf/nc_converter.h"
#include "netcdf/nc_read_back.h"
#include "settings/spconverter.h"
#include "support/scratch_folder.h"
#include "support/synthetic_file.h"

namespace vardane {

namespace fs = std::filesystem;
using nc_test::nc_reader;

namespace {

const std::string kDataFolder = std::string(VARDANE_BUILD_DIR) + "/clt";

nc_converter l3bt_converter(const std::string& in, const std::string& out, const std::string& dataFolder)
{
    static const spconverter settings;
    nc_converter c(in, out);
    c.set_dimensions(settings.get_dimensions(ST_GCOMW_L3BT));
    c.set_coordinates(settings.get_coordinates(ST_GCOMW_L3BT));
    c.set_valid_ranges(settings.get_valid_ranges(ST_GCOMW_L3BT));
    c.set_fill_values(settings.get_fill_values(ST_GCOMW_L3BT));
    c.set_polar_stereo(true);
    c.set_data_file_locator([dataFolder](const std::string& name) { return dataFolder + "/" + name; });
    return c;
}

// Longitude and latitude in degrees of the centre of a cell, by PROJ, as the
// test's own reading of the grid's definition.
PJ_LP cell_centre(const char* definition, double upperLeftX, double upperLeftY, double size, int line, int pixel)
{
    PJ_CONTEXT* ctx = proj_context_create();
    PJ* p = proj_create(ctx, definition);
    const PJ_COORD g =
        proj_trans(p, PJ_INV, proj_coord(upperLeftX + (pixel + 0.5) * size, upperLeftY - (line + 0.5) * size, 0, 0));
    proj_destroy(p);
    proj_context_destroy(ctx);
    return {proj_todeg(g.lp.lam), proj_todeg(g.lp.phi)};
}

} // namespace

TEST(PolarGridCoordinates, CellsMatchTheInverseProjection)
// clang-format off
{
    struct cell {
        int line;
        int pixel;
    };
    struct grid_case {
        const char* grid;
        const char* definition;
        double upperLeftX, upperLeftY, size;
        std::size_t pixels;
        std::vector<cell> cells;
        const char* golden; // the whole header, for one grid
    };
    const grid_case cases[] = {
        {"nsidc_north_25km", "+proj=stere +lat_0=90 +lat_ts=70 +lon_0=-45 +a=6378273 +b=6356889.449 +units=m",
         -3850000, 5850000, 25000, 304, {{0, 0}, {300, 150}}, "amsr2_l3_bt_polar"},
        {"nsidc_south_25km", "+proj=stere +lat_0=-90 +lat_ts=-70 +lon_0=0 +a=6378273 +b=6356889.449 +units=m",
         -3950000, 4350000, 25000, 316, {{331, 315}, {100, 200}}, nullptr},
        {"snow_north_25km", "+proj=stere +lat_0=90 +lat_ts=70 +lon_0=90 +a=6378273 +b=6356889.449 +units=m",
         -5390000, 6468000, 25000, 432, {{10, 400}, {287, 216}}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grid);
        test_support::scratch_folder scratch;
        const std::string in = test_support::write_synthetic("AMSR2_L3_BT", scratch / "in.h5", {{"grid", c.grid}});
        ASSERT_FALSE(in.empty());
        const std::string out = scratch.file("out.nc");
        nc_converter converter = l3bt_converter(in, out, kDataFolder);
        ASSERT_TRUE(converter.convert()) << converter.error();

        if (c.golden) {
            EXPECT_EQ(nc_test::ncdump_header(out), nc_test::golden_header(c.golden));
        }
        nc_reader nc(out);
        ASSERT_TRUE(nc.ok());
        const std::vector<double> lat = nc.values("lat");
        const std::vector<double> lon = nc.values("lon");
        for (const auto& k : c.cells) {
            const PJ_LP expected = cell_centre(c.definition, c.upperLeftX, c.upperLeftY, c.size, k.line, k.pixel);
            const std::size_t i = std::size_t(k.line) * c.pixels + std::size_t(k.pixel);
            EXPECT_NEAR(lat.at(i) / 100.0, expected.phi, 0.01) << k.line << "," << k.pixel;
            EXPECT_NEAR(lon.at(i) / 100.0, expected.lam, 0.01) << k.line << "," << k.pixel;
        }
    }
}
// clang-format on

// A table that is missing or malformed ends that export with a message
// naming the file and the line, and nothing is left at the output path; an
// output name that exists already is reported and that file is kept.
TEST(PolarGridCoordinates, FailuresAreNamedAndLeaveNoFile)
{
    std::string line;
    for (int p = 0; p < 304; ++p) line += (p ? "," : "") + std::string("45.5");
    line += "\n";
    std::string table;
    for (int l = 0; l < 448; ++l) table += line;
    struct failure_case {
        const char* what;
        std::string latTable; // "" leaves the table out
        std::string message;  // after the table's path
        bool outputExists;
    };
    const failure_case cases[] = {
        {"missing table", "", "", false},
        {"short line", line + line + line + "1.0,2.0\n" + table, " line 4: 2 values, the grid has 304.", false},
        {"not a number", line + "45.5,north" + line.substr(4), " line 2 value 2: not a number of degrees.", false},
        {"too few lines", table.substr(0, line.size() * 10), " line 11: missing, the grid has 448 lines.", false},
        {"output exists", table, "", true},
    };
    test_support::scratch_folder scratch;
    const std::string in =
        test_support::write_synthetic("AMSR2_L3_BT", scratch / "in.h5", {{"grid", "nsidc_north_25km"}});
    ASSERT_FALSE(in.empty());
    const fs::path tables = scratch / "tables";
    const std::string latPath = (tables / "pn_lat_025.csv").string();
    const std::string out = scratch.file("out.nc");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(tables);
        fs::create_directories(tables);
        fs::remove(out);
        if (!c.latTable.empty()) std::ofstream(latPath) << c.latTable;
        if (c.outputExists) std::ofstream(out) << "mine";
        nc_converter converter = l3bt_converter(in, out, tables.string());
        EXPECT_FALSE(converter.convert());
        const std::string expected = c.outputExists       ? "NetCDF file " + out + " already exists."
                                     : c.latTable.empty() ? "cannot open file: " + latPath
                                                          : latPath + c.message;
        EXPECT_EQ(converter.error(), expected);
        EXPECT_EQ(fs::exists(out), c.outputExists);
        if (c.outputExists) {
            EXPECT_EQ(fs::file_size(out), 4u);
        }
    }
}

} // namespace vardane
