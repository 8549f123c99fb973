#include "settings/option_catalogue.h"

#include <utility>

namespace vardane {

void option_catalogue::add(SettingType kind, std::span<const catalogue_row> rows)
{
    auto& set = sets[kind];
    auto& keys = order[kind];
    set.clear();
    keys.clear();
    for (const catalogue_row& row : rows) {
        optSet_t entry;
        entry.flag = row.selected;
        entry.name = std::string(row.name);
        entry.index = row.index;
        set[std::string(row.key)] = std::move(entry);
        keys.emplace_back(row.key);
    }
}

void option_catalogue::add(SettingType kind, std::span<const positional_row> rows)
{
    std::vector<catalogue_row> full;
    full.reserve(rows.size());
    int position = 0;
    for (const positional_row& row : rows) {
        full.push_back({row.key, row.name.empty() ? row.key : row.name, position++, true});
    }
    add(kind, full);
}

} // namespace vardane
