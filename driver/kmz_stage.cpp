// KMZ of one variable: the image coloured through the variable's colour
// table, laid over the globe.
#include <filesystem>
#include <system_error>

#include "driver/data_folder.h"
#include "driver/file_job.h"
#include "driver/run_driver.h"
#include "driver/run_messages.h"
#include "colour/clt_writer.h"
#include "colour/colour_table.h"
#include "output/spout.h"
#include "reader/product_kind.h"
#include "reader/spinfo.h"
#include "settings/spconverter.h"
#include "util/vdn_exception.h"

namespace vardane {

namespace {

// The RGB composite is drawn from its own colours, not from a table.
constexpr const char* kRgbTable = "jasmes_1Krgb";

// Gobi variables drawn without any colour table.
constexpr const char* kGobiUntabled[] = {"rcr", "taua"};

bool untabled(SettingType setting, const std::string& key)
{
    if (setting != ST_JASMES_GOBI) return false;
    for (const char* k : kGobiUntabled) {
        if (key == k) return true;
    }
    return false;
}

// The range of a custom colour bar set in a settings file (written by hand or
// brought from another machine) has no table on this machine yet: make the
// table and its legend as the colour-bar dialog's Save does. A table that
// exists is used as it is. Says why a legend could not be made, else "".
std::string ensure_custom_table(const std::string& table, const optSet_t& option)
{
    std::error_code ec;
    if (std::filesystem::exists(clt_file(table + ".clt"), ec)) return {};
    const clt_written written = make_custom_table(table, option);
    return written.table ? written.legendProblem : std::string();
}

} // namespace

void run_driver::kmz_stage(file_job& job, std::int32_t index, const std::string& key, const std::string& stem)
{
    const std::string name = stem + ".kmz";
    // Radiometer swaths are drawn cell by cell as quadrilaterals.
    const bool quad = job.swath && !job.gcomc;
    if (is_radiometer_l3_kind(job.kind) && info_.getL3PolarStereoType() != PS_NONE) {
        log(run_msg::kKmzNotL3Polar);
        return;
    }
    if (job.gcomc) {
        log(run_msg::kKmzNotGcomc);
        return;
    }

    optSet_t option;
    converter_.get_OptSetting(job.setting, key, option);
    std::string table;
    std::string invalidText;
    if (untabled(job.setting, key)) {
        // neither a table nor invalid values
    } else if (!option.custom_colorbar) {
        table = info_.getCLT();
    } else {
        table = converter_.get_custom_clt(job.setting, key);
        invalidText = option.invalid_values;
        if (!table.empty()) {
            // The table stays usable without its legend; say once why the
            // legend is missing (the table exists from now on).
            if (const std::string problem = ensure_custom_table(table, option); !problem.empty()) log(problem);
        }
    }

    const std::string failLine = run_msg::failure_line(run_msg::kFailKmz, name);
    // A table that cannot be opened costs this KMZ only.
    std::vector<color_map> colours;
    try {
        if (!table.empty() && table != kRgbTable) colours = GetColorMap(clt_file(table + ".clt"));
    } catch (const vdn_exception& e) {
        fail(failLine, run_msg::kKindKmz, failure{work_path(name), e.why().cause});
        return;
    }
    const std::string pngName = table + ".png";
    const std::string pngPath = clt_file(pngName);

    // A radiometer swath is drawn regridded: the GeoTIFF stage leaves its
    // raster so when it ran, else the regridding is done here, without
    // keeping the windows.
    if (quad && !out_.holds_regridded_grid()) {
        std::vector<std::string> windows;
        if (!out_.gen_posGeoTIFF(work_path(stem), job.kind, index, false, windows)) {
            fail_writer(failLine, run_msg::kKindKmz);
            return;
        }
    }
    if (out_.gen_KmzImage(work_path(name), quad, colours, pngName, pngPath, invalidText, true)) {
        move_created(name, run_msg::kKindKmz);
    } else {
        fail_writer(failLine, run_msg::kKindKmz);
    }
}

} // namespace vardane
