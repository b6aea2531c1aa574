#include "skin/core/object_registry.h"

#include <algorithm>

namespace lirvo {

ObjectHandle ObjectRegistry::HandleAt(std::size_t position) const {
    return position >= 1 && position <= entries_.size() ? entries_[position - 1].first : 0;
}

SkinObject* ObjectRegistry::ObjectAt(std::size_t position) const {
    return position >= 1 && position <= entries_.size() ? entries_[position - 1].second : nullptr;
}

std::optional<std::size_t> ObjectRegistry::PositionOf(ObjectHandle handle) const {
    auto found = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.first == handle; });
    if (found == entries_.end()) return std::nullopt;
    return static_cast<std::size_t>(found - entries_.begin()) + 1;
}

SkinObject* ObjectRegistry::Find(ObjectHandle handle) const {
    if (handle == 0) return nullptr;
    auto position = PositionOf(handle);
    return position ? entries_[*position - 1].second : nullptr;
}

void ObjectRegistry::Insert(std::size_t position, SkinObject& object) {
    position = std::clamp<std::size_t>(position, 1, entries_.size() + 1);
    entries_.insert(entries_.begin() + (position - 1), {object.Handle(), &object});
}

bool ObjectRegistry::Remove(ObjectHandle handle) {
    auto position = PositionOf(handle);
    if (!position) return false;
    entries_.erase(entries_.begin() + (*position - 1));
    return true;
}

std::vector<ObjectHandle> ObjectRegistry::Handles() const {
    std::vector<ObjectHandle> handles;
    handles.reserve(entries_.size());
    for (const auto& entry : entries_) handles.push_back(entry.first);
    return handles;
}

}  // namespace lirvo
