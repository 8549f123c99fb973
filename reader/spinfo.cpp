#include "reader/spinfo.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fcntl.h>
#include <unistd.h>

#include "reader/reader_registry.h"
#include "util/vdn_exception.h"

namespace vardane {

namespace {

// Why the file cannot be opened for reading; "" when it can.
std::string unreadable_cause(const std::string& filename)
{
    const int fd = ::open(filename.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::string("cannot be read: ") + std::strerror(errno);
    ::close(fd);
    return {};
}

// The path a failure names: absolute, so that the report and the window
// can tell two inputs of one name apart.
std::string full_path(const std::string& path)
{
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.string();
}

// Runs a family reader's operation; whatever it throws, of any type,
// becomes the failure of the file instead of leaving the reader.
template <class Operation>
failure guarded(const std::string& path, Operation operation)
{
    try {
        return operation();
    } catch (const vdn_exception& e) {
        failure why = e.why();
        if (why.file.empty()) why.file = path;
        return why;
    } catch (const std::exception& e) {
        return failure(path, e.what());
    } catch (...) {
        return failure(path, "unknown error");
    }
}

} // namespace

spinfo::spinfo()
{
    for (const auto& family : reader_families()) readers_.push_back(family.make());
}

spinfo::~spinfo() = default;

void spinfo::init(const std::string& filename, std::uintmax_t size)
{
    // Nothing of the previous file's description may survive into the next
    // one: a family reader fills only what its products have.
    desc_ = product_description{};
    current_ = nullptr;
    failure_.clear();

    if (size == 0 || filename.empty()) return;
    // Without reading it nobody can tell what the file is: it may well be a
    // product, so it is reported as one that failed, not as no product.
    if (auto cause = unreadable_cause(filename); !cause.empty()) {
        failure_ = failure(full_path(filename), std::move(cause));
        return;
    }
    for (const auto& reader : readers_) {
        if (!reader->identify(filename, size)) continue;
        current_ = reader.get();
        failure_ = guarded(filename, [&] { return reader->open(filename, size, desc_); });
        break;
    }
    // A file that failed is no product, whatever its reader had found.
    if (failure_.failed()) {
        failure_.file = full_path(failure_.file.empty() ? filename : failure_.file);
        const std::string name = desc_.fileName;
        desc_ = product_description{};
        desc_.fileName = name;
    }
}

std::string spinfo::getJasmesHdf4Type() const { return desc_.kind == PT_JASMES_HDF4 ? desc_.hdf4Type : std::string(); }

std::int32_t spinfo::getHeaderSize() const
{
    if (desc_.kind != PT_JASMES_RAW && desc_.kind != PT_JASMES_HDR) return -1;
    return desc_.headerSize;
}

void spinfo::get_Corner(earthPoint_t points[4]) const
{
    for (int i = 0; i < 4; ++i) points[i] = desc_.corners[i];
}

void spinfo::get_Corner_B(earthPoint_t points[4]) const
{
    for (int i = 0; i < 4; ++i) points[i] = desc_.cornersB[i];
}

template <class Read>
bool spinfo::read_with(std::uint32_t idx, std::int32_t& dtype, Read read)
{
    dtype = DT_NONE;
    failure_.clear();
    buffers_.dataAttr.mask = 0;
    buffers_.dataAttr.codes = false;
    if (!current_ || desc_.kind == PT_UNKNOWN) return false;
    read_result result;
    failure_ = guarded(desc_.fileName, [&] {
        result = read();
        return result.why;
    });
    if (failure_.failed() || !result.ok()) {
        // Nothing half-read is left for a consumer to take.
        release_buffers();
        if (!failure_.failed()) failure_.cause = "parameter " + std::to_string(idx) + " cannot be read";
        failure_.file = full_path(failure_.file.empty() ? desc_.fileName : failure_.file);
        return false;
    }
    dtype = result.dtype;
    return true;
}

bool spinfo::get_dataSource(std::uint32_t idx, std::int32_t& dtype)
{
    return read_with(idx, dtype, [&] { return current_->read(desc_, idx, buffers_); });
}

bool spinfo::get_dataRows(std::uint32_t idx, row_span rows, std::int32_t& dtype)
{
    return read_with(idx, dtype, [&] { return current_->read_rows(desc_, idx, rows, buffers_); });
}

bool spinfo::reads_row_parts() const { return current_ && current_->reads_row_parts(); }

} // namespace vardane
