// The steps one selected variable goes through: read, prepare the output
// raster, then the plain TIFF, GeoTIFF and KMZ stages.
#include <filesystem>

#include "driver/file_job.h"
#include "driver/prepare_raster.h"
#include "driver/run_driver.h"
#include "driver/run_messages.h"
#include "output/spout.h"
#include "reader/product_kind.h"
#include "reader/spinfo.h"
#include "settings/spconverter.h"
#include "util/string_utils.h"

namespace vardane {

namespace fs = std::filesystem;

bool run_driver::convert_variable(file_job& job, const spcvt_listitem& item)
{
    if (!request_.switches.geotiff && !request_.switches.kmz && !request_.switches.tiffText) return true;
    const std::int32_t index = item.index;
    const std::string key = trim_space(item.key);
    const std::string stem = job.baseName + "_" + item.name;
    currentKey_ = key;

    productInfo_t product;
    if (index >= 0) info_.get_productInfo(static_cast<std::uint32_t>(index), product);
    log(run_msg::kReadingData);
    if (cancel_requested()) return false;
    pause();

    std::int32_t dtype = DT_NONE;
    if (index < 0 || !info_.get_dataSource(static_cast<std::uint32_t>(index), dtype)) {
        fail(run_msg::kReadFailed, {}, read_failure());
        return true;
    }
    if (cancel_requested()) return false;
    pause();

    const bool ready = prepare_raster(info_, out_, dtype, product);
    // The raster holds the samples now: the read's planes go back to be
    // reused by the next read, instead of fresh memory being taken for it.
    info_.release_buffers();
    if (cancel_requested()) return false;
    pause();
    if (!ready) return true;

    log(run_msg::kGenerating);
    if (cancel_requested()) return false;

    // What every writer needs to know beyond the raster: how GeoTIFFs are
    // laid out, and which stored values mean "no data".
    out_.set_geotiff_style(request_.geotiff);
    out_.set_fill_counts(stored_fill_values(job.kind));

    if (request_.switches.tiffText) tiff_stage(job, product, stem);
    if (request_.switches.geotiff) {
        if (job.swath) {
            swath_geotiff_stage(job, index, stem);
        } else {
            gridded_geotiff_stage(job, stem);
        }
    }
    if (cancel_requested()) return false;
    pause();

    if (request_.switches.kmz) kmz_stage(job, index, key, stem);
    // Likewise the raster, once every output of the variable is written.
    out_.Clear_Array_raster();
    return true;
}

void run_driver::tiff_stage(file_job& job, const productInfo_t& product, const std::string& stem)
{
    if (job.gcomc) {
        log(run_msg::kTiffNotGcomc);
        return;
    }
    // Gridded products have no plain TIFF (and nothing to say about it).
    if (!job.swath) return;
    const std::string name = stem + ".tif";
    if (!out_.gen_TiffImage(work_path(name))) {
        fail_writer(run_msg::failure_line(run_msg::kFailTiff, name), run_msg::kKindTiff);
        return;
    }
    job.posInfo.push_back(converter_.create_PosInfodata(product, job.path, name));
    move_created(name, run_msg::kKindTiff);
}

void run_driver::swath_geotiff_stage(file_job& job, std::int32_t index, const std::string& stem)
{
    // The swath writer also leaves a radiometer's raster regridded, which
    // the KMZ stage then draws instead of regridding it again.
    std::vector<std::string> names;
    if (!out_.gen_posGeoTIFF(work_path(stem), job.kind, index, true, names)) {
        fail_writer(run_msg::failure_line(run_msg::kFailGeoTiff, stem), run_msg::kKindGeoTiff);
        return;
    }
    for (const auto& name : names) move_created(fs::path(name).filename().string(), run_msg::kKindGeoTiff);
    // A window that could not be made (a grid too large for the memory, a
    // failed write) is named, so that a missing file is never silent.
    for (const failure& window : out_.failed_windows()) {
        fail(run_msg::failure_line(run_msg::kFailGeoTiff, fs::path(window.file).filename().string()),
             run_msg::kKindGeoTiff, window);
    }
}

} // namespace vardane
