#include "skin/core/focus_order.h"

#include <algorithm>

namespace lirvo {

std::vector<std::int32_t> FocusOrder(std::vector<FocusCandidate> candidates) {
    std::erase_if(candidates, [](const FocusCandidate& c) { return c.handle <= 0 || !c.tabStop || !c.shown || !c.enabled; });
    std::sort(candidates.begin(), candidates.end(), [](const FocusCandidate& a, const FocusCandidate& b) {
        return a.place != b.place ? a.place < b.place : a.handle < b.handle;
    });
    std::vector<std::int32_t> order;
    order.reserve(candidates.size());
    for (const FocusCandidate& c : candidates)
        if (order.empty() || order.back() != c.handle) order.push_back(c.handle);
    return order;
}

std::int32_t NextInFocusOrder(const std::vector<FocusCandidate>& candidates, std::int32_t current, bool backwards) {
    const std::vector<std::int32_t> order = FocusOrder(candidates);
    if (order.empty()) return 0;
    const auto at = std::find(order.begin(), order.end(), current);
    if (at == order.end()) return backwards ? order.back() : order.front();
    const auto index = static_cast<std::size_t>(at - order.begin());
    const std::size_t count = order.size();
    return order[backwards ? (index + count - 1) % count : (index + 1) % count];
}

}  // namespace lirvo
