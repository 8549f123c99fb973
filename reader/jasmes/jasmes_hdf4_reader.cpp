// Recognition and read of the JASMES flag images stored as HDF4 scientific
// datasets.
#include "reader/jasmes/jasmes_hdf4_reader.h"

#include <hdf.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "reader/jasmes/hdf4_handles.h"
#include "reader/jasmes/jasmes_geometry.h"
#include "reader/jasmes/jasmes_grids.h"
#include "reader/jasmes/jasmes_hdf4_datasets.h"
#include "reader/jasmes/jasmes_hdf4_type.h"

namespace vardane {

namespace {

// Longest area text taken from the file.
constexpr int32 kMaxAreaText = 65536;
// Largest image accepted: several times the largest known grid, so that an
// extent read from a hostile file cannot demand gigabytes.
constexpr std::uint64_t kMaxElements = std::uint64_t{1} << 27;

// Text of the first readable global character attribute whose name contains
// "File Name"; "" when there is none.
std::string read_area_text(const sd_file& file, int32 attributeCount)
{
    for (int32 a = 0; a < attributeCount; ++a) {
        char name[H4_MAX_NC_NAME + 1] = {};
        int32 numberType = 0;
        int32 count = 0;
        if (SDattrinfo(file.id(), a, name, &numberType, &count) == FAIL) continue;
        if (std::string_view(name).find(kJasmesHdf4AreaAttribute) == std::string_view::npos) continue;
        if (numberType != kHdf4Char8 || count < 0 || count > kMaxAreaText) continue;
        std::string text(static_cast<std::size_t>(count), '\0');
        if (count > 0 && SDreadattr(file.id(), a, text.data()) == FAIL) continue;
        // Writers often store the terminating NUL with the text.
        if (const auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
        return text;
    }
    return {};
}

// Index of the first dataset matching the wanted name, type and rank, -1
// when there is none; false when the library fails.
bool find_dataset(const sd_file& file, int32 datasetCount, const sdsParam_t& wanted, int32& found)
{
    found = -1;
    for (int32 i = 0; i < datasetCount; ++i) {
        const sd_dataset sds(file, i);
        sd_info info;
        if (!get_sd_info(sds, info)) return false;
        if (info.name == wanted.name && info.numberType == wanted.numberType && info.rank == wanted.rank) {
            found = i;
            return true;
        }
    }
    return true;
}

// Whether an image of rows x columns can be real: positive, bounded, and,
// when stored uncompressed, no larger than the file that holds it.
bool plausible_extent(const sd_dataset& sds, int32 rows, int32 columns, std::uintmax_t fileSize)
{
    if (rows <= 0 || columns <= 0) return false;
    const std::uint64_t elements = std::uint64_t(rows) * std::uint64_t(columns);
    if (elements > kMaxElements) return false;
    comp_coder_t coder = COMP_CODE_NONE;
    if (SDgetcomptype(sds.id(), &coder) == FAIL) return false;
    return coder != COMP_CODE_NONE || elements <= fileSize;
}

// Index of the dataset called name (a scientific dataset, not a dimension
// scale); -1 when there is none.
int32 dataset_index(const sd_file& file, const std::string& name)
{
    int32 count = 0;
    if (SDgetnumvars_byname(file.id(), name.c_str(), &count) == FAIL || count <= 0) return -1;
    std::vector<hdf_varlist_t> vars(static_cast<std::size_t>(count));
    if (SDnametoindices(file.id(), name.c_str(), vars.data()) == FAIL) return -1;
    for (const auto& v : vars) {
        if (v.var_type == IS_SDSVAR) return v.var_index;
    }
    return vars.front().var_index;
}

} // namespace

bool jasmes_hdf4_reader::identify(const std::string& path, std::uintmax_t) const { return Hishdf(path.c_str()) != 0; }

failure jasmes_hdf4_reader::open(const std::string& filename, std::uintmax_t size, product_description& d)
{
    d.fileName = filename;
    // The signature is there: whatever fails from here on is damage.
    const auto damaged = [&](const char* cause) { return failure(filename, cause); };
    const sd_file file(filename, DFACC_READ);
    if (!file.ok()) return damaged("HDF4 file cannot be opened");
    int32 datasetCount = 0;
    int32 attributeCount = 0;
    if (SDfileinfo(file.id(), &datasetCount, &attributeCount) == FAIL) return damaged("HDF4 file cannot be opened");
    d.datasetCount = datasetCount;
    const std::string area = read_area_text(file, attributeCount);
    const sdsParam_t* chosen = nullptr;
    int32 index = -1;
    for (const auto& wanted : kJasmesHdf4Datasets) {
        if (!find_dataset(file, datasetCount, wanted, index)) return damaged("HDF4 dataset list cannot be read");
        if (index >= 0) {
            chosen = &wanted;
            break;
        }
    }
    // A readable HDF4 file without the flag images is some other file.
    if (!chosen) return {};
    const sd_dataset sds(file, index);
    sd_info info;
    if (!get_sd_info(sds, info) || info.rank != 2) return damaged("HDF4 flag image cannot be read");
    const int32 rows = info.dims[0];
    const int32 columns = info.dims[1];
    std::uintmax_t fileSize = size;
    std::error_code ec;
    if (const auto actual = std::filesystem::file_size(filename, ec); !ec) fileSize = actual;
    if (!plausible_extent(sds, rows, columns, fileSize)) return damaged("HDF4 flag image cannot be read");
    d.nBands = 1;
    d.nCount = 1;
    d.pixels = {static_cast<std::uint32_t>(columns)};
    d.lines = {static_cast<std::uint32_t>(rows)};
    d.scales = {1.0};
    d.offset = 0.0;
    d.bytesPerSample = 1;
    const GeoParam_t* grid = find_jasmes_grid(jasmes_hdf4_grids(), columns, rows);
    if (!grid) grid = &jasmes_hdf4_grids().front();
    d.lonOrigin = grid->lon;
    d.latOrigin = grid->lat;
    d.resolution = grid->resolution;
    d.jasmesArea = grid->area;
    d.para = std::string(chosen->name);
    d.granule = area;
    d.hdf4Type = jasmes_hdf4_type(d.granule);
    d.kind = PT_JASMES_HDF4;
    set_jasmes_corners_and_label(d);
    return {};
}

namespace {

// Reads the flag image, or only its rows `part`, into out.
read_result read_image(const product_description& d, std::uint32_t idx, std::optional<row_span> part, read_buffers& out)
{
    out.release_planes();
    const std::uint32_t width = pixels_of(d, idx);
    const std::uint32_t height = lines_of(d, idx);
    if (width == 0 || height == 0) return read_result::refused(d.fileName, "no such parameter");
    const std::uint32_t first = part ? part->first : 0;
    const std::uint32_t count = part ? part->count : height;
    if (count == 0 || std::uint64_t(first) + count > height) {
        return read_result::refused(d.fileName, "rows past the image's last");
    }
    const sd_file file(d.fileName, DFACC_READ);
    if (!file.ok()) return read_result::refused(d.fileName, "HDF4 file cannot be opened");
    const int32 index = dataset_index(file, d.para);
    if (index < 0) return read_result::refused(d.fileName, "HDF4 flag image is missing");
    const sd_dataset sds(file, index);
    sd_info info;
    if (!get_sd_info(sds, info) || info.rank != 2)
        return read_result::refused(d.fileName, "HDF4 flag image cannot be read");
    // The file may have been replaced since recognition: the image must still
    // have the recognised shape before anything is read into the buffer.
    if (info.dims[1] != static_cast<int32>(width) || info.dims[0] != static_cast<int32>(height)
        || info.numberType != kHdf4Uint8) {
        return read_result::refused(d.fileName, "HDF4 flag image has changed since it was recognised");
    }
    // Every sample is written by the read: no clearing first.
    out.byteRaster.resize(std::size_t(width) * count);
    int32 start[2] = {static_cast<int32>(first), 0};
    int32 edges[2] = {static_cast<int32>(count), info.dims[1]};
    if (SDreaddata(sds.id(), start, nullptr, edges, out.byteRaster.data()) == FAIL) {
        out.release_planes();
        return read_result::refused(d.fileName, "HDF4 flag image cannot be read");
    }
    out.dataAttr.width = static_cast<std::int32_t>(width);
    out.dataAttr.height = static_cast<std::int32_t>(count);
    out.dataAttr.bands = 1;
    return {DT_UINT8, {}};
}

} // namespace

read_result jasmes_hdf4_reader::read(const product_description& d, std::uint32_t idx, read_buffers& out)
{
    return read_image(d, idx, std::nullopt, out);
}

read_result jasmes_hdf4_reader::read_rows(const product_description& d, std::uint32_t idx, row_span rows,
                                          read_buffers& out)
{
    return read_image(d, idx, rows, out);
}

} // namespace vardane
