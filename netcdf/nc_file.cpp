#include "netcdf/nc_file.h"

#include <netcdf.h>

namespace vardane {

nc_file::~nc_file() { abort(); }

void nc_file::abort()
{
    if (id_ >= 0) nc_abort(id_);
    id_ = -1;
}

bool nc_file::create(const std::string& path)
{
    int id = -1;
    const int status = nc_create(path.c_str(), NC_NOCLOBBER, &id);
    if (status == NC_EEXIST) return fail("NetCDF file " + path + " already exists.");
    if (!check(status, "cannot create " + path)) return false;
    id_ = id;
    created_ = true;
    defining_ = true;
    return true;
}

bool nc_file::define_mode()
{
    if (defining_) return true;
    if (!check(nc_redef(id_), "cannot re-enter define mode")) return false;
    defining_ = true;
    return true;
}

bool nc_file::data_mode()
{
    if (!defining_) return true;
    if (!check(nc_enddef(id_), "cannot leave define mode")) return false;
    defining_ = false;
    return true;
}

bool nc_file::close()
{
    const int id = id_;
    id_ = -1;
    return check(nc_close(id), "cannot close the NetCDF file");
}

bool nc_file::check(int status, const std::string& what)
{
    if (status == NC_NOERR) return true;
    return fail(what + ": " + nc_strerror(status));
}

bool nc_file::fail(const std::string& message)
{
    if (error_.empty()) error_ = message;
    return false;
}

} // namespace vardane
