#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

namespace vardane {

// True when the file-name part of path ends in ".gz" (any case): the way the
// providers mark a gzip-compressed flat-binary product.
bool is_gzip_name(const std::string& path);

// The content of a flat-binary product file, read from the front: the bytes
// of the file itself or, for a file named *.gz, what its gzip members inflate
// to. Inflating happens in memory; nothing is written anywhere. zlib checks
// every member's CRC and length as its end goes by, and data that are not
// gzip, damaged or cut short stop the read there: a read that comes short
// says why through cause(), never hands out bytes it did not get.
class flat_source {
public:
    explicit flat_source(const std::string& path);
    ~flat_source();
    flat_source(const flat_source&) = delete;
    flat_source& operator=(const flat_source&) = delete;

    bool is_open() const;
    bool compressed() const { return inflater_ != nullptr; }

    // Reads up to n bytes at the current position and returns how many
    // arrived: fewer at the end of the content or where damage stops it.
    std::size_t read_some(unsigned char* to, std::size_t n);
    // Reads exactly n bytes; false when fewer arrived.
    bool read(unsigned char* to, std::size_t n);
    // Moves to content byte `at`. A compressed file is inflated again from
    // its start to go backwards. False when the content ends before `at`.
    bool seek(std::uint64_t at);
    std::uint64_t position() const { return position_; }

    // Length of a plain file, from the file system; nothing for a compressed
    // one, whose length only inflating all of it tells.
    std::optional<std::uint64_t> stored_length();

    // Bytes of content, counting no further than limit + 1: a count above
    // limit means "longer than limit", so that a huge or endless stream costs
    // no more than the largest product asked about. Nothing when the content
    // cannot be read to its end (cause() says why). Leaves the position at 0.
    std::optional<std::uint64_t> content_length(std::uint64_t limit);

    // Why the last read, seek or count came short; "" when none did.
    const std::string& cause() const { return cause_; }

private:
    struct inflater;

    std::size_t read_plain(unsigned char* to, std::size_t n);
    std::size_t read_inflated(unsigned char* to, std::size_t n);
    void rewind();

    std::ifstream in_;
    std::unique_ptr<inflater> inflater_; // null for a plain file
    std::uint64_t position_ = 0;
    std::string cause_;
};

} // namespace vardane
