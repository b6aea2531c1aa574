#include "skin/controls/control_timers.h"

#include <mmsystem.h>

#include <algorithm>
#include <vector>

#include "skin/controls/skin_control.h"
#include "skin/core/declared_function.h"
#include "skin/core/host_window_proc.h"

namespace lirvo::control_timers {
namespace {

struct TimerRecord {
    const SkinControl* control;
    UINT_PTR systemTimer;
    std::int32_t key;
    EventParam value;
    bool precise;
};

std::vector<TimerRecord>& Records() {
    static auto* const records = new std::vector<TimerRecord>;
    return *records;
}

// The multimedia library is loaded by the first precise timer: a program
// that never starts one (the setup program) does not carry it and the audio
// libraries it pulls in.
DeclaredFunction<decltype(&::timeSetEvent)> setMultimediaTimer{"winmm.dll", "timeSetEvent"};
DeclaredFunction<decltype(&::timeKillEvent)> killMultimediaTimer{"winmm.dll", "timeKillEvent"};

// Multimedia timers tick on a system thread; the tick is posted to this
// message-only window so that controls only ever run on the GUI thread.
constexpr UINT kPreciseTickMessage = WM_APP + 1;
constexpr wchar_t kSinkClassName[] = L"Lirvo.PreciseTimerSink";

LRESULT CALLBACK SinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kPreciseTickMessage) {
        DeliverTick(static_cast<UINT_PTR>(wParam), true);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND PreciseSink() {
    static const HWND sink = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = SinkProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kSinkClassName;
        ::RegisterClassW(&windowClass);
        return ::CreateWindowExW(0, kSinkClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, nullptr);
    }();
    return sink;
}

void CALLBACK PreciseCallback(UINT timer, UINT, DWORD_PTR sink, DWORD_PTR, DWORD_PTR) {
    ::PostMessageW(reinterpret_cast<HWND>(sink), kPreciseTickMessage, timer, 0);
}

void CALLBACK SharedTimerProc(HWND, UINT, UINT_PTR timer, DWORD) { DeliverTick(timer, false); }

void KillSystemTimer(UINT_PTR timer, bool precise) {
    if (precise) killMultimediaTimer(static_cast<UINT>(timer));
    else ::KillTimer(nullptr, timer);
}

auto FindRecord(const SkinControl& control, std::int32_t key, bool precise) {
    return std::find_if(Records().begin(), Records().end(), [&](const TimerRecord& r) {
        return r.control == &control && r.key == key && r.precise == precise;
    });
}

}  // namespace

bool Start(SkinControl& control, std::int32_t key, std::uint32_t interval, EventParam value, bool precise) {
    UINT_PTR timer = 0;
    if (precise) {
        const HWND sink = PreciseSink();
        timer = setMultimediaTimer(interval, 1, PreciseCallback, reinterpret_cast<DWORD_PTR>(sink),
                               TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
    } else {
        timer = ::SetTimer(nullptr, 0, interval, SharedTimerProc);
    }
    if (timer == 0) return false;
    const TimerRecord record{&control, timer, key, value, precise};
    auto found = FindRecord(control, key, precise);
    if (found != Records().end()) {
        // The replaced timer would otherwise tick on until its next lookup.
        KillSystemTimer(found->systemTimer, precise);
        *found = record;
    } else {
        Records().push_back(record);
    }
    return true;
}

void Stop(const SkinControl& control, std::int32_t key, bool precise) {
    auto found = FindRecord(control, key, precise);
    if (found == Records().end()) return;
    KillSystemTimer(found->systemTimer, precise);
    Records().erase(found);
}

void StopAll(const SkinControl& control) {
    std::erase_if(Records(), [&](const TimerRecord& r) {
        if (r.control != &control) return false;
        KillSystemTimer(r.systemTimer, r.precise);
        return true;
    });
}

std::optional<UINT_PTR> SystemTimerOf(const SkinControl& control, std::int32_t key, bool precise) {
    auto found = FindRecord(control, key, precise);
    if (found == Records().end()) return std::nullopt;
    return found->systemTimer;
}

void DeliverTick(UINT_PTR systemTimer, bool precise) {
    auto found = std::find_if(Records().begin(), Records().end(), [&](const TimerRecord& r) {
        return r.systemTimer == systemTimer && r.precise == precise;
    });
    if (found == Records().end()) {
        KillSystemTimer(systemTimer, precise);
        return;
    }
    const TimerRecord record = *found;  // the handler may change the list
    SendObjectEvent(record.control->Id(), kEventTimer, record.key, record.value);
}

}  // namespace lirvo::control_timers
