// vardane.identify(path): what the batch sees in a file before it converts.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/product_kind_name.h"
#include "driver/product_rules.h"
#include "python/bindings.h"
#include "python/opened_product.h"
#include "python/parameter_units.h"
#include "settings/config_location.h"
#include "settings/spconverter.h"

namespace vardane {

namespace py = pybind11;

namespace {

// Offers the option entries of a file's kind, each with the number of the
// file's parameters it must index below to be converted (none: any).
struct offered_variables {
    const spinfo& info;
    py::list list;

    void add(const std::string& key, const optSet_t& option, std::optional<std::uint32_t> offered)
    {
        const bool held = option.index >= 0 && (!offered || static_cast<std::uint32_t>(option.index) < *offered);
        py::dict variable;
        variable["key"] = key;
        variable["name"] = option.name;
        variable["index"] = option.index;
        // What a run with these settings converts: ticked and in the file.
        variable["selected"] = option.flag && held;
        // What the file says of the samples it holds for the variable.
        const bool inFile = option.index >= 0 && static_cast<std::uint32_t>(option.index) < info.N_count();
        if (inFile) {
            const auto index = static_cast<std::uint32_t>(option.index);
            productInfo_t described;
            info.get_productInfo(index, described);
            variable["units"] = cf_units(info, index);
            variable["scale_factor"] = described.scale;
        } else {
            variable["units"] = py::none();
            variable["scale_factor"] = py::none();
        }
        list.append(variable);
    }
};

// The variables the run's selection chooses among, in the order the
// selection offers them (see the driver's selection step).
void list_variables(const spinfo& info, const spconverter& settings, offered_variables& out, std::string& line)
{
    if (is_jasmes_kind(info.getType())) {
        const jasmes_rule& rule = find_jasmes_rule(info.getJasmesArea());
        line = rule.line;
        if (!rule.lookup) return;
        for (const auto& key : jasmes_candidates(rule, info.getPara(), info.getJasmesHdf4Type())) {
            optSet_t option;
            if ((settings.*rule.lookup)(key, option)) out.add(key, option, info.N_count());
        }
        return;
    }
    const product_rule* rule = find_product_rule(info.getType());
    if (!rule) return;
    line = product_line(*rule, info.getGeophsyicalName(), info.productName());
    switch (rule->mode) {
    case selection_mode::all:
    case selection_mode::below_count: {
        std::optional<std::uint32_t> offered;
        if (rule->mode == selection_mode::below_count) offered = info.N_count();
        for (const auto& key : settings.get_key_list(rule->setting)) {
            optSet_t option;
            if (settings.get_OptSetting(rule->setting, key, option)) out.add(key, option, offered);
        }
        break;
    }
    case selection_mode::l2low_names:
    case selection_mode::l3gd_names: {
        const std::uint32_t variables = variable_count(*rule, info.N_count());
        for (const auto& key : geophysical_candidates(info.getGeophsyicalName(), variables)) {
            optSet_t option;
            const bool found = rule->mode == selection_mode::l2low_names
                                   ? settings.get_OptSet_AMSR_L2Low(rule->amsr, key, option)
                                   : settings.get_OptSet_AMSR_L3GD(rule->amsr, key, option);
            if (found) out.add(key, option, variables);
        }
        break;
    }
    }
}

// The product's name in its announcement line: "It is GCOM-W/L1B Product."
// names "GCOM-W/L1B"; a line of another form is its own label.
std::string label_of(const std::string& line)
{
    constexpr std::string_view head = "It is ";
    constexpr std::string_view tail = " Product.";
    if (line.size() < head.size() + tail.size() || !line.starts_with(head) || !line.ends_with(tail)) return line;
    return line.substr(head.size(), line.size() - head.size() - tail.size());
}

py::dict identify(const std::string& path, const std::string& settingsFile)
{
    const auto info = open_product(path);
    // The settings the batch's workers convert with: a file that is missing
    // leaves the built-in ones.
    spconverter settings;
    settings.set_config_path(settingsFile);
    settings.loadSetting();
    offered_variables variables{*info, py::list()};
    std::string line;
    list_variables(*info, settings, variables, line);
    py::dict result;
    result["kind"] = product_kind_name(info->getType());
    result["label"] = label_of(line);
    result["line"] = line;
    // The name the file gives itself (an HDF5 product's ProductName).
    result["product_name"] = info->productName();
    result["parameters"] = info->N_count();
    result["variables"] = variables.list;
    return result;
}

} // namespace

void bind_identify(py::module_& module)
{
    // A worker started as `program` reads this settings file when none is named.
    module.def(
        "default_settings",
        [](const std::string& program) {
            return config_path_for(std::filesystem::path(program).parent_path().string());
        },
        py::arg("program"));
    module.def("identify", &identify, py::arg("path"), py::arg("settings"),
               "The product kind, label, announcement line and variables of a product file; "
               "ValueError naming the file and the cause when it is none.");
}

} // namespace vardane
