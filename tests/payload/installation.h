#pragma once
// Test helpers for the reader's programs: an installation made by hand from
// the setup program's embedded payload archive, and running programs of it.

#include <windows.h>

#include <string>
#include <string_view>

namespace lirvo::testing {

// Writes the payload archive to a file and extracts every entry into
// `folder` (which exists) with minizip. False when any step fails.
bool ExtractPayload(const std::string& folder);

std::wstring Wide(const std::string& ansi);
// For messages of failed tests: the log is read as UTF-8.
std::string Utf8(const std::wstring& text);

// Starts `program` with `arguments` (already quoted as needed); with
// `inheritHandles` it inherits the test's inheritable handles, `flags` are
// CreateProcess's (CREATE_SUSPENDED, for one).
struct RunningProgram {
    PROCESS_INFORMATION process{};
    bool started = false;
    ~RunningProgram();
    // Waits up to `milliseconds`; the exit code, or -1 when it is still running.
    long WaitForExit(DWORD milliseconds);
};
void Start(RunningProgram& running, const std::wstring& program, const std::wstring& arguments,
           bool inheritHandles = false, DWORD flags = 0);

// The first visible top-level window of `running` with this class, waiting
// up to ten seconds for it to appear; null when none does.
HWND WaitForWindow(const RunningProgram& running, const wchar_t* className);

std::wstring TextOf(HWND window);

// Everything a dialog shows, its text and its buttons' captions, one child
// window's text a line.
std::wstring DialogText(HWND dialog);

// The first visible dialog (a message box, for one) of `running` whose text
// holds `text`, waiting up to ten seconds for it; null when none does.
HWND WaitForDialog(const RunningProgram& running, std::wstring_view text);

}  // namespace lirvo::testing
