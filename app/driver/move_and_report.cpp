// Moving a finished output from the working folder into the output folder.
#include <filesystem>

#include "app/driver/run_driver.h"
#include "app/driver/run_messages.h"
#include "app/driver/working_folder.h"

namespace fs = std::filesystem;

void run_driver::move_created(const std::string& name, const std::string& outdir, const std::string& kind)
{
    const fs::path source = fs::absolute(name); // the working folder is the current directory
    const fs::path destination = outdir + name;
    // Only a file made in this run is reported: a file of the same name left
    // in the output folder by an earlier run is not news.
    if (!fs::exists(source)) return;
    move_file_replacing(source, destination);
    if (!fs::exists(destination)) return;
    log(kind + run_msg::kCreatedHead + name + run_msg::kCreatedTail);
    sink_.append_outputList(destination.string());
}
