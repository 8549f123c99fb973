#include "h5_writer.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <stdexcept>
#include <string>

namespace vardane {

namespace synth_h5 {

namespace {

// Owns an identifier of the HDF5 function interface and closes it with the
// matching close function on every path.
class owned_id {
public:
    owned_id(hid_t id, herr_t (*close)(hid_t)) : id_(id), close_(close)
    {
        if (id_ < 0) throw std::runtime_error("HDF5 call failed");
    }
    ~owned_id() { close_(id_); }
    owned_id(const owned_id&) = delete;
    owned_id& operator=(const owned_id&) = delete;
    hid_t get() const { return id_; }

private:
    hid_t id_;
    herr_t (*close_)(hid_t);
};

// Objects are written without modification times, so that the same seed gives
// the same bytes.
void no_times(hid_t plist)
{
    if (H5Pset_obj_track_times(plist, false) < 0) throw std::runtime_error("HDF5 call failed");
}

// Creates the groups on the way to `path` that do not exist yet.
void ensure_parents(const H5::Group& where, const std::string& path)
{
    owned_id gcpl(H5Pcreate(H5P_GROUP_CREATE), H5Pclose);
    no_times(gcpl.get());
    for (auto slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string parent = path.substr(0, slash);
        if (where.nameExists(parent)) continue;
        owned_id g(H5Gcreate2(where.getId(), parent.c_str(), H5P_DEFAULT, gcpl.get(), H5P_DEFAULT), H5Gclose);
    }
}

// Chunks of at most kChunkEdge samples along each axis: small enough that a
// band or a plane is read without decompressing the whole dataset.
constexpr hsize_t kChunkEdge = 256;
constexpr int kDeflateLevel = 4;

void chunk_and_deflate(H5::DSetCreatPropList& dcpl, const std::vector<hsize_t>& dims)
{
    std::vector<hsize_t> chunk(dims.size());
    std::transform(dims.begin(), dims.end(), chunk.begin(), [](hsize_t d) { return std::min(d, kChunkEdge); });
    dcpl.setChunk(static_cast<int>(chunk.size()), chunk.data());
    dcpl.setDeflate(kDeflateLevel);
}

} // namespace

void ensure_group(const H5::Group& where, const std::string& path) { ensure_parents(where, path + "/"); }

H5::H5File create_file(const std::string& path)
{
    H5::Exception::dontPrint();
    return H5::H5File(path, H5F_ACC_TRUNC);
}

H5::DataSet write_raw(const H5::Group& where, const std::string& path, const H5::PredType& type,
                      const std::vector<hsize_t>& dims, const void* data, std::size_t count, const storage& form)
{
    const auto expected = std::accumulate(dims.begin(), dims.end(), hsize_t{1}, std::multiplies<>());
    if (dims.empty() || expected != count) throw std::logic_error("dataset size mismatch: " + path);
    H5::DataSpace space(static_cast<int>(dims.size()), dims.data());
    ensure_parents(where, path);
    H5::DSetCreatPropList dcpl;
    no_times(dcpl.getId());
    if (form.deflate) chunk_and_deflate(dcpl, dims);
    H5::DataSet ds = where.createDataSet(path, type, space, dcpl);
    ds.write(data, type);
    return ds;
}

void write_attr_raw(const H5::H5Object& obj, const std::string& name, const H5::PredType& type, const void* value,
                    const storage& form)
{
    const hsize_t one = 1;
    const H5::DataSpace space = form.numbers_as_arrays ? H5::DataSpace(1, &one) : H5::DataSpace(H5S_SCALAR);
    H5::Attribute a = obj.createAttribute(name, type, space);
    a.write(type, value);
}

void write_attr_string(const H5::H5Object& obj, const std::string& name, const std::string& value, string_layout layout)
{
    const bool utf8 = layout == string_layout::vlen_scalar_utf8 || layout == string_layout::fixed_1d_utf8;
    const hsize_t one = 1;
    if (layout == string_layout::vlen_1d || layout == string_layout::vlen_scalar_utf8) {
        H5::StrType type(H5::PredType::C_S1, H5T_VARIABLE);
        if (utf8) type.setCset(H5T_CSET_UTF8);
        const H5::DataSpace space = utf8 ? H5::DataSpace(H5S_SCALAR) : H5::DataSpace(1, &one);
        H5::Attribute a = obj.createAttribute(name, type, space);
        const char* text = value.c_str();
        a.write(type, &text);
        return;
    }
    H5::StrType type(H5::PredType::C_S1, value.size() + 1);
    if (utf8) type.setCset(H5T_CSET_UTF8);
    const H5::DataSpace space =
        layout == string_layout::fixed_scalar ? H5::DataSpace(H5S_SCALAR) : H5::DataSpace(1, &one);
    H5::Attribute a = obj.createAttribute(name, type, space);
    a.write(type, value.c_str());
}

void write_attr_fixed_1d(const H5::H5Object& obj, const std::string& name, const std::string& value)
{
    write_attr_string(obj, name, value, string_layout::fixed_1d);
}

} // namespace synth_h5

} // namespace vardane
