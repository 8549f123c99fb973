#include "output/swath/coregistration_cache.h"

#include <cstring>

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
                                                          const float_grid& lon89A, const std::string& band, float a1,
                                                          float a2, std::int32_t rows, std::int32_t columns)
{
    const std::uint64_t fingerprint = geolocation_fingerprint(lat89A, lon89A);
    if (fingerprint != cache.fingerprint) {
        cache.bands.clear();
        cache.frames.clear();
        cache.framesRows = cache.framesColumns = 0;
        cache.fingerprint = fingerprint;
    }
    auto& e = cache.bands[band];
    if (e.a1 == a1 && e.a2 == a2 && same_shape(e.lat, rows, columns)) return e;

    e.a1 = a1;
    e.a2 = a2;
    for (float_grid* g : {&e.lon, &e.lat}) {
        g->width = columns;
        g->height = rows;
        g->values.assign(std::size_t(rows) * std::size_t(columns), 0.0f);
    }
    // Every footprint is worked out on its own: the scans are shared among
    // the cores, but for a traced run, whose warnings on lost footprints
    // come in scan order.
    const auto overScans = [&](const auto& work) {
        if (trace_enabled()) {
            work(0, rows);
        } else {
            for_row_bands(rows, columns, work);
        }
    };
    if (cache.framesRows != rows || cache.framesColumns != columns) {
        cache.frames.resize(std::size_t(rows) * std::size_t(columns));
        overScans([&](std::int32_t first, std::int32_t last) {
            for (std::int32_t s = first; s < last; ++s) {
                for (std::int32_t i = 0; i < columns; ++i) {
                    cache.frames[std::size_t(s) * std::size_t(columns) + std::size_t(i)] =
                        coregistration_frame_of(lat89A, lon89A, s, i);
                }
            }
        });
        cache.framesRows = rows;
        cache.framesColumns = columns;
    }
    overScans([&](std::int32_t first, std::int32_t last) {
        for (std::int32_t s = first; s < last; ++s) {
            for (std::int32_t i = 0; i < columns; ++i) {
                const std::size_t at = std::size_t(s) * std::size_t(columns) + std::size_t(i);
                coregistered_point(cache.frames[at], lat89A, lon89A, a1, a2, s, i, e.lon.values[at], e.lat.values[at]);
            }
        }
    });
    return e;
}

void release_frames(coregistration_cache& cache)
{
    std::vector<coregistration_frame>().swap(cache.frames);
    cache.framesRows = cache.framesColumns = 0;
}

} // namespace vardane
