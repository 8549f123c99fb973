#pragma once
// A vardane-cli run over synthetic products in a scratch folder: input and
// output folders, a settings file, and the run itself.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "settings/spconverter.h"
#include "support/cli_process.h"
#include "support/scratch_folder.h"
#include "support/synthetic_file.h"

namespace vardane {

namespace integration {

inline const std::string kCompleted = "Completed.";
inline const std::string kReading = "Reading product data .....";
inline const std::string kGenerating = "Generate image files .....";
inline const std::string kReadFailed = "Fail in reading product.  Skipped.";
inline const std::string kNotSelected = "Converting variables  are Not Selected.";

class cli_scene {
public:
    cli_scene();

    const std::filesystem::path& in() const { return in_; }
    const std::filesystem::path& out() const { return out_; }

    // A synthetic product in the input folder; fails the test (and returns
    // "") when it cannot be written.
    std::string product(const std::string& kind, const std::string& fileName,
                        test_support::synth_variants variants = {}, synth_layout layout = synth_layout::ours);

    // Writes the built-in settings, changed by `edit`, and returns the path.
    std::string settings(const std::function<void(spconverter&)>& edit = {});

    // vardane-cli with the output folder, the settings file (the built-in
    // one when none was written) and the given options and inputs.
    cli_test::process_result run(const std::vector<std::string>& args);

private:
    test_support::scratch_folder scratch_{"vardane-e2e"};
    std::filesystem::path in_;
    std::filesystem::path out_;
    std::string settings_;
};

// The log of one input file: from its "is processing" line up to the next
// file's, or to "Completed.".
std::vector<std::string> file_log(const cli_test::process_result& r, const std::string& fileName);

// Every option of a kind switched off.
void deselect_all(spconverter& settings, SettingType kind);

} // namespace integration

} // namespace vardane
