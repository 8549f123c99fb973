#include "reader/reader_registry.h"

#include "reader/gsmap/gsmap_bin_reader.h"
#include "reader/hdf5/hdf5_reader.h"
#include "reader/jasmes/jasmes_bin_reader.h"
#include "reader/jasmes/jasmes_hdf4_reader.h"

namespace vardane {

namespace {

template <class Reader>
std::unique_ptr<product_reader> make_reader()
{
    return std::make_unique<Reader>();
}

constexpr reader_family kFamilies[] = {
    {"HDF5", &make_reader<hdf5_reader>},
    {"JASMES HDF4", &make_reader<jasmes_hdf4_reader>},
    {"GSMaP binary", &make_reader<gsmap_bin_reader>},
    {"JASMES binary", &make_reader<jasmes_bin_reader>},
};

} // namespace

std::span<const reader_family> reader_families() { return kFamilies; }

} // namespace vardane
