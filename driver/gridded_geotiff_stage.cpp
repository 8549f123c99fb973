// GeoTIFF of a gridded product: on the latitude/longitude grid or on the
// polar-stereographic grids, as the projection setting of its kind says.
#include "driver/file_job.h"
#include "driver/product_rules.h"
#include "driver/run_driver.h"
#include "driver/run_messages.h"
#include "output/spout.h"
#include "reader/product_kind.h"
#include "reader/spinfo.h"
#include "settings/spconverter.h"

namespace vardane {

namespace {

enum class grid_file { eqr, north, south };

// The radiometer L3 grids come ready-made in one geometry each: the setting
// only decides whether that geometry is wanted.
struct l3_grid_rule {
    L3PsType grid;
    TiffGenType accepted[2];
    int acceptedCount;
    grid_file file;
    const char* refusal;
};

constexpr l3_grid_rule kL3GridRules[] = {
    {PS_NONE, {TG_EQR, TG_EQR}, 1, grid_file::eqr, run_msg::kProjNotEqr},
    {PS_NSIDC_NORTH, {TG_POLAR_BOTH, TG_POLAR_NORTH}, 2, grid_file::north, run_msg::kProjNotNorth},
    {PS_SNOW_NORTH, {TG_POLAR_BOTH, TG_POLAR_NORTH}, 2, grid_file::north, run_msg::kProjNotNorth},
    {PS_NSIDC_SOUTH, {TG_POLAR_BOTH, TG_POLAR_SOUTH}, 2, grid_file::south, run_msg::kProjNotSouth},
};

// Other gridded kinds are reprojected by the polar writer on demand.
struct polar_rule {
    TiffGenType setting;
    std::int32_t mode;
    bool north;
    bool south;
};

constexpr polar_rule kPolarRules[] = {
    {TG_POLAR_BOTH, 0, true, true},
    {TG_POLAR_NORTH, 1, true, false},
    {TG_POLAR_SOUTH, 2, false, true},
};

bool accepts(const l3_grid_rule& rule, TiffGenType setting)
{
    for (int i = 0; i < rule.acceptedCount; ++i) {
        if (rule.accepted[i] == setting) return true;
    }
    return false;
}

// Area code of the JASMES grids for the writers: 0 none, 1 global, 2 regional.
std::int32_t area_code(const file_job& job)
{
    if (!is_jasmes_kind(job.kind)) return 0;
    return job.area == JA_GLOBAL ? 1 : 2;
}

} // namespace

void run_driver::gridded_geotiff_stage(file_job& job, const std::string& stem)
{
    const std::string eqr = stem + ".tif";
    const std::string north = stem + "_N.tif";
    const std::string south = stem + "_S.tif";
    TiffGenType setting = TG_EQR;
    converter_.get_ProjectionSetting(job.setting, setting);

    const auto move = [&](const std::string& name) { move_created(name, run_msg::kKindGeoTiff); };
    const auto report = [&](bool written, const std::string& name) {
        if (written) {
            move(name);
        } else {
            fail_writer(run_msg::failure_line(run_msg::kFailGeoTiff, name), run_msg::kKindGeoTiff);
        }
    };

    // A full-resolution polar grid, when the run asks for one, is made of
    // every grid that spans all longitudes: the hemispheres the projection
    // setting names, or both beside the latitude/longitude file.
    const polar_grid polarGrid = request_.geotiff.polarGrid;
    const polar_rule* polar = nullptr;
    for (const auto& rule : kPolarRules) {
        if (rule.setting == setting) polar = &rule;
    }
    const auto write_polar = [&](const polar_rule& rule, bool quickLook) {
        const bool written =
            quickLook ? out_.gen_GeoTiff_PolarImages(rule.mode, work_path(north), work_path(south), area_code(job))
                      : out_.gen_polar_grid_images(polarGrid, rule.mode, work_path(north), work_path(south));
        if (!written) {
            fail_writer(rule.north && rule.south
                            ? run_msg::failure_line(run_msg::kFailGeoTiffPair, north + "," + south)
                            : run_msg::failure_line(run_msg::kFailGeoTiff, rule.north ? north : south),
                        run_msg::kKindGeoTiff);
            return;
        }
        if (rule.north) move(north);
        if (rule.south) move(south);
    };
    const bool fullPolar = polarGrid != polar_grid::quick_look && out_.spans_all_longitudes();
    const polar_rule& bothHemispheres = kPolarRules[0];

    if (is_radiometer_l3_grid(job.kind)) {
        const L3PsType grid = info_.getL3PolarStereoType();
        for (const auto& rule : kL3GridRules) {
            if (rule.grid != grid) continue;
            if (rule.file == grid_file::eqr && fullPolar && polar != nullptr) {
                // The quick look never reprojected these grids.
                write_polar(*polar, false);
            } else if (!accepts(rule, setting)) {
                log(rule.refusal);
            } else if (rule.file == grid_file::eqr) {
                report(out_.gen_L3EQR_GeoTiffImage(work_path(eqr), true), eqr);
                if (fullPolar) write_polar(bothHemispheres, false);
            } else {
                const std::string& name = rule.file == grid_file::north ? north : south;
                report(out_.gen_L3PS_GeoTiffImage(work_path(name)), name);
            }
            return;
        }
        return;
    }

    if (polar != nullptr) {
        write_polar(*polar, !fullPolar);
        return;
    }
    report(out_.gen_GeoTiffImage(work_path(eqr), area_code(job)), eqr);
    if (fullPolar) write_polar(bothHemispheres, false);
}

} // namespace vardane
