// Which variables of the file in progress are converted, and the
// geolocation the swath writers need before the first of them.
#include <algorithm>

#include "driver/file_job.h"
#include "driver/product_rules.h"
#include "driver/run_driver.h"
#include "driver/run_messages.h"
#include "output/spout.h"
#include "output/swath/coregistration_bands.h"
#include "reader/spinfo.h"
#include "settings/spconverter.h"

namespace vardane {

namespace {

// A variable is converted when it is ticked and the file holds it: a Gobi
// file without a header holds one parameter, not the three of the set.
void append_if_selected(const optSet_t& option, const std::string& key, std::uint32_t offered,
                        std::vector<spcvt_listitem>& list)
{
    if (option.flag && option.index >= 0 && static_cast<std::uint32_t>(option.index) < offered)
        list.push_back(spcvt_listitem{option.index, key, option.name});
}

} // namespace

void run_driver::build_selection(file_job& job)
{
    job.kind = info_.getType();
    job.area = info_.getJasmesArea();
    job.para = info_.getPara();
    job.geoName = info_.getGeophsyicalName();
    job.selection.clear();
    job.setting = ST_NONE;

    if (is_jasmes_kind(job.kind)) {
        select_jasmes(job);
        return;
    }
    const product_rule* rule = find_product_rule(job.kind);
    if (!rule) return;

    log(product_line(*rule, job.geoName, info_.productName()));
    job.setting = rule->setting;
    switch (rule->mode) {
    case selection_mode::all: converter_.selList(rule->setting, job.selection); break;
    case selection_mode::below_count:
        converter_.selList(rule->setting, job.selection, static_cast<int>(info_.N_count()));
        break;
    case selection_mode::l2low_names:
    case selection_mode::l3gd_names: {
        const std::uint32_t variables = variable_count(*rule, info_.N_count());
        for (const auto& key : geophysical_candidates(job.geoName, variables)) {
            optSet_t option;
            const bool found = rule->mode == selection_mode::l2low_names
                                   ? converter_.get_OptSet_AMSR_L2Low(rule->amsr, key, option)
                                   : converter_.get_OptSet_AMSR_L3GD(rule->amsr, key, option);
            if (found) append_if_selected(option, key, variables, job.selection);
        }
        break;
    }
    }
    read_geolocation(*rule);
}

void run_driver::select_jasmes(file_job& job)
{
    const jasmes_rule& rule = find_jasmes_rule(job.area);
    log(rule.line);
    job.setting = rule.setting;
    if (!rule.lookup) return;
    for (const auto& key : jasmes_candidates(rule, job.para, info_.getJasmesHdf4Type())) {
        optSet_t option;
        if ((converter_.*rule.lookup)(key, option)) append_if_selected(option, key, info_.N_count(), job.selection);
    }
}

void run_driver::read_geolocation(const product_rule& rule)
{
    const bool wanted = rule.when == geolocation_when::geotiff_or_kmz
                            ? (request_.switches.geotiff || request_.switches.kmz)
                        : rule.when == geolocation_when::geotiff_only ? request_.switches.geotiff
                                                                      : false;
    if (!wanted) return;
    // The swath writers check what they received; the reads' results are
    // not needed here.
    for (const auto& read : rule.reads) read_lonlat(read.label, read.index_in(info_.N_count()));
    if (rule.coregistration) {
        for (const char* name : {kCoRegistrationA1, kCoRegistrationA2}) {
            if (std::ranges::find(info_.unreadable_attributes(), name) != info_.unreadable_attributes().end()) {
                log(run_msg::coregistration_unreadable_line(name));
            }
        }
        out_.parse_cor_a1(info_.attribute_text(kCoRegistrationA1));
        out_.parse_cor_a2(info_.attribute_text(kCoRegistrationA2));
    }
}

} // namespace vardane
