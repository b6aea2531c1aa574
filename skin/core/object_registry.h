#pragma once
// ObjectRegistry: the ordered list of every live skin object. The controls of
// one host window stand together, and an object's descendants stand directly
// before it, so the first hit in a walk is the innermost object. The
// registry refers to objects; it never owns or deletes them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "skin/core/skin_object.h"

namespace lirvo {

class ObjectRegistry {
public:
    // Fresh handles, never reused while the process lives, so a stale handle
    // can never reach a newer object.
    ObjectHandle NewControlHandle() { return nextControl_++; }
    ObjectHandle NewWindowHandle() { return nextWindow_--; }

    std::size_t Size() const { return entries_.size(); }
    // 1-based positions throughout, as the toolkit counts them.
    ObjectHandle HandleAt(std::size_t position) const;
    SkinObject* ObjectAt(std::size_t position) const;
    std::optional<std::size_t> PositionOf(ObjectHandle handle) const;
    SkinObject* Find(ObjectHandle handle) const;

    // Inserts so that the object becomes entry `position` (1..Size()+1).
    void Insert(std::size_t position, SkinObject& object);
    void Append(SkinObject& object) { Insert(Size() + 1, object); }
    // Removes the object's entry if it is still registered.
    bool Remove(ObjectHandle handle);

    std::vector<ObjectHandle> Handles() const;

private:
    std::vector<std::pair<ObjectHandle, SkinObject*>> entries_;
    ObjectHandle nextControl_ = 1;
    ObjectHandle nextWindow_ = -1;
};

}  // namespace lirvo
