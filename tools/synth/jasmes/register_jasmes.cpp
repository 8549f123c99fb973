// Kinds JASMES_RAW, JASMES_HDR, JASMES_HDF4 and GSMAP_BIN of vardane-synth.
//
// Naming: the reader recognises a GSMaP flat-binary file only when its file
// name starts with "gsmap_"; a JASMES flat-binary file must NOT start with
// "gsmap_". HDF4 files may have any name. The writers use OUTFILE as given;
// a flat file (JASMES_RAW, JASMES_HDR, GSMAP_BIN) whose OUTFILE ends in ".gz"
// is written gzip-compressed.
#include <iostream>
#include <stdexcept>

#include "jasmes/jasmes_synth.h"
#include "synth_registry.h"
#include "util/number_text.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

// --set grid=NAME, optionally overridden by width= and height=.
bool pick_grid(const synth_options& o, const std::string& fallback, synth_grid& grid)
{
    const std::string name = o.variant("grid", o.full ? "global" : fallback);
    const synth_grid* g = find_synth_grid(name);
    if (!g) {
        std::cerr << "vardane-synth: unknown grid '" << name << "'\n";
        return false;
    }
    grid = *g;
    try {
        grid.width = std::stoi(o.variant("width", std::to_string(grid.width)));
        grid.height = std::stoi(o.variant("height", std::to_string(grid.height)));
    } catch (const std::exception&) {
        std::cerr << "vardane-synth: width and height must be numbers\n";
        return false;
    }
    if (grid.width <= 0 || grid.height <= 0) {
        std::cerr << "vardane-synth: width and height must be positive\n";
        return false;
    }
    return true;
}

bool number(const synth_options& o, const std::string& key, double fallback, double& value)
{
    const auto read = leading_double(o.variant(key, format_general(fallback, 17)));
    if (!read) {
        std::cerr << "vardane-synth: --set " << key << " needs a number\n";
        return false;
    }
    value = *read;
    return true;
}

std::vector<std::uint32_t> counts_for(const synth_grid& g, const synth_options& o, std::uint32_t lo, std::uint32_t hi,
                                      std::uint32_t fill)
{
    return synth_counts(g.width, g.height, o.seed, lo, hi, fill);
}

// Headerless image of a known grid: bytes=1 ("wf") or bytes=2 ("lst").
bool write_raw(const std::string& out, const synth_options& o)
{
    synth_grid g;
    if (!pick_grid(o, "gobi", g)) return false;
    const std::string bytes = o.variant("bytes", "1");
    std::vector<unsigned char> payload;
    if (bytes == "1") {
        append_u8(payload, counts_for(g, o, 0, 254, 255));
    } else if (bytes == "2") {
        // Land surface temperature in units of 0.02 K; 65535 and 65534 missing.
        auto c = counts_for(g, o, 12000, 16500, 65535);
        for (std::size_t i = 1; i < c.size(); i += 97) {
            if (c[i] == 65535) c[i] = 65534;
        }
        append_u16le(payload, c);
    } else {
        std::cerr << "vardane-synth: bytes must be 1 or 2\n";
        return false;
    }
    return write_bytes_file(out, payload);
}

// Headed image: form=t1 | wst | t1rgb | t2 (the 23-band aerosol file).
bool write_headed(const std::string& out, const synth_options& o)
{
    synth_grid g;
    if (!pick_grid(o, "gobi", g)) return false;
    const std::string form = o.variant("form", "t1");
    const std::string para = o.variant("para", form == "t1rgb" ? "rgb" : "chla");
    const std::string area = o.variant("area", "Synthetic_area");
    double scale = 0.0;
    double offset = 0.0;
    if (!number(o, "scale", 0.015, scale) || !number(o, "offset", -2.0, offset)) return false;
    const auto w = static_cast<std::size_t>(g.width);

    std::vector<unsigned char> payload;
    if (form == "wst") {
        append_u8(payload, counts_for(g, o, 1, 255, 0));
        return write_headed_file(out, t1_wst_header_line(g), w, payload);
    }
    if (form == "t2") {
        std::vector<double> scales(23);
        for (std::size_t k = 0; k < scales.size(); ++k) scales[k] = 0.001 * static_cast<double>(k + 1);
        for (std::uint32_t k = 0; k < 23; ++k) {
            append_u16le(payload, synth_counts(g.width, g.height, o.seed + k, 0, 4000, 65535));
        }
        return write_headed_file(out, t2_header_line(g, scales), 2 * w, payload);
    }
    const std::string bytes = o.variant("bytes", form == "t1rgb" ? "3" : "2");
    std::size_t headerRow = w;
    if (bytes == "1") {
        append_u8(payload, counts_for(g, o, 0, 254, 255));
    } else if (bytes == "2") {
        append_u16le(payload, counts_for(g, o, 0, 300, 65535));
        headerRow = 2 * w;
    } else if (bytes == "3") {
        for (std::uint32_t k = 0; k < 3; ++k)
            append_u8(payload, synth_counts(g.width, g.height, o.seed + k, 0, 255, 0));
    } else if (bytes == "4") {
        for (std::uint32_t k = 0; k < 2; ++k) {
            append_u16le(payload, synth_counts(g.width, g.height, o.seed + k, 0, 30000, 65535));
        }
        headerRow = 2 * w;
    } else {
        std::cerr << "vardane-synth: bytes must be 1, 2, 3 or 4\n";
        return false;
    }
    if (form == "t1") return write_headed_file(out, t1_header_line(g, scale, offset, para, area), headerRow, payload);
    if (form == "t1rgb")
        return write_headed_file(out, t1rgb_header_line(g, scale, offset, para, area), headerRow, payload);
    std::cerr << "vardane-synth: form must be t1, wst, t1rgb or t2\n";
    return false;
}

// flags=cs | surface | both; bits=8 | 16; area=TEXT (the "File Name" attribute).
bool write_hdf4(const std::string& out, const synth_options& o)
{
    synth_grid g;
    if (!pick_grid(o, "gobi", g)) return false;
    const std::string flags = o.variant("flags", "cs");
    const int bits = o.variant("bits", "8") == "16" ? 16 : 8;
    std::vector<synth_sds> sds;
    // A "both" file stores "Surface_Flag" first, so that the reader's
    // preference does not follow from the storage order.
    if (flags == "surface" || flags == "both") sds.push_back({"Surface_Flag", bits, true});
    if (flags == "cs" || flags == "both") sds.push_back({"cs_flg_tpf", bits, true});
    if (sds.empty()) {
        std::cerr << "vardane-synth: flags must be cs, surface or both\n";
        return false;
    }
    const std::string area = o.variant("area", "M5C_SYNTH_20240101_" + std::string(g.name));
    return write_jasmes_hdf4(out, g.width, g.height, sds, area, o.seed);
}

// period=hourly | daily | monthly; size=small (1440 x 480) | large
// (3600 x 1200). A monthly file is two large grids: precipitation, then the
// count behind it.
bool write_gsmap(const std::string& out, const synth_options& o)
{
    const std::string period = o.variant("period", "hourly");
    const auto p = period == "daily"     ? synth_gsmap_period::daily
                   : period == "monthly" ? synth_gsmap_period::monthly
                                         : synth_gsmap_period::hourly;
    if (p == synth_gsmap_period::hourly && period != "hourly") {
        std::cerr << "vardane-synth: period must be hourly, daily or monthly\n";
        return false;
    }
    const bool monthly = p == synth_gsmap_period::monthly;
    const std::string size = o.variant("size", o.full || monthly ? "large" : "small");
    if (size != "small" && size != "large") {
        std::cerr << "vardane-synth: size must be small or large\n";
        return false;
    }
    if (monthly && size != "large") {
        std::cerr << "vardane-synth: a monthly file is large (3600 x 1200)\n";
        return false;
    }
    const bool large = size == "large";
    if (basicfname(out).rfind("gsmap_", 0) != 0)
        std::cerr << "vardane-synth: note: only files named gsmap_* are read as GSMaP binary\n";
    const auto precipitation = synth_precipitation(large ? 3600 : 1440, large ? 1200 : 480, o.seed, p);
    std::vector<unsigned char> payload;
    append_f32le(payload, precipitation);
    if (monthly) append_f32le(payload, synth_gsmap_counts(precipitation));
    return write_bytes_file(out, payload);
}

} // namespace

void register_jasmes_kinds(std::vector<synth_kind>& kinds)
{
    kinds.push_back(
        {"JASMES_RAW", "JASMES headerless image (--set grid=global|japan|thailand|gobi bytes=1|2)", write_raw});
    kinds.push_back({"JASMES_HDR",
                     "JASMES headed image (--set form=t1|wst|t1rgb|t2 grid=NAME width=N height=N bytes=1..4 "
                     "para=NAME scale=X offset=X area=TEXT)",
                     write_headed});
    kinds.push_back({"JASMES_HDF4",
                     "JASMES HDF4 flag image (--set grid=global|japan5|japan|thailand|gobi flags=cs|surface|both "
                     "bits=8|16 area=TEXT)",
                     write_hdf4});
    kinds.push_back({"GSMAP_BIN",
                     "GSMaP flat-binary grid, named as the provider does, e.g. "
                     "gsmap_mvk.20220701.0000.v8.0000.0.dat, gsmap_mvk.20220701.0.1d.daily.00Z-23Z.v8.0000.0.dat, "
                     "gsmap_mvk.202207.0.1d.monthly.00Z-23Z.v8.0000.0.dat (--set period=hourly|daily|monthly "
                     "size=small|large; monthly is large)",
                     write_gsmap});
}

} // namespace vardane
