#include "h5dump_listing.h"

#include <charconv>
#include <regex>
#include <stdexcept>

namespace vardane {

namespace synth_test {

namespace {

enum class block { file, group, dataset, attribute, datatype, data };

struct frame {
    block kind;
    std::size_t object = 0; // index of the group or dataset the block belongs to
    bool in_attribute = false;
};

std::string trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

// "( 2040, 243 )" -> {2040, 243}
std::vector<hsize_t> extents(const std::string& list)
{
    std::vector<hsize_t> out;
    const char* p = list.data();
    const char* end = p + list.size();
    while (p < end) {
        while (p < end && (*p < '0' || *p > '9')) ++p;
        if (p == end) break;
        hsize_t v = 0;
        p = std::from_chars(p, end, v).ptr;
        out.push_back(v);
    }
    return out;
}

std::string child_path(const std::string& parent, const std::string& name)
{
    if (name == "/") return "/";
    return parent == "/" ? "/" + name : parent + "/" + name;
}

} // namespace

std::vector<listed_object> parse_h5dump_listing(std::istream& in)
{
    static const std::regex opening(R"re(^(HDF5|GROUP|DATASET|ATTRIBUTE) "(.*)" \{$)re");
    static const std::regex datatype(R"re(^DATATYPE\s+(\S+)( \{)?$)re");
    static const std::regex simple(R"re(^DATASPACE\s+SIMPLE \{ (\([^)]*\)) / .*\}$)re");

    std::vector<listed_object> objects;
    std::vector<frame> stack;
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& why) {
        throw std::runtime_error("listing line " + std::to_string(number) + ": " + why + ": " + line);
    };
    // The attribute a line inside an attribute block describes.
    auto attribute = [&]() -> listed_attribute& { return objects.at(stack.back().object).attributes.back(); };
    auto owner = [&]() -> const frame& {
        if (stack.empty()) fail("outside every block");
        return stack.back();
    };
    while (std::getline(in, line)) {
        ++number;
        const std::string t = trim(line);
        if (!stack.empty() && stack.back().kind == block::data) {
            if (t == "}") stack.pop_back();
            continue;
        }
        std::smatch m;
        if (t.empty()) continue;
        if (t == "}") {
            if (stack.empty()) fail("unbalanced");
            stack.pop_back();
        } else if (t == "DATA {") {
            stack.push_back({block::data, owner().object, owner().in_attribute});
        } else if (std::regex_match(t, m, opening)) {
            const std::string kind = m[1];
            const std::string name = m[2];
            if (kind == "HDF5") {
                stack.push_back({block::file});
            } else if (kind == "ATTRIBUTE") {
                if (owner().in_attribute || owner().kind == block::file) fail("attribute outside an object");
                listed_attribute a;
                a.name = name;
                objects.at(owner().object).attributes.push_back(a);
                stack.push_back({block::attribute, owner().object, true});
            } else {
                const std::string parent = stack.back().kind == block::file ? "" : objects.at(owner().object).path;
                listed_object o;
                o.path = child_path(parent, name);
                o.dataset = kind == "DATASET";
                objects.push_back(o);
                stack.push_back({kind == "DATASET" ? block::dataset : block::group, objects.size() - 1});
            }
        } else if (std::regex_match(t, m, datatype)) {
            const frame f = owner();
            if (f.in_attribute) {
                attribute().type = m[1];
            } else if (f.kind == block::dataset) {
                objects.at(f.object).type = m[1];
            } else {
                fail("datatype outside a dataset or attribute");
            }
            if (m[2].matched) stack.push_back({block::datatype, f.object, f.in_attribute});
        } else if (t == "STRSIZE H5T_VARIABLE;") {
            if (!owner().in_attribute) fail("string size outside an attribute");
            attribute().variable_string = true;
        } else if (t == "DATASPACE  SCALAR") {
            if (!owner().in_attribute) fail("scalar outside an attribute");
            attribute().scalar = true;
        } else if (std::regex_match(t, m, simple)) {
            const frame f = owner();
            if (f.in_attribute) {
                attribute().dims = extents(m[1]);
            } else if (f.kind == block::dataset) {
                objects.at(f.object).dims = extents(m[1]);
            } else {
                fail("data space outside a dataset or attribute");
            }
        } else if (!stack.empty() && stack.back().kind == block::datatype) {
            continue; // STRSIZE n, STRPAD, CSET, CTYPE
        } else {
            fail("not understood");
        }
    }
    if (!stack.empty()) throw std::runtime_error("listing ends inside a block");
    return objects;
}

} // namespace synth_test

} // namespace vardane
