#include "skin/core/focus_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace lirvo {
namespace {

// A window of five controls: 1 and 4 tab stops; 2 hidden; 3 disabled; 5 a
// label (no tab stop); 6 a tab stop placed before all the others.
std::vector<FocusCandidate> Window() {
    return {
        {.handle = 1, .place = 0, .tabStop = true, .shown = true, .enabled = true},
        {.handle = 2, .place = 0, .tabStop = true, .shown = false, .enabled = true},
        {.handle = 3, .place = 0, .tabStop = true, .shown = true, .enabled = false},
        {.handle = 4, .place = 0, .tabStop = true, .shown = true, .enabled = true},
        {.handle = 5, .place = 0, .tabStop = false, .shown = true, .enabled = true},
        {.handle = 6, .place = -1, .tabStop = true, .shown = true, .enabled = true},
    };
}

TEST(FocusOrder, ByPlaceThenCreationSkippingHiddenDisabledAndNonStops) {
    EXPECT_EQ(FocusOrder(Window()), (std::vector<std::int32_t>{6, 1, 4}));
    // Registry order is newest first; the order does not depend on it.
    std::vector<FocusCandidate> reversed = Window();
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(FocusOrder(reversed), (std::vector<std::int32_t>{6, 1, 4}));
}

TEST(FocusOrder, TabAndShiftTabWrap) {
    const struct {
        std::int32_t from;
        bool backwards;
        std::int32_t to;
    } cases[] = {
        {6, false, 1}, {1, false, 4}, {4, false, 6},  // wraps to the first
        {6, true, 4},  {4, true, 1},  {1, true, 6},
        {0, false, 6}, {0, true, 4},                 // no focus yet
        {2, false, 6}, {3, true, 4},  {5, false, 6},  // from one that does not take part
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextInFocusOrder(Window(), c.from, c.backwards), c.to) << c.from << (c.backwards ? " back" : "");
}

TEST(FocusOrder, NothingToFocus) {
    EXPECT_EQ(NextInFocusOrder({}, 0, false), 0);
    EXPECT_EQ(NextInFocusOrder({{.handle = 3, .tabStop = true, .shown = true, .enabled = false}}, 3, false), 0);
    EXPECT_EQ(NextInFocusOrder({{.handle = -2, .tabStop = true, .shown = true, .enabled = true}}, 0, false), 0)
        << "a window's own handle never takes the focus";
}

}  // namespace
}  // namespace lirvo
