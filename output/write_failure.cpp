#include "output/write_failure.h"

#include <cpl_error.h>

#include "output/guarded_file.h"

namespace vardane {

std::string library_cause(const std::string& path)
{
    // The disk's refusal is the root; GDAL's message then only says that
    // its write failed.
    if (std::string why = take_write_failure(path); !why.empty()) return why;
    const CPLErr type = CPLGetLastErrorType();
    if (type == CE_Failure || type == CE_Fatal) return CPLGetLastErrorMsg();
    return {};
}

} // namespace vardane
