#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reader/product_types.h"
#include "settings/option_types.h"

namespace vardane {

// What the run driver keeps about the input file in progress.
struct file_job {
    std::string path;     // full path as given
    std::string fileName; // with extension
    std::string baseName; // without extension: the stem of every output name
    std::uintmax_t size = 0;

    productType kind = PT_UNKNOWN;
    JasmesArea area = JA_NONE;
    std::string para;
    std::string geoName;

    SettingType setting = ST_NONE;
    std::vector<spcvt_listitem> selection;
    bool swath = false;
    bool gcomc = false;

    // One block of position information per plain TIFF written.
    std::vector<std::string> posInfo;
};

} // namespace vardane
