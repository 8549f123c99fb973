// The position-information text file of a swath product: one block per
// plain TIFF written for it.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "driver/file_job.h"
#include "driver/run_driver.h"
#include "driver/run_messages.h"
#include "output/partial_file.h"

namespace vardane {

namespace {

struct file_closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Writes the blocks to path; "" on success, else the cause. Every write and
// the close are checked: a full disk must not leave a text that looks whole.
std::string write_blocks(const std::string& path, const std::vector<std::string>& blocks)
{
    std::unique_ptr<std::FILE, file_closer> text(std::fopen(path.c_str(), "w"));
    if (!text) return std::strerror(errno);
    for (const auto& block : blocks) {
        // Each block already ends with its line feed; blocks follow one
        // another without blank lines.
        const bool needsEnd = block.empty() || block.back() != '\n';
        if (std::fwrite(block.data(), 1, block.size(), text.get()) != block.size()
            || (needsEnd && std::fputc('\n', text.get()) == EOF)) {
            return std::strerror(errno);
        }
    }
    if (std::fflush(text.get()) != 0) return std::strerror(errno);
    if (std::fclose(text.release()) != 0) return std::strerror(errno);
    return {};
}

} // namespace

void run_driver::position_info_step(file_job& job)
{
    if (!request_.switches.tiffText || !job.swath || job.selection.empty() || job.gcomc) return;
    // Without a single plain TIFF there is nothing to place: no empty text.
    if (job.posInfo.empty()) return;
    log(run_msg::kPosInfoCreating);
    // Written in the working folder and moved like every other output, so
    // the output folder never holds a half-written file.
    const std::string name = job.baseName + ".txt";
    const std::string path = work_path(name);
    if (const std::string why = write_blocks(path, job.posInfo); !why.empty()) {
        discard_partial_file(path);
        fail(run_msg::failure_line(run_msg::kFailInformation, name), run_msg::kKindInformation, failure{path, why});
        return;
    }
    move_created(name, run_msg::kKindInformation);
}

} // namespace vardane
