// Measures the setup program against floors taken side by side in the same
// run under the same Wine, and prints each figure as a ratio:
//   setup_bench SETUP_EXE        all figures (scripts/bench runs it)
//   setup_bench --minimal-window the start-up floor: one layered window, one frame
// Times are medians of repeated runs; absolute times are noise here, ratios
// are what to compare.

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <unzip.h>

#include "resources/builtin_skin_data.h"
#include "resources/setup_data.h"
#include "runtime/archive_component.h"
#include "runtime/files.h"
#include "skin/controls/image_button.h"
#include "skin/core/image_from_bytes.h"
#include "skin/core/skin_database.h"
#include "skin/core/toolkit.h"
#include "skin/core/unique_handle.h"
#include "skin/window/skin_window.h"

namespace {

using namespace lirvo;

constexpr wchar_t kSetupTitle[] = L"LirvoPDF阅读器 安装";
constexpr wchar_t kMinimalTitle[] = L"LirvoPDF floor window";

double Now() {
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double TimeOnce(const std::function<void()>& work) {
    const double start = Now();
    work();
    return Now() - start;
}

void Report(const char* figure, const char* unit, double program, double floor, const char* floorName) {
    std::printf("%-12s program %10.2f %s   floor %10.2f %s (%s)   ratio %6.2f\n", figure, program, unit, floor, unit,
                floorName, floor > 0 ? program / floor : 0.0);
}

std::string TempFolder(const char* name, int run) {
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    return std::string(base) + "lirvo-bench-" + name + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
           std::to_string(run) + "\\";
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA((folder + "*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + name;
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path + "\\");
            else ::DeleteFileA(path.c_str());
        } while (::FindNextFileA(search, &entry));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(folder.c_str());
}

// The floor of extraction: every entry inflated into memory, then written
// with one write per file.
void InflateAndWrite(const std::string& archive, const std::string& folder) {
    ::CreateDirectoryA(folder.c_str(), nullptr);
    unzFile zip = unzOpen(archive.c_str());
    for (int found = unzGoToFirstFile(zip); found == UNZ_OK; found = unzGoToNextFile(zip)) {
        char name[512];
        unz_file_info info;
        unzGetCurrentFileInfo(zip, &info, name, sizeof(name), nullptr, 0, nullptr, 0);
        std::vector<char> data(info.uncompressed_size);
        unzOpenCurrentFile(zip);
        unzReadCurrentFile(zip, data.data(), static_cast<unsigned>(data.size()));
        unzCloseCurrentFile(zip);
        UniqueHandle file(::CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        ::WriteFile(file.Get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    }
    unzClose(zip);
}

void BenchExtraction() {
    const std::string archive = TempFolder("payload", 0).substr(0, TempFolder("payload", 0).size() - 1) + ".zip";
    runtime::WriteFile(archive, Payload());
    std::vector<double> program, floor;
    runtime::ArchiveComponent component;
    for (int run = 0; run < 7; ++run) {
        const std::string a = TempFolder("extract", run), b = TempFolder("floor", run);
        program.push_back(TimeOnce([&] { runtime::ExtractArchive(component, archive, a); }));
        floor.push_back(TimeOnce([&] { InflateAndWrite(archive, b); }));
        RemoveTree(a);
        RemoveTree(b);
    }
    ::DeleteFileA(archive.c_str());
    Report("extraction", "ms", Median(program), Median(floor), "zlib into memory, one write per file");
}

double minimalPeakWorkingSet = 0;  // MB, of the floor program

// Starts a program and waits until its window of this title is on screen.
double TimeToWindow(const std::wstring& commandLine, const wchar_t* title) {
    std::wstring line = commandLine;
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    const double start = Now();
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return 0;
    UniqueHandle process(info.hProcess), thread(info.hThread);
    double elapsed = 0;
    for (int i = 0; i < 20000; ++i) {
        HWND window = ::FindWindowW(nullptr, title);
        if (window && ::IsWindowVisible(window)) {
            elapsed = Now() - start;
            break;
        }
        ::Sleep(1);
    }
    PROCESS_MEMORY_COUNTERS counters{sizeof(counters)};
    ::GetProcessMemoryInfo(process.Get(), &counters, sizeof(counters));
    if (title == kMinimalTitle) minimalPeakWorkingSet = counters.PeakWorkingSetSize / 1048576.0;
    ::TerminateProcess(process.Get(), 0);
    ::WaitForSingleObject(process.Get(), 5000);
    return elapsed;
}

void BenchStartup(const std::wstring& setupExe) {
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::vector<double> program, floor;
    for (int run = 0; run < 5; ++run) {
        program.push_back(TimeToWindow(L"\"" + setupExe + L"\"", kSetupTitle));
        floor.push_back(TimeToWindow(L"\"" + std::wstring(self) + L"\" --minimal-window", kMinimalTitle));
    }
    const double total = Median(program);
    Report("start-up", "ms", total, Median(floor), "one layered 600 x 392 window, one frame");

    // The shares, measured here in this process.
    const double toolkit = TimeOnce([] { ToolkitStartup(BuiltinSkinData()); });
    const double skin = Median({TimeOnce([] { SkinDatabase().LoadFromBytes(ByteArray(SkinData().begin(), SkinData().end())); }),
                                TimeOnce([] { SkinDatabase().LoadFromBytes(ByteArray(SkinData().begin(), SkinData().end())); }),
                                TimeOnce([] { SkinDatabase().LoadFromBytes(ByteArray(SkinData().begin(), SkinData().end())); })});
    const double decode = Median({TimeOnce([] { ImageFromBytes(ByteArray(WelcomeImage().begin(), WelcomeImage().end())); }),
                                  TimeOnce([] { ImageFromBytes(ByteArray(WelcomeImage().begin(), WelcomeImage().end())); }),
                                  TimeOnce([] { ImageFromBytes(ByteArray(WelcomeImage().begin(), WelcomeImage().end())); })});
    std::printf("  shares of start-up: toolkit start-up %.2f ms (%.0f%%), skin loading %.2f ms (%.0f%%), "
                "welcome image decoding %.2f ms (%.0f%%)\n",
                toolkit, 100 * toolkit / total, skin, 100 * skin / total, decode, 100 * decode / total);
}

void BenchPainting() {
    static SkinWindow window;  // lives on: destroying the last window ends the process
    const auto welcome = WelcomeImage();
    window.Create({.bounds = MakeRect(100, 100, 600, 392), .backgroundImage = ByteArray(welcome.begin(), welcome.end())});
    window.Layered(true);
    window.Show(true);
    ImageButton button;
    button.Create(window, MakeRect(200, 292, 200, 56), true, ByteArray(welcome.begin(), welcome.end()));

    std::vector<double> repaint, control, push;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO bitmapInfo{};
    bitmapInfo.bmiHeader = {sizeof(BITMAPINFOHEADER), 600, 392, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(memory, &bitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(memory, dib);
    for (int run = 0; run < 21; ++run) {
        repaint.push_back(TimeOnce([&] { window.RepaintAndRefresh(); }));
        control.push_back(TimeOnce([&] { button.Refresh(); }));
        push.push_back(TimeOnce([&] {
            POINT position{100, 100}, origin{0, 0};
            SIZE size{600, 392};
            BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            ::UpdateLayeredWindow(window.GetHandle(), screen, &position, &size, memory, &origin, 0, &blend, ULW_ALPHA);
        }));
    }
    ::SelectObject(memory, previous);
    ::DeleteObject(dib);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    const double floor = Median(push);
    Report("repaint", "ms", Median(repaint), floor, "one UpdateLayeredWindow of 600 x 392");
    Report("control", "ms", Median(control), floor, "one UpdateLayeredWindow of 600 x 392");
    button.Detach();
}

// Clicks inside the setup window the way the mouse would.
void Click(HWND window, int x, int y) {
    ::SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void PumpFor(int milliseconds) {
    const double end = Now() + milliseconds;
    while (Now() < end) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
        ::Sleep(5);
    }
}

std::size_t EmbeddedBytes() {
    return SkinData().size() + WelcomeImage().size() + SelectionImage().size() + InstallImage().size() +
           FinishImage().size() + Payload().size() + BuiltinSkinData().size();
}

void BenchMemoryAndSize(const std::wstring& setupExe) {
    std::wstring line = L"\"" + setupExe + L"\"";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return;
    UniqueHandle process(info.hProcess), thread(info.hThread);
    HWND window = nullptr;
    for (int i = 0; i < 2000 && !window; ++i) {
        window = ::FindWindowW(nullptr, kSetupTitle);
        ::Sleep(5);
    }
    PumpFor(1500);
    Click(window, 300, 320);  // install: the selection page
    PumpFor(1500);
    Click(window, 430, 359);  // next: installs, then the progress runs to the finish page
    PumpFor(5000);
    PROCESS_MEMORY_COUNTERS counters{sizeof(counters)};
    ::GetProcessMemoryInfo(process.Get(), &counters, sizeof(counters));
    ::TerminateProcess(process.Get(), 0);
    ::WaitForSingleObject(process.Get(), 5000);
    const double embedded = static_cast<double>(EmbeddedBytes());
    Report("memory", "MB", counters.PeakWorkingSetSize / 1048576.0, embedded / 1048576.0,
           "the embedded data; peak working set over welcome, selection, install, finish");
    std::printf("  for scale: the one-window floor program peaks at %.2f MB under the same Wine\n",
                minimalPeakWorkingSet);

    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    ::GetFileAttributesExW(setupExe.c_str(), GetFileExInfoStandard, &attributes);
    const double file = attributes.nFileSizeLow;
    std::printf("%-12s setup.exe %.0f bytes, embedded data %.0f bytes, the program's own weight %.0f bytes (%.0f%%)\n",
                "size", file, embedded, file - embedded, 100 * (file - embedded) / file);
}

int MinimalWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.lpszClassName = L"LirvoBenchFloor";
    ::RegisterClassW(&windowClass);
    HWND window = ::CreateWindowExW(WS_EX_LAYERED, windowClass.lpszClassName, kMinimalTitle, WS_POPUP, 340, 316, 600,
                                    392, nullptr, nullptr, nullptr, nullptr);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO bitmapInfo{};
    bitmapInfo.bmiHeader = {sizeof(BITMAPINFOHEADER), 600, 392, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(memory, &bitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::fill_n(static_cast<std::uint32_t*>(bits), 600 * 392, 0xFF1565C0u);
    ::SelectObject(memory, dib);
    POINT position{340, 316}, origin{0, 0};
    SIZE size{600, 392};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(window, screen, &position, &size, memory, &origin, 0, &blend, ULW_ALPHA);
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--minimal-window") return MinimalWindow();
    if (argc < 2) {
        std::printf("usage: setup_bench SETUP_EXE\n");
        return 2;
    }
    const std::wstring setupExe = MakeWideText(argv[1]).ToWString();
    BenchExtraction();
    BenchStartup(setupExe);
    BenchPainting();
    BenchMemoryAndSize(setupExe);
    std::fflush(stdout);
    ::TerminateProcess(::GetCurrentProcess(), 0);  // the painting window would end it anyway
    return 0;
}
