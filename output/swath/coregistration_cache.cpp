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

const coregistration_cache::entry& coregistered_positions(coregistration_cache& cache, const float_grid& lat89A,
                                                          const float_grid& lon89A, const band_factors& asked,
                                                          std::span<const band_factors> other, std::int32_t rows,
                                                          std::int32_t columns)
{
    const std::uint64_t fingerprint = geolocation_fingerprint(lat89A, lon89A);
    if (fingerprint != cache.fingerprint) {
        cache.bands.clear();
        cache.fingerprint = fingerprint;
    }
    const auto current = [&](const band_factors& b) {
        const auto it = cache.bands.find(b.band);
        return it != cache.bands.end() && it->second.a1 == b.a1 && it->second.a2 == b.a2
               && same_shape(it->second.lat, rows, columns);
    };
    auto& wanted = cache.bands[asked.band];
    if (!current(asked)) {
        // The bands to make, the asked one first; each key once.
        std::vector<const band_factors*> making{&asked};
        for (const band_factors& b : other) {
            const bool listed = std::ranges::any_of(making, [&](const band_factors* m) { return m->band == b.band; });
            if (!listed && !current(b)) making.push_back(&b);
        }
        std::vector<coregistration_cache::entry*> entries;
        for (const band_factors* b : making) {
            auto& e = cache.bands[b->band];
            e.a1 = b->a1;
            e.a2 = b->a2;
            e.warned = false;
            for (float_grid* g : {&e.lon, &e.lat}) {
                g->width = columns;
                g->height = rows;
                g->values.assign(std::size_t(rows) * std::size_t(columns), 0.0f);
            }
            entries.push_back(&e);
        }
        for_row_bands(rows, std::int64_t(columns) * std::int64_t(entries.size()),
                      [&](std::int32_t first, std::int32_t last) {
                          for (std::int32_t s = first; s < last; ++s) {
                              for (std::int32_t i = 0; i < columns; ++i) {
                                  const coregistration_frame frame = coregistration_frame_of(lat89A, lon89A, s, i);
                                  const std::size_t at = std::size_t(s) * std::size_t(columns) + std::size_t(i);
                                  for (coregistration_cache::entry* e : entries)
                                      coregistered_point(frame, e->a1, e->a2, e->lon.values[at], e->lat.values[at]);
                              }
                          }
                      });
    }
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
