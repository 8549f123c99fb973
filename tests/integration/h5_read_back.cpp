#include "integration/h5_read_back.h"

#include <H5Cpp.h>

namespace vardane {

namespace integration {

h5_grid read_h5_grid(const std::string& file, const std::string& dataset)
{
    h5_grid grid;
    try {
        H5::Exception::dontPrint();
        const H5::H5File f(file, H5F_ACC_RDONLY);
        const H5::DataSet ds = f.openDataSet(dataset);
        const H5::DataSpace space = ds.getSpace();
        if (space.getSimpleExtentNdims() != 2) return grid;
        hsize_t dims[2] = {0, 0};
        space.getSimpleExtentDims(dims);
        grid.values.resize(std::size_t(dims[0] * dims[1]));
        ds.read(grid.values.data(), H5::PredType::NATIVE_DOUBLE);
        grid.rows = std::size_t(dims[0]);
        grid.columns = std::size_t(dims[1]);
        if (ds.attrExists("SCALE FACTOR"))
            ds.openAttribute("SCALE FACTOR").read(H5::PredType::NATIVE_DOUBLE, &grid.scale);
    } catch (const H5::Exception&) {
        return {};
    }
    return grid;
}

h5_grid read_h5_layer(const std::string& file, const std::string& dataset, std::size_t layer)
{
    h5_grid grid;
    try {
        H5::Exception::dontPrint();
        const H5::H5File f(file, H5F_ACC_RDONLY);
        const H5::DataSet ds = f.openDataSet(dataset);
        const H5::DataSpace space = ds.getSpace();
        if (space.getSimpleExtentNdims() != 3) return grid;
        hsize_t dims[3] = {0, 0, 0};
        space.getSimpleExtentDims(dims);
        if (layer >= dims[2]) return grid;
        std::vector<double> all(std::size_t(dims[0] * dims[1] * dims[2]));
        ds.read(all.data(), H5::PredType::NATIVE_DOUBLE);
        grid.rows = std::size_t(dims[0]);
        grid.columns = std::size_t(dims[1]);
        grid.values.reserve(grid.rows * grid.columns);
        for (std::size_t i = layer; i < all.size(); i += std::size_t(dims[2])) grid.values.push_back(all[i]);
        if (ds.attrExists("SCALE FACTOR"))
            ds.openAttribute("SCALE FACTOR").read(H5::PredType::NATIVE_DOUBLE, &grid.scale);
    } catch (const H5::Exception&) {
        return {};
    }
    return grid;
}

} // namespace integration

} // namespace vardane
