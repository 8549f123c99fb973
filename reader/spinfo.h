#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "reader/jasmes_state.h"
#include "reader/product_kind.h"
#include "reader/product_types.h"
#include "util/bulk_vector.h"

namespace vardane {

// The one object that knows what an input file is and how to read it.
// init() recognises a file; get_productInfo() and get_dataSource() describe
// and read its parameters. Members are public: the run driver and the writers
// read several of them directly.
//
// Read-data contract: after a successful get_dataSource exactly one of
// byteRaster, shortRaster (unsigned or signed) or floatRaster holds the
// parameter, dataAttr.height rows of dataAttr.width samples, first row first.
// Integer samples are unscaled; float samples are final values. Each read
// releases the buffers of the previous read.
class spinfo {
public:
    spinfo() = default;

    void init(const std::string& filename, std::uintmax_t size);

    productType getType() const { return kind; }
    std::string productName() const { return productLabel; }
    JasmesArea getJasmesArea() const { return jasmesArea; }
    std::string getPara() const { return para; }
    double getOffset() const { return offset; }
    std::string getGeophsyicalName() const { return geoName; }
    L3PsType getL3PolarStereoType() const { return l3PsType; }
    std::string getJasmesHdf4Type() const { return kind == PT_JASMES_HDF4 ? jasmes.hdf4Type : std::string(); }
    std::int32_t getHeaderSize() const;
    std::uint32_t N_count() const { return nCount; }
    std::uint32_t N_pixel(std::uint32_t idx) const;
    std::uint32_t N_line(std::uint32_t idx) const;
    std::uint32_t N_byte(std::uint32_t idx) const;
    void get_Corner(earthPoint_t points[4]) const;
    void get_Corner_B(earthPoint_t points[4]) const;
    void get_productInfo(std::uint32_t idx, productInfo_t& info) const;
    bool get_dataSource(std::uint32_t idx, std::int32_t& dtype);

    // Name of the built-in colour table for the current file ("" when none).
    std::string getCLT() const;

    // True when the file-name part of path starts with "gsmap_".
    static bool is_gsmap(const std::string& path);

    // Why a file that carries a product's signature or name could not be
    // recognised (a truncated or unreadable file, a size its own header
    // contradicts); "" for a recognised file and for a file that is simply
    // no product.
    std::string damage;

    std::map<std::string, std::string> attributes;
    std::int32_t tileH = 0;
    std::int32_t tileV = 0;
    bulk_vector<std::uint8_t> byteRaster;
    bulk_vector<std::uint16_t> shortRaster; // signed samples when dtype is DT_INT16
    bulk_vector<float> floatRaster;
    dataAttr_t dataAttr;
    std::string fileName;
    std::uint32_t nCount = 0;
    std::int32_t nBands = 0;
    std::vector<std::uint32_t> pixels;
    std::vector<std::uint32_t> lines;
    std::vector<double> scales;
    double offset = 0.0;
    double lonOrigin = 0.0;
    double latOrigin = 0.0;
    double resolution = 0.0;
    std::string para;
    std::string granule;
    std::int32_t bytesPerSample = 0;
    productType kind = PT_UNKNOWN;
    std::string productLabel;
    JasmesArea jasmesArea = JA_NONE;
    std::string geoName;
    L3PsType l3PsType = PS_NONE;
    earthPoint_t corners[4];
    earthPoint_t cornersB[4];
    bool isGsmapBin = false;

    // HDF5 dataset tables, one per family, rebuilt by every HDF5 initialisation.
    std::vector<hdfParam_t> tblL1A, tblL1B, tblL1R, tblL2High, tblL2Low, tblL3BT, tblL3GD;
    std::vector<hdfParam_t> tblGsmapHourly, tblGsmapMonthly;
    std::vector<hdfParam_t> tblDprDaily, tblDprMonthly, tblDprV7Daily, tblDprV7Monthly;
    std::vector<hdfParam_t> tblVNR, tblPOL, tblIRS, tblNWLR, tblIWPR, tblSST;
    std::vector<hdfParam_t> tblLTOA, tblRSRF, tblLST, tblCLFG;

    jasmes_state jasmes;

    void release_buffers();

private:
    // Reset the description of the current file before recognising the next.
    void clear_description();

    // Family readers; each lives in its own source file.
    void init_hdf5(const std::string& filename, std::uintmax_t size);
    bool read_hdf5(std::uint32_t idx, std::int32_t& dtype);
    void init_jasmes_hdf4(const std::string& filename, std::uintmax_t size);
    bool read_jasmes_hdf4(std::uint32_t idx, std::int32_t& dtype);
    void init_gsmap_bin(const std::string& filename, std::uintmax_t size);
    void init_jasmes_bin(const std::string& filename, std::uintmax_t size);
    // Also serves the GSMaP flat-binary files.
    bool read_jasmes_bin(std::uint32_t idx, std::int32_t& dtype);
};

} // namespace vardane
