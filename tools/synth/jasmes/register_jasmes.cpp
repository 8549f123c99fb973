#include "synth_registry.h"

void register_jasmes_kinds(std::vector<synth_kind>&) {}
