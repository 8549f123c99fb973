#include "python/opened_product.h"

#include <pybind11/pybind11.h>

#include <filesystem>
#include <system_error>
#include <utility>

namespace vardane {

namespace fs = std::filesystem;

std::unique_lock<std::mutex> lock_readers()
{
    static std::mutex readers;
    return std::unique_lock<std::mutex>(readers);
}

namespace {

// The product of the last call, kept for the next.
struct kept_product {
    std::mutex use;
    std::unique_ptr<spinfo> info;
    file_state state;
};

kept_product& kept()
{
    static kept_product product;
    return product;
}

} // namespace

opened_product::opened_product(std::unique_ptr<spinfo> info, file_state state)
    : info_(std::move(info)), state_(std::move(state))
{
}

opened_product::~opened_product()
{
    if (!info_ || info_->last_failure().failed()) return;
    info_->release_buffers();
    kept_product& product = kept();
    const std::lock_guard<std::mutex> lock(product.use);
    product.info = std::move(info_);
    product.state = std::move(state_);
}

std::string read_cause(const spinfo& info, const std::string& path)
{
    const failure& why = info.last_failure();
    return (why.file.empty() ? path : why.file) + ": " + (why.cause.empty() ? "cannot be read" : why.cause);
}

opened_product open_product(const std::string& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) throw pybind11::value_error(path + ": no such file");
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) throw pybind11::value_error(path + ": " + ec.message());
    file_state state = state_of(path);
    {
        kept_product& product = kept();
        const std::lock_guard<std::mutex> lock(product.use);
        if (product.info && product.state == state) return opened_product(std::move(product.info), std::move(state));
    }
    auto info = std::make_unique<spinfo>();
    {
        pybind11::gil_scoped_release released;
        const auto locked = lock_readers();
        info->init(path, size);
    }
    if (info->getType() != PT_UNKNOWN) return opened_product(std::move(info), std::move(state));
    // The cause the batch reports; a file of no family at all is simply no
    // product, which the batch says in its own words.
    if (info->last_failure().failed()) throw pybind11::value_error(read_cause(*info, path));
    throw pybind11::value_error(path + ": not a product");
}

} // namespace vardane
