#pragma once

// The reading half of the pipeline for integration tests: make a synthetic
// product, and hand a variable read by spinfo to the matching spout loader.
#include <string>
#include <utility>
#include <vector>

#include <gdal_priv.h>
#include <gtest/gtest.h>

#include "output/spout.h"
#include "reader/spinfo.h"
#include "synth_registry.h"

namespace output_test {

inline bool make_synthetic_product(const std::string& kindName,
                                   const std::vector<std::pair<std::string, std::string>>& variants,
                                   const std::string& path)
{
    synth_options options;
    options.variants = variants;
    for (const synth_kind& k : all_synth_kinds()) {
        if (k.name == kindName) return k.write(path, options);
    }
    ADD_FAILURE() << "no synthetic kind " << kindName;
    return false;
}

// The loader the run driver picks for the sample-type code.
inline bool load_variable(spout& out, const spinfo& info, std::int32_t dtype, const productInfo_t& pi)
{
    switch (dtype) {
    case DT_UINT8: return out.init_char(info.byteRaster.data(), info.dataAttr, pi);
    case DT_UINT16: return out.init_short(info.shortRaster.data(), info.dataAttr, pi);
    case DT_INT16: return out.init_signed(info.shortRaster.data(), info.dataAttr, pi);
    case DT_FLOAT32: return out.init_float(info.floatRaster.data(), info.dataAttr, pi);
    default: return false;
    }
}

inline GDALDataType gdal_type_of(std::int32_t dtype)
{
    switch (dtype) {
    case DT_UINT8: return GDT_Byte;
    case DT_UINT16: return GDT_UInt16;
    case DT_INT16: return GDT_Int16;
    case DT_FLOAT32: return GDT_Float32;
    default: return GDT_Unknown;
    }
}

} // namespace output_test
