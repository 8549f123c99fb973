#include <gtest/gtest.h>

#include "reader/hdf5/gpm_file_header.h"
#include "reader/hdf5/h5_fixture.h"
#include "reader/hdf5/h5_products.h"
#include "reader/family_probe.h"
#include "reader/hdf5/sgli_product_name.h"
#include "reader/spinfo.h"

namespace vardane {

namespace {

class Hdf5Kind : public ::testing::Test {
protected:
    h5fx::temp_dir dir_;
};

// Every code is recognised in the sweep of synthetic products; the tile
// digits and the period that daily-tile codes need are read from files below.
TEST(SgliProductName, ShortOrDamagedNamesMatchNothing)
{
    EXPECT_EQ(decode_sgli_product_name("").kind, PT_UNKNOWN);
    EXPECT_EQ(decode_sgli_product_name("GC1SG1_20240101D01D_T05").kind, PT_UNKNOWN);
    EXPECT_EQ(decode_sgli_product_name(std::string(31, 'x') + "VN").kind, PT_UNKNOWN);
    const auto noDigits = decode_sgli_product_name("GC1SG1_20240101D01D_TxxYY_L2SG_LST_Q_2000.h5");
    EXPECT_EQ(noDigits.kind, PT_SGLI_LST);
    EXPECT_FALSE(noDigits.tile);
    EXPECT_EQ(noDigits.tileH, 0);
}

TEST(GpmFileHeader, FileNameNeedsItsEnd)
{
    EXPECT_EQ(gpm_header_file_name("A=1;FileName=x.h5;B=2;"), "x.h5");
    EXPECT_FALSE(gpm_header_file_name("FileName=x.h5").has_value());
    EXPECT_FALSE(gpm_header_file_name("A=1;").has_value());
}

TEST_F(Hdf5Kind, BothStringLayoutsOfGlobalAttributes)
{
    for (const bool fixed : {false, true}) {
        const auto path = dir_ / (fixed ? "fixed.h5" : "vlen.h5");
        {
            h5fx::file f(path);
            for (const auto& [key, value] : {std::pair<std::string, std::string>{"ProductName", "AMSR2-L3"},
                                             {"GeophysicalName", "Sea Surface Temperature"},
                                             {"CoRegistrationParameterA1", "6G-0.0,7G-1.5"}}) {
                fixed ? f.text_fixed_scalar(key, value) : f.text_vlen_1d(key, value);
            }
            h5prod::write_table(f, h5prod::table_of(PT_AMSR2_L3_GD), 720, 1440, 1);
        }
        spinfo info;
        h5prod::init(info, path);
        EXPECT_EQ(info.getType(), PT_AMSR2_L3_GD) << path;
        EXPECT_EQ(info.getGeophsyicalName(), "SST");
        const auto text = [&](const char* key) {
            const auto it = info.attributes().find(key);
            return it == info.attributes().end() ? std::string() : it->second;
        };
        EXPECT_EQ(text("CoRegistrationParameterA1"), "6G-0.0,7G-1.5");
        EXPECT_EQ(text("FileHeader"), ""); // absent keys are empty
        EXPECT_EQ(info.fileName(), path.string());
    }
}

// A root text attribute in any storage: variable or fixed length, scalar or
// one element, ASCII or UTF-8 (as h5py and netCDF-4 re-pack files), ended
// by NUL or padded with blanks (Fortran writers).
struct text_form {
    const char* what;
    bool variable;
    bool scalar;
    H5T_cset_t cset;
    H5T_str_t pad;
};

void write_text(H5::H5File& f, const std::string& name, const std::string& value, const text_form& form)
{
    H5::StrType type(H5::PredType::C_S1, form.variable ? H5T_VARIABLE : value.size() + 4);
    type.setCset(form.cset);
    if (!form.variable) type.setStrpad(form.pad);
    const hsize_t one = 1;
    const H5::DataSpace space = form.scalar ? H5::DataSpace(H5S_SCALAR) : H5::DataSpace(1, &one);
    H5::Attribute a = f.createAttribute(name, type, space);
    if (form.variable) {
        const char* text = value.c_str();
        a.write(type, &text);
        return;
    }
    std::string stored = value;
    stored.resize(value.size() + 4, form.pad == H5T_STR_SPACEPAD ? ' ' : '\0');
    a.write(type, stored.data());
}

TEST_F(Hdf5Kind, TextAttributesAreReadInEveryCharacterSetAndStorage)
{
    const text_form forms[] = {
        {"variable, one element, ASCII", true, false, H5T_CSET_ASCII, H5T_STR_NULLTERM},
        {"fixed, scalar, ASCII", false, true, H5T_CSET_ASCII, H5T_STR_NULLTERM},
        {"variable, scalar, UTF-8", true, true, H5T_CSET_UTF8, H5T_STR_NULLTERM},
        {"variable, one element, UTF-8", true, false, H5T_CSET_UTF8, H5T_STR_NULLTERM},
        {"fixed, one element, UTF-8", false, false, H5T_CSET_UTF8, H5T_STR_NULLPAD},
        {"fixed, scalar, blank-padded", false, true, H5T_CSET_ASCII, H5T_STR_SPACEPAD},
    };
    int n = 0;
    for (const auto& form : forms) {
        SCOPED_TRACE(form.what);
        const auto path = dir_ / ("form" + std::to_string(n++) + ".h5");
        {
            h5fx::file f(path);
            write_text(f.h5(), "ProductName", "AMSR2-L1B", form);
            write_text(f.h5(), "CoRegistrationParameterA1", "6G-0.52,7G-0.47", form);
            write_text(f.h5(), "CoRegistrationParameterA2", "6G--0.09,7G--0.08", form);
            h5prod::write_table(f, h5prod::table_of(PT_AMSR2_L1B), 4, 6);
        }
        spinfo info;
        h5prod::init(info, path);
        EXPECT_EQ(info.getType(), PT_AMSR2_L1B);
        EXPECT_EQ(info.attributes().at("CoRegistrationParameterA1"), "6G-0.52,7G-0.47");
        EXPECT_EQ(info.attributes().at("CoRegistrationParameterA2"), "6G--0.09,7G--0.08");
        EXPECT_TRUE(info.unreadable_attributes().empty());
    }

    // Present but no text: "" like an absent one, and listed as unreadable.
    const auto path = dir_ / "number.h5";
    {
        h5fx::file f(path);
        f.text_vlen_1d("ProductName", "AMSR2-L1B");
        const float half = 0.5f;
        f.h5()
            .createAttribute("CoRegistrationParameterA1", H5::PredType::NATIVE_FLOAT, H5::DataSpace(H5S_SCALAR))
            .write(H5::PredType::NATIVE_FLOAT, &half);
        h5prod::write_table(f, h5prod::table_of(PT_AMSR2_L1B), 4, 6);
    }
    spinfo info;
    h5prod::init(info, path);
    EXPECT_EQ(info.getType(), PT_AMSR2_L1B);
    EXPECT_EQ(info.attributes().at("CoRegistrationParameterA1"), "");
    EXPECT_EQ(info.unreadable_attributes(), std::vector<std::string>{"CoRegistrationParameterA1"});
}

TEST_F(Hdf5Kind, FileWithoutItsKeyTableOrGridIsNoProduct)
{
    // A name whose table is absent, and an L3 grid of no known size.
    h5prod::write_radiometer(dir_ / "l1a.h5", "AMSR2-L1A", PT_AMSR2_L1B, 4, 6);
    h5prod::write_radiometer(dir_ / "l3.h5", "AMSR-E-L3", PT_AMSR2_L3_BT, 1000, 2000);
    // An L1B file lacking one brightness temperature.
    {
        h5fx::file f(dir_ / "l1b_missing.h5");
        f.text_vlen_1d("ProductName", "AMSR2-L1B");
        auto table = h5prod::table_of(PT_AMSR2_L1B);
        table.erase(table.begin() + 7);
        h5prod::write_table(f, table, 4, 6);
    }
    h5fx::file(dir_ / "plain.h5").dataset<float>("/data", {3, 3}); // no key at all
    for (const char* name : {"l1a.h5", "l3.h5", "l1b_missing.h5", "plain.h5"}) {
        spinfo info;
        h5prod::init(info, dir_ / name);
        EXPECT_EQ(info.getType(), PT_UNKNOWN) << name;
        EXPECT_EQ(info.N_count(), 0u) << name;
        EXPECT_EQ(info.N_pixel(0), 0u) << name;
    }
}

TEST_F(Hdf5Kind, GpmHeaderFlagsSelectTheGrid)
{
    struct variant {
        std::string header;
        std::vector<std::string> datasets;
        productType expected;
    };
    const variant variants[] = {
        {h5prod::gpm_header("MULTI", "HOUR"), {"/Grid/hourlyPrecipRate"}, PT_GSMAP_HOURLY},
        // HOUR decides: the monthly dataset does not stand in for the hourly one.
        {h5prod::gpm_header("MULTI", "HOUR"), {"/Grid/monthlyPrecipRate"}, PT_UNKNOWN},
        {h5prod::gpm_header("MULTI", "HOUR") + "SatelliteName=GPM;", {"/Grid/hourlyPrecipRate"}, PT_UNKNOWN},
        {h5prod::gpm_header("GPM", "DAY"), {"/GRID/precipRateESurfMean"}, PT_DPR_DAILY},
        {h5prod::gpm_header("GPM", "MONTH"), {"/FS/G2/precipRateESurface/mean"}, PT_DPRV7_MONTHLY},
        {h5prod::gpm_header("TRMM", "MONTH"), {"/FS/G2/precipRateESurface/mean"}, PT_UNKNOWN},
    };
    int n = 0;
    for (const auto& v : variants) {
        const auto path = dir_ / ("gpm" + std::to_string(n++) + ".h5");
        {
            h5fx::file f(path);
            f.text_vlen_1d("FileHeader", v.header);
            for (const auto& d : v.datasets) {
                if (d.find("Grid/") != std::string::npos)
                    f.dataset<float>(d, {36, 18});
                else
                    f.dataset<float>(d, {2, 3, 36, 14});
            }
        }
        spinfo info;
        h5prod::init(info, path);
        EXPECT_EQ(info.getType(), v.expected) << "variant " << n - 1;
        EXPECT_EQ(family_probe::describe(path).granule, "GPMMRG_MAP_2401010000_H_L3S_MCH_05A.h5");
    }
}

// A GranuleID of the file wins over the header's file name; an HDF5 file
// named like a GSMaP binary is read as HDF5.
TEST_F(Hdf5Kind, GranuleIdWinsAndGsmapNamedHdfIsHdf5)
{
    const auto granule = dir_ / "granule.h5";
    h5prod::write_gsmap_hourly(granule, 36, 18, [](h5fx::file& f) { f.text_fixed_scalar("GranuleID", "own-id"); });
    const auto named = dir_ / "gsmap_nrt.20240101.0000.h5";
    h5prod::write_gsmap_hourly(named);
    for (const auto& [path, id] : {std::pair{granule, "own-id"}, {named, "GPMMRG_MAP_2401010000_H_L3S_MCH_05A.h5"}}) {
        spinfo info;
        h5prod::init(info, path);
        EXPECT_EQ(info.getType(), PT_GSMAP_HOURLY) << path;
        EXPECT_EQ(family_probe::family_of(path), "HDF5");
        EXPECT_EQ(family_probe::describe(path).granule, id);
    }
}

TEST_F(Hdf5Kind, SgliTileNumbersReachTheDescription)
{
    for (const auto& [period, expected] : {std::pair{"01D", PT_SGLI_LST}, std::pair{"08D", PT_UNKNOWN}}) {
        const auto path = dir_ / (std::string("lst") + period + ".h5");
        {
            h5fx::file f(path);
            f.sgli_product_file_name(h5prod::sgli_tile_name("LST_", period, 5, 29));
            h5prod::write_table(f, h5prod::table_of(PT_SGLI_LST), 5, 7);
        }
        spinfo info;
        h5prod::init(info, path);
        EXPECT_EQ(info.getType(), expected) << period;
        EXPECT_EQ(info.tileV(), 5);
        EXPECT_EQ(info.tileH(), 29);
    }
}

TEST(GeophysicalCodes, ExactNamesOnly)
{
    // Names are matched exactly: a difference in case gives no code.
    const std::pair<const char*, const char*> names[] = {
        {"Sea Surface Wind speed", "SSW"},
        {"Total Precipitable Water", "TPW"},
        {"Sea Surface Wind Speed", ""},
    };
    h5fx::temp_dir dir;
    for (const auto& [name, code] : names) {
        const auto path = dir / "geo.h5";
        {
            h5fx::file f(path);
            f.text_vlen_1d("ProductName", "AMSR2-L2");
            f.text_vlen_1d("GeophysicalName", name);
            h5prod::write_table(f, h5prod::table_of(PT_AMSR2_L2_LOW), 3, 4, 1);
        }
        spinfo info;
        h5prod::init(info, path);
        EXPECT_EQ(info.getType(), PT_AMSR2_L2_LOW);
        EXPECT_EQ(info.getGeophsyicalName(), code) << name;
    }
}

} // namespace

} // namespace vardane
