#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "reader/product_description.h"
#include "reader/product_kind.h"
#include "reader/product_reader.h"
#include "reader/product_types.h"
#include "util/bulk_vector.h"
#include "util/failure.h"

namespace vardane {

// The one object that knows what an input file is and how to read it.
// init() offers the file to the product families of the registry
// (reader_registry.h) in order and keeps the description the first taker
// gives; get_productInfo() and get_dataSource() describe and read its
// parameters through that family's reader.
//
// Read-data contract: after a successful get_dataSource exactly one of
// byteRaster, shortRaster (unsigned or signed) or floatRaster holds the
// parameter, dataAttr.height rows of dataAttr.width samples, first row first.
// Integer samples are unscaled; float samples are final values. Each read
// releases the buffers of the previous read.
//
// Failures: init and get_dataSource never throw. A file that carries a
// family's mark but cannot be recognised, or a parameter that cannot be
// read, leaves last_failure() naming the file and the cause.
// Name of the built-in colour table of a file of this kind, parameter (a
// JASMES binary one as stored, blank-padded), geophysical name and number of
// data sets ("" when none): what getCLT answers for the current file. The
// option dialogs ask it for a variable's default range.
std::string builtin_colour_table(productType kind, const std::string& para, const std::string& geoName,
                                 std::int32_t datasets);

class spinfo {
public:
    spinfo();
    ~spinfo();
    spinfo(const spinfo&) = delete;
    spinfo& operator=(const spinfo&) = delete;

    void init(const std::string& filename, std::uintmax_t size);

    productType getType() const { return desc_.kind; }
    std::string productName() const { return desc_.productLabel; }
    JasmesArea getJasmesArea() const { return desc_.jasmesArea; }
    std::string getPara() const { return desc_.para; }
    double getOffset() const { return desc_.offset; }
    std::string getGeophsyicalName() const { return desc_.geoName; }
    L3PsType getL3PolarStereoType() const { return desc_.l3PsType; }
    std::string getJasmesHdf4Type() const;
    std::int32_t getHeaderSize() const;
    std::uint32_t N_count() const { return desc_.nCount; }
    std::uint32_t N_pixel(std::uint32_t idx) const { return pixels_of(desc_, idx); }
    std::uint32_t N_line(std::uint32_t idx) const { return lines_of(desc_, idx); }
    std::uint32_t N_byte(std::uint32_t idx) const { return bytes_of(desc_, idx); }
    void get_Corner(earthPoint_t points[4]) const;
    void get_Corner_B(earthPoint_t points[4]) const;
    void get_productInfo(std::uint32_t idx, productInfo_t& info) const;
    // The unit parameter idx's dataset states, in the file's words, and the
    // dataset's path; "" for a parameter of a product without datasets.
    std::string unit_text(std::uint32_t idx) const;
    std::string dataset_name(std::uint32_t idx) const;
    bool get_dataSource(std::uint32_t idx, std::int32_t& dtype);
    // Rows `rows` of parameter idx, as get_dataSource delivers them; the
    // read buffers then hold only those rows.
    bool get_dataRows(std::uint32_t idx, row_span rows, std::int32_t& dtype);
    // Whether get_dataRows reads from the file no more than its rows: the
    // current file's family can read a part of a parameter.
    bool reads_row_parts() const;

    // Name of the built-in colour table for the current file ("" when none).
    std::string getCLT() const;

    void release_buffers() { buffers_.release_planes(); }

    // Why the last init or get_dataSource failed: the input's full path and
    // the cause in the library's words. Empty after a success and after
    // init of a file that is simply no product.
    const failure& last_failure() const { return failure_; }

    // The current file as init found it.
    const std::string& fileName() const { return desc_.fileName; }
    const std::map<std::string, std::string>& attributes() const { return desc_.attributes; }
    // The text of global attribute `name`; empty when the file has none.
    std::string attribute_text(const std::string& name) const
    {
        const auto it = desc_.attributes.find(name);
        return it == desc_.attributes.end() ? std::string() : it->second;
    }
    // Global attributes present in the file but not readable as text.
    const std::vector<std::string>& unreadable_attributes() const { return desc_.unreadableAttributes; }
    std::int32_t tileV() const { return desc_.tileV; } // vertical tile number, 0 when not a tile
    std::int32_t tileH() const { return desc_.tileH; } // horizontal tile number

    // The last read.
    const dataAttr_t& dataAttr() const { return buffers_.dataAttr; }
    const bulk_vector<std::uint8_t>& byteRaster() const { return buffers_.byteRaster; }
    const bulk_vector<std::uint16_t>& shortRaster() const { return buffers_.shortRaster; }
    const bulk_vector<float>& floatRaster() const { return buffers_.floatRaster; }

    // Hand the plane of the last read over to its consumer; the buffer is
    // then empty until the next read.
    bulk_vector<std::uint8_t> take_byteRaster() { return std::move(buffers_.byteRaster); }
    bulk_vector<std::uint16_t> take_shortRaster() { return std::move(buffers_.shortRaster); }
    bulk_vector<float> take_floatRaster() { return std::move(buffers_.floatRaster); }

private:
    // A read of parameter idx through `read`, with failures and buffers as
    // the read-data contract wants them.
    template <class Read>
    bool read_with(std::uint32_t idx, std::int32_t& dtype, Read read);

    // One reader per family, in the registry's order.
    std::vector<std::unique_ptr<product_reader>> readers_;
    // The family that took the current file; nullptr when none did.
    product_reader* current_ = nullptr;
    product_description desc_;
    read_buffers buffers_;
    failure failure_;
};

} // namespace vardane
