#pragma once
// The groups of the gallery, one sheet each. Every group builds its cells
// with the toolkit's real controls and windows; a cell's drive gives its
// sample the state its caption names.

#include <vector>

#include "tools/gallery/stage.h"

namespace lirvo::gallery {

struct GroupMaker {
    const char* name;
    Group (*make)();
};

const std::vector<GroupMaker>& Groups();

}  // namespace lirvo::gallery
