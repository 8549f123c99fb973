#include "cli/cli_options.h"

#include <charconv>

#include "batch/memory_limit.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

// The output-kind flags and the switch each one sets.
struct kind_flag {
    const char* flag;
    bool output_switches::*field;
    const char* label; // as the window's check box names it
};
constexpr kind_flag kKindFlags[] = {
    {"--geotiff", &output_switches::geotiff, "GeoTIFF"},
    {"--kmz", &output_switches::kmz, "KMZ"},
    {"--tiff-text", &output_switches::tiffText, "TIFF+TEXT"},
    {"--netcdf", &output_switches::netcdf, "NetCDF"},
};

bool parse_count(const std::string& text, int minimum, int& value)
{
    int parsed = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, parsed);
    if (ec != std::errc() || ptr != end || parsed < minimum) return false;
    value = parsed;
    return true;
}

// "K/N" with 0 <= K < N.
bool parse_shard(const std::string& text, int& index, int& count)
{
    const auto slash = text.find('/');
    if (slash == std::string::npos) return false;
    int k = 0;
    int n = 0;
    if (!parse_count(text.substr(0, slash), 0, k) || !parse_count(text.substr(slash + 1), 1, n) || k >= n) return false;
    index = k;
    count = n;
    return true;
}

// The short options followed by a value.
bool takes_value(char option) { return option == 'o' || option == 'j'; }

} // namespace

const char* usage_text()
{
    return "usage: vardane-cli [options] INPUT...\n"
           "  INPUT                 product files, or folders (every file directly inside, in name order)\n"
           "  -o, --output DIR      output folder (must exist)\n"
           "  --geotiff --kmz --tiff-text --netcdf\n"
           "                        output kinds; none given means GeoTIFF alone\n"
           "  --geotiff-profile plain|compressed|cog\n"
           "                        layout of every GeoTIFF: plain (default) strips without compression;\n"
           "                        compressed: 512 x 512 tiles, DEFLATE with a predictor; cog: a\n"
           "                        Cloud-Optimized GeoTIFF, compressed alike, with overviews\n"
           "  --nodata, --no-nodata record (or not) the value meaning \"no data\" in each GeoTIFF\n"
           "                        (default: not with plain, recorded with compressed and cog)\n"
           "  --polar-grid quick-look|native|nsidc-25km|nsidc-12.5km|ease2-25km\n"
           "                        grid of the polar GeoTIFFs of global latitude/longitude grids: quick-look\n"
           "                        (default) a thinned view; native: one warp at the grid's own resolution;\n"
           "                        nsidc-*: the NSIDC sea-ice grids (EPSG 3411/3412); ease2-25km:\n"
           "                        EASE-Grid 2.0 (EPSG 6931/6932). All but quick-look record NoData\n"
           "  --settings FILE       settings file (default: the window's settings file)\n"
           "  --list-options        print the settings in the settings-file format and exit\n"
           "  -j, --jobs N          convert N files at once, each worker process with its own working folder (default "
           "1)\n"
           "  --max-memory SIZE     memory limit of each worker: BYTES, or NNNK, NNNM, NNNG; 0 for none;\n"
           "                        a file that needs more fails alone (\"out of memory\").\n"
           "                        Default: half the physical memory divided by --jobs, at least 1G;\n"
           "                        none in AddressSanitizer builds\n"
           "  --pace MS             pause between pipeline stages (default 0; the window uses 100)\n"
           "  --file-timeout SECONDS\n"
           "                        give up on a file still converting after SECONDS (a library hung):\n"
           "                        its worker is killed, the file fails, the batch goes on (0: no limit;\n"
           "                        default: 2 minutes plus 3 s per MB of input per output kind)\n"
           "  --files-from LIST     also the inputs named in LIST, one a line ('-': standard input);\n"
           "                        blank lines and lines starting with '#' are skipped\n"
           "  --shard K/N           convert only shard K (0 to N-1) of N: the inputs, sorted by base name,\n"
           "                        are dealt out in turn; files of one base name share a shard, since\n"
           "                        their outputs would take the same names\n"
           "  --report FILE         append one JSON line per input file when it ends: input, product kind\n"
           "                        or \"not a product\", outputs with their sizes, failures with their\n"
           "                        causes, seconds (one write each; give every concurrent run its own)\n"
           "  --skip-existing       skip a file that the --report FILE records as converted without a\n"
           "                        failure, for every output kind asked now, when the file still has the\n"
           "                        size and modification time recorded and every output it recorded is\n"
           "                        still in the output folder with its recorded size. A file is recorded\n"
           "                        only when it ended and outputs arrive whole, so a file interrupted,\n"
           "                        failed or changed is converted again; names are not guessed ahead\n"
           "  --mosaic              after the run, one GDAL VRT per output name and grid in the output\n"
           "                        folder, NAME_mosaic.vrt (NAME_mosaic_K.vrt when NAME has several\n"
           "                        grids), over this run's GeoTIFFs of that name in input order, later\n"
           "                        ones on top, their NoData letting the ones beneath show; implies\n"
           "                        --nodata\n"
           "  -q, --quiet           print only failures and the summary\n"
           "  -v, --verbose         also show the libraries' own messages on standard error\n"
           "  -h, --help            this help\n"
           "  --version             the program's version and the versions of the libraries it runs with\n"
           "Short options may be joined (-qj2 is -q -j 2).\n"
           "Exit status: 0 every product converted without a failure line; 1 a product failed,\n"
           "an input was missing, no input was a product, or the run was cancelled; 128 + N when\n"
           "signal N (SIGINT, SIGTERM, SIGHUP) cancelled it; 2 bad usage, an unreadable settings\n"
           "file or one without any known section, or a missing output folder.\n";
}

cli_parse_result parse_command_line(const std::vector<std::string>& given)
{
    cli_parse_result result;
    cli_options& o = result.options;
    bool anyKind = false;
    bool optionsEnded = false;
    // Bundled short options are taken apart as they come.
    std::vector<std::string> args = given;

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            o.inputs.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        // "--name=value" is the same as "--name value".
        std::string inlineValue;
        bool hasInline = false;
        if (arg.rfind("--", 0) == 0) {
            if (const auto eq = arg.find('='); eq != std::string::npos) {
                inlineValue = arg.substr(eq + 1);
                arg = arg.substr(0, eq);
                hasInline = true;
            }
        } else if (arg.size() > 2) {
            // As in getopt: "-j2" is "-j 2", "-qj2" is "-q -j2".
            const std::string rest = arg.substr(2);
            arg.resize(2);
            if (takes_value(arg[1])) {
                inlineValue = rest;
                hasInline = true;
            } else if (rest.front() == '-') {
                result.error = "unknown option " + args[i];
                return result;
            } else {
                args.insert(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, "-" + rest);
            }
            args[i] = arg;
        }
        const auto value = [&](std::string& out) {
            if (hasInline) {
                out = inlineValue;
                return true;
            }
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string v;

        bool matchedKind = false;
        for (const auto& k : kKindFlags) {
            if (arg == k.flag && !hasInline) {
                o.kinds.*k.field = true;
                anyKind = matchedKind = true;
            }
        }
        if (matchedKind) continue;

        if (arg == "-o" || arg == "--output") {
            if (!value(o.output)) result.error = "missing folder after " + arg;
        } else if (arg == "--geotiff-profile") {
            const auto profile = value(v) ? geotiff_profile_named(v) : std::nullopt;
            if (profile) {
                o.profile = *profile;
            } else {
                result.error = "--geotiff-profile needs plain, compressed or cog";
            }
        } else if (arg == "--polar-grid") {
            const auto grid = value(v) ? polar_grid_named(v) : std::nullopt;
            if (grid) {
                o.polarGrid = *grid;
            } else {
                result.error = "--polar-grid needs quick-look, native, nsidc-25km, nsidc-12.5km or ease2-25km";
            }
        } else if (arg == "--nodata" && !hasInline) {
            o.nodata = true;
        } else if (arg == "--no-nodata" && !hasInline) {
            o.nodata = false;
        } else if (arg == "--settings") {
            if (!value(o.settingsFile) || o.settingsFile.empty()) result.error = "missing file after --settings";
        } else if (arg == "-j" || arg == "--jobs") {
            if (!value(v) || !parse_count(v, 1, o.jobs)) result.error = "--jobs needs a whole number of at least 1";
        } else if (arg == "--max-memory") {
            if (!value(v) || !(o.maxMemory = parse_memory_size(v)))
                result.error = "--max-memory needs a size: BYTES, or a whole number followed by K, M or G";
        } else if (arg == "--pace") {
            if (!value(v) || !parse_count(v, 0, o.paceMs)) result.error = "--pace needs a whole number of milliseconds";
        } else if (arg == "--file-timeout") {
            int seconds = 0;
            if (!value(v) || !parse_count(v, 0, seconds))
                result.error = "--file-timeout needs a whole number of seconds";
            o.fileTimeout = seconds;
        } else if (arg == "--files-from") {
            if (!value(o.filesFrom) || o.filesFrom.empty()) result.error = "missing list after --files-from";
        } else if (arg == "--shard") {
            if (!value(v) || !parse_shard(v, o.shardIndex, o.shardCount))
                result.error = "--shard needs K/N with 0 <= K < N";
        } else if (arg == "--report") {
            if (!value(o.reportFile) || o.reportFile.empty()) result.error = "missing file after --report";
        } else if (arg == "--skip-existing" && !hasInline) {
            o.skipExisting = true;
        } else if (arg == "--mosaic" && !hasInline) {
            o.mosaic = true;
        } else if ((arg == "-q" || arg == "--quiet") && !hasInline) {
            o.quiet = true;
        } else if ((arg == "-v" || arg == "--verbose") && !hasInline) {
            o.verbose = true;
        } else if ((arg == "-h" || arg == "--help") && !hasInline) {
            o.help = true;
        } else if (arg == "--version" && !hasInline) {
            o.version = true;
        } else if (arg == "--list-options" && !hasInline) {
            o.listOptions = true;
        } else {
            result.error = "unknown option " + args[i];
        }
        if (!result.error.empty()) return result;
    }

    if (!anyKind) o.kinds.geotiff = true;
    // A mosaic shows the files beneath through each file's gaps, which it
    // knows only where a file records its NoData; an explicit --no-nodata
    // still wins.
    if (o.mosaic && !o.nodata) o.nodata = true;
    // Blanks around the folder are no part of its name; trimmed once here,
    // the folder means the same in every use.
    o.output = trim_space(o.output);
    if (o.help || o.version || o.listOptions) return result;
    if (o.output.empty()) {
        result.error = "no output folder (-o DIR)";
    } else if (o.skipExisting && o.reportFile.empty()) {
        // The report is what tells a finished file from one that was cut off.
        result.error = "--skip-existing needs --report FILE";
    } else if (o.mosaic && !o.kinds.geotiff) {
        result.error = "--mosaic needs GeoTIFF outputs (--geotiff)";
    } else if (o.inputs.empty() && o.filesFrom.empty()) {
        result.error = "no input";
    }
    return result;
}

std::vector<std::string> asked_kinds(const output_switches& kinds)
{
    std::vector<std::string> labels;
    for (const auto& k : kKindFlags) {
        if (kinds.*k.field) labels.emplace_back(k.label);
    }
    return labels;
}

batch_options batch_options_of(const cli_options& options)
{
    batch_options batch;
    batch.output = options.output;
    batch.kinds = options.kinds;
    batch.geotiff.profile = options.profile;
    batch.geotiff.nodata = options.nodata.value_or(nodata_by_default(options.profile));
    batch.geotiff.polarGrid = options.polarGrid;
    batch.jobs = options.jobs;
    batch.maxMemory = options.maxMemory;
    batch.fileTimeout = options.fileTimeout;
    batch.paceMs = options.paceMs;
    batch.verbose = options.verbose;
    batch.settingsFile = options.settingsFile;
    batch.cancelOnSignals = true;
    return batch;
}

} // namespace vardane
