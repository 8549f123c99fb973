#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "python/file_state.h"
#include "reader/spinfo.h"

namespace vardane {

// A recognised product, lent to one call of the module. Python code asks
// for a file's parameters one call after another, and recognising the file
// again for each (opening it, reading its attributes, telling its kind)
// took longer than reading a small parameter: the product of the last call
// goes back, without its samples, to the next call on the same file in the
// same state. A product whose last read failed is not kept.
class opened_product {
public:
    opened_product(std::unique_ptr<spinfo> info, file_state state);
    opened_product(opened_product&&) noexcept = default;
    opened_product& operator=(opened_product&&) noexcept = default;
    opened_product(const opened_product&) = delete;
    opened_product& operator=(const opened_product&) = delete;
    ~opened_product();

    spinfo* operator->() const { return info_.get(); }
    spinfo& operator*() const { return *info_; }

private:
    std::unique_ptr<spinfo> info_;
    file_state state_;
};

// The cause of the product's last failed recognition or read, with its file
// (`path` when the readers did not name one).
std::string read_cause(const spinfo& info, const std::string& path);

// A product file recognised by the readers, as the batch recognises it. A
// file that is no product, or a product that cannot be read, throws
// pybind11::value_error naming the file and the cause.
opened_product open_product(const std::string& path);

// Not every library under the readers may be used by two threads at once
// (HDF4's may not), and the interpreter's threads read at once when the GIL
// is released: every recognition and read of the module holds this lock.
// Take it with the GIL released, so that a thread waiting for it does not
// stop the others.
std::unique_lock<std::mutex> lock_readers();

} // namespace vardane
