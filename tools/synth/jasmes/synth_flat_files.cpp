#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>

#include "jasmes/jasmes_synth.h"

namespace vardane {

void append_u8(std::vector<unsigned char>& out, const std::vector<std::uint32_t>& counts)
{
    for (const auto v : counts) out.push_back(static_cast<unsigned char>(v));
}

void append_u16le(std::vector<unsigned char>& out, const std::vector<std::uint32_t>& counts)
{
    for (const auto v : counts) {
        out.push_back(static_cast<unsigned char>(v & 0xff));
        out.push_back(static_cast<unsigned char>((v >> 8) & 0xff));
    }
}

void append_f32le(std::vector<unsigned char>& out, const std::vector<float>& values)
{
    for (const float f : values) {
        std::uint32_t u = 0;
        std::memcpy(&u, &f, sizeof u);
        for (int k = 0; k < 4; ++k) out.push_back(static_cast<unsigned char>((u >> (8 * k)) & 0xff));
    }
}

namespace {

bool ends_in_gz(const std::string& path) { return path.size() >= 3 && path.compare(path.size() - 3, 3, ".gz") == 0; }

struct gz_closer {
    void operator()(gzFile f) const { gzclose(f); }
};

bool write_gzip_file(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::unique_ptr<gzFile_s, gz_closer> out(gzopen(path.c_str(), "wb"));
    if (!out) return false;
    // gzwrite takes an unsigned int count: a large file goes in pieces.
    constexpr std::size_t kPiece = 1 << 24;
    for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
        const auto n = static_cast<unsigned>(std::min(kPiece, bytes.size() - at));
        if (gzwrite(out.get(), bytes.data() + at, n) != static_cast<int>(n)) return false;
    }
    // The trailer is written when the file closes; a failing close is a failed write.
    return gzclose(out.release()) == Z_OK;
}

} // namespace

bool write_bytes_file(const std::string& path, const std::vector<unsigned char>& bytes)
{
    bool written = false;
    if (ends_in_gz(path)) {
        written = write_gzip_file(path, bytes);
    } else {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        written = static_cast<bool>(out.flush());
    }
    if (!written) std::cerr << "vardane-synth: cannot write " << path << "\n";
    return written;
}

bool write_headed_file(const std::string& path, const std::string& line, std::size_t headerRowBytes,
                       const std::vector<unsigned char>& payload)
{
    if (line.size() + 1 > headerRowBytes) {
        std::cerr << "vardane-synth: header line of " << line.size() << " characters does not fit a row of "
                  << headerRowBytes << " bytes\n";
        return false;
    }
    std::vector<unsigned char> bytes(headerRowBytes, 0);
    std::memcpy(bytes.data(), line.data(), line.size());
    bytes[line.size()] = '\n';
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return write_bytes_file(path, bytes);
}

} // namespace vardane
