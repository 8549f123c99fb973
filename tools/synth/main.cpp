// vardane-synth KIND OUTFILE [--full] [--layout ours|real] [--seed N] [--set KEY=VALUE]...
// Writes a synthetic product file of the given kind.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <iostream>
#include <string>

#include "synth_registry.h"

namespace vardane {

namespace {

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

int usage(int status)
{
    std::ostream& os = status == 0 ? std::cout : std::cerr;
    os << "usage: vardane-synth KIND OUTFILE [--full] [--layout ours|real] [--seed N] [--set KEY=VALUE]...\n"
          "       vardane-synth --list | --version\n"
          "  --layout real  the internal structure of real products (attribute storage,\n"
          "                 compression, extra datasets); with --full also their shapes\n";
    return status;
}

int run_program(int argc, char** argv)
{
    const auto kinds = all_synth_kinds();
    std::string kindName;
    std::string outfile;
    synth_options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return usage(0);
        if (arg == "--version") {
            std::cout << "vardane-synth " << VARDANE_VERSION << "\n";
            return 0;
        }
        if (arg == "--list") {
            for (const auto& k : kinds) std::cout << k.name << "\t" << k.description << "\n";
            return 0;
        }
        if (arg == "--full") {
            options.full = true;
        } else if (arg == "--layout" && i + 1 < argc) {
            const std::string layout = argv[++i];
            if (layout != "ours" && layout != "real") return usage(2);
            options.layout = layout == "real" ? synth_layout::real : synth_layout::ours;
        } else if (arg == "--seed" && i + 1 < argc) {
            options.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--set" && i + 1 < argc) {
            const std::string kv = argv[++i];
            const auto eq = kv.find('=');
            if (eq == std::string::npos) return usage(2);
            options.variants.emplace_back(kv.substr(0, eq), kv.substr(eq + 1));
        } else if (!arg.starts_with('-') && kindName.empty()) {
            kindName = arg;
        } else if (!arg.starts_with('-') && outfile.empty()) {
            outfile = arg;
        } else {
            return usage(2); // an unknown option or a third operand
        }
    }
    if (kindName.empty() || outfile.empty()) return usage(2);

    const std::string wanted = lower(kindName);
    for (const auto& k : kinds) {
        if (lower(k.name) == wanted) return k.write(outfile, options) ? 0 : 1;
    }
    std::cerr << "vardane-synth: unknown kind '" << kindName << "' (see --list)\n";
    return 2;
}

} // namespace

} // namespace vardane

int main(int argc, char** argv) { return vardane::run_program(argc, argv); }
