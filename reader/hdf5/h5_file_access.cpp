#include "reader/hdf5/h5_file_access.h"

namespace vardane {

void h5_silence_errors() { H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr); }

h5_file h5_open_readonly(const std::string& path)
{
    h5_silence_errors();
    return h5_file(H5Fopen(path.c_str(), H5F_ACC_RDONLY, H5P_DEFAULT));
}

std::string h5_error_text()
{
    std::string text;
    const auto innermost = [](unsigned, const H5E_error2_t* e, void* out) -> herr_t {
        auto& t = *static_cast<std::string*>(out);
        if (t.empty() && e->desc != nullptr) t = e->desc;
        return 0;
    };
    H5Ewalk2(H5E_DEFAULT, H5E_WALK_UPWARD, innermost, &text);
    return text;
}

bool h5_path_exists(hid_t loc, const std::string& path)
{
    const bool absolute = !path.empty() && path.front() == '/';
    std::string prefix;
    std::size_t pos = 0;
    while (pos < path.size()) {
        std::size_t end = path.find('/', pos);
        if (end == std::string::npos) end = path.size();
        if (end > pos) {
            const std::string part = path.substr(pos, end - pos);
            prefix = prefix.empty() ? (absolute ? "/" : "") + part : prefix + "/" + part;
            if (H5Lexists(loc, prefix.c_str(), H5P_DEFAULT) <= 0) return false;
        }
        pos = end + 1;
    }
    // The last link may dangle (soft or external link): the object must resolve.
    return !prefix.empty() && H5Oexists_by_name(loc, prefix.c_str(), H5P_DEFAULT) > 0;
}

hid_t h5_native_type(h5_sample sample)
{
    switch (sample) {
    case h5_sample::int16: return H5T_NATIVE_SHORT;
    case h5_sample::uint16: return H5T_NATIVE_USHORT;
    case h5_sample::uint8: return H5T_NATIVE_UCHAR;
    case h5_sample::float32: return H5T_NATIVE_FLOAT;
    }
    return H5T_NATIVE_FLOAT;
}

bool h5_type_is(hid_t type, h5_sample sample) { return type >= 0 && H5Tequal(type, h5_native_type(sample)) > 0; }

} // namespace vardane
