#pragma once
// The toolkit's one list of control timers. Each running timer belongs to a
// control and a key; a tick reaches the control as event 10 (key, value)
// through the registry, so a control that has left the registry never sees
// one. Ordinary timers are thread timers without a window; precise timers
// are multimedia timers whose ticks are handed back to the GUI thread
// before any control sees them. The list owns every system timer in it:
// replacing or stopping a record kills its timer.

#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/core/skin_object.h"

namespace lirvo {

class SkinControl;

namespace control_timers {

bool Start(SkinControl& control, std::int32_t key, std::uint32_t interval, EventParam value, bool precise);
void Stop(const SkinControl& control, std::int32_t key, bool precise);
// Every timer of the control, ordinary and precise.
void StopAll(const SkinControl& control);
// The system timer behind a running record, for tests that deliver ticks.
std::optional<UINT_PTR> SystemTimerOf(const SkinControl& control, std::int32_t key, bool precise = false);
// What the shared timer procedure does for one tick of a system timer: a
// timer without a record is killed.
void DeliverTick(UINT_PTR systemTimer, bool precise = false);

}  // namespace control_timers
}  // namespace lirvo
