#include "output/spout.h"

// Writers not built yet: every load and write reports failure.
spout::spout() = default;
spout::~spout() = default;

bool spout::init_char(const std::uint8_t*, const dataAttr_t&, const productInfo_t&) { return false; }
bool spout::init_short(const std::uint16_t*, const dataAttr_t&, const productInfo_t&) { return false; }
bool spout::init_signed(const std::uint16_t*, const dataAttr_t&, const productInfo_t&) { return false; }
bool spout::init_float(const float*, const dataAttr_t&, const productInfo_t&) { return false; }
bool spout::read_fvals(const std::string&, const float*, const dataAttr_t&) { return true; }
void spout::parse_cor_a1(const std::string&) {}
void spout::parse_cor_a2(const std::string&) {}
void spout::tile_no(std::int32_t, std::int32_t) {}
bool spout::gen_TiffImage(const std::string&, bool, bool, double) { return false; }
bool spout::gen_posGeoTIFF(const std::string&, productType, std::int32_t, bool, std::vector<std::string>&)
{
    return false;
}
bool spout::gen_GeoTiffImage(const std::string&, std::int32_t) { return false; }
bool spout::gen_GeoTiff_PolarImages(std::int32_t, const std::string&, const std::string&, std::int32_t)
{
    return false;
}
bool spout::gen_L3EQR_GeoTiffImage(const std::string&, bool) { return false; }
bool spout::gen_L3PS_GeoTiffImage(const std::string&) { return false; }
bool spout::gen_KmzImage(const std::string&, bool, float, const std::vector<color_map>&, const std::string&,
                         const std::string&, const std::string&, bool)
{
    return false;
}
