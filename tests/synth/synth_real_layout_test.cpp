// vardane-synth --layout real against the listings of real products in
// tests/corpus/real: the same groups and datasets, datatypes and extents (the
// files are written at the listings' sizes), the same attributes in the same
// storage forms (scalar or array of one, fixed or variable-length strings,
// 32-bit or 16-bit integers), and chunked deflate storage where the products
// compress.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "h5dump_listing.h"
#include "synth_test_support.h"

namespace vardane {

namespace {

using namespace synth_test;

struct listed_product {
    const char* listing;
    const char* kind;
    std::vector<std::pair<std::string, std::string>> variants;
    bool deflate; // every dataset chunked and deflate-compressed
};

// The sizes match the listings': --full, and the L2 granule's 1976 scans.
const std::vector<listed_product>& listed_products()
{
    static const std::vector<listed_product> products{
        {"GW1AM2_201811010415_215A_L1SGBTBR_2220220.h5.h5dump.txt", "AMSR2_L1B", {}, false},
        {"GW1AM2_201811010008_232A_L2SGSSTLB3300300.h5.h5dump.txt",
         "AMSR2_L2_LOW",
         {{"geo", "SST"}, {"scans", "1976"}},
         true},
        {"3A-DAY.GPM.DPR.V8-20180723.20190701-S000000-E235959.182.V06A.HDF5.h5dump.txt", "DPR_DAILY", {}, false},
        {"GPMMRG_MAP_2207010000_H_L3S_MCH_05A.h5.h5dump.txt", "GSMAP_HOURLY", {}, false},
        {"GPMMRG_MAP_2207_M_L3S_MCM_05A.h5.h5dump.txt", "GSMAP_MONTHLY", {}, false},
        {"GC1SG1_201907010130D05810_1BSG_VNRDK_2000.h5.h5dump.txt", "SGLI_VNR", {}, false},
        {"GC1SG1_20190707A01D_T0318_L2SG_LST_Q_2000.h5.h5dump.txt", "SGLI_LST", {}, true},
    };
    return products;
}

std::vector<listed_object> listing(const std::string& name)
{
    std::ifstream in(std::string(VARDANE_SOURCE_DIR) + "/tests/corpus/real/" + name);
    EXPECT_TRUE(in) << name;
    return parse_h5dump_listing(in);
}

// The listing's name of a stored type.
std::string type_name(hid_t type)
{
    if (H5Tget_class(type) == H5T_STRING) return "H5T_STRING";
    const std::array<std::pair<hid_t, const char*>, 7> known{{{H5T_STD_U8LE, "H5T_STD_U8LE"},
                                                              {H5T_STD_U16LE, "H5T_STD_U16LE"},
                                                              {H5T_STD_I16LE, "H5T_STD_I16LE"},
                                                              {H5T_STD_I32LE, "H5T_STD_I32LE"},
                                                              {H5T_STD_U32LE, "H5T_STD_U32LE"},
                                                              {H5T_IEEE_F32LE, "H5T_IEEE_F32LE"},
                                                              {H5T_IEEE_F64LE, "H5T_IEEE_F64LE"}}};
    for (const auto& [t, name] : known) {
        if (H5Tequal(type, t) > 0) return name;
    }
    return "another type";
}

std::string dims_text(const std::vector<hsize_t>& dims)
{
    std::string s = "(";
    for (const auto d : dims) s += " " + std::to_string(d);
    return s + " )";
}

// An attribute's storage form as one comparable text.
std::string form_of(const listed_attribute& a)
{
    std::string s = a.type;
    if (a.type == "H5T_STRING") s += a.variable_string ? " variable" : " fixed";
    return s + (a.scalar ? " scalar" : " " + dims_text(a.dims));
}

listed_attribute stored_form(const H5::Attribute& attr)
{
    listed_attribute a;
    const H5::DataType type = attr.getDataType();
    a.type = type_name(type.getId());
    a.variable_string = a.type == "H5T_STRING" && H5Tis_variable_str(type.getId()) > 0;
    const H5::DataSpace space = attr.getSpace();
    a.scalar = space.getSimpleExtentType() == H5S_SCALAR;
    if (!a.scalar) {
        a.dims.resize(static_cast<std::size_t>(space.getSimpleExtentNdims()));
        space.getSimpleExtentDims(a.dims.data());
    }
    return a;
}

// Every group and dataset of the file, by path.
std::map<std::string, bool> objects_of(const H5::H5File& file)
{
    std::map<std::string, bool> out{{"/", false}};
    H5Ovisit(
        file.getId(), H5_INDEX_NAME, H5_ITER_NATIVE,
        [](hid_t, const char* name, const H5O_info_t* info, void* data) -> herr_t {
            if (std::string(name) != ".") {
                (*static_cast<std::map<std::string, bool>*>(data))["/" + std::string(name)] =
                    info->type == H5O_TYPE_DATASET;
            }
            return 0;
        },
        &out);
    return out;
}

std::set<std::string> attribute_names(const H5::H5Object& obj)
{
    std::set<std::string> out;
    for (int i = 0; i < obj.getNumAttrs(); ++i) out.insert(obj.openAttribute(static_cast<unsigned>(i)).getName());
    return out;
}

void expect_attributes(const H5::H5Object& obj, const listed_object& listed)
{
    std::set<std::string> names;
    for (const auto& a : listed.attributes) names.insert(a.name);
    EXPECT_EQ(attribute_names(obj), names) << listed.path;
    for (const auto& a : listed.attributes) {
        if (!obj.attrExists(a.name)) continue;
        EXPECT_EQ(form_of(stored_form(obj.openAttribute(a.name))), form_of(a)) << listed.path << " @" << a.name;
    }
}

bool chunked_deflate(const H5::DataSet& ds)
{
    const H5::DSetCreatPropList plist = ds.getCreatePlist();
    if (plist.getLayout() != H5D_CHUNKED) return false;
    for (int i = 0; i < plist.getNfilters(); ++i) {
        unsigned flags = 0;
        std::size_t n = 0;
        unsigned config = 0;
        char name[32];
        if (plist.getFilter(i, flags, n, nullptr, sizeof name, name, config) == H5Z_FILTER_DEFLATE) return true;
    }
    return false;
}

class RealLayout : public ::testing::TestWithParam<listed_product> {};

TEST_P(RealLayout, WritesTheListedGroupsDatasetsAndAttributeForms)
{
    const listed_product& p = GetParam();
    temp_dir dir("vardane-synth-real");
    const std::string path = (dir / (std::string(p.kind) + ".h5")).string();
    synth_options o = options(p.variants);
    o.layout = synth_layout::real;
    o.full = true;
    ASSERT_TRUE(write_kind(p.kind, path, o));

    const auto listed = listing(p.listing);
    ASSERT_FALSE(listed.empty());
    H5::H5File file(path, H5F_ACC_RDONLY);
    std::map<std::string, bool> expected;
    for (const auto& l : listed) expected[l.path] = l.dataset;
    EXPECT_EQ(objects_of(file), expected);

    for (const auto& l : listed) {
        SCOPED_TRACE(l.path);
        if (!file.exists(l.path) && l.path != "/") continue;
        if (!l.dataset) {
            expect_attributes(file.openGroup(l.path), l);
            continue;
        }
        const H5::DataSet ds = file.openDataSet(l.path);
        EXPECT_EQ(type_name(ds.getDataType().getId()), l.type);
        EXPECT_EQ(dims_text(dims_of(ds)), dims_text(l.dims));
        EXPECT_EQ(chunked_deflate(ds), p.deflate);
        expect_attributes(ds, l);
    }
}

INSTANTIATE_TEST_SUITE_P(Listings, RealLayout, ::testing::ValuesIn(listed_products()),
                         [](const auto& info) { return std::string(info.param.kind); });

// The listings are read whole: the L1B listing's 43 datasets and 53 root
// attributes, the GSMaP grid's eight datasets with their four attributes.
TEST(H5dumpListing, ReadsEveryObjectAndAttributeOfTheListings)
{
    const auto l1b = listing("GW1AM2_201811010415_215A_L1SGBTBR_2220220.h5.h5dump.txt");
    ASSERT_FALSE(l1b.empty());
    EXPECT_EQ(l1b.front().path, "/");
    EXPECT_EQ(l1b.front().attributes.size(), 53u);
    EXPECT_EQ(std::count_if(l1b.begin(), l1b.end(), [](const auto& o) { return o.dataset; }), 43);
    const auto hourly = listing("GPMMRG_MAP_2207010000_H_L3S_MCH_05A.h5.h5dump.txt");
    ASSERT_EQ(hourly.size(), 10u);
    EXPECT_EQ(hourly[1].path, "/Grid");
    EXPECT_EQ(hourly[2].path, "/Grid/Latitude");
    EXPECT_EQ(dims_text(hourly[2].dims), "( 3600 1800 )");
    ASSERT_EQ(hourly[2].attributes.size(), 4u);
    EXPECT_EQ(form_of(hourly[2].attributes[3]), "H5T_IEEE_F32LE scalar");
    EXPECT_EQ(form_of(hourly[2].attributes[0]), "H5T_STRING fixed scalar");
}

TEST(H5dumpListing, SkipsMultiLineDataAndRefusesWhatItCannotPlace)
{
    std::istringstream text(R"(HDF5 "x.h5" {
GROUP "/" {
   ATTRIBUTE "Header" {
      DATATYPE  H5T_STRING {
         STRSIZE H5T_VARIABLE;
         STRPAD H5T_STR_NULLTERM;
      }
      DATASPACE  SIMPLE { ( 1 ) / ( 1 ) }
      DATA {
      (0): "A=1;
           DATASET "not one" {
           B=2;"
      }
   }
   GROUP "G" {
      DATASET "D" {
         DATATYPE  H5T_STD_I32LE
         DATASPACE  SIMPLE { ( 4, 5, 6 ) / ( 4, 5, 6 ) }
         ATTRIBUTE "n" {
            DATATYPE  H5T_STD_U16LE
            DATASPACE  SCALAR
            DATA {
            (0): 7
            }
         }
      }
   }
}
}
)");
    const auto objects = parse_h5dump_listing(text);
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(form_of(objects[0].attributes.at(0)), "H5T_STRING variable ( 1 )");
    EXPECT_EQ(objects[2].path, "/G/D");
    EXPECT_EQ(objects[2].type, "H5T_STD_I32LE");
    EXPECT_EQ(dims_text(objects[2].dims), "( 4 5 6 )");
    EXPECT_EQ(form_of(objects[2].attributes.at(0)), "H5T_STD_U16LE scalar");

    std::istringstream stray("HDF5 \"x.h5\" {\nGROUP \"/\" {\n   SOMETHING ELSE\n}\n}\n");
    EXPECT_THROW(parse_h5dump_listing(stray), std::runtime_error);
    std::istringstream unclosed("HDF5 \"x.h5\" {\nGROUP \"/\" {\n");
    EXPECT_THROW(parse_h5dump_listing(unclosed), std::runtime_error);
}

// The command line: --layout real reaches the writers, an unknown layout is
// refused with the usage status.
TEST(RealLayoutOption, TheCommandLineChoosesTheLayout)
{
    temp_dir dir("vardane-synth-option");
    const std::string exe = std::string(VARDANE_BUILD_DIR) + "/tools/synth/vardane-synth";
    auto run = [&](const std::string& args) {
        const int status = std::system((exe + " " + args + " 2>/dev/null").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    const std::string real = (dir / "real.h5").string();
    const std::string ours = (dir / "ours.h5").string();
    ASSERT_EQ(run("AMSR2_L1B " + real + " --layout real"), 0);
    ASSERT_EQ(run("AMSR2_L1B " + ours + " --layout ours"), 0);
    EXPECT_EQ(run("AMSR2_L1B " + (dir / "x.h5").string() + " --layout mine"), 2);
    EXPECT_EQ(run("AMSR2_L1B " + (dir / "x.h5").string() + " --layout"), 2);

    const auto scaleForm = [](const std::string& path) {
        H5::H5File f(path, H5F_ACC_RDONLY);
        return form_of(stored_form(f.openDataSet("Brightness Temperature (6.9GHz,H)").openAttribute("SCALE FACTOR")));
    };
    EXPECT_EQ(scaleForm(real), "H5T_IEEE_F32LE ( 1 )");
    EXPECT_EQ(scaleForm(ours), "H5T_IEEE_F32LE scalar");

    // --version, as every program of the package answers it.
    std::string version(64, '\0');
    FILE* pipe = ::popen((exe + " --version").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    version.resize(std::fread(version.data(), 1, version.size(), pipe));
    const int status = ::pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << version;
    EXPECT_EQ(version.rfind("vardane-synth ", 0), 0u) << version;
}

} // namespace

} // namespace vardane
