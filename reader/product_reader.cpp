#include "reader/product_reader.h"

namespace vardane {

read_result product_reader::read_rows(const product_description& d, std::uint32_t idx, row_span rows, read_buffers& out)
{
    read_result result = read(d, idx, out);
    if (result.ok() && !out.keep_rows(result.dtype, rows)) {
        out.release_planes();
        return read_result::refused(d.fileName, "rows " + std::to_string(rows.first) + " to "
                                                    + std::to_string(std::uint64_t(rows.first) + rows.count)
                                                    + " are not all in parameter " + std::to_string(idx));
    }
    return result;
}

} // namespace vardane
