// The file loop of a run and the steps every input file goes through.
#include <filesystem>
#include <ios>
#include <new>
#include <system_error>

#include "driver/file_job.h"
#include "driver/product_rules.h"
#include "driver/run_driver.h"
#include "driver/run_messages.h"
#include "driver/working_folder.h"
#include "output/spout.h"
#include "reader/spinfo.h"
#include "util/string_utils.h"

namespace vardane {

namespace fs = std::filesystem;

namespace {

constexpr const char* kOutOfMemory = "out of memory";

// The destination prefix of every move: blanks trimmed, one trailing '/'.
std::string destination_prefix(const std::string& folder)
{
    std::string prefix = trim_space(folder);
    if (prefix.empty() || prefix.back() != '/') prefix += '/';
    return prefix;
}

} // namespace

void run_driver::RunActionProc()
{
    try {
        const std::string output = trim_space(request_.outputFolder);
        const std::string outdir = destination_prefix(resolved(output));
        cancelLogged_ = false;
        currentSource_.clear();
        std::error_code ec;
        if (output.empty() || !fs::is_directory(outdir, ec)) {
            fail(run_msg::kOutputFolderMissing);
        } else {
            const int total = static_cast<int>(request_.inputs.size());
            int done = 0;
            try {
                for (const auto& path : request_.inputs) {
                    sink_.progress(done, total, path);
                    bool stop = false;
                    convert_file(path, outdir, stop);
                    ++done;
                    if (stop) break;
                }
            } catch (const fs::filesystem_error& e) {
                // The file in progress is named with the cause, so that a
                // summary shows what the abort cost.
                fail(run_msg::kFileIoAbort, {}, e.what());
            } catch (const std::ios_base::failure& e) {
                fail(run_msg::kFileIoAbort, {}, e.what());
            }
            sink_.progress(done, total, "");
        }
    } catch (...) {
        clean_up();
        throw;
    }
    clean_up();
}

void run_driver::convert_file(const std::string& path, const std::string& outdir, bool& stop)
{
    try {
        process_file(path, outdir, stop);
    } catch (const std::bad_alloc& e) {
        // One file too large for the memory at hand; the files after it may
        // well fit. What it left in the working folder goes with it.
        empty_folder(request_.workFolder);
        info_.release_buffers();
        fail(run_msg::kExceptionPrefix + std::string(e.what()), run_msg::kKindProduct, kOutOfMemory);
    }
}

void run_driver::warm_up_writers(const file_job& job)
{
    if (gdalWarmUp_) return;
    const output_switches& asked = request_.switches;
    // netCDF has its own library, and the radiometer L3 grids' GeoTIFFs are
    // written with libtiff; every other output is written through GDAL.
    if (asked.kmz || asked.tiffText || (asked.geotiff && !is_radiometer_l3_grid(job.kind))) {
        gdalWarmUp_ = std::make_unique<gdal_session::warm_up>();
    }
}

void run_driver::process_file(const std::string& path, const std::string& outdir, bool& stop)
{
    file_job job;
    job.path = resolved(path);
    currentSource_ = job.path;
    currentKey_.clear();
    const fs::path p(job.path);
    job.fileName = p.filename().string();
    job.baseName = p.stem().string();
    // A file that vanished or cannot be read is no product; it does not end
    // the run for the files after it.
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(p, ec);
    job.size = ec ? 0 : size;

    info_.init(job.path, job.size);
    if (info_.getType() == PT_UNKNOWN) {
        const std::string line = run_msg::kNotProductHead + job.fileName + run_msg::kNotProductTail;
        // A file with a product's signature or name that cannot be read is
        // a failed product, not a stranger: the same line, counted apart.
        if (info_.last_failure().failed()) {
            fail(line, run_msg::kKindProduct, info_.last_failure().cause);
        } else {
            log(line);
            sink_.report(run_event{run_event_type::not_product, {}, job.path, {}});
        }
        return;
    }
    log("'" + job.fileName + run_msg::kProcessingTail);
    sink_.report(run_event{run_event_type::recognised, {}, job.path, {}});
    if (cancel_requested()) {
        stop = true;
        return;
    }
    pause();

    build_selection(job);
    if (job.selection.empty()) {
        fail(run_msg::kNotSelected);
        return;
    }

    warm_up_writers(job);
    job.swath = is_swath_kind(job.kind);
    job.gcomc = is_gcomc_kind(job.kind);
    out_.tile_no(info_.tileH(), info_.tileV());
    job.posInfo.clear();

    for (const auto& item : job.selection) {
        if (!convert_variable(job, item, outdir)) break;
    }
    currentKey_.clear();
    netcdf_step(job, outdir);
    position_info_step(job, outdir);
    if (cancel_requested()) {
        stop = true;
        return;
    }
    pause();
}

} // namespace vardane
