#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "output/kmz/kml_document.h"
#include "output/temporary_files.h"
#include "output/kmz/zip_archive.h"
#include "output/spout.h"
#include "output/write_failure.h"
#include "util/string_utils.h"

namespace vardane {

// KMZ overlay: the colour image, the KML document that lays it over its box
// and the legend picture, zipped side by side at the archive's top level.
// Everything is made in the folder of the archive itself; only the archive
// stays.
namespace fs = std::filesystem;

namespace {

// "" when the text is on disk, else the system's words.
std::string write_text_file(const fs::path& path, const std::string& text)
{
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (out) return {};
    return errno != 0 ? std::strerror(errno) : "cannot write " + path.string();
}

// Copies the legend beside the archive; its name when that worked.
std::optional<std::string> copy_legend(const std::string& pngName, const std::string& pngPath, const fs::path& folder,
                                       temporary_files& temporaries)
{
    std::error_code ec;
    if (pngName.empty() || pngPath.empty() || !fs::is_regular_file(pngPath, ec)) return std::nullopt;
    const fs::path copy = temporaries.add((folder / pngName).string());
    if (!fs::copy_file(pngPath, copy, fs::copy_options::overwrite_existing, ec)) return std::nullopt;
    return pngName;
}

} // namespace

bool spout::gen_KmzImage(const std::string& name, bool quad, const std::vector<color_map>& colours,
                         const std::string& pngName, const std::string& pngPath, const std::string& invalidText,
                         bool flag)
{
    if (!can_write(name)) return false;
    const fs::path folder = fs::path(name).parent_path();
    const std::string base = trim_space(basename(name));
    if (base.empty()) return refuse(name, write_cause::kNoName);

    temporary_files temporaries;
    const fs::path kml = temporaries.add((folder / (base + ".kml")).string());
    const fs::path image = temporaries.add((folder / (base + ".tiff")).string());
    const std::optional<std::string> legend = copy_legend(pngName, pngPath, folder, temporaries);

    if (const std::string why = write_text_file(kml, kml_text(kml_lines(base, corners, quad, legend))); !why.empty()) {
        return refuse(name, why);
    }
    // The image's cause is the archive's.
    if (!gen_TiffImage(image.string(), colours, invalidText, flag)) {
        lastFailure_.file = name;
        return false;
    }

    const fs::path archive = folder / (base + ".kmz");
    zip_archive kmz(archive);
    bool ok =
        kmz.is_open() && kmz.add_file(kml.filename().string(), kml) && kmz.add_file(image.filename().string(), image);
    if (ok && legend) ok = kmz.add_file(*legend, folder / *legend);
    if (ok && kmz.save()) return true;
    // An incomplete archive must not be taken for a result.
    std::error_code ec;
    fs::remove(archive, ec);
    return refuse(archive.string(), kmz.error());
}

} // namespace vardane
