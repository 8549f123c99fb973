#include "python/opened_product.h"

#include <pybind11/pybind11.h>

#include <filesystem>
#include <system_error>

namespace vardane {

namespace fs = std::filesystem;

std::unique_lock<std::mutex> lock_readers()
{
    static std::mutex readers;
    return std::unique_lock<std::mutex>(readers);
}

std::unique_ptr<spinfo> open_product(const std::string& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) throw pybind11::value_error(path + ": no such file");
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) throw pybind11::value_error(path + ": " + ec.message());
    auto info = std::make_unique<spinfo>();
    {
        pybind11::gil_scoped_release released;
        const auto locked = lock_readers();
        info->init(path, size);
    }
    if (info->getType() != PT_UNKNOWN) return info;
    const failure& why = info->last_failure();
    // The cause the batch reports; a file of no family at all is simply no
    // product, which the batch says in its own words.
    if (why.failed()) throw pybind11::value_error((why.file.empty() ? path : why.file) + ": " + why.cause);
    throw pybind11::value_error(path + ": not a product");
}

} // namespace vardane
