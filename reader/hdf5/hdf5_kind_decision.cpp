#include "reader/hdf5/hdf5_kind_decision.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "reader/hdf5/gpm_file_header.h"
#include "reader/hdf5/h5_attribute_values.h"
#include "reader/hdf5/h5_file_access.h"
#include "reader/hdf5/h5_handles.h"
#include "reader/hdf5/hdf5_dataset_tables.h"
#include "reader/hdf5/sgli_product_name.h"

namespace vardane {

namespace {

// Radiometer products: a "ProductName" value, the dataset whose presence
// tells the level variant apart (none where the name alone decides), and
// the kind. Rows of one name are tried in order.
struct amsr_rule {
    std::string_view productName;
    const char* probe;
    productType kind;
};

constexpr amsr_rule kAmsrRules[] = {
    {"AMSR2-L1A", nullptr, PT_AMSR2_L1A},
    {"AMSR2-L1B", nullptr, PT_AMSR2_L1B},
    {"AMSR-E-L1B", nullptr, PT_AMSRE_L1B},
    {"AMSR2-L1R", nullptr, PT_AMSR2_L1R},
    {"AMSR-E-L1R", nullptr, PT_AMSRE_L1R},
    {"AMSR2-L2", "Geophysical Data for 89A", PT_AMSR2_L2_HIGH},
    {"AMSR2-L2", "Geophysical Data", PT_AMSR2_L2_LOW},
    {"AMSR-E-L2", "Geophysical Data for 89A", PT_AMSRE_L2_HIGH},
    {"AMSR-E-L2", "Geophysical Data", PT_AMSRE_L2_LOW},
    {"AMSR2-L3", "Brightness Temperature (H)", PT_AMSR2_L3_BT},
    {"AMSR2-L3", "Geophysical Data", PT_AMSR2_L3_GD},
    {"AMSR-E-L3", "Brightness Temperature (H)", PT_AMSRE_L3_BT},
    {"AMSR-E-L3", "Geophysical Data", PT_AMSRE_L3_GD},
};

// GPM grids: the time-interval flag that selects a rule, and the datasets
// tried in order (versions of the product differ in the dataset name).
struct gpm_candidate {
    const char* path;
    productType kind;
};

struct gpm_rule {
    bool gpm_header_flags::*interval;
    std::array<gpm_candidate, 2> candidates;
};

constexpr gpm_rule kGsmapRules[] = {
    {&gpm_header_flags::hour, {{{"/Grid/hourlyPrecipRate", PT_GSMAP_HOURLY}, {nullptr, PT_UNKNOWN}}}},
    {&gpm_header_flags::month, {{{"/Grid/monthlyPrecipRate", PT_GSMAP_MONTHLY}, {nullptr, PT_UNKNOWN}}}},
};

constexpr gpm_rule kDprRules[] = {
    {&gpm_header_flags::day,
     {{{"/GRID/precipRateESurfMean", PT_DPR_DAILY}, {"/GRID/precipRateESurfaceMean", PT_DPRV7_DAILY}}}},
    {&gpm_header_flags::month,
     {{{"/Grids/G2/precipRateESurface/mean", PT_DPR_MONTHLY}, {"/FS/G2/precipRateESurface/mean", PT_DPRV7_MONTHLY}}}},
};

std::string missing(std::string_view what, std::string_view product)
{
    return "dataset \"" + std::string(what) + "\" of this " + std::string(product) + " product is missing";
}

// The first dataset of the kind's table the file lacks; nothing when all are there.
std::optional<std::string> missing_dataset(hid_t file, productType kind)
{
    const auto* table = hdf5_table_of(kind);
    if (!table) return std::string();
    for (const auto& entry : *table) {
        if (!h5_path_exists(file, entry.name)) return entry.name;
    }
    return std::nullopt;
}

// nullopt when the product name is no radiometer product.
std::optional<hdf5_kind_decision> decide_amsr(hid_t file, const std::string& productName)
{
    const char* lastProbe = nullptr;
    for (const auto& r : kAmsrRules) {
        if (r.productName != productName) continue;
        lastProbe = r.probe;
        if (r.probe && !h5_path_exists(file, r.probe)) continue;
        if (const auto lacking = missing_dataset(file, r.kind))
            return hdf5_kind_decision{PT_UNKNOWN, missing(*lacking, productName)};
        return hdf5_kind_decision{r.kind, {}};
    }
    if (lastProbe) return hdf5_kind_decision{PT_UNKNOWN, missing(lastProbe, productName)};
    return std::nullopt;
}

template <std::size_t N>
hdf5_kind_decision decide_gpm_rules(hid_t file, const gpm_header_flags& flags, const gpm_rule (&rules)[N],
                                    std::string_view family)
{
    for (const auto& rule : rules) {
        if (!(flags.*rule.interval)) continue;
        for (const auto& c : rule.candidates) {
            if (c.path && h5_path_exists(file, c.path)) return {c.kind, {}};
        }
        return {PT_UNKNOWN, missing(rule.candidates[0].path, family)};
    }
    return {};
}

hdf5_kind_decision decide_gpm(hid_t file, product_description& info)
{
    const std::string& header = info.attributes["FileHeader"];
    const gpm_header_flags flags = parse_gpm_header(header);
    if (auto granule = gpm_header_file_name(header); granule && info.attributes["GranuleID"].empty()) {
        info.attributes["GranuleID"] = *granule;
    }
    if (flags.multi && !flags.gpm) return decide_gpm_rules(file, flags, kGsmapRules, "GSMaP");
    if (flags.gpm && !flags.multi) return decide_gpm_rules(file, flags, kDprRules, "DPR");
    return {};
}

productType decide_sgli(hid_t file, product_description& info)
{
    if (!h5_path_exists(file, "Global_attributes")) return PT_UNKNOWN;
    const h5_object group(H5Oopen(file, "Global_attributes", H5P_DEFAULT));
    if (!group || H5Aexists(group.get(), "Product_file_name") <= 0) return PT_UNKNOWN;
    const h5_attribute attr(H5Aopen(group.get(), "Product_file_name", H5P_DEFAULT));
    if (!attr) return PT_UNKNOWN;
    const h5_space space(H5Aget_space(attr.get()));
    if (!space || H5Sget_simple_extent_ndims(space.get()) != 1) return PT_UNKNOWN;
    const auto name = h5_string_attribute(attr.get());
    if (!name) return PT_UNKNOWN;

    const sgli_name_info decoded = decode_sgli_product_name(*name);
    if (decoded.tile) {
        info.tileH = decoded.tileH;
        info.tileV = decoded.tileV;
    }
    return decoded.kind;
}

} // namespace

hdf5_kind_decision decide_hdf5_kind(hid_t file, product_description& info)
{
    const std::string productName = info.attributes["ProductName"];
    if (const auto amsr = decide_amsr(file, productName)) return *amsr;
    if (productName.empty() && !info.attributes["FileHeader"].empty()) return decide_gpm(file, info);
    return {decide_sgli(file, info), {}};
}

} // namespace vardane
