#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "settings/config_location.h"
#include "support/scratch_folder.h"

namespace vardane {

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for the life of the object (unset when null).
class scoped_env {
public:
    scoped_env(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) saved_ = old, had_ = true;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~scoped_env() { had_ ? ::setenv(name_, saved_.c_str(), 1) : ::unsetenv(name_); }
    scoped_env(const scoped_env&) = delete;
    scoped_env& operator=(const scoped_env&) = delete;

private:
    const char* name_;
    std::string saved_;
    bool had_ = false;
};

} // namespace

// The tests may run as root, for whom every folder is writable: exactly the
// case in which an installed program must still leave its installation alone.
TEST(ConfigLocation, InstalledProgramKeepsSettingsInTheUsersFolder)
{
    const test_support::scratch_folder tmp;
    const std::string config = tmp.file("config");
    const scoped_env xdg("XDG_CONFIG_HOME", config.c_str());

    struct layout {
        const char* program;  // folder of the executable
        const char* sibling;  // folder made beside it, relative to the program folder
        std::string expected; // settings file; empty: none at all
    };
    const layout layouts[] = {
        {"build/cli", "../clt", tmp.file("build/cli/vdn-config.dat")},
        {"portable", "clt", tmp.file("portable/vdn-config.dat")},
        {"usr/bin", "../share/vardane/clt", config + "/vardane/vdn-config.dat"},
    };
    for (const auto& l : layouts) {
        const fs::path program = tmp / l.program;
        fs::create_directories(program / l.sibling);
        EXPECT_EQ(config_path_for(program.string()), l.expected) << l.program;
    }

    // With no user folder at all, an installed program has no settings file
    // rather than one inside the installation.
    const scoped_env noXdg("XDG_CONFIG_HOME", nullptr);
    const scoped_env noHome("HOME", nullptr);
    EXPECT_EQ(config_path_for(tmp.file("usr/bin")), "");
    EXPECT_EQ(config_path_for(tmp.file("portable")), tmp.file("portable/vdn-config.dat"));
}

} // namespace vardane
