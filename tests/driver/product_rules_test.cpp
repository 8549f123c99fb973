// How option keys are made from what a file says.
#include <gtest/gtest.h>

#include "driver/product_rules.h"

namespace vardane {

TEST(ProductRules, SecondLayerCandidatesOnlyWithTwoLayers)
{
    EXPECT_EQ(geophysical_candidates("SND", 2), (std::vector<std::string>{"SND", "SWE"}));
    EXPECT_EQ(geophysical_candidates("SST", 2), (std::vector<std::string>{"SST", "SST10GHz"}));
    EXPECT_EQ(geophysical_candidates("SST", 1), (std::vector<std::string>{"SST"}));
    EXPECT_EQ(geophysical_candidates("TPW", 2), (std::vector<std::string>{"TPW"}));
}

TEST(ProductRules, JasmesKeys)
{
    const auto& global = find_jasmes_rule(JA_GLOBAL);
    EXPECT_EQ(jasmes_candidates(global, "cs_flg_tpf", "QA_flag"), (std::vector<std::string>{"QA_flag(cs_flg_tpf)"}));
    EXPECT_EQ(jasmes_candidates(global, "Surface_Flag", ""), (std::vector<std::string>{"Surface_Flag"}));
    EXPECT_EQ(jasmes_candidates(global, "chla", "QA_flag"), (std::vector<std::string>{"chla"}));

    const auto& japan = find_jasmes_rule(JA_JAPAN);
    EXPECT_EQ(jasmes_candidates(japan, " lst ", ""), (std::vector<std::string>{"lst_"}));
    EXPECT_EQ(jasmes_candidates(japan, "ndvi", ""), (std::vector<std::string>{"ndvi"}));
    EXPECT_EQ(jasmes_candidates(find_jasmes_rule(JA_GOBI), "whatever", ""),
              (std::vector<std::string>{"rcr", "taua", "aot"}));

    const auto& unknown = find_jasmes_rule(JA_NONE);
    EXPECT_STREQ(unknown.line, "It is Unknown JASMES Product... skipped.");
    EXPECT_EQ(unknown.setting, ST_NONE);
    EXPECT_TRUE(jasmes_candidates(unknown, "chla", "").empty());
}

} // namespace vardane
