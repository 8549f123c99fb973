// The position-information text file of a swath product: one block per
// plain TIFF written for it.
#include <filesystem>
#include <fstream>
#include <system_error>

#include "app/driver/file_job.h"
#include "app/driver/run_driver.h"
#include "app/driver/run_messages.h"

namespace fs = std::filesystem;

void run_driver::position_info_step(file_job& job, const std::string& outdir)
{
    if (!request_.switches.tiffText || !job.swath || job.selection.empty() || job.gcomc) return;
    log(run_msg::kPosInfoCreating);
    // Written in the working folder and moved like every other output, so
    // the output folder never holds a half-written file.
    const std::string name = job.baseName + ".txt";
    {
        const std::string path = work_path(name);
        std::ofstream text(path, std::ios::out | std::ios::trunc);
        if (!text) {
            throw fs::filesystem_error("cannot write position information", path,
                                       std::make_error_code(std::errc::io_error));
        }
        // Each block already ends with its line feed; blocks follow one
        // another without blank lines.
        for (const auto& block : job.posInfo) {
            text << block;
            if (block.empty() || block.back() != '\n') text << '\n';
        }
        text.flush();
        if (!text) {
            throw fs::filesystem_error("cannot write position information", path,
                                       std::make_error_code(std::errc::io_error));
        }
    }
    move_created(name, outdir, run_msg::kKindInformation);
}
