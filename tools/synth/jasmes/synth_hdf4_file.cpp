// Synthetic JASMES HDF4 files, written with the same HDF4 library the reader uses.
#include <iostream>

#include "jasmes/jasmes_synth.h"
#include "reader/jasmes/hdf4_handles.h"

namespace vardane {

namespace {

bool write_dataset(const sd_file& file, std::int32_t width, std::int32_t height, const synth_sds& dataset,
                   std::uint32_t seed)
{
    int32 dims[2] = {height, width};
    const int32 type = dataset.bits == 16 ? DFNT_INT16 : DFNT_UINT8;
    const sd_dataset sds(SDcreate(file.id(), dataset.name.c_str(), type, 2, dims));
    if (!sds.ok()) return false;
    if (!dataset.writeData) return true;
    // Flag images: bit patterns 0..254, 255 where there is no observation.
    const auto counts = synth_counts(width, height, seed, 0, 254, 255);
    int32 start[2] = {0, 0};
    if (dataset.bits == 16) {
        std::vector<std::int16_t> data(counts.begin(), counts.end());
        return SDwritedata(sds.id(), start, nullptr, dims, data.data()) != FAIL;
    }
    std::vector<std::uint8_t> data(counts.begin(), counts.end());
    return SDwritedata(sds.id(), start, nullptr, dims, data.data()) != FAIL;
}

} // namespace

bool write_jasmes_hdf4(const std::string& path, std::int32_t width, std::int32_t height,
                       const std::vector<synth_sds>& datasets, const std::string& areaText, std::uint32_t seed)
{
    const sd_file file(path, DFACC_CREATE);
    bool ok = file.ok();
    if (ok && !areaText.empty())
        ok =
            SDsetattr(file.id(), "File Name", DFNT_CHAR8, static_cast<int32>(areaText.size()), areaText.data()) != FAIL;
    for (const auto& dataset : datasets) {
        if (!ok) break;
        ok = write_dataset(file, width, height, dataset, seed);
    }
    if (!ok) std::cerr << "vardane-synth: cannot write HDF4 file " << path << "\n";
    return ok;
}

} // namespace vardane
