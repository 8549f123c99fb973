#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "reader/hdf5/allocation_probe.h"
#include "reader/hdf5/h5_fixture.h"
#include "reader/hdf5/h5_products.h"
#include "reader/spinfo.h"

namespace vardane {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;

class Hdf5Hostile : public ::testing::Test {
protected:
    // Recognises path and reads every parameter it offers; returns the kind.
    // Nothing may crash or throw, and no single allocation may exceed limit.
    productType exercise(const fs::path& path, std::size_t limit = 64 * kMiB)
    {
        spinfo info;
        alloc_probe::start();
        EXPECT_NO_THROW(h5prod::init(info, path)) << path;
        const std::uint32_t n = info.getType() == PT_UNKNOWN ? 0 : info.N_count();
        for (std::uint32_t idx = 0; idx <= n; ++idx) {
            productInfo_t pi;
            info.get_productInfo(idx, pi);
            std::int32_t dtype = 0;
            bool ok = false;
            EXPECT_NO_THROW(ok = info.get_dataSource(idx, dtype)) << path << " idx " << idx;
            if (ok) {
                const auto samples = static_cast<std::size_t>(info.dataAttr().width) * info.dataAttr().height;
                const std::size_t held = dtype == DT_FLOAT32 ? info.floatRaster().size()
                                         : dtype == DT_UINT8 ? info.byteRaster().size()
                                                             : info.shortRaster().size();
                EXPECT_EQ(held, samples * static_cast<std::size_t>(info.dataAttr().bands));
            } else if (info.getType() != PT_UNKNOWN) {
                EXPECT_EQ(dtype, DT_NONE);
            }
        }
        alloc_probe::stop();
        EXPECT_LE(alloc_probe::largest(), limit) << path;
        return info.getType();
    }

    fs::path write(const std::string& name, const std::function<void(h5fx::file&)>& fill)
    {
        const auto path = dir_ / name;
        h5fx::file f(path);
        fill(f);
        return path;
    }

    h5fx::temp_dir dir_;
};

// The probe must see the sample arrays, which large grids map directly.
TEST(AllocationProbe, SeesMappedSampleArrays)
{
    alloc_probe::start();
    {
        const bulk_vector<float> plane((std::size_t(4) << 20) + 123);
    }
    alloc_probe::stop();
    EXPECT_GE(alloc_probe::largest(), 16 * kMiB);
}

TEST_F(Hdf5Hostile, WrongTypesRanksAndZeroExtentsAreNoProduct)
// clang-format off
{
    const auto gsmap = [](h5fx::file& f) { f.text_vlen_1d("FileHeader", h5prod::gpm_header("MULTI", "HOUR")); };
    const auto dpr = [](h5fx::file& f) { f.text_vlen_1d("FileHeader", h5prod::gpm_header("GPM", "DAY")); };
    const auto l3 = [](h5fx::file& f) { f.text_vlen_1d("ProductName", "AMSR2-L3"); };

    EXPECT_EQ(exercise(write("double.h5", [&](auto& f) { gsmap(f); f.template dataset<double>("/Grid/hourlyPrecipRate", {36, 18}); })), PT_UNKNOWN);
    EXPECT_EQ(exercise(write("rank3.h5", [&](auto& f) { gsmap(f); f.template dataset<float>("/Grid/hourlyPrecipRate", {2, 36, 18}); })), PT_UNKNOWN);
    EXPECT_EQ(exercise(write("rank1.h5", [&](auto& f) { gsmap(f); f.template dataset<float>("/Grid/hourlyPrecipRate", {36}); })), PT_UNKNOWN);
    EXPECT_EQ(exercise(write("zero.h5", [&](auto& f) { gsmap(f); f.template dataset<float>("/Grid/hourlyPrecipRate", {0, 18}); })), PT_UNKNOWN);
    EXPECT_EQ(exercise(write("dpr2.h5", [&](auto& f) { dpr(f); f.template dataset<float>("/GRID/precipRateESurfMean", {72, 28}); })), PT_UNKNOWN);
    EXPECT_EQ(exercise(write("dpr0.h5", [&](auto& f) { dpr(f); f.template dataset<float>("/GRID/precipRateESurfMean", {0, 3, 72, 28}); })), PT_UNKNOWN);
    EXPECT_EQ(exercise(write("l3rank2.h5", [&](auto& f) { l3(f); f.template dataset<std::int16_t>("Geophysical Data", {720, 1440}); })), PT_UNKNOWN);
    EXPECT_EQ(exercise(write("l3layers0.h5", [&](auto& f) { l3(f); f.template dataset<std::int16_t>("Geophysical Data", {720, 1440, 0}); })), PT_UNKNOWN);
    EXPECT_EQ(exercise(write("l3unsigned.h5", [&](auto& f) { l3(f); f.template dataset<std::uint16_t>("Geophysical Data", {720, 1440, 1}); })), PT_UNKNOWN);
    EXPECT_EQ(exercise(write("group.h5", [&](auto& f) { gsmap(f); f.h5().createGroup("/Grid"); f.h5().createGroup("/Grid/hourlyPrecipRate"); })), PT_UNKNOWN);
    EXPECT_EQ(exercise(write("l1b_geo_int.h5", [&](auto& f) {
                  f.text_vlen_1d("ProductName", "AMSR2-L1B");
                  auto table = h5prod::table_of(PT_AMSR2_L1B);
                  table[17].h5type = h5_sample::int16; // a latitude stored as integers
                  h5prod::write_table(f, table, 4, 5);
              })),
              PT_UNKNOWN);
}
// clang-format on

TEST_F(Hdf5Hostile, GiantClaimedExtentsAllocateNothingLarge)
// clang-format off
{
    struct giant {
        std::function<void(h5fx::file&)> key;
        const char* dataset;
        H5::PredType type;
        std::vector<hsize_t> dims;
        bool chunked; // contiguous storage never written: the file holds none of the claimed bytes
    };
    const giant cases[] = {
        {[](auto& f) { f.text_vlen_1d("FileHeader", h5prod::gpm_header("MULTI", "HOUR")); }, "/Grid/hourlyPrecipRate",
         H5::PredType::NATIVE_FLOAT, {100000, 100000}, true},
        {[](auto& f) { f.text_vlen_1d("ProductName", "AMSR2-L3"); }, "Geophysical Data", H5::PredType::NATIVE_INT16,
         {720, 1440, 1000000}, true},
        {[](auto& f) { f.text_vlen_1d("FileHeader", h5prod::gpm_header("GPM", "MONTH")); },
         "/Grids/G2/precipRateESurface/mean", H5::PredType::NATIVE_FLOAT,
         {1u << 20, 1u << 20, 1u << 20, 1u << 20}, true}, // 2^80 samples
        {[](auto& f) { f.sgli_product_file_name(h5prod::sgli_tile_name("CLFG", "01D", 1, 2)); },
         "/Image_data/Cloud_flag", H5::PredType::NATIVE_UINT16, {40000, 40000}, false},
    };
    int n = 0;
    for (const auto& c : cases) {
        const auto path = write("giant" + std::to_string(n++) + ".h5", [&](h5fx::file& f) {
            c.key(f);
            f.empty_dataset(c.dataset, c.type, c.dims, c.chunked);
        });
        ASSERT_LT(h5fx::size_of(path), 64u * 1024u) << c.dataset;
        EXPECT_EQ(exercise(path, kMiB), PT_UNKNOWN);
    }
}
// clang-format on

TEST_F(Hdf5Hostile, AttributesOfOddTypesAndLengths)
{
    const auto bt = [](h5fx::file& f) { h5prod::write_table(f, h5prod::table_of(PT_AMSR2_L3_BT), 720, 1440); };

    // Not text: taken as absent.
    const auto intName = write("int_name.h5", [&](h5fx::file& f) {
        const int v = 7;
        f.h5()
            .createAttribute("ProductName", H5::PredType::NATIVE_INT, H5::DataSpace(H5S_SCALAR))
            .write(H5::PredType::NATIVE_INT, &v);
        bt(f);
    });
    EXPECT_EQ(exercise(intName), PT_UNKNOWN);

    // Text of rank 2: taken as absent.
    const auto rank2 = write("rank2_name.h5", [&](h5fx::file& f) {
        const hsize_t dims[2] = {2, 2};
        const H5::StrType t(H5::PredType::C_S1, 9);
        f.h5()
            .createAttribute("ProductName", t, H5::DataSpace(2, dims))
            .write(t, "AMSR2-L3\0AMSR2-L3\0AMSR2-L3\0AMSR2-L3");
        bt(f);
    });
    EXPECT_EQ(exercise(rank2), PT_UNKNOWN);

    // Several variable-length strings: the first one counts, nothing overflows.
    const auto many = write("many_names.h5", [&](h5fx::file& f) {
        const hsize_t three = 3;
        const H5::StrType t(H5::PredType::C_S1, H5T_VARIABLE);
        const char* values[3] = {"AMSR2-L3", "x", "y"};
        f.h5().createAttribute("ProductName", t, H5::DataSpace(1, &three)).write(t, values);
        bt(f);
    });
    EXPECT_EQ(exercise(many), PT_AMSR2_L3_BT);

    // A header far longer than any buffer of fixed size.
    const auto longHeader = write("long_header.h5", [&](h5fx::file& f) {
        f.text_fixed_scalar("FileHeader", std::string(60000, 'x') + h5prod::gpm_header("MULTI", "HOUR"));
        f.dataset<float>("/Grid/hourlyPrecipRate", {36, 18});
    });
    spinfo info;
    h5prod::init(info, longHeader);
    EXPECT_EQ(info.getType(), PT_GSMAP_HOURLY);

    // Scale factors and masks of odd types and lengths.
    const auto oddScale = write("odd_scale.h5", [&](h5fx::file& f) {
        f.sgli_product_file_name(h5prod::sgli_scene_name("IWPRK"));
        h5prod::write_table(f, h5prod::table_of(PT_SGLI_IWPR), 3, 4);
        f.text_attribute("/Image_data/CDOM", "SCALE FACTOR", "0.01");
        const hsize_t five = 5;
        const float scales[5] = {0.5f, 9, 9, 9, 9};
        f.h5()
            .openDataSet("/Image_data/CHLA")
            .createAttribute("SCALE FACTOR", H5::PredType::NATIVE_FLOAT, H5::DataSpace(1, &five))
            .write(H5::PredType::NATIVE_FLOAT, scales);
        const std::uint16_t masks[5] = {0x7, 1, 2, 3, 4};
        f.h5()
            .openDataSet("/Image_data/TSM")
            .createAttribute("Mask", H5::PredType::NATIVE_UINT16, H5::DataSpace(1, &five))
            .write(H5::PredType::NATIVE_UINT16, masks);
        f.text_attribute("/Image_data/QA_flag", "Mask", "all");
    });
    EXPECT_EQ(exercise(oddScale), PT_SGLI_IWPR);
    h5prod::init(info, oddScale);
    productInfo_t product;
    info.get_productInfo(0, product);
    EXPECT_EQ(product.scale, 1.0);
    info.get_productInfo(1, product);
    EXPECT_EQ(product.scale, 0.5);
    std::int32_t dtype = 0;
    ASSERT_TRUE(info.get_dataSource(2, dtype));
    EXPECT_EQ(info.dataAttr().mask, 0x7);
    ASSERT_TRUE(info.get_dataSource(3, dtype));
    EXPECT_EQ(info.dataAttr().mask, 0);

    // The SGLI file name must be one-dimensional; a huge one is refused or read whole.
    const auto scalarName = write("scalar_sgli.h5", [&](h5fx::file& f) {
        H5::Group g = f.h5().createGroup("Global_attributes");
        const std::string name = h5prod::sgli_scene_name("VNRDL");
        const H5::StrType t(H5::PredType::C_S1, name.size() + 1);
        g.createAttribute("Product_file_name", t, H5::DataSpace(H5S_SCALAR)).write(t, name.c_str());
        h5prod::write_table(f, h5prod::table_of(PT_SGLI_VNR), 3, 4);
    });
    EXPECT_EQ(exercise(scalarName), PT_UNKNOWN);
    const auto longName = write("long_sgli.h5", [&](h5fx::file& f) {
        f.sgli_product_file_name(h5prod::sgli_scene_name("VNRDL") + std::string(5000, '_'));
        h5prod::write_table(f, h5prod::table_of(PT_SGLI_VNR), 3, 4);
    });
    EXPECT_EQ(exercise(longName), PT_SGLI_VNR);
}

TEST_F(Hdf5Hostile, TruncatedCopiesOfValidFiles)
{
    std::vector<fs::path> valid;
    valid.push_back(dir_ / "l1b.h5");
    h5prod::write_radiometer(valid.back(), "AMSR2-L1B", PT_AMSR2_L1B, 40, 30);
    valid.push_back(write("gsmap.h5", [](h5fx::file& f) {
        f.text_vlen_1d("FileHeader", h5prod::gpm_header("MULTI", "MONTH"));
        f.dataset<float>("/Grid/monthlyPrecipRate", {360, 180}, true);
    }));
    valid.push_back(write("dpr.h5", [](h5fx::file& f) {
        f.text_vlen_1d("FileHeader", h5prod::gpm_header("GPM", "DAY"));
        f.dataset<float>("/GRID/precipRateESurfMean", {2, 3, 72, 28});
    }));
    valid.push_back(write("sst.h5", [](h5fx::file& f) {
        f.sgli_product_file_name(h5prod::sgli_scene_name("SSTDK"));
        h5prod::write_table(f, h5prod::table_of(PT_SGLI_SST), 30, 40);
    }));

    for (const auto& path : valid) {
        ASSERT_NE(exercise(path), PT_UNKNOWN) << path;
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (const double fraction : {0.02, 0.1, 0.3, 0.5, 0.7, 0.9, 0.99}) {
            const auto cut = dir_ / ("cut_" + path.filename().string());
            const auto keep = static_cast<std::size_t>(static_cast<double>(bytes.size()) * fraction);
            std::ofstream(cut, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(keep));
            exercise(cut);
        }
    }
}

TEST_F(Hdf5Hostile, FileReplacedAfterRecognitionIsNotOverrun)
{
    const auto path = dir_ / "changing.h5";
    h5prod::write_gsmap_hourly(path, 36, 18);
    spinfo info;
    h5prod::init(info, path);
    ASSERT_EQ(info.getType(), PT_GSMAP_HOURLY);
    h5prod::write_gsmap_hourly(path, 72, 36); // larger than the shape recorded at recognition
    std::int32_t dtype = 0;
    EXPECT_FALSE(info.get_dataSource(0, dtype));
    EXPECT_TRUE(info.floatRaster().empty());
    fs::resize_file(path, 100); // and now no HDF5 file at all
    EXPECT_FALSE(info.get_dataSource(0, dtype));
}

// The read sizes its layer arithmetic from the extents it finds, not from the
// ones recognition checked: a zero extent there once divided by zero.
TEST_F(Hdf5Hostile, FileReplacedByZeroExtentAfterRecognitionFailsTheRead)
{
    const auto path = dir_ / "dpr_monthly.h5";
    const auto dpr = [&](const std::vector<hsize_t>& dims) {
        h5fx::file f(path);
        f.text_vlen_1d("FileHeader", h5prod::gpm_header("GPM", "MONTH"));
        f.empty_dataset("/Grids/G2/precipRateESurface/mean", H5::PredType::NATIVE_FLOAT, dims, false);
    };
    dpr({2, 3, 12, 6});
    spinfo info;
    h5prod::init(info, path);
    ASSERT_EQ(info.getType(), PT_DPR_MONTHLY);
    ASSERT_EQ(info.N_count(), 6u);
    for (const std::vector<hsize_t>& dims : {std::vector<hsize_t>{0, 3, 12, 6}, {2, 0, 12, 6}, {2, 3, 12, 0}}) {
        dpr(dims);
        std::int32_t dtype = 0;
        EXPECT_FALSE(info.get_dataSource(1, dtype));
        EXPECT_EQ(dtype, DT_NONE);
        EXPECT_TRUE(info.floatRaster().empty());
    }
}

} // namespace

} // namespace vardane
