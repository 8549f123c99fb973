#include "reader/spinfo.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <hdf.h>
#include <H5Cpp.h>

#include "reader/hdf5/h5_file_access.h"
#include "reader/hdf5/hdf5_dataset_tables.h"
#include "reader/hdf5/hdf5_kind_traits.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

bool is_hdf5_file(const std::string& filename)
{
    const h5_error_stack_guard errors;
    H5::Exception::dontPrint();
    try {
        return H5::H5File::isHdf5(filename.c_str());
    } catch (const H5::Exception&) {
        return false;
    }
}

bool is_hdf4_file(const std::string& filename)
{
    return Hishdf(filename.c_str()) != 0;
}

// Why the file cannot be opened for reading; "" when it can.
std::string unreadable_cause(const std::string& filename)
{
    const int fd = ::open(filename.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::string("cannot be read: ") + std::strerror(errno);
    ::close(fd);
    return {};
}

} // namespace

void spinfo::init(const std::string& filename, std::uintmax_t size)
{
    isGsmapBin = false;
    tileH = 0;
    tileV = 0;
    jasmesArea = JA_NONE;
    clear_description();

    if (size == 0 || filename.empty()) return;
    // Without reading it nobody can tell what the file is: it may well be a
    // product, so it is reported as one that failed, not as no product.
    damage = unreadable_cause(filename);
    if (!damage.empty()) return;
    if (is_hdf5_file(filename)) {
        init_hdf5(filename, size);
    } else if (is_hdf4_file(filename)) {
        init_jasmes_hdf4(filename, size);
    } else if (is_gsmap(filename)) {
        isGsmapBin = true;
        init_gsmap_bin(filename, size);
    } else {
        init_jasmes_bin(filename, size);
    }
}

// Nothing of the previous file's description may survive into the next one:
// a family reader fills only what its products have.
void spinfo::clear_description()
{
    damage.clear();
    attributes.clear();
    fileName.clear();
    nCount = 0;
    nBands = 0;
    pixels.clear();
    lines.clear();
    scales.clear();
    offset = 0.0;
    lonOrigin = 0.0;
    latOrigin = 0.0;
    resolution = 0.0;
    para.clear();
    granule.clear();
    bytesPerSample = 0;
    kind = PT_UNKNOWN;
    productLabel.clear();
    geoName.clear();
    l3PsType = PS_NONE;
    for (int i = 0; i < 4; ++i) corners[i] = cornersB[i] = earthPoint_t{};
    jasmes = jasmes_state{};
}

bool spinfo::is_gsmap(const std::string& path)
{
    return basicfname(path).rfind("gsmap_", 0) == 0;
}

std::int32_t spinfo::getHeaderSize() const
{
    if (kind != PT_JASMES_RAW && kind != PT_JASMES_HDR) return -1;
    return jasmes.headerSize;
}

std::uint32_t spinfo::N_pixel(std::uint32_t idx) const
{
    if (kind == PT_UNKNOWN || idx >= nCount || idx >= pixels.size()) return 0;
    return pixels[idx];
}

std::uint32_t spinfo::N_line(std::uint32_t idx) const
{
    if (kind == PT_UNKNOWN || idx >= nCount || idx >= lines.size()) return 0;
    return lines[idx];
}

std::uint32_t spinfo::N_byte(std::uint32_t idx) const
{
    if (kind == PT_UNKNOWN || idx >= nCount) return 0;
    const auto b = static_cast<std::uint32_t>(bytesPerSample);
    if (kind == PT_JASMES_HDR && nBands == 23) return idx < 2 ? 3 : 2;
    if (const auto* traits = hdf5_traits_of(kind)) return traits->byteRule.bytes(idx, b);
    return b;
}

void spinfo::get_Corner(earthPoint_t points[4]) const
{
    for (int i = 0; i < 4; ++i) points[i] = corners[i];
}

void spinfo::get_Corner_B(earthPoint_t points[4]) const
{
    for (int i = 0; i < 4; ++i) points[i] = cornersB[i];
}

void spinfo::get_productInfo(std::uint32_t idx, productInfo_t& info) const
{
    if (idx >= nCount) return;
    info.product = productLabel;

    info.area = granule;
    if (jasmesArea == JA_GOBI) {
        static const char* const gobi[] = {"Gobi (rcr)", "Gobi (taua)", "Gobi (aot)"};
        info.area = idx < 3 ? gobi[idx] : "Gobi area";
    }

    info.para = productLabel;
    const hdf5_kind_traits* traits = hdf5_traits_of(kind);
    const h5_info_rule rule = traits ? traits->info : h5_info_rule::label;
    const std::vector<hdfParam_t>* table = hdf5_table_of(*this, kind);
    const std::size_t entries = table ? table->size() : 0;
    const auto name = [&](std::size_t i) {
        if (i < entries) info.para = (*table)[i].name;
    };
    switch (rule) {
    case h5_info_rule::label: break;
    case h5_info_rule::table_names:
        if (entries >= traits->unnamedTail && idx < entries - traits->unnamedTail) name(idx);
        break;
    case h5_info_rule::first_entry: name(0); break;
    case h5_info_rule::ab_pairs: name(idx % 2); break;
    }

    const bool useB = rule == h5_info_rule::ab_pairs && idx % 2 == 1;
    for (int i = 0; i < 4; ++i) info.corner[i] = useB ? cornersB[i] : corners[i];

    // Layers of one dataset share the scale factor of that dataset.
    const std::size_t s = traits && traits->layered ? 0 : idx;
    info.scale = s < scales.size() ? scales[s] : 1.0;
}

bool spinfo::get_dataSource(std::uint32_t idx, std::int32_t& dtype)
{
    dataAttr.mask = 0;
    if (isGsmapBin) return read_jasmes_bin(idx, dtype);
    switch (kind) {
    case PT_JASMES_RAW:
    case PT_JASMES_HDR: return read_jasmes_bin(idx, dtype);
    case PT_JASMES_HDF4: return read_jasmes_hdf4(idx, dtype);
    default:
        if (kind >= PT_AMSR2_L1A && kind <= PT_SGLI_CLFG) return read_hdf5(idx, dtype);
        return false;
    }
}

void spinfo::release_buffers()
{
    release(byteRaster);
    release(shortRaster);
    release(floatRaster);
}

} // namespace vardane
