#include "runtime/message_loop.h"

#include <windows.h>

#include "runtime/com_apartment.h"

namespace lirvo::runtime {

int StartProcess(const ProcessSteps& steps) {
    const ComApartment com;
    for (const std::function<void()>* step : {&steps.constructGlobals, &steps.toolkitStartup, &steps.initialise, &steps.start})
        if (*step) (*step)();
    return RunMessageLoop();
}

int RunMessageLoop() {
    MSG message{};
    for (;;) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got < 0) return -1;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

bool DispatchPendingMessages() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return true;
}

}  // namespace lirvo::runtime
