#pragma once

// Owning wrappers of the HDF4 scientific-data identifiers. Include only from
// HDF4 source files: mfhdf.h brings its own netCDF declarations.
#include <mfhdf.h>

#include <string>

namespace vardane {

// An open HDF4 file (SDstart / SDend).
class sd_file {
public:
    sd_file(const std::string& path, int32 access) : id_(SDstart(path.c_str(), access)) {}
    ~sd_file()
    {
        if (id_ != FAIL) SDend(id_);
    }
    sd_file(const sd_file&) = delete;
    sd_file& operator=(const sd_file&) = delete;

    bool ok() const { return id_ != FAIL; }
    int32 id() const { return id_; }

private:
    int32 id_;
};

// One selected scientific dataset (SDselect / SDendaccess).
class sd_dataset {
public:
    sd_dataset(const sd_file& file, int32 index) : id_(file.ok() ? SDselect(file.id(), index) : FAIL) {}
    // Takes ownership of an identifier from SDcreate.
    explicit sd_dataset(int32 adoptedId) : id_(adoptedId) {}
    ~sd_dataset()
    {
        if (id_ != FAIL) SDendaccess(id_);
    }
    sd_dataset(const sd_dataset&) = delete;
    sd_dataset& operator=(const sd_dataset&) = delete;

    bool ok() const { return id_ != FAIL; }
    int32 id() const { return id_; }

private:
    int32 id_;
};

// What SDgetinfo tells about a dataset.
struct sd_info {
    std::string name;
    int32 rank = 0;
    int32 dims[H4_MAX_VAR_DIMS] = {};
    int32 numberType = 0;
    int32 attributes = 0;
};

inline bool get_sd_info(const sd_dataset& sds, sd_info& info)
{
    char name[H4_MAX_NC_NAME + 1] = {};
    if (!sds.ok() || SDgetinfo(sds.id(), name, &info.rank, info.dims, &info.numberType, &info.attributes) == FAIL)
        return false;
    info.name = name;
    return info.rank >= 0 && info.rank <= H4_MAX_VAR_DIMS;
}

} // namespace vardane
