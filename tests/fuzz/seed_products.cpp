#include "fuzz/seed_products.h"

#include "synth_registry.h"

namespace vardane {

namespace fuzz {

std::vector<seed_product> seed_products()
{
    std::vector<seed_product> seeds;
    // Every kind once with its defaults.
    for (const auto& k : all_synth_kinds()) {
        const bool gsmapBin = k.name == "GSMAP_BIN";
        const bool hdf4 = k.name == "JASMES_HDF4";
        const bool flat = gsmapBin || k.name == "JASMES_RAW" || k.name == "JASMES_HDR";
        const std::string name = gsmapBin ? "gsmap_fuzz.dat" : k.name + (hdf4 ? ".hdf" : flat ? ".dat" : ".h5");
        seeds.push_back({k.name, name, {}});
    }
    // Other layouts of the same readers.
    const std::vector<seed_product> variants = {
        {"AMSR2_L3_GD", "l3_north.h5", {{"grid", "nsidc_north_25km"}, {"layers", "2"}}},
        {"AMSR2_L3_BT", "l3_south.h5", {{"grid", "nsidc_south_25km"}}},
        {"AMSR2_L2_HIGH", "l2_fixed.h5", {{"strings", "fixed"}}},
        {"DPR_DAILY", "dpr_rank3.h5", {{"rank", "3"}, {"layers", "2"}}},
        {"JASMES_RAW", "lst.dat", {{"bytes", "2"}}},
        {"JASMES_HDR", "t1_bytes.dat", {{"bytes", "1"}, {"width", "300"}, {"height", "20"}}},
        {"JASMES_HDR", "t1_words.dat", {{"bytes", "4"}, {"width", "300"}, {"height", "20"}}},
        {"JASMES_HDR", "wst.dat", {{"form", "wst"}, {"width", "300"}, {"height", "20"}}},
        {"JASMES_HDR", "rgb.dat", {{"form", "t1rgb"}, {"width", "300"}, {"height", "20"}}},
        {"JASMES_HDR", "aerosol.dat", {{"form", "t2"}, {"width", "120"}, {"height", "40"}}},
        {"JASMES_HDF4", "both16.hdf", {{"flags", "both"}, {"bits", "16"}}},
    };
    seeds.insert(seeds.end(), variants.begin(), variants.end());
    return seeds;
}

} // namespace fuzz

} // namespace vardane
