#include "tests/payload/installation.h"

#include <unzip.h>

#include <vector>

#include "resources/setup_data.h"
#include "skin/core/file_io.h"
#include "skin/core/wide_text.h"

namespace lirvo::testing {

bool ExtractPayload(const std::string& folder) {
    const std::string archivePath = folder + "\\ins.zip";
    const auto payload = Payload();
    if (!WriteWholeFile(archivePath, ByteArray(payload.begin(), payload.end()))) return false;
    unzFile archive = unzOpen(archivePath.c_str());
    if (!archive) return false;
    bool ok = true;
    for (int status = unzGoToFirstFile(archive); ok && status == UNZ_OK; status = unzGoToNextFile(archive)) {
        char name[MAX_PATH] = {};
        unz_file_info info{};
        ok = unzGetCurrentFileInfo(archive, &info, name, sizeof(name), nullptr, 0, nullptr, 0) == UNZ_OK &&
             unzOpenCurrentFile(archive) == UNZ_OK;
        if (!ok) break;
        ByteArray data(info.uncompressed_size);
        ok = unzReadCurrentFile(archive, data.data(), static_cast<unsigned>(data.size())) ==
                 static_cast<int>(data.size()) &&
             unzCloseCurrentFile(archive) == UNZ_OK && WriteWholeFile(folder + "\\" + name, data);
    }
    unzClose(archive);
    ::DeleteFileA(archivePath.c_str());
    return ok;
}

std::wstring Wide(const std::string& ansi) { return MakeWideText(ansi).ToWString(); }

std::string Utf8(const std::wstring& text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(size, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

RunningProgram::~RunningProgram() {
    if (!started) return;
    if (WaitForExit(0) == -1) ::TerminateProcess(process.hProcess, 99);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

long RunningProgram::WaitForExit(DWORD milliseconds) {
    if (!started || ::WaitForSingleObject(process.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    return static_cast<long>(code);
}

void Start(RunningProgram& running, const std::wstring& program, const std::wstring& arguments, bool inheritHandles,
           DWORD flags) {
    std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{sizeof(startup)};
    running.started = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, inheritHandles, flags,
                                       nullptr, nullptr, &startup, &running.process);
}

}  // namespace lirvo::testing

namespace lirvo::testing {
namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND found = nullptr;
    // When set, a window must also show this text.
    const std::wstring_view* text = nullptr;
};

BOOL CALLBACK AddChildText(HWND child, LPARAM lParam) {
    auto* text = reinterpret_cast<std::wstring*>(lParam);
    *text += TextOf(child) + L"\n";
    return TRUE;
}

BOOL CALLBACK CheckWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    // A window is made visible once it is ready: a dialog after it has set
    // its texts, the reader after it has filled in its report.
    if (owner != search->processId || std::wstring(className) != search->className || !::IsWindowVisible(window))
        return TRUE;
    if (search->text && DialogText(window).find(*search->text) == std::wstring::npos) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND WaitForWindow(const RunningProgram& running, const wchar_t* className) {
    WindowSearch search{running.process.dwProcessId, className};
    for (int attempt = 0; attempt < 100 && !search.found; ++attempt) {
        ::EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found) ::Sleep(100);
    }
    return search.found;
}

HWND WaitForDialog(const RunningProgram& running, std::wstring_view text) {
    WindowSearch search{running.process.dwProcessId, L"#32770", nullptr, &text};
    for (int attempt = 0; attempt < 100 && !search.found; ++attempt) {
        ::EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found) ::Sleep(100);
    }
    return search.found;
}

std::wstring TextOf(HWND window) {
    std::wstring text(::GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(::GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
    return text;
}

std::wstring DialogText(HWND dialog) {
    std::wstring text;
    ::EnumChildWindows(dialog, AddChildText, reinterpret_cast<LPARAM>(&text));
    return text;
}

}  // namespace lirvo::testing
