// The file loop of a run and the steps every input file goes through.
#include <exception>
#include <filesystem>
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
#include "util/vdn_exception.h"

namespace vardane {

namespace fs = std::filesystem;

void run_driver::RunActionProc()
{
    try {
        cancelLogged_ = false;
        currentSource_.clear();
        std::error_code ec;
        if (request_.outputFolder.empty() || !fs::is_directory(request_.outputFolder, ec)) {
            fail(run_msg::kOutputFolderMissing, {},
                 failure{request_.outputFolder, ec ? ec.message() : "no such folder"});
        } else {
            const int total = static_cast<int>(request_.inputs.size());
            int done = 0;
            for (const auto& path : request_.inputs) {
                sink_.progress(done, total, path);
                bool stop = false;
                convert_file(path, stop);
                ++done;
                if (stop) break;
            }
            sink_.progress(done, total, "");
        }
    } catch (...) {
        clean_up();
        throw;
    }
    clean_up();
}

void run_driver::convert_file(const std::string& path, bool& stop)
{
    // Whatever a library throws costs this file only: the files after it
    // may well convert (a file too large for the memory at hand, a damaged
    // dataset, an output the file system refused).
    currentSource_ = resolved(path);
    try {
        process_file(currentSource_, stop);
    } catch (const vdn_exception& e) {
        const failure why = e.why();
        fail_file(e.what(), failure{why.file.empty() ? currentSource_ : why.file, why.cause});
    } catch (const std::bad_alloc& e) {
        // The library's text ("std::bad_alloc") tells a user nothing.
        fail_file(run_msg::kExceptionPrefix + std::string(e.what()), failure{currentSource_, "out of memory"});
    } catch (const std::exception& e) {
        fail_file(run_msg::kExceptionPrefix + std::string(e.what()), failure{currentSource_, e.what()});
    } catch (...) {
        fail_file(run_msg::kUnhandled, failure{currentSource_, run_msg::kUnhandled});
    }
}

void run_driver::fail_file(const std::string& line, const failure& why)
{
    // What the file left in the working folder goes with it, and so do the
    // read's planes.
    empty_folder(request_.workFolder);
    info_.release_buffers();
    out_.Clear_Array_raster();
    currentKey_.clear();
    fail(line, run_msg::kKindProduct, why);
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

void run_driver::process_file(const std::string& path, bool& stop)
{
    file_job job;
    job.path = path;
    currentKey_.clear();
    const fs::path p(job.path);
    job.fileName = p.filename().string();
    job.baseName = input_base_name(job.path);
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
            fail(line, run_msg::kKindProduct, info_.last_failure());
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
        fail(run_msg::kNotSelected, {},
             failure{job.path, job.setting == ST_NONE ? "the JASMES grid of this file is not a known area"
                                                      : "none of this product's variables is ticked in the settings"});
        return;
    }

    warm_up_writers(job);
    job.swath = is_swath_kind(job.kind);
    job.gcomc = is_gcomc_kind(job.kind);
    out_.tile_no(info_.tileH(), info_.tileV());
    job.posInfo.clear();

    for (const auto& item : job.selection) {
        if (!convert_variable(job, item)) break;
    }
    currentKey_.clear();
    netcdf_step(job);
    position_info_step(job);
    if (cancel_requested()) {
        stop = true;
        return;
    }
    pause();
}

} // namespace vardane
