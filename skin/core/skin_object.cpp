#include "skin/core/skin_object.h"

#include "skin/core/toolkit.h"

namespace lirvo {

// An object that goes away must not stay reachable through its handle.
SkinObject::~SkinObject() {
    if (handle_ != 0) Toolkit().objectRegistry.Remove(handle_);
}

}  // namespace lirvo
