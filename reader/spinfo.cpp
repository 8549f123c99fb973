#include "reader/spinfo.h"

#include <hdf.h>
#include <H5Cpp.h>

#include "util/string_utils.h"

namespace {

bool is_hdf5_file(const std::string& filename)
{
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

// Parameter index at or above which N_byte answers 4 (float geolocation).
std::uint32_t float_threshold(productType k)
{
    switch (k) {
    case PT_AMSR2_L1A:
    case PT_AMSR2_L1B:
    case PT_AMSRE_L1B: return 16;
    case PT_AMSR2_L1R:
    case PT_AMSRE_L1R: return 40;
    case PT_AMSR2_L2_HIGH:
    case PT_AMSRE_L2_HIGH: return 2;
    case PT_AMSR2_L2_LOW:
    case PT_AMSRE_L2_LOW: return 1;
    default: return UINT32_MAX;
    }
}

// SGLI scenes: integer channels, then one 1-byte flag, then float geolocation.
struct sgli_layout {
    productType kind;
    std::uint32_t byteIndex; // UINT32_MAX when the product has no 1-byte flag
    std::uint32_t floatFrom;
};

constexpr sgli_layout kSgliLayouts[] = {
    {PT_SGLI_VNR, 12, 13},  {PT_SGLI_POL, 13, 14},        {PT_SGLI_IRS, 7, 8},
    {PT_SGLI_NWLR, UINT32_MAX, 11}, {PT_SGLI_IWPR, UINT32_MAX, 4}, {PT_SGLI_SST, 2, 3},
};

// SGLI tiles: integer channels, then 1-byte datasets from this index on.
std::uint32_t tile_byte_threshold(productType k)
{
    switch (k) {
    case PT_SGLI_LTOA: return 32;
    case PT_SGLI_RSRF: return 22;
    case PT_SGLI_LST: return 2;
    default: return UINT32_MAX;
    }
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
    if (const auto t = float_threshold(kind); t != UINT32_MAX) return idx < t ? b : 4;
    for (const auto& s : kSgliLayouts) {
        if (s.kind != kind) continue;
        if (idx == s.byteIndex) return 1;
        if (idx >= s.floatFrom) return 4;
        return b;
    }
    if (const auto t = tile_byte_threshold(kind); t != UINT32_MAX) return idx < t ? b : 1;
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
    const auto entry = [](const std::vector<hdfParam_t>& t, std::size_t i) -> const std::string* {
        return i < t.size() ? &t[i].name : nullptr;
    };
    const std::string* name = nullptr;
    switch (kind) {
    case PT_AMSR2_L1A:
        if (tblL1A.size() >= 4 && idx < tblL1A.size() - 4) name = entry(tblL1A, idx);
        break;
    // AMSR-E L1B and L1R files share the AMSR2 dataset tables, so their
    // variables are named the same way.
    case PT_AMSR2_L1B:
    case PT_AMSRE_L1B:
        if (tblL1B.size() >= 2 && idx < tblL1B.size() - 2) name = entry(tblL1B, idx);
        break;
    case PT_AMSR2_L1R:
    case PT_AMSRE_L1R:
        if (tblL1R.size() >= 2 && idx < tblL1R.size() - 2) name = entry(tblL1R, idx);
        break;
    // Even indexes are the 89A layer, odd ones the 89B layer (with its own
    // corners); AMSR-E high-resolution files are laid out the same way.
    case PT_AMSR2_L2_HIGH:
    case PT_AMSRE_L2_HIGH: name = entry(tblL2High, idx % 2); break;
    case PT_AMSR2_L2_LOW: name = entry(tblL2Low, 0); break;
    default: break;
    }
    if (name) info.para = *name;

    const bool useB = (kind == PT_AMSR2_L2_HIGH || kind == PT_AMSRE_L2_HIGH) && idx % 2 == 1;
    for (int i = 0; i < 4; ++i) info.corner[i] = useB ? cornersB[i] : corners[i];

    const bool layered = kind == PT_AMSR2_L3_GD || kind == PT_AMSRE_L3_GD
        || (kind >= PT_DPR_DAILY && kind <= PT_DPRV7_MONTHLY);
    const std::size_t s = layered ? 0 : idx;
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
    byteRaster = {};
    shortRaster = {};
    floatRaster = {};
}
