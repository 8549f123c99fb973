#pragma once

#include <string>
#include <vector>

namespace vardane {

// Shard `index` of `count` of the inputs, so that the tasks of an array job
// split one list without talking to each other: the inputs are sorted by
// base name (then by path) and their base-name groups dealt out in turn.
// Files of one base name stay together, because their outputs take the same
// names: in one run the driver keeps the first file's, in two concurrent
// runs they would overwrite each other. The result is in that sorted order,
// each path once.
std::vector<std::string> shard_of(std::vector<std::string> inputs, int index, int count);

} // namespace vardane
