#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vardane {

// The set of values a user marked as invalid for one variable, written as
// comma-separated pieces: "x" equal to x, "x_" at least x, "_y" at most y,
// "x_y" between x and y inclusive. Pieces that are empty, malformed or whose
// numbers do not parse are skipped; the others keep their order.
class invalid_value {
public:
    enum rule_kind : std::int32_t { EQUAL = 0, AT_LEAST = 1, AT_MOST = 2, BETWEEN = 3 };

    struct rule {
        float low = 0.0f;
        float high = 0.0f;
        rule_kind kind = EQUAL;
    };

    invalid_value() = default;
    explicit invalid_value(const std::string& text);

    // True when any rule matches v. NaN matches nothing.
    bool is_invalid(float v) const;

    const std::vector<rule>& rules() const { return rules_; }

private:
    std::vector<rule> rules_;
};

} // namespace vardane
