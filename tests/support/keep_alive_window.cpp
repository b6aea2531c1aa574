#include "tests/support/keep_alive_window.h"

#include "skin/window/skin_window.h"
#include "tests/support/toolkit_fixture.h"

namespace lirvo::testing {

void KeepOneSkinWindowAlive() {
    StartToolkitForTests();
    static SkinWindow* const keepAlive = [] {
        auto* window = new SkinWindow;  // never destroyed
        window->Create({.style = 0});
        return window;
    }();
    (void)keepAlive;
}

}  // namespace lirvo::testing
