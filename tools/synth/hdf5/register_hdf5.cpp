// The HDF5 product kinds of vardane-synth.
#include <exception>
#include <iostream>

#include <H5Cpp.h>

#include "gpm_products.h"
#include "radiometer_l3.h"
#include "radiometer_swath.h"
#include "sgli_scenes.h"
#include "sgli_tiles.h"
#include "synth_registry.h"

namespace vardane {

namespace {

using writer = std::function<void(const std::string&, const synth_options&)>;

struct hdf5_kind {
    const char* name;
    const char* description;
    writer write;
};

writer swath(const synth_radiometer::sensor& s, synth_radiometer::swath_level level)
{
    return [&s, level](const std::string& out, const synth_options& o) {
        synth_radiometer::write_radiometer_swath(out, o, s, level);
    };
}

writer l3(const synth_radiometer::sensor& s, synth_radiometer::l3_content content)
{
    return [&s, content](const std::string& out, const synth_options& o) {
        synth_radiometer::write_radiometer_l3(out, o, s, content);
    };
}

writer gpm(synth_gpm::gpm_product p)
{
    return [p](const std::string& out, const synth_options& o) { synth_gpm::write_gpm(out, o, p); };
}

writer scene(synth_sgli::sgli_product p)
{
    return [p](const std::string& out, const synth_options& o) { synth_sgli::write_sgli_scene(out, o, p); };
}

writer sgli_tile(synth_sgli::sgli_product p)
{
    return [p](const std::string& out, const synth_options& o) { synth_sgli::write_sgli_tile(out, o, p); };
}

std::vector<hdf5_kind> hdf5_kinds()
{
    using namespace synth_radiometer;
    using synth_gpm::gpm_product;
    using synth_sgli::sgli_product;
    const sensor& a2 = amsr2();
    const sensor& ae = amsre();
    return {
        {"AMSR2_L1A", "AMSR2 L1A observation counts (HDF5 swath)", swath(a2, swath_level::l1a)},
        {"AMSR2_L1B", "AMSR2 L1B brightness temperatures (HDF5 swath)", swath(a2, swath_level::l1b)},
        {"AMSR2_L1R", "AMSR2 L1R resampled brightness temperatures (HDF5 swath)", swath(a2, swath_level::l1r)},
        {"AMSR2_L2_HIGH", "AMSR2 L2 high resolution geophysical swath (geo=CODE)", swath(a2, swath_level::l2_high)},
        {"AMSR2_L2_LOW", "AMSR2 L2 low resolution geophysical swath (geo=CODE)", swath(a2, swath_level::l2_low)},
        {"AMSR2_L3_BT", "AMSR2 L3 brightness temperature grid (grid=NAME)", l3(a2, l3_content::brightness)},
        {"AMSR2_L3_GD", "AMSR2 L3 geophysical grid (grid=NAME, geo=CODE)", l3(a2, l3_content::geophysical)},
        {"AMSRE_L1B", "AMSR-E L1B brightness temperatures (HDF5 swath)", swath(ae, swath_level::l1b)},
        {"AMSRE_L1R", "AMSR-E L1R resampled brightness temperatures (HDF5 swath)", swath(ae, swath_level::l1r)},
        {"AMSRE_L2_HIGH", "AMSR-E L2 high resolution geophysical swath (geo=CODE)", swath(ae, swath_level::l2_high)},
        {"AMSRE_L2_LOW", "AMSR-E L2 low resolution geophysical swath (geo=CODE)", swath(ae, swath_level::l2_low)},
        {"AMSRE_L3_BT", "AMSR-E L3 brightness temperature grid (grid=NAME)", l3(ae, l3_content::brightness)},
        {"AMSRE_L3_GD", "AMSR-E L3 geophysical grid (grid=NAME, geo=CODE)", l3(ae, l3_content::geophysical)},
        {"GSMAP_HOURLY", "GSMaP hourly precipitation (HDF5, transposed grid)", gpm(gpm_product::gsmap_hourly)},
        {"GSMAP_MONTHLY", "GSMaP monthly precipitation (HDF5, transposed grid)", gpm(gpm_product::gsmap_monthly)},
        {"DPR_DAILY", "DPR daily L3 grid (rank=3|4)", gpm(gpm_product::dpr_daily)},
        {"DPR_MONTHLY", "DPR monthly L3 grid", gpm(gpm_product::dpr_monthly)},
        {"DPRV7_DAILY", "DPR version 7 daily L3 grid", gpm(gpm_product::dprv7_daily)},
        {"DPRV7_MONTHLY", "DPR version 7 monthly L3 grid", gpm(gpm_product::dprv7_monthly)},
        {"SGLI_VNR", "SGLI L1B VNR scene (tie-point geolocation)", scene(sgli_product::vnr)},
        {"SGLI_POL", "SGLI L1B POL scene (per-pixel geolocation)", scene(sgli_product::pol)},
        {"SGLI_IRS", "SGLI L1B IRS scene (tie-point geolocation)", scene(sgli_product::irs)},
        {"SGLI_NWLR", "SGLI L2 NWLR scene", scene(sgli_product::nwlr)},
        {"SGLI_IWPR", "SGLI L2 IWPR scene", scene(sgli_product::iwpr)},
        {"SGLI_SST", "SGLI L2 SST scene (sst=SSTD|SSTN)", scene(sgli_product::sst)},
        {"SGLI_LTOA", "SGLI L2 LTOA daily tile (tile=HHVV)", sgli_tile(sgli_product::ltoa)},
        {"SGLI_RSRF", "SGLI L2 RSRF daily tile (tile=HHVV)", sgli_tile(sgli_product::rsrf)},
        {"SGLI_LST", "SGLI L2 LST daily tile (tile=HHVV)", sgli_tile(sgli_product::lst)},
        {"SGLI_CLFG", "SGLI L2 CLFG daily tile (tile=HHVV)", sgli_tile(sgli_product::clfg)},
    };
}

} // namespace

void register_hdf5_kinds(std::vector<synth_kind>& kinds)
{
    for (auto& k : hdf5_kinds()) {
        const std::string name = k.name;
        writer write = std::move(k.write);
        kinds.push_back({name, k.description, [name, write](const std::string& out, const synth_options& o) {
                             try {
                                 write(out, o);
                                 return true;
                             } catch (const H5::Exception& e) {
                                 std::cerr << "vardane-synth: " << name << ": HDF5 error in " << e.getFuncName() << ": "
                                           << e.getDetailMsg() << "\n";
                             } catch (const std::exception& e) {
                                 std::cerr << "vardane-synth: " << name << ": " << e.what() << "\n";
                             }
                             return false;
                         }});
    }
}

} // namespace vardane
