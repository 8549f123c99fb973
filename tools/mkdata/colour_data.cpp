#include <array>
#include <iostream>
#include <string>

#include "colour/clt_writer.h"
#include "colour/colorbar_background.h"
#include "tools/mkdata/data_writers.h"

namespace vardane {

// The built-in colour tables: one for every name the reader can choose for
// a file, each over the physical range of its variable (the KMZ writer
// colours stored counts times their scale factor). Precipitation and
// chlorophyll span orders of magnitude and take the logarithmic palette.
// data/README.md lists the same rows.
namespace {

struct builtin_table {
    const char* name;
    float minimum;
    float maximum;
    const char* type; // "Linear" or "Log"
};

constexpr std::array<builtin_table, 49> kBuiltinTables = {{
    // Radiometer swaths and grids.
    {"amsr2_l1a", 0.0f, 4000.0f, "Linear"},  // observation counts
    {"amsr2_l1b", 100.0f, 300.0f, "Linear"}, // brightness temperature, K
    {"amsr2_l1r", 100.0f, 300.0f, "Linear"},
    {"amsr2_l3_tb", 100.0f, 300.0f, "Linear"},
    {"amsr2_lx_prc", 0.0f, 50.0f, "Log"},    // precipitation, mm/h
    {"amsr2_l2_tpw", 0.0f, 70.0f, "Linear"}, // total precipitable water, kg/m2
    {"amsr2_l3_tpw", 0.0f, 70.0f, "Linear"},
    {"amsr2_lx_clw", 0.0f, 1.0f, "Linear"},   // cloud liquid water, kg/m2
    {"amsr2_lx_smc", 0.0f, 50.0f, "Linear"},  // soil moisture, %
    {"amsr2_lx_sic", 0.0f, 100.0f, "Linear"}, // sea-ice concentration, %
    {"amsr2_lx_snd", 0.0f, 100.0f, "Linear"}, // snow depth, cm
    {"amsr2_lx_sst", -2.0f, 32.0f, "Linear"}, // sea surface temperature, degC
    {"amsr2_lx_ssw", 0.0f, 20.0f, "Linear"},  // sea surface wind speed, m/s
    {"amsre_l1b", 100.0f, 300.0f, "Linear"},
    {"amsre_l1r", 100.0f, 300.0f, "Linear"},
    {"amsre_l3_tb", 100.0f, 300.0f, "Linear"},
    {"amsre_lx_prc", 0.0f, 50.0f, "Log"},
    {"amsre_l2_tpw", 0.0f, 70.0f, "Linear"},
    {"amsre_l3_tpw", 0.0f, 70.0f, "Linear"},
    {"amsre_lx_clw", 0.0f, 1.0f, "Linear"},
    {"amsre_lx_smc", 0.0f, 50.0f, "Linear"},
    {"amsre_lx_sic", 0.0f, 100.0f, "Linear"},
    {"amsre_lx_snd", 0.0f, 100.0f, "Linear"},
    {"amsre_lx_sst", -2.0f, 32.0f, "Linear"},
    {"amsre_lx_ssw", 0.0f, 20.0f, "Linear"},
    // Precipitation grids, mm/h.
    {"gpm_gsmap_hour_l3", 0.0f, 50.0f, "Log"},
    {"gpm_gsmap_month_l3", 0.0f, 5.0f, "Log"},
    {"gpm_dpr_day_l3", 0.0f, 20.0f, "Log"},
    {"gpm_dpr_month_l3", 0.0f, 5.0f, "Log"},
    // JASMES grids.
    {"jasmes_olst", 250.0f, 330.0f, "Linear"}, // land surface temperature, K
    {"jasmes_lst", 250.0f, 330.0f, "Linear"},
    {"jasmes_wf", 0.0f, 250.0f, "Linear"}, // byte counts
    {"jasmes_wst", 0.0f, 1.0f, "Linear"},  // scaled 0 .. 1
    {"jasmes_par", 0.0f, 70.0f, "Linear"}, // photosynthetically available radiation, E/m2/day
    {"jasmes_dpar", 0.0f, 70.0f, "Linear"},
    {"jasmes_rpar", 0.0f, 70.0f, "Linear"},
    {"jasmes_ptw", 0.0f, 70.0f, "Linear"},          // precipitable water, mm
    {"jasmes_alph", 0.0f, 2.0f, "Linear"},          // Angstrom exponent
    {"jasmes_chla", 0.0f, 10.0f, "Log"},            // chlorophyll-a, mg/m3
    {"jasmes_ndvi", -0.2f, 1.0f, "Linear"},         // vegetation index
    {"jasmes_swr_", 0.0f, 400.0f, "Linear"},        // short-wave radiation, W/m2
    {"jasmes_tau_500", 0.0f, 1.0f, "Linear"},       // aerosol optical thickness at 500 nm
    {"jasmes_aerosol", 0.0f, 1.0f, "Linear"},       // aerosol optical thickness
    {"jasmes_tip_", 0.0f, 1.0f, "Linear"},          // fraction
    {"jasmes_uva_", 0.0f, 60.0f, "Linear"},         // UV-A radiation, W/m2
    {"jasmes_uvb_", 0.0f, 3.0f, "Linear"},          // UV-B radiation, W/m2
    {"jasmes_snwcfr_ghrm5", 0.0f, 10.0f, "Linear"}, // snow and cloud flag codes
    {"jasmes_snwcfr_monthly", 0.0f, 10.0f, "Linear"},
    {"jasmes_snwcfr_day", 0.0f, 10.0f, "Linear"},
}};

} // namespace

bool write_colour_data(const std::filesystem::path& folder)
{
    for (const char* type : {"Linear", "Log"}) {
        const auto background = folder / (std::string(type) == "Linear" ? kLinearBackground : kLogBackground);
        if (!draw_colorbar_background(background, type)) {
            std::cerr << "vardane-mkdata: cannot write " << background << "\n";
            return false;
        }
    }
    const clt_folders folders{folder, folder};
    for (const builtin_table& t : kBuiltinTables) {
        const clt_written written = create_clt(folders, t.minimum, t.maximum, 0.0f, t.type, t.name);
        if (!written.table || !written.legendProblem.empty()) {
            std::cerr << "vardane-mkdata: table " << t.name << ": "
                      << (written.table ? written.legendProblem : "cannot write the table") << "\n";
            return false;
        }
    }
    return true;
}

} // namespace vardane
