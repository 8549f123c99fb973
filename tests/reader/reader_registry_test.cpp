// The families of the registry, the one failure channel of spinfo, and the
// tile numbers of SGLI tiles.
#include <gtest/gtest.h>

#include <H5Cpp.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "reader/family_probe.h"
#include "reader/hdf5/hdf5_dataset_tables.h"
#include "reader/hdf5/sgli_product_name.h"
#include "reader/product_reader.h"
#include "reader/reader_registry.h"
#include "reader/spinfo.h"
#include "support/product_kinds.h"
#include "support/scratch_folder.h"
#include "support/synthetic_file.h"
#include "synth_registry.h"

namespace vardane {

namespace {

namespace fs = std::filesystem;

constexpr const char* kHdf5 = "HDF5";
constexpr const char* kHdf4 = "JASMES HDF4";
constexpr const char* kGsmap = "GSMaP binary";
constexpr const char* kJasmesBin = "JASMES binary";

// The family and product type every synthetic kind must end up with.
struct expected_family {
    std::string family;
    productType type;
    test_support::synth_variants variants;
};

std::map<std::string, expected_family> expected_families()
{
    std::map<std::string, expected_family> all = {
        {"JASMES_RAW", {kJasmesBin, PT_JASMES_RAW, {}}},
        {"JASMES_HDR", {kJasmesBin, PT_JASMES_HDR, {}}},
        {"JASMES_HDF4", {kHdf4, PT_JASMES_HDF4, {}}},
        {"GSMAP_BIN", {kGsmap, PT_GSMAP_HOURLY, {{"size", "small"}}}},
    };
    for (const auto& k : test_support::hdf5_kinds()) all[k.name] = {kHdf5, k.type, k.variants};
    return all;
}

// GSMaP flat-binary files are known by their name.
std::string file_name_for(const std::string& kind) { return kind == "GSMAP_BIN" ? "gsmap_x.dat" : kind + ".dat"; }

class Registry : public ::testing::Test {
protected:
    fs::path synth(const std::string& kind, test_support::synth_variants variants = {})
    {
        const fs::path p = dir_.file(file_name_for(kind));
        EXPECT_FALSE(test_support::write_synthetic(kind, p, std::move(variants)).empty()) << kind;
        return p;
    }

    test_support::scratch_folder dir_{"vardane_registry"};
};

TEST(ReaderFamilies, TriedInRecognitionOrder)
{
    std::vector<std::string> names;
    for (const auto& f : reader_families()) names.emplace_back(f.name);
    EXPECT_EQ(names, (std::vector<std::string>{kHdf5, kHdf4, kGsmap, kJasmesBin}));
}

// The signature families are exclusive: exactly the expected one identifies
// each kind (the JASMES flat-binary family, which has no mark, identifies
// everything and is asked last), and its reader opens the file as the kind.
TEST_F(Registry, EverySyntheticKindHasExactlyItsFamily)
{
    const auto expected = expected_families();
    for (const auto& kind : all_synth_kinds()) {
        const auto it = expected.find(kind.name);
        ASSERT_NE(it, expected.end()) << kind.name << " has no expected family here";
        const fs::path p = synth(kind.name, it->second.variants);
        const auto size = fs::file_size(p);

        std::vector<std::string> identifying;
        for (const auto& family : reader_families()) {
            if (family.make()->identify(p.string(), size) && std::string(family.name) != kJasmesBin) {
                identifying.emplace_back(family.name);
            }
        }
        const std::vector<std::string> want =
            it->second.family == kJasmesBin ? std::vector<std::string>{} : std::vector<std::string>{it->second.family};
        EXPECT_EQ(identifying, want) << kind.name;

        const auto outcome = family_probe::offer(p);
        EXPECT_EQ(family_probe::family_of(p), it->second.family) << kind.name;
        EXPECT_FALSE(outcome.why.failed()) << kind.name << ": " << outcome.why.cause;
        EXPECT_EQ(outcome.description.kind, it->second.type) << kind.name;

        spinfo info;
        info.init(p.string(), size);
        EXPECT_EQ(info.getType(), it->second.type) << kind.name;
        EXPECT_FALSE(info.last_failure().failed()) << kind.name;
        fs::remove(p);
    }
}

TEST_F(Registry, FileNoFamilyTakesIsNoProductWithoutFailure)
{
    const fs::path p = dir_.file("notes.txt");
    {
        std::ofstream out(p);
        for (int i = 0; i < 40; ++i) out << "a line of plain text that no product has\n";
    }
    spinfo info;
    info.init(p.string(), fs::file_size(p));
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
    EXPECT_FALSE(info.last_failure().failed()) << info.last_failure().cause;
    EXPECT_EQ(info.N_count(), 0u);
}

// A cut file: its family still knows it by its mark (a JASMES header is
// one), so it is a failed product naming the file and a cause, never no
// product. Half a JASMES file may be another valid layout; one byte short
// is none.
TEST_F(Registry, TruncatedFileOfEveryFamilyIsAFailure)
{
    struct cut_case {
        std::string kind;
        test_support::synth_variants variants;
        bool byOneByte;
    };
    for (const auto& c : std::vector<cut_case>{{"AMSR2_L1B", {}, false},
                                               {"SGLI_LST", {}, false},
                                               {"JASMES_HDF4", {}, false},
                                               {"GSMAP_BIN", {{"size", "small"}}, false},
                                               {"JASMES_HDR", {}, true}}) {
        const fs::path p = synth(c.kind, c.variants);
        const auto full = fs::file_size(p);
        fs::resize_file(p, c.byOneByte ? full - 1 : full / 2);
        spinfo info;
        EXPECT_NO_THROW(info.init(p.string(), fs::file_size(p))) << c.kind;
        EXPECT_EQ(info.getType(), PT_UNKNOWN) << c.kind;
        EXPECT_EQ(info.last_failure().file, p.string()) << c.kind;
        EXPECT_FALSE(info.last_failure().cause.empty()) << c.kind;
        fs::remove(p);
    }
}

TEST_F(Registry, FailureLastsUntilTheNextInit)
{
    const fs::path cut = synth("GSMAP_BIN", {{"size", "small"}});
    fs::resize_file(cut, 1000);
    spinfo info;
    info.init(cut.string(), 1000);
    ASSERT_TRUE(info.last_failure().failed());

    const fs::path good = dir_.file("good.h5");
    ASSERT_FALSE(test_support::write_synthetic("GSMAP_HOURLY", good).empty());
    info.init(good.string(), fs::file_size(good));
    EXPECT_EQ(info.getType(), PT_GSMAP_HOURLY);
    EXPECT_FALSE(info.last_failure().failed());

    // A parameter beyond the file's is a failed read of this file.
    std::int32_t dtype = 0;
    EXPECT_FALSE(info.get_dataSource(info.N_count(), dtype));
    EXPECT_EQ(dtype, DT_NONE);
    EXPECT_EQ(info.last_failure().file, good.string());
    EXPECT_TRUE(info.get_dataSource(0, dtype));
    EXPECT_FALSE(info.last_failure().failed());
}

// The failure names the input by its full path, whatever path it was given by.
TEST_F(Registry, FailureNamesTheFullPath)
{
    const fs::path cut = synth("GSMAP_BIN", {{"size", "small"}});
    fs::resize_file(cut, 1000);
    const fs::path relative = fs::relative(cut, fs::current_path());
    ASSERT_TRUE(relative.is_relative());
    spinfo info;
    info.init(relative.string(), 1000);
    ASSERT_TRUE(info.last_failure().failed());
    EXPECT_EQ(fs::path(info.last_failure().file), fs::absolute(relative));
    EXPECT_TRUE(fs::equivalent(info.last_failure().file, cut));
}

// A dataset that goes between recognition and read: the reader throws
// inside, and the read ends as this file's failure.
TEST_F(Registry, DatasetMissingAtReadIsTheFilesFailure)
{
    const fs::path p = synth("SGLI_SST");
    spinfo info;
    info.init(p.string(), fs::file_size(p));
    ASSERT_EQ(info.getType(), PT_SGLI_SST);
    {
        H5::H5File f(p.string(), H5F_ACC_RDWR);
        f.unlink((*hdf5_table_of(PT_SGLI_SST))[0].name);
    }
    std::int32_t dtype = 0;
    bool read = true;
    EXPECT_NO_THROW(read = info.get_dataSource(0, dtype));
    EXPECT_FALSE(read);
    EXPECT_EQ(info.last_failure().file, p.string());
    EXPECT_EQ(info.last_failure().cause, "unable to open dataset /Image_data/SST");
    EXPECT_TRUE(info.floatRaster().empty());
    EXPECT_TRUE(info.shortRaster().empty());
}

// Products name their tiles "_TVVHH": the vertical number comes first.
// Every sample of the parameter's delivered plane, whatever its buffer, as bytes.
std::vector<unsigned char> delivered_bytes(const spinfo& info)
{
    std::vector<unsigned char> out;
    const auto add = [&out](const auto& plane) {
        const auto* first = reinterpret_cast<const unsigned char*>(plane.data());
        out.insert(out.end(), first, first + plane.size() * sizeof(plane[0]));
    };
    add(info.byteRaster());
    add(info.shortRaster());
    add(info.floatRaster());
    return out;
}

// The flat-binary and HDF4 families read only the rows asked of a
// parameter, and a part is exactly those rows of the whole, in the same
// buffer; rows past the last are refused. The HDF5 kinds are checked with
// their datasets' layouts.
TEST_F(Registry, APartOfEveryParameterOfTheOtherFamiliesIsThoseRowsOfTheWhole)
{
    const struct {
        const char* kind;
        test_support::synth_variants variants;
    } cases[] = {
        {"GSMAP_BIN", {{"size", "small"}}},
        {"JASMES_RAW", {{"grid", "global"}, {"bytes", "1"}}},
        {"JASMES_RAW", {{"grid", "global"}, {"bytes", "2"}}},
        {"JASMES_HDR", {{"para", "sst"}, {"bytes", "1"}}},
        {"JASMES_HDR", {{"para", "chla"}, {"bytes", "4"}}},
        {"JASMES_HDR",
         {{"form", "t1rgb"},
          {"para", "rgb"},
          {"area", "Japan_rgb"},
          {"grid", "japan"},
          {"width", "300"},
          {"height", "200"}}},
        {"JASMES_HDR", {{"form", "t2"}, {"width", "120"}, {"height", "80"}}},
        {"JASMES_HDF4", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const fs::path p = synth(c.kind, c.variants);
        spinfo info;
        info.init(p.string(), fs::file_size(p));
        ASSERT_NE(info.getType(), PT_UNKNOWN);
        EXPECT_TRUE(info.reads_row_parts());
        for (std::uint32_t idx = 0; idx < info.N_count(); ++idx) {
            SCOPED_TRACE("parameter " + std::to_string(idx));
            std::int32_t dtype = DT_NONE;
            ASSERT_TRUE(info.get_dataSource(idx, dtype));
            const auto h = static_cast<std::uint32_t>(info.dataAttr().height);
            const std::size_t rowBytes = delivered_bytes(info).size() / h;
            const row_span part{h / 3 + 1, std::max<std::uint32_t>(1, h / 2)};
            const auto whole = delivered_bytes(info);
            const auto from = whole.begin() + std::ptrdiff_t(part.first * rowBytes);
            const std::vector<unsigned char> rows(from, from + std::ptrdiff_t(part.count * rowBytes));

            std::int32_t partType = DT_NONE;
            ASSERT_TRUE(info.get_dataRows(idx, part, partType));
            EXPECT_EQ(partType, dtype);
            EXPECT_EQ(info.dataAttr().height, std::int32_t(part.count));
            EXPECT_EQ(delivered_bytes(info), rows);
            EXPECT_FALSE(info.get_dataRows(idx, {h - 1, 2}, partType)) << "rows past the last";
            EXPECT_FALSE(info.get_dataRows(idx, {0, 0}, partType)) << "no rows";
        }
        fs::remove(p);
    }
}

// A family that can only read a parameter whole.
class whole_only_reader final : public product_reader {
public:
    bool identify(const std::string&, std::uintmax_t) const override { return true; }
    failure open(const std::string&, std::uintmax_t, product_description&) override { return {}; }
    read_result read(const product_description&, std::uint32_t, read_buffers& out) override
    {
        out.release_planes();
        out.shortRaster.resize(4 * 5);
        for (std::size_t i = 0; i < out.shortRaster.size(); ++i) out.shortRaster[i] = static_cast<std::uint16_t>(i);
        out.dataAttr.width = 4;
        out.dataAttr.height = 5;
        out.dataAttr.bands = 1;
        return {DT_UINT16, {}};
    }
};

// Such a family's part is cut from the whole read: the rows asked, and the
// file's failure for rows it does not have.
TEST(ProductReader, APartOfAFamilyReadingOnlyWholeIsCutFromTheWholeRead)
{
    whole_only_reader reader;
    EXPECT_FALSE(reader.reads_row_parts());
    product_description d;
    d.fileName = "whole.dat";
    read_buffers out;
    ASSERT_TRUE(reader.read_rows(d, 0, {1, 3}, out).ok());
    EXPECT_EQ(out.dataAttr.height, 3);
    std::vector<std::uint16_t> rows(12);
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<std::uint16_t>(4 + i);
    EXPECT_EQ(std::vector<std::uint16_t>(out.shortRaster.begin(), out.shortRaster.end()), rows);
    for (const row_span outside : {row_span{4, 2}, row_span{0, 0}}) {
        const read_result refused = reader.read_rows(d, 0, outside, out);
        EXPECT_FALSE(refused.ok());
        EXPECT_EQ(refused.why.file, "whole.dat");
        EXPECT_TRUE(out.shortRaster.empty());
    }
}

TEST(SgliTiles, VerticalNumberComesFirstInTheName)
{
    const auto decoded = decode_sgli_product_name("GC1SG1_20190701D01D_T0529_L2SG_LST_Q_3000.h5");
    EXPECT_TRUE(decoded.tile);
    EXPECT_EQ(decoded.tileV, 5);
    EXPECT_EQ(decoded.tileH, 29);
}

TEST_F(Registry, TileNumbersReachTheFacadeUnderTheirNames)
{
    // The generator's tile option is HHVV: horizontal 31, vertical 7.
    const fs::path p = synth("SGLI_RSRF", {{"tile", "3107"}});
    spinfo info;
    info.init(p.string(), fs::file_size(p));
    ASSERT_EQ(info.getType(), PT_SGLI_RSRF);
    EXPECT_EQ(info.tileV(), 7);
    EXPECT_EQ(info.tileH(), 31);

    // A scene has no tile numbers, and none survive from the file before.
    const fs::path scene = synth("SGLI_VNR");
    info.init(scene.string(), fs::file_size(scene));
    ASSERT_EQ(info.getType(), PT_SGLI_VNR);
    EXPECT_EQ(info.tileV(), 0);
    EXPECT_EQ(info.tileH(), 0);
}

} // namespace

} // namespace vardane
