#include "reader/hdf5/hdf5_corner_points.h"

#include <array>

#include "reader/hdf5/h5_attribute_values.h"
#include "reader/hdf5/h5_dataset_shape.h"
#include "reader/hdf5/h5_file_access.h"
#include "reader/hdf5/h5_handles.h"

namespace vardane {

namespace {

struct geolocation_pair {
    const char* latitude;
    const char* longitude;
};

constexpr geolocation_pair kPair89A{"Latitude of Observation Point for 89A", "Longitude of Observation Point for 89A"};
constexpr geolocation_pair kPair89B{"Latitude of Observation Point for 89B", "Longitude of Observation Point for 89B"};
constexpr geolocation_pair kPairLow{"Latitude of Observation Point", "Longitude of Observation Point"};

// The four corner samples of one geolocation dataset, scaled, in corner order.
bool read_corner_values(hid_t file, const char* name, std::array<double, 4>& values)
{
    if (!h5_path_exists(file, name)) return false;
    const h5_dataset ds(H5Dopen2(file, name, H5P_DEFAULT));
    if (!ds) return false;
    const float scale = h5_float_attribute(ds.get(), "SCALE FACTOR").value_or(1.0f);
    const h5_type type(H5Dget_type(ds.get()));
    if (!h5_type_is(type.get(), h5_sample::float32)) return false;
    const auto e = h5_dataset_extents(ds.get());
    if (!e || e->rank != 2 || e->d[0] < 1 || e->d[1] < 1) return false;

    // Only the four corner samples are needed: select them instead of
    // loading the whole swath.
    const hsize_t last0 = e->d[0] - 1;
    const hsize_t last1 = e->d[1] - 1;
    const hsize_t points[4][2] = {{0, 0}, {0, last1}, {last0, 0}, {last0, last1}};
    const h5_space fileSpace(H5Dget_space(ds.get()));
    const hsize_t count = 4;
    const h5_space memSpace(H5Screate_simple(1, &count, nullptr));
    if (!fileSpace || !memSpace || H5Sselect_elements(fileSpace.get(), H5S_SELECT_SET, 4, &points[0][0]) < 0) {
        return false;
    }
    float raw[4] = {};
    if (H5Dread(ds.get(), H5T_NATIVE_FLOAT, memSpace.get(), fileSpace.get(), H5P_DEFAULT, raw) < 0) return false;
    for (int i = 0; i < 4; ++i) values[static_cast<std::size_t>(i)] = raw[i] * scale;
    return true;
}

bool read_pair(hid_t file, const geolocation_pair& pair, earthPoint_t out[4])
{
    std::array<double, 4> lat{};
    std::array<double, 4> lon{};
    if (!read_corner_values(file, pair.latitude, lat) || !read_corner_values(file, pair.longitude, lon)) return false;
    for (std::size_t i = 0; i < 4; ++i) out[i] = earthPoint_t{lat[i], lon[i]};
    return true;
}

} // namespace

bool read_swath_corners(hid_t file, h5_corner_source source, earthPoint_t corners[4], earthPoint_t cornersB[4])
{
    earthPoint_t a[4];
    earthPoint_t b[4];
    bool ok = false;
    switch (source) {
    case h5_corner_source::geolocation_ab: ok = read_pair(file, kPair89A, a) && read_pair(file, kPair89B, b); break;
    case h5_corner_source::geolocation_a: ok = read_pair(file, kPair89A, a); break;
    case h5_corner_source::geolocation: ok = read_pair(file, kPairLow, a); break;
    case h5_corner_source::fixed: break;
    }
    if (!ok) return false;
    for (int i = 0; i < 4; ++i) corners[i] = a[i];
    if (source == h5_corner_source::geolocation_ab) {
        for (int i = 0; i < 4; ++i) cornersB[i] = b[i];
    }
    return true;
}

} // namespace vardane
