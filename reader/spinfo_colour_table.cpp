#include "reader/spinfo.h"

// Built-in colour tables are not chosen yet: no file has one.
std::string spinfo::getCLT() const { return {}; }
