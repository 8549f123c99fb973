#include "reader/hdf5/h5_fixture.h"

#include <algorithm>

namespace vardane {

namespace fs = std::filesystem;

namespace h5fx {

namespace {

H5::LinkCreatPropList intermediate_groups()
{
    H5::LinkCreatPropList lcpl;
    lcpl.setCreateIntermediateGroup(true);
    return lcpl;
}

H5::StrType vlen_text() { return H5::StrType(H5::PredType::C_S1, H5T_VARIABLE); }

} // namespace

file::file(const fs::path& path) : file_(path.string(), H5F_ACC_TRUNC) {}

void file::text_vlen_1d(const std::string& name, const std::string& value)
{
    const hsize_t one = 1;
    const H5::DataSpace space(1, &one);
    const H5::StrType type = vlen_text();
    H5::Attribute attr = file_.createAttribute(name, type, space);
    const char* p = value.c_str();
    attr.write(type, &p);
}

void file::text_fixed_scalar(const std::string& name, const std::string& value)
{
    const H5::StrType type(H5::PredType::C_S1, value.size() + 1);
    H5::Attribute attr = file_.createAttribute(name, type, H5::DataSpace(H5S_SCALAR));
    attr.write(type, value.c_str());
}

void file::sgli_product_file_name(const std::string& value)
{
    H5::Group group = file_.createGroup("Global_attributes");
    const hsize_t one = 1;
    const H5::StrType type(H5::PredType::C_S1, value.size() + 1);
    H5::Attribute attr = group.createAttribute("Product_file_name", type, H5::DataSpace(1, &one));
    attr.write(type, value.c_str());
}

H5::DataSet file::write(const std::string& path, const H5::DataType& type, const std::vector<hsize_t>& dims,
                        const void* data, bool chunked)
{
    const H5::DataSpace space(static_cast<int>(dims.size()), dims.data());
    H5::DSetCreatPropList dcpl;
    if (chunked) {
        std::vector<hsize_t> chunk(dims);
        for (auto& c : chunk) c = std::min<hsize_t>(c, 512);
        dcpl.setChunk(static_cast<int>(chunk.size()), chunk.data());
        dcpl.setDeflate(1);
    }
    H5::DataSet ds = file_.createDataSet(path, type, space, dcpl, H5::DSetAccPropList::DEFAULT, intermediate_groups());
    ds.write(data, type);
    return ds;
}

H5::DataSet file::empty_dataset(const std::string& path, const H5::DataType& type, const std::vector<hsize_t>& dims,
                                bool chunked)
{
    const H5::DataSpace space(static_cast<int>(dims.size()), dims.data());
    H5::DSetCreatPropList dcpl;
    if (chunked) {
        std::vector<hsize_t> chunk(dims.size(), 1);
        dcpl.setChunk(static_cast<int>(dims.size()), chunk.data());
    }
    return file_.createDataSet(path, type, space, dcpl, H5::DSetAccPropList::DEFAULT, intermediate_groups());
}

void file::attribute_raw(const std::string& object, const std::string& name, const H5::DataType& type,
                         const void* value)
{
    H5::DataSet ds = file_.openDataSet(object);
    H5::Attribute attr = ds.createAttribute(name, type, H5::DataSpace(H5S_SCALAR));
    attr.write(type, value);
}

void file::text_attribute(const std::string& object, const std::string& name, const std::string& value)
{
    H5::DataSet ds = file_.openDataSet(object);
    const H5::StrType type(H5::PredType::C_S1, value.size() + 1);
    H5::Attribute attr = ds.createAttribute(name, type, H5::DataSpace(H5S_SCALAR));
    attr.write(type, value.c_str());
}

std::uintmax_t size_of(const fs::path& p) { return fs::file_size(p); }

} // namespace h5fx

} // namespace vardane
