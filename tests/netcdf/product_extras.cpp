#include "netcdf/product_extras.h"

#include <algorithm>
#include <numeric>

#include "tools/synth/hdf5/h5_writer.h"

namespace vardane {

namespace nc_test {

swath_size swath_size_of(const std::string& path)
{
    H5::H5File file(path, H5F_ACC_RDONLY);
    hsize_t d[2] = {0, 0};
    file.openDataSet("Latitude of Observation Point for 89A").getSpace().getSimpleExtentDims(d);
    return {d[0], d[1]};
}

void add_dataset(const std::string& path, const std::string& name, const H5::PredType& type,
                 const std::vector<hsize_t>& dims, double first)
{
    std::vector<double> data(std::accumulate(dims.begin(), dims.end(), std::size_t{1}, std::multiplies<>()));
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<double>(i % 100);
    data[0] = first;
    H5::H5File file(path, H5F_ACC_RDWR);
    file.createDataSet(name, type, H5::DataSpace(static_cast<int>(dims.size()), dims.data()))
        .write(data.data(), H5::PredType::NATIVE_DOUBLE);
}

void set_u16_head(const std::string& path, const std::string& dataset, const std::vector<std::uint16_t>& head)
{
    H5::H5File file(path, H5F_ACC_RDWR);
    H5::DataSet ds = file.openDataSet(dataset);
    std::vector<std::uint16_t> all(static_cast<std::size_t>(ds.getSpace().getSimpleExtentNpoints()));
    ds.read(all.data(), H5::PredType::NATIVE_UINT16);
    std::copy(head.begin(), head.end(), all.begin());
    ds.write(all.data(), H5::PredType::NATIVE_UINT16);
}

void add_unit(const std::string& path, const std::string& dataset, const std::string& unit)
{
    synth_h5::write_attr_string(H5::H5File(path, H5F_ACC_RDWR).openDataSet(dataset), "UNIT", unit,
                                synth_h5::string_layout::vlen_1d);
}

void add_int_attribute(const std::string& path, const std::string& dataset, const std::string& name)
{
    const int value = 7;
    H5::H5File(path, H5F_ACC_RDWR)
        .openDataSet(dataset)
        .createAttribute(name, H5::PredType::NATIVE_INT, H5::DataSpace())
        .write(H5::PredType::NATIVE_INT, &value);
}

void add_l1b_extras(const std::string& path)
{
    const swath_size s = swath_size_of(path);
    const std::string quality = "Pixel Data Quality 6 to 36";
    add_dataset(path, quality, H5::PredType::NATIVE_UINT8, {s.scans, s.samples89}, 200);
    add_unit(path, quality, "1");
    synth_h5::write_attr_float(H5::H5File(path, H5F_ACC_RDWR).openDataSet(quality), "SCALE FACTOR", 1.0f);
    add_dataset(path, "SPS Temperature Count", H5::PredType::NATIVE_UINT16, {s.scans, 20}, 40000);
    add_dataset(path, "Scan Time", H5::PredType::NATIVE_DOUBLE, {s.scans}, 6.0e8);
    add_unit(path, "Scan Time", "sec");
    add_dataset(path, "Land_Ocean Flag 6 to 36", H5::PredType::NATIVE_UINT8, {6, s.scans, s.samples89 / 2}, 100);
    add_unit(path, "Brightness Temperature (6.9GHz,H)", "K");
    add_unit(path, "Latitude of Observation Point for 89A", "deg");
    add_unit(path, "Longitude of Observation Point for 89A", "deg");
}

} // namespace nc_test

} // namespace vardane
