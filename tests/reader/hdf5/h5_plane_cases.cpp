#include "reader/hdf5/h5_plane_cases.h"

namespace vardane::h5fx {

std::vector<float> delivered_samples(const h5_plane_source& source, h5_plane plane)
{
    bulk_vector<float> in;
    if (!h5_read_plane(source, plane, in)) return {};
    std::vector<float> out(plane.rows * plane.cols);
    copy_plane(in.data(), plane, out.data(), 1, [](float v) { return v; });
    return out;
}

} // namespace vardane::h5fx
