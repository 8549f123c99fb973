#include "integration/cli_run_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace vardane {

namespace fs = std::filesystem;

namespace integration {

cli_scene::cli_scene() : in_(scratch_ / "in"), out_(scratch_ / "out")
{
    fs::create_directories(in_);
    fs::create_directories(out_);
}

std::string cli_scene::product(const std::string& kind, const std::string& fileName,
                               test_support::synth_variants variants, synth_layout layout)
{
    const auto path = test_support::write_synthetic(kind, in_ / fileName, std::move(variants), layout);
    EXPECT_FALSE(path.empty()) << "vardane-synth could not write " << kind;
    return path;
}

std::string cli_scene::settings(const std::function<void(spconverter&)>& edit)
{
    spconverter converter;
    if (edit) edit(converter);
    settings_ = (scratch_ / "vdn-config.dat").string();
    std::ofstream file(settings_);
    converter.write_settings(file);
    return settings_;
}

cli_test::process_result cli_scene::run(const std::vector<std::string>& args)
{
    // Never the settings file beside the executable: another run may have
    // changed it.
    if (settings_.empty()) settings();
    std::vector<std::string> all{"-o", out_.string(), "--settings", settings_};
    all.insert(all.end(), args.begin(), args.end());
    return cli_test::run_cli(all, scratch_.path());
}

std::vector<std::string> file_log(const cli_test::process_result& r, const std::string& fileName)
{
    const auto begin = std::find(r.lines.begin(), r.lines.end(), "'" + fileName + "' is processing, now...  ");
    if (begin == r.lines.end()) return {};
    const auto end = std::find_if(begin + 1, r.lines.end(),
                                  [](const std::string& l) { return l.rfind('\'', 0) == 0 || l == kCompleted; });
    return {begin, end};
}

void deselect_all(spconverter& settings, SettingType kind)
{
    for (const auto& key : settings.get_key_list(kind)) {
        optSet_t entry;
        ASSERT_TRUE(settings.get_OptSetting(kind, key, entry)) << key;
        entry.flag = false;
        ASSERT_TRUE(settings.set_OptSetting(kind, key, entry)) << key;
    }
}

} // namespace integration

} // namespace vardane
