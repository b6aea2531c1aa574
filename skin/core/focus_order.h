#pragma once
// The order in which Tab walks a window's controls. A control takes part
// when it is a tab stop, shown and enabled; controls sort by their place
// (0 unless the control asks for another) and, within one place, by when
// they were created, which their handles record: handles only grow. Tab
// past the last wraps to the first, Shift+Tab past the first to the last.
// Platform-free: the caller gathers the candidates from the registry.

#include <cstdint>
#include <vector>

namespace lirvo {

struct FocusCandidate {
    std::int32_t handle = 0;  // > 0; also the creation order
    std::int32_t place = 0;
    bool tabStop = false;
    bool shown = false;
    bool enabled = false;
};

// The handles that take part, in Tab order.
std::vector<std::int32_t> FocusOrder(std::vector<FocusCandidate> candidates);

// The handle Tab (or Shift+Tab, backwards) moves to from `current`; from a
// control that does not take part, the first (last) one. 0 when none does.
std::int32_t NextInFocusOrder(const std::vector<FocusCandidate>& candidates, std::int32_t current, bool backwards);

}  // namespace lirvo
