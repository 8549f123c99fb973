#include "reader/jasmes/binary_rows.h"

namespace vardane {

std::uintmax_t binary_rows::file_size()
{
    in_.clear();
    in_.seekg(0, std::ios::end);
    const auto end = in_.tellg();
    if (!in_ || end < 0) return 0;
    return static_cast<std::uintmax_t>(end);
}

bool binary_rows::read_row(std::uintmax_t planeStart, std::uint64_t row, std::uint64_t width, std::uint32_t sampleBytes,
                           std::vector<unsigned char>& out)
{
    const std::uint64_t rowBytes = width * sampleBytes;
    out.resize(rowBytes);
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(planeStart + row * rowBytes));
    if (!in_) return false;
    in_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(rowBytes));
    return in_.gcount() == static_cast<std::streamsize>(rowBytes);
}

} // namespace vardane
