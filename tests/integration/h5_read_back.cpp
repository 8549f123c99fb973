#include "integration/h5_read_back.h"

#include <H5Cpp.h>

namespace vardane {

namespace integration {

namespace {

// Layer `layer` of a dataset of rank 2 (one layer) or rank 3 (rows x
// columns x layers); an empty grid when it has another rank or no such layer.
h5_grid read_layer(const std::string& file, const std::string& dataset, int rank, std::size_t layer)
{
    h5_grid grid;
    try {
        H5::Exception::dontPrint();
        const H5::H5File f(file, H5F_ACC_RDONLY);
        const H5::DataSet ds = f.openDataSet(dataset);
        const H5::DataSpace space = ds.getSpace();
        if (space.getSimpleExtentNdims() != rank) return grid;
        hsize_t dims[3] = {0, 0, 1};
        space.getSimpleExtentDims(dims);
        const auto layers = std::size_t(dims[2]);
        if (layer >= layers) return grid;
        std::vector<double> all(std::size_t(dims[0] * dims[1]) * layers);
        ds.read(all.data(), H5::PredType::NATIVE_DOUBLE);
        grid.rows = std::size_t(dims[0]);
        grid.columns = std::size_t(dims[1]);
        grid.values.reserve(grid.rows * grid.columns);
        for (std::size_t i = layer; i < all.size(); i += layers) grid.values.push_back(all[i]);
        if (ds.attrExists("SCALE FACTOR"))
            ds.openAttribute("SCALE FACTOR").read(H5::PredType::NATIVE_DOUBLE, &grid.scale);
    } catch (const H5::Exception&) {
        return {};
    }
    return grid;
}

} // namespace

h5_grid read_h5_grid(const std::string& file, const std::string& dataset) { return read_layer(file, dataset, 2, 0); }

h5_grid read_h5_layer(const std::string& file, const std::string& dataset, std::size_t layer)
{
    return read_layer(file, dataset, 3, layer);
}

} // namespace integration

} // namespace vardane
