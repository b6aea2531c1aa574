#pragma once
// Owner of one COM interface pointer: releases it exactly once.

#include <objbase.h>

#include <memory>

namespace lirvo {

struct ComReleaser {
    void operator()(IUnknown* object) const { object->Release(); }
};

template <typename Interface>
using ComPtr = std::unique_ptr<Interface, ComReleaser>;

}  // namespace lirvo
