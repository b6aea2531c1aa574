#pragma once
// Start-up tracing for measurements. When the environment variable
// LIRVO_STARTUP_TRACE names a file, a program notes the steps of its start
// as it passes them and, once its first frame is on the screen, writes one
// line per step to that file: the step's name and the milliseconds since the
// process was created, the last line being "first-frame". Once its first page
// is complete on the screen it writes the file again with the steps since,
// the last line being "first-page". The file appears whole or not at all.
// Without the variable nothing is noted or written.

namespace lirvo::runtime {

inline constexpr char kStartupTraceVariable[] = "LIRVO_STARTUP_TRACE";

bool StartupTraceEnabled();
// Notes that the start has got this far; the name is kept, not copied.
void MarkStartupStep(const char* step);
// Notes "first-frame" and writes the trace; only the first call counts.
void FinishStartupTrace();
// Notes "first-page" and writes the trace again, after which nothing more is
// noted; only the first call after FinishStartupTrace counts.
void CompleteStartupTrace();

}  // namespace lirvo::runtime
