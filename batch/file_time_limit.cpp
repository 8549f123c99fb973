#include "batch/file_time_limit.h"

#include <algorithm>
#include <filesystem>

namespace vardane {

namespace {

// The default limit. A hung library call never returns, so any bound ends
// the stall; what matters is that the bound never cuts off a slow but live
// conversion. The largest real products are 100 to 300 MB of HDF5; a full
// SGLI scene converts here in about 15 s per output kind, some 0.1 s a
// megabyte at worst, and a slow network disk may be 20 times slower: 2 s a
// megabyte. The default allows 3 s a megabyte for each output kind asked
// (a 300 MB product with one kind: 17 minutes), on top of a base for small
// files, opening the libraries and a loaded machine. --pace sleeps between
// the stages of a file, some four per variable and a few per file: the
// allowance covers well over a hundred variables.
struct default_limit {
    long long baseSeconds;
    long long secondsPerMegabytePerKind;
    long long pausesPerFile;
};
constexpr default_limit kDefaultLimit{120, 3, 500};

constexpr long long kMegabyte = 1024 * 1024;

} // namespace

std::optional<std::chrono::seconds> file_time_limit(const batch_options& options, const std::string& path)
{
    if (options.fileTimeout) {
        if (*options.fileTimeout == 0) return std::nullopt;
        return std::chrono::seconds(*options.fileTimeout);
    }
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(path, ec);
    // A file that cannot be measured fails at once; the base covers that.
    const long long megabytes = ec ? 0 : static_cast<long long>((bytes + kMegabyte - 1) / kMegabyte);
    const long long kinds = std::max<long long>(1, static_cast<long long>(kinds_asked(options.kinds)));
    const long long paceSeconds = (kDefaultLimit.pausesPerFile * options.paceMs + 999) / 1000;
    return std::chrono::seconds(kDefaultLimit.baseSeconds + megabytes * kinds * kDefaultLimit.secondsPerMegabytePerKind
                                + paceSeconds);
}

} // namespace vardane
