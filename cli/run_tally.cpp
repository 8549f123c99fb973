#include "cli/run_tally.h"

#include "app/driver/run_messages.h"

namespace {

bool starts_with(const std::string& s, const std::string& head) { return s.rfind(head, 0) == 0; }

bool ends_with(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// A line belongs to a class when it starts with head and ends with tail.
// Notes such as "NetCDF unsupported." or a projection that does not fit are
// not failures: the product was handled as the settings say.
struct line_rule {
    const char* head;
    const char* tail;
    line_class cls;
};

const line_rule kLineRules[] = {
    {run_msg::kNotProductHead, run_msg::kNotProductTail, line_class::not_product},
    {"'", run_msg::kProcessingTail, line_class::product},
    {"", run_msg::kCreatedTail, line_class::output},
    {"Fail in ", "", line_class::failure},
    {run_msg::kFileIoAbort, "", line_class::failure},
    {run_msg::kNotSelected, "", line_class::failure},
    {run_msg::kCancel, "", line_class::cancel},
};

} // namespace

line_class classify_line(const std::string& line)
{
    for (const auto& rule : kLineRules) {
        if (starts_with(line, rule.head) && ends_with(line, rule.tail)) return rule.cls;
    }
    return line_class::ordinary;
}

line_class run_tally::add(const std::string& line)
{
    const line_class cls = classify_line(line);
    switch (cls) {
    case line_class::product: ++products; break;
    case line_class::not_product: ++notProducts; break;
    case line_class::output: ++outputs; break;
    case line_class::failure: ++failures; break;
    case line_class::cancel: cancelled = true; break;
    case line_class::ordinary: break;
    }
    return cls;
}

void run_tally::merge(const run_tally& other)
{
    files += other.files;
    products += other.products;
    notProducts += other.notProducts;
    outputs += other.outputs;
    failures += other.failures;
    cancelled = cancelled || other.cancelled;
    completed = completed && other.completed;
}

int run_tally::exit_status() const
{
    return failures == 0 && products > 0 && completed && !cancelled ? 0 : 1;
}

std::string run_tally::summary() const
{
    std::string s = "Summary: files " + std::to_string(files) + ", outputs written " + std::to_string(outputs)
        + ", failures " + std::to_string(failures) + ", not products " + std::to_string(notProducts);
    if (cancelled) s += ", cancelled";
    if (!completed) s += ", run ended early";
    return s + ".";
}
