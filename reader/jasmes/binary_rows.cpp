#include "reader/jasmes/binary_rows.h"

namespace vardane {

bool binary_rows::read_rows(std::uintmax_t planeStart, std::uint64_t row, std::uint64_t count, std::uint64_t width,
                            std::uint32_t sampleBytes, std::vector<unsigned char>& out)
{
    const std::uint64_t rowBytes = width * sampleBytes;
    out.resize(rowBytes * count);
    const std::uint64_t at = planeStart + row * rowBytes;
    // Rows are mostly read in order; a compressed source then never seeks.
    if (src_.position() != at && !src_.seek(at)) return false;
    return src_.read(out.data(), rowBytes * count);
}

} // namespace vardane
