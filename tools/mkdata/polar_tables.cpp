#include "tools/mkdata/data_writers.h"

// No polar coordinate table yet.
bool write_polar_tables(const std::filesystem::path&) { return true; }
