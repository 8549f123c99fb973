// Moving a finished output from the working folder into the output folder.
#include <filesystem>

#include "driver/run_driver.h"
#include "driver/run_messages.h"
#include "driver/working_folder.h"

namespace vardane {

namespace fs = std::filesystem;

void run_driver::move_created(const std::string& name, const std::string& kind)
{
    const fs::path source = work_path(name);
    const fs::path destination = request_.outputFolder + name;
    // Only a file made in this run is reported: a file of the same name left
    // in the output folder by an earlier run is not news.
    std::error_code ec;
    if (!fs::exists(source, ec)) return;

    // A second output of the same name in one run (two inputs with one base
    // name, two variables with one output name) would silently replace the
    // first: the later one is refused and the first kept.
    const std::string made_from = currentKey_.empty() ? currentSource_ : currentSource_ + " (" + currentKey_ + ")";
    const auto [earlier, fresh] = produced_.try_emplace(destination.filename().string(), made_from);
    if (!fresh) {
        fs::remove(source, ec);
        fail(run_msg::collision_line(kind, name, earlier->second, made_from), kind,
             failure{destination.string(), "the name is taken by the output of " + earlier->second});
        return;
    }

    // A move the file system refuses (a read-only output folder, a folder
    // squatting the name) costs this output only; it does not stay in the
    // working folder either.
    try {
        move_file_replacing(source, destination);
    } catch (const fs::filesystem_error& e) {
        produced_.erase(destination.filename().string());
        fs::remove(source, ec);
        fail(run_msg::kind_failure_line(kind, name), kind, failure{destination.string(), e.code().message()});
        return;
    }
    if (!fs::exists(destination, ec)) return;
    log(kind + run_msg::kCreatedHead + name + run_msg::kCreatedTail);
    sink_.append_outputList(destination.string());
    sink_.report(run_event{run_event_type::output_created, kind, destination.string(), {}});
}

} // namespace vardane
