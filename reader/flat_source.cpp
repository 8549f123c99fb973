#include "reader/flat_source.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "util/string_utils.h"

namespace vardane {

namespace {

constexpr std::size_t kInputChunk = 1 << 16;
// zlib counts in unsigned int: larger requests go in pieces.
constexpr std::size_t kLargestInflateStep = UINT_MAX;

} // namespace

bool is_gzip_name(const std::string& path)
{
    const std::string name = basicfname(path);
    if (name.size() < 3) return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    const char* tail = name.c_str() + name.size() - 3;
    return tail[0] == '.' && lower(tail[1]) == 'g' && lower(tail[2]) == 'z';
}

// One zlib inflate stream over the gzip members of the file, one after the
// other, as gzip itself reads a concatenation of members.
struct flat_source::inflater {
    z_stream z{};
    bool ready = false;
    bool inMember = false; // between a member's header and its checked trailer
    bool sawMember = false;
    bool ended = false;   // every member read and checked
    bool damaged = false; // stopped for good until the next rewind
    std::vector<unsigned char> input = std::vector<unsigned char>(kInputChunk);

    // 16 + MAX_WBITS: a gzip wrapper and nothing else, so that plain bytes
    // under a *.gz name are refused instead of passed through.
    inflater() { ready = inflateInit2(&z, 16 + MAX_WBITS) == Z_OK; }
    ~inflater()
    {
        if (ready) inflateEnd(&z);
    }
    inflater(const inflater&) = delete;
    inflater& operator=(const inflater&) = delete;

    void restart()
    {
        inflateReset(&z);
        z.avail_in = 0;
        z.next_in = nullptr;
        inMember = sawMember = ended = damaged = false;
    }
};

flat_source::flat_source(const std::string& path) : in_(path, std::ios::binary)
{
    if (is_gzip_name(path)) inflater_ = std::make_unique<inflater>();
}

flat_source::~flat_source() = default;

bool flat_source::is_open() const { return in_.is_open() && (!inflater_ || inflater_->ready); }

std::size_t flat_source::read_some(unsigned char* to, std::size_t n)
{
    if (!is_open() || n == 0) return 0;
    const std::size_t got = inflater_ ? read_inflated(to, n) : read_plain(to, n);
    position_ += got;
    return got;
}

bool flat_source::read(unsigned char* to, std::size_t n)
{
    const std::size_t got = read_some(to, n);
    if (got == n) return true;
    if (cause_.empty()) cause_ = "content ends after " + std::to_string(position_) + " bytes";
    return false;
}

std::size_t flat_source::read_plain(unsigned char* to, std::size_t n)
{
    in_.read(reinterpret_cast<char*>(to), static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(std::max<std::streamsize>(in_.gcount(), 0));
}

std::size_t flat_source::read_inflated(unsigned char* to, std::size_t n)
{
    inflater& f = *inflater_;
    const auto fail = [&](std::string why) {
        f.damaged = true;
        cause_ = std::move(why);
    };
    std::size_t got = 0;
    while (got < n && !f.ended && !f.damaged) {
        if (f.z.avail_in == 0) {
            in_.read(reinterpret_cast<char*>(f.input.data()), static_cast<std::streamsize>(f.input.size()));
            const auto k = in_.gcount();
            if (k <= 0) {
                if (f.inMember) {
                    fail("gzip data are cut short: they end inside a member");
                } else if (!f.sawMember) {
                    fail("holds no gzip data");
                } else {
                    f.ended = true;
                }
                break;
            }
            f.z.next_in = f.input.data();
            f.z.avail_in = static_cast<uInt>(k);
        }
        if (!f.inMember) {
            // Bytes after a member must be another member; zlib checks its header.
            inflateReset(&f.z);
            f.inMember = f.sawMember = true;
        }
        const std::size_t room = std::min(n - got, kLargestInflateStep);
        f.z.next_out = to + got;
        f.z.avail_out = static_cast<uInt>(room);
        const int rc = inflate(&f.z, Z_NO_FLUSH);
        const std::size_t produced = room - f.z.avail_out;
        got += produced;
        if (rc == Z_STREAM_END) {
            f.inMember = false;
        } else if (rc == Z_BUF_ERROR && f.z.avail_in != 0 && produced == 0) {
            // Input and room, yet no progress: never spin on it.
            fail("gzip data are damaged: inflating makes no progress");
        } else if (rc != Z_OK && rc != Z_BUF_ERROR) {
            fail(std::string("gzip data are damaged: ") + (f.z.msg ? f.z.msg : "zlib error " + std::to_string(rc)));
        }
    }
    return got;
}

void flat_source::rewind()
{
    in_.clear();
    in_.seekg(0);
    if (inflater_) inflater_->restart();
    position_ = 0;
    cause_.clear();
}

bool flat_source::seek(std::uint64_t at)
{
    if (!is_open()) return false;
    if (!inflater_) {
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(at));
        position_ = at;
        return static_cast<bool>(in_);
    }
    if (at < position_) rewind();
    std::vector<unsigned char> skipped(std::min<std::uint64_t>(at - position_, kInputChunk));
    while (position_ < at) {
        const auto step = static_cast<std::size_t>(std::min<std::uint64_t>(at - position_, skipped.size()));
        if (read_some(skipped.data(), step) == 0) {
            if (cause_.empty()) cause_ = "content ends after " + std::to_string(position_) + " bytes";
            return false;
        }
    }
    return true;
}

std::optional<std::uint64_t> flat_source::stored_length()
{
    if (inflater_ || !in_.is_open()) return std::nullopt;
    in_.clear();
    in_.seekg(0, std::ios::end);
    const auto end = in_.tellg();
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(position_));
    if (end < 0) return std::nullopt;
    return static_cast<std::uint64_t>(end);
}

std::optional<std::uint64_t> flat_source::content_length(std::uint64_t limit)
{
    if (!is_open()) return std::nullopt;
    if (!inflater_) {
        const auto stored = stored_length();
        rewind();
        return stored;
    }
    rewind();
    std::vector<unsigned char> scratch(kInputChunk);
    while (position_ <= limit) {
        if (read_some(scratch.data(), scratch.size()) == 0) break;
    }
    if (inflater_->damaged) return std::nullopt;
    const std::uint64_t counted = position_;
    rewind();
    return counted;
}

} // namespace vardane
