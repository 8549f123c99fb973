#include "output/swath/coregistration_cache.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "util/row_bands.h"
#include "util/trace_stream.h"

namespace vardane {

namespace {

std::uint64_t mix(std::uint64_t h, std::uint64_t v)
{
    h ^= v;
    h *= 0x100000001b3ULL;
    return h ^ (h >> 29);
}

std::uint64_t fingerprint_of(std::uint64_t h, const float_grid& g)
{
    h = mix(h, std::uint64_t(std::uint32_t(g.width)) << 32 | std::uint32_t(g.height));
    const std::size_t n = g.values.size();
    const float* v = g.values.data();
    std::size_t i = 0;
    for (; i + 2 <= n; i += 2) {
        std::uint64_t pair = 0;
        std::memcpy(&pair, v + i, sizeof pair);
        h = mix(h, pair);
    }
    if (i < n) {
        std::uint32_t last = 0;
        std::memcpy(&last, v + i, sizeof last);
        h = mix(h, last);
    }
    return h;
}

bool same_shape(const float_grid& g, std::int32_t rows, std::int32_t columns)
{
    return g.height == rows && g.width == columns;
}

} // namespace

std::uint64_t geolocation_fingerprint(const float_grid& lat, const float_grid& lon)
{
    return fingerprint_of(fingerprint_of(0xcbf29ce484222325ULL, lat), lon);
}

namespace {

coregistration_cache::entry& made_scans(coregistration_cache& cache, const float_grid& lat89A, const float_grid& lon89A,
                                        const band_factors& asked, std::span<const band_factors> other,
                                        std::int32_t rows, std::int32_t columns, std::int32_t first, std::int32_t count)
{
    const std::uint64_t fingerprint = geolocation_fingerprint(lat89A, lon89A);
    if (fingerprint != cache.fingerprint) {
        cache.bands.clear();
        cache.fingerprint = fingerprint;
    }
    const auto scans_made = [&](const coregistration_cache::entry& e) {
        return std::all_of(e.made.begin() + first, e.made.begin() + first + count, [](bool made) { return made; });
    };
    // The entry of a band, kept when it was made with these factors for
    // this raster, else cleared to be made again.
    const auto entry_of = [&](const band_factors& b) -> coregistration_cache::entry& {
        auto& e = cache.bands[b.band];
        if (e.a1 != b.a1 || e.a2 != b.a2 || !same_shape(e.lat, rows, columns)) {
            e.a1 = b.a1;
            e.a2 = b.a2;
            e.warned = false;
            e.made.assign(std::size_t(rows), false);
            for (float_grid* g : {&e.lon, &e.lat}) {
                g->width = columns;
                g->height = rows;
                g->values.resize(std::size_t(rows) * std::size_t(columns));
            }
        }
        return e;
    };
    auto& wanted = entry_of(asked);
    if (scans_made(wanted)) return wanted;
    // The bands lacking some of the scans, the asked one first; each key once.
    std::vector<coregistration_cache::entry*> entries{&wanted};
    std::vector<std::string_view> keys{asked.band};
    for (const band_factors& b : other) {
        if (std::ranges::find(keys, b.band) != keys.end()) continue;
        keys.push_back(b.band);
        auto& e = entry_of(b);
        if (!scans_made(e)) entries.push_back(&e);
    }
    for_row_bands(count, std::int64_t(columns) * std::int64_t(entries.size()), [&](std::int32_t from, std::int32_t to) {
        std::vector<coregistration_cache::entry*> making;
        for (std::int32_t s = first + from; s < first + to; ++s) {
            making.clear();
            for (coregistration_cache::entry* e : entries) {
                if (!e->made[std::size_t(s)]) making.push_back(e);
            }
            for (std::int32_t i = 0; i < columns && !making.empty(); ++i) {
                const coregistration_frame frame = coregistration_frame_of(lat89A, lon89A, s, i);
                const std::size_t at = std::size_t(s) * std::size_t(columns) + std::size_t(i);
                for (coregistration_cache::entry* e : making)
                    coregistered_point(frame, e->a1, e->a2, e->lon.values[at], e->lat.values[at]);
            }
        }
    });
    // Noted once every thread is done: the flags share their words.
    for (coregistration_cache::entry* e : entries)
        std::fill(e->made.begin() + first, e->made.begin() + first + count, true);
    return wanted;
}

} // namespace

const coregistration_cache::entry& coregistered_scans(coregistration_cache& cache, const float_grid& lat89A,
                                                      const float_grid& lon89A, const band_factors& asked,
                                                      std::span<const band_factors> other, std::int32_t rows,
                                                      std::int32_t columns, std::int32_t first, std::int32_t count)
{
    return made_scans(cache, lat89A, lon89A, asked, other, rows, columns, first, count);
}

const coregistration_cache::entry& coregistered_positions(coregistration_cache& cache, const float_grid& lat89A,
                                                          const float_grid& lon89A, const band_factors& asked,
                                                          std::span<const band_factors> other, std::int32_t rows,
                                                          std::int32_t columns)
{
    auto& wanted = made_scans(cache, lat89A, lon89A, asked, other, rows, columns, 0, rows);
    // A traced run warns of a band's lost footprints as its first variable
    // is drawn, in scan order, as working the band out alone would.
    if (trace_enabled() && !wanted.warned) {
        for (std::int32_t s = 0; s < rows; ++s) {
            for (std::int32_t i = 0; i < columns; ++i) {
                if (wanted.lat.values[std::size_t(s) * std::size_t(columns) + std::size_t(i)] == kLostFootprint)
                    warn_lost_footprint(lat89A, lon89A, s, i);
            }
        }
    }
    wanted.warned = true;
    return wanted;
}

} // namespace vardane
