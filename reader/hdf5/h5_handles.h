#pragma once

#include <hdf5.h>

#include <utility>

namespace vardane {

// Owning wrapper of one identifier of the HDF5 function interface. The
// identifier is closed on every path out of the scope that holds it; an
// invalid (negative) identifier is never closed.
template <herr_t (*Close)(hid_t)>
class h5_handle {
public:
    h5_handle() = default;
    explicit h5_handle(hid_t id) : id_(id) {}
    ~h5_handle() { reset(); }

    h5_handle(const h5_handle&) = delete;
    h5_handle& operator=(const h5_handle&) = delete;
    h5_handle(h5_handle&& other) noexcept : id_(std::exchange(other.id_, H5I_INVALID_HID)) {}
    h5_handle& operator=(h5_handle&& other) noexcept
    {
        if (this != &other) reset(std::exchange(other.id_, H5I_INVALID_HID));
        return *this;
    }

    hid_t get() const { return id_; }
    bool valid() const { return id_ >= 0; }
    explicit operator bool() const { return valid(); }

    void reset(hid_t id = H5I_INVALID_HID)
    {
        if (id_ >= 0) Close(id_);
        id_ = id;
    }

private:
    hid_t id_ = H5I_INVALID_HID;
};

using h5_file = h5_handle<H5Fclose>;
using h5_dataset = h5_handle<H5Dclose>;
using h5_attribute = h5_handle<H5Aclose>;
using h5_space = h5_handle<H5Sclose>;
using h5_type = h5_handle<H5Tclose>;
using h5_object = h5_handle<H5Oclose>;
using h5_plist = h5_handle<H5Pclose>;

} // namespace vardane
