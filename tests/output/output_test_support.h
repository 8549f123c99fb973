#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <gdal_priv.h>
#include <gtest/gtest.h>

#include "reader/product_types.h"
#include "support/scratch_folder.h"

namespace vardane {

namespace output_test {

// A private folder per test, removed with everything in it at the end;
// writers get full paths inside it.
using temp_dir = test_support::scratch_folder;

// A variable description whose four corners span the given box.
inline productInfo_t grid_info(double north, double west, double south, double east, double scale = 1.0)
{
    productInfo_t info;
    info.product = "test product";
    info.area = "test area";
    info.corner[corner::UL] = {north, west};
    info.corner[corner::UR] = {north, east};
    info.corner[corner::LL] = {south, west};
    info.corner[corner::LR] = {south, east};
    info.scale = scale;
    return info;
}

inline dataAttr_t attr_of(std::int32_t width, std::int32_t height, std::int32_t bands = 1)
{
    dataAttr_t a;
    a.width = width;
    a.height = height;
    a.bands = bands;
    return a;
}

inline GDALDatasetUniquePtr open_readonly(const std::string& path)
{
    GDALAllRegister();
    return GDALDatasetUniquePtr(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
}

// The whole of band k, converted by GDAL to T.
template <typename T>
std::vector<T> read_band(GDALDataset& ds, int k, GDALDataType asType)
{
    const int w = ds.GetRasterXSize();
    const int h = ds.GetRasterYSize();
    std::vector<T> values(std::size_t(w) * std::size_t(h));
    EXPECT_EQ(ds.GetRasterBand(k)->RasterIO(GF_Read, 0, 0, w, h, values.data(), w, h, asType, 0, 0, nullptr), CE_None);
    return values;
}

// EPSG code of the file's spatial reference, 0 when it has none.
inline int epsg_of(GDALDataset& ds)
{
    const OGRSpatialReference* srs = ds.GetSpatialRef();
    if (srs == nullptr) return 0;
    OGRSpatialReference copy(*srs);
    copy.AutoIdentifyEPSG();
    const char* code = copy.GetAuthorityCode(nullptr);
    return code ? std::atoi(code) : 0;
}

inline std::vector<double> geotransform_of(GDALDataset& ds)
{
    std::vector<double> gt(6, 0.0);
    EXPECT_EQ(ds.GetGeoTransform(gt.data()), CE_None);
    return gt;
}

} // namespace output_test

} // namespace vardane
