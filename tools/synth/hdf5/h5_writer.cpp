#include "h5_writer.h"

#include <functional>
#include <numeric>
#include <stdexcept>

namespace synth_h5 {

H5::H5File create_file(const std::string& path)
{
    H5::Exception::dontPrint();
    return H5::H5File(path, H5F_ACC_TRUNC);
}

H5::DataSet write_raw(const H5::Group& where, const std::string& path, const H5::PredType& type,
                      const std::vector<hsize_t>& dims, const void* data, std::size_t count)
{
    const auto expected = std::accumulate(dims.begin(), dims.end(), hsize_t{1}, std::multiplies<>());
    if (dims.empty() || expected != count) throw std::logic_error("dataset size mismatch: " + path);
    H5::DataSpace space(static_cast<int>(dims.size()), dims.data());
    H5::LinkCreatPropList lcpl;
    lcpl.setCreateIntermediateGroup(true);
    H5::DataSet ds = where.createDataSet(path, type, space, H5::DSetCreatPropList::DEFAULT,
                                         H5::DSetAccPropList::DEFAULT, lcpl);
    ds.write(data, type);
    return ds;
}

void write_attr_float(const H5::H5Object& obj, const std::string& name, float value)
{
    H5::Attribute a = obj.createAttribute(name, H5::PredType::NATIVE_FLOAT, H5::DataSpace(H5S_SCALAR));
    a.write(H5::PredType::NATIVE_FLOAT, &value);
}

void write_attr_u16(const H5::H5Object& obj, const std::string& name, std::uint16_t value)
{
    H5::Attribute a = obj.createAttribute(name, H5::PredType::NATIVE_UINT16, H5::DataSpace(H5S_SCALAR));
    a.write(H5::PredType::NATIVE_UINT16, &value);
}

void write_attr_string(const H5::H5Object& obj, const std::string& name, const std::string& value,
                       string_layout layout)
{
    if (layout == string_layout::vlen_1d) {
        H5::StrType type(H5::PredType::C_S1, H5T_VARIABLE);
        const hsize_t one = 1;
        H5::Attribute a = obj.createAttribute(name, type, H5::DataSpace(1, &one));
        const char* text = value.c_str();
        a.write(type, &text);
        return;
    }
    H5::StrType type(H5::PredType::C_S1, value.size() + 1);
    H5::Attribute a = obj.createAttribute(name, type, H5::DataSpace(H5S_SCALAR));
    a.write(type, value.c_str());
}

void write_attr_fixed_1d(const H5::H5Object& obj, const std::string& name, const std::string& value)
{
    H5::StrType type(H5::PredType::C_S1, value.size() + 1);
    const hsize_t one = 1;
    H5::Attribute a = obj.createAttribute(name, type, H5::DataSpace(1, &one));
    a.write(type, value.c_str());
}

} // namespace synth_h5
