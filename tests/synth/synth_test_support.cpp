#include "synth_test_support.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>

namespace vardane {

namespace synth_test {

synth_options options(std::vector<std::pair<std::string, std::string>> variants, std::uint32_t seed)
{
    synth_options o;
    o.variants = std::move(variants);
    o.seed = seed;
    return o;
}

bool write_kind(const std::string& kind, const std::string& path, const synth_options& o)
{
    for (const auto& k : all_synth_kinds()) {
        if (k.name == kind) return k.write(path, o);
    }
    ADD_FAILURE() << "unknown kind " << kind;
    return false;
}

std::string read_string_attr(const H5::H5Object& obj, const std::string& name)
{
    H5::Attribute a = obj.openAttribute(name);
    H5::StrType type = a.getStrType();
    if (type.isVariableStr()) {
        char* text = nullptr;
        a.read(type, &text);
        std::string out = text ? text : "";
        H5::DataSet::vlenReclaim(&text, type, a.getSpace());
        return out;
    }
    std::string buffer(type.getSize(), '\0');
    a.read(type, buffer.data());
    return std::string(buffer.c_str());
}

std::vector<hsize_t> dims_of(const H5::DataSet& ds)
{
    H5::DataSpace space = ds.getSpace();
    std::vector<hsize_t> d(static_cast<std::size_t>(space.getSimpleExtentNdims()));
    space.getSimpleExtentDims(d.data());
    return d;
}

} // namespace synth_test

} // namespace vardane
