#include "tools/mkdata/data_writers.h"

// No built-in colour table yet.
bool write_colour_data(const std::filesystem::path&) { return true; }
