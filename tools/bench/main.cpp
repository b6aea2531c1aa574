// Measures the setup program against floors taken side by side in the same
// run under the same Wine, and prints each figure as a ratio:
//   setup_bench SETUP_EXE FLOOR_EXE [PART...]
// FLOOR_EXE is the bare program that zooms one layered 600 x 392 window in.
// PART names the parts to run (extraction, start-up, memory, transitions,
// paste, page-change, painting); all of them without.
// Times are medians of repeated runs; absolute times are noise here, ratios
// are what to compare. Each figure is printed twice: as a table row for a
// person, and as one "bench NAME key=value ..." line for scripts.

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include <unzip.h>

#include "resources/builtin_skin_data.h"
#include "resources/setup_data.h"
#include "runtime/archive_component.h"
#include "runtime/files.h"
#include "runtime/startup_trace.h"
#include "setup/setup_application.h"
#include "skin/controls/edit_box.h"
#include "skin/controls/skin_control.h"
#include "skin/core/image_from_bytes.h"
#include "skin/core/skin_database.h"
#include "skin/core/toolkit.h"
#include "skin/core/unique_handle.h"
#include "skin/window/skin_window.h"
#include "skin/window/frame_presented.h"
#include "skin/window/surface.h"
#include "skin/window/transition_animator.h"

namespace {

using namespace lirvo;

constexpr wchar_t kSetupTitle[] = L"LirvoPDF阅读器 安装";

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

// Times of the program and of its floor taken in pairs, one right after the
// other. The load of this shared machine drifts from second to second; both
// halves of a pair see about the same, so the ratio is the median of the
// pairs' own ratios rather than the ratio of two medians taken over
// different moments.
class Pairs {
public:
    void Add(double program, double floor) {
        program_.push_back(program);
        floor_.push_back(floor);
        if (floor > 0) ratios_.push_back(program / floor);
    }
    double Program() const { return Median(program_); }
    double Floor() const { return Median(floor_); }
    double Ratio() const { return Median(ratios_); }
    std::size_t Count() const { return program_.size(); }

private:
    std::vector<double> program_, floor_, ratios_;
};

// Times one pair, the program first on even runs and the floor first on
// odd ones: the second of a pair finds the caches, and the machine's load,
// as the first one left them.
void Alternate(int run, Pairs& pairs, const std::function<double()>& program, const std::function<double()>& floor) {
    if (run % 2 == 0) {
        const double first = program();
        pairs.Add(first, floor());
    } else {
        const double first = floor();
        pairs.Add(program(), first);
    }
}

// One figure: a table row, then the same as a line for scripts. With a bar,
// the verdict says whether the figure (the ratio, or with `difference` the
// program minus the floor) is within it. Timed figures give their pairs;
// their program and floor are the medians of each side.
struct Figure {
    const char* name;
    const char* unit;
    double program = 0;
    double floor = 0;
    const char* floorName = "";
    std::optional<double> bar;
    bool difference = false;
    const Pairs* pairs = nullptr;
};

Figure Timed(const char* name, const Pairs& pairs, const char* floorName, std::optional<double> bar = std::nullopt) {
    return {name, "ms", pairs.Program(), pairs.Floor(), floorName, bar, false, &pairs};
}

void Report(const Figure& figure) {
    const double ratio = figure.pairs        ? figure.pairs->Ratio()
                         : figure.floor > 0 ? figure.program / figure.floor
                                            : 0.0;
    const double measured = figure.difference ? figure.program - figure.floor : ratio;
    const char* verdict = !figure.bar ? "none" : measured <= *figure.bar ? "within" : "over";
    std::printf("%-17s program %10.2f %s   floor %10.2f %s (%s)   %s %6.2f", figure.name, figure.program, figure.unit,
                figure.floor, figure.unit, figure.floorName, figure.difference ? "difference" : "ratio", measured);
    if (figure.pairs) std::printf(" (median of %zu pairs)", figure.pairs->Count());
    if (figure.bar) std::printf("   bar %.2f: %s", *figure.bar, verdict);
    std::printf("\n");
    std::printf("bench %s program=%.3f floor=%.3f ratio=%.3f", figure.name, figure.program, figure.floor, ratio);
    if (figure.pairs) std::printf(" pairs=%zu", figure.pairs->Count());
    if (figure.difference) std::printf(" difference=%.3f", measured);
    if (figure.bar) std::printf(" bar=%.2f", *figure.bar);
    std::printf(" unit=%s verdict=%s\n", figure.unit, verdict);
}

[[noreturn]] void Fail(const std::string& why) {
    std::printf("bench: %s\n", why.c_str());
    std::fflush(stdout);
    ::TerminateProcess(::GetCurrentProcess(), 1);
    std::abort();
}

std::string FormatCrc(unsigned long crc) {
    char text[16];
    std::snprintf(text, sizeof(text), "%08lX", crc);
    return text;
}

// A path of this run in the temporary folder; with no extension, a folder
// (ending with a backslash).
std::string TempPath(const char* name, int run, const char* extension = nullptr) {
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    return std::string(base) + "lirvo-bench-" + name + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
           std::to_string(run) + (extension ? extension : "\\");
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

// What an extraction should leave, or left, in a folder: each file's path
// below the folder (with forward slashes, as the archive names them), its
// size and its CRC-32.
struct FileRecord {
    std::uint64_t size = 0;
    unsigned long crc = 0;
    bool operator==(const FileRecord&) const = default;
};
using FileRecords = std::map<std::string, FileRecord>;

// The files the archive's directory lists; folders' own entries are left out.
FileRecords ArchiveRecords(const std::string& archive) {
    FileRecords records;
    unzFile zip = unzOpen(archive.c_str());
    if (!zip) Fail("extraction: the archive " + archive + " cannot be opened to list its files");
    for (int found = unzGoToFirstFile(zip); found == UNZ_OK; found = unzGoToNextFile(zip)) {
        char name[512];
        unz_file_info info;
        if (unzGetCurrentFileInfo(zip, &info, name, sizeof(name), nullptr, 0, nullptr, 0) != UNZ_OK)
            Fail("extraction: the archive's directory cannot be read");
        const std::string path = name;
        if (!path.empty() && path.back() != '/') records[path] = {info.uncompressed_size, info.crc};
    }
    unzClose(zip);
    if (records.empty()) Fail("extraction: the archive lists no files");
    return records;
}

// The files found below a folder, each read back whole for its CRC.
void RecordFiles(const std::string& folder, const std::string& below, FileRecords& records) {
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA((folder + below + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            RecordFiles(folder, below + name + "\\", records);
            continue;
        }
        std::string path = below + name;
        std::ifstream file(folder + path, std::ios::binary);
        const std::vector<char> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::replace(path.begin(), path.end(), '\\', '/');
        records[path] = {data.size(), crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(data.data()),
                                            static_cast<uInt>(data.size()))};
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
}

// Fails the benchmark unless the folder holds exactly the archive's files,
// each with its size and CRC: an extraction that gave up early, skipped a
// file or wrote damaged data must not be timed as if it had done the work.
void CheckExtracted(const char* who, const FileRecords& expected, const std::string& folder) {
    FileRecords found;
    RecordFiles(folder, "", found);
    std::string wrong;
    for (const auto& [path, record] : expected) {
        const auto match = found.find(path);
        if (match == found.end()) wrong += "\n  " + path + ": missing";
        else if (!(match->second == record))
            wrong += "\n  " + path + ": " + std::to_string(match->second.size) + " bytes, CRC " +
                     FormatCrc(match->second.crc) + "; the archive says " + std::to_string(record.size) +
                     " bytes, CRC " + FormatCrc(record.crc);
    }
    for (const auto& [path, record] : found)
        if (!expected.count(path)) wrong += "\n  " + path + ": not in the archive";
    if (!wrong.empty()) Fail(std::string("extraction: ") + who + " did not write the archive's files into " + folder + ":" + wrong);
}

// The floor of extraction: every entry inflated into memory, then written
// with one write per file. It stops at the first failure, saying which.
std::string InflateAndWrite(const std::string& archive, const std::string& folder) {
    ::CreateDirectoryA(folder.c_str(), nullptr);
    unzFile zip = unzOpen(archive.c_str());
    if (!zip) return "cannot open the archive";
    std::string failure;
    for (int found = unzGoToFirstFile(zip); found == UNZ_OK && failure.empty(); found = unzGoToNextFile(zip)) {
        char name[512];
        unz_file_info info;
        unzGetCurrentFileInfo(zip, &info, name, sizeof(name), nullptr, 0, nullptr, 0);
        std::vector<char> data(info.uncompressed_size);
        int read = unzOpenCurrentFile(zip);
        if (read == UNZ_OK) read = unzReadCurrentFile(zip, data.data(), static_cast<unsigned>(data.size()));
        // Closing is where minizip compares the CRC of what it inflated.
        const int closed = unzCloseCurrentFile(zip);
        if (read != static_cast<int>(data.size()) || closed != UNZ_OK) {
            failure = std::string(name) + ": unzip error " + std::to_string(read < 0 ? read : closed);
            break;
        }
        UniqueHandle file(::CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file || !::WriteFile(file.Get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr) ||
            written != data.size())
            failure = std::string(name) + ": system error " + std::to_string(::GetLastError());
    }
    unzClose(zip);
    return failure;
}

void BenchExtraction() {
    const std::string archive = TempPath("payload", 0, ".zip");
    runtime::WriteFile(archive, Payload());
    const FileRecords expected = ArchiveRecords(archive);
    Pairs pairs;
    runtime::ArchiveComponent component;
    // The first pairs only warm up: the archive comes into the file cache,
    // and Wine's own start-up processes settle. A single extraction here
    // varies by half its time and more with the machine's load, several
    // times the difference being measured: the median needs many pairs.
    constexpr int kWarmUp = 3;
    constexpr int kPairs = 121;
    for (int run = -kWarmUp; run < kPairs; ++run) {
        const std::string a = TempPath("extract", run), b = TempPath("floor", run);
        std::int32_t result = 0;
        std::string floorFailure;
        const auto timeProgram = [&] {
            return TimeOnce([&] { result = runtime::ExtractArchive(component, archive, a); });
        };
        const auto timeFloor = [&] { return TimeOnce([&] { floorFailure = InflateAndWrite(archive, b); }); };
        // Which goes first alternates: the second finds the first one's
        // files just written and the system's caches as it left them.
        if (run < 0) {
            timeProgram();
            timeFloor();
        } else {
            Alternate(run, pairs, timeProgram, timeFloor);
        }
        // Checked after both are timed, so that reading the files back
        // warms neither side's caches for the other.
        if (result != 1)
            Fail("extraction: the program's extraction gave " + std::to_string(result) + " (" +
                 component.LastFailure().path + ", system error " +
                 std::to_string(component.LastFailure().systemError) + ")");
        if (!floorFailure.empty()) Fail("extraction: the floor failed at " + floorFailure);
        CheckExtracted("the program", expected, a);
        CheckExtracted("the floor", expected, b);
        RemoveTree(a);
        RemoveTree(b);
    }
    ::DeleteFileA(archive.c_str());
    Report(Timed("extraction", pairs, "zlib into memory, one write per file; both checked", 1.15));
}

// A started program, ended (by its id) when this goes.
class Child {
public:
    Child(const std::wstring& exe, const std::string& traceFile, const std::wstring& arguments = L"") {
        ::SetEnvironmentVariableA(runtime::kStartupTraceVariable, traceFile.empty() ? nullptr : traceFile.c_str());
        std::wstring line = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
        STARTUPINFOW startup{sizeof(startup)};
        PROCESS_INFORMATION info{};
        const bool started =
            ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
        ::SetEnvironmentVariableA(runtime::kStartupTraceVariable, nullptr);
        if (!started) Fail("cannot start a program, system error " + std::to_string(::GetLastError()));
        process_.Reset(info.hProcess);
        ::CloseHandle(info.hThread);
        id_ = info.dwProcessId;
    }
    ~Child() {
        ::TerminateProcess(process_.Get(), 0);
        ::WaitForSingleObject(process_.Get(), 5000);
    }
    HANDLE Process() const { return process_.Get(); }
    DWORD Id() const { return id_; }
    double PeakWorkingSetMB() const {
        PROCESS_MEMORY_COUNTERS counters{sizeof(counters)};
        ::GetProcessMemoryInfo(process_.Get(), &counters, sizeof(counters));
        return counters.PeakWorkingSetSize / 1048576.0;
    }

private:
    UniqueHandle process_;
    DWORD id_ = 0;
};

// The steps a program's start-up trace names, in milliseconds since its
// process was created; waits until the program wrote the last (its first
// page complete on the screen).
// The program stamps the times itself, so how often the file is looked for
// changes nothing in them; looking seldom keeps this process, and the
// system's server that every file open goes through, out of the way of the
// start being measured.
std::map<std::string, double> AwaitTrace(const Child& child, const std::string& traceFile,
                                         std::vector<std::pair<std::string, double>>& noted) {
    constexpr DWORD kLookEvery = 50;  // ms
    for (DWORD waited = 0; waited < 30000; waited += kLookEvery) {
        // Closed before the wait: the program replaces the file when its
        // first page is complete, which an open reader would stop.
        if (std::ifstream file(traceFile); file) {
            noted.clear();
            std::string name;
            double milliseconds = 0;
            while (file >> name >> milliseconds) noted.emplace_back(name, milliseconds);
            if (!noted.empty() && noted.back().first == "first-page") {
                std::map<std::string, double> steps(noted.begin(), noted.end());
                if (!steps.count("first-frame")) Fail("a program's trace has its first page but no first frame");
                return steps;
            }
        }
        if (::WaitForSingleObject(child.Process(), kLookEvery) != WAIT_TIMEOUT)
            Fail("a program ended before its first page was complete");
    }
    std::string steps;
    for (const auto& [name, milliseconds] : noted) steps += " " + name;
    Fail("no complete first page within 30 s; the trace noted:" + (steps.empty() ? std::string(" nothing") : steps));
}

// Fails unless the program's window of this class or title is on the screen,
// whole and at its full size, once the program says its first page is.
void CheckShownWhole(const wchar_t* className, const wchar_t* title) {
    const HWND window = ::FindWindowW(className, title);
    RECT rect{};
    if (!window || !::IsWindowVisible(window) || !::GetWindowRect(window, &rect) || rect.right - rect.left != 600 ||
        rect.bottom - rect.top != 392)
        Fail("start-up: a program noted its first page complete but its window is not shown at 600 x 392");
}


// The median of each step over the runs, in the order the steps come.
class StepMedians {
public:
    void Add(const std::vector<std::pair<std::string, double>>& noted) {
        for (const auto& [name, milliseconds] : noted) {
            if (!steps_.count(name)) order_.push_back(name);
            steps_[name].push_back(milliseconds);
        }
    }
    void Print(const char* program) {
        std::printf("  steps of %s (median ms from process creation):", program);
        for (const std::string& name : order_) std::printf(" %s %.1f", name.c_str(), Median(steps_[name]));
        std::printf("\n");
    }

private:
    std::map<std::string, std::vector<double>> steps_;
    std::vector<std::string> order_;
};

void BenchStartup(const std::wstring& setupExe, const std::wstring& floorExe) {
    Pairs firstPixels, firstPage;
    StepMedians programSteps, floorSteps;
    std::map<std::string, double> program, floor;
    const auto startSetup = [&](const std::string& trace) {
        const Child setup(setupExe, trace);
        std::vector<std::pair<std::string, double>> noted;
        program = AwaitTrace(setup, trace, noted);
        CheckShownWhole(nullptr, kSetupTitle);
        programSteps.Add(noted);
    };
    const auto startFloor = [&](const std::string& trace) {
        const Child bare(floorExe, trace);
        std::vector<std::pair<std::string, double>> noted;
        floor = AwaitTrace(bare, trace, noted);
        CheckShownWhole(L"LirvoBenchFloor", nullptr);
        floorSteps.Add(noted);
    };
    // A start moves with the machine's load far more than a repaint does:
    // the median is taken over more pairs. Which starts first alternates:
    // the second starts while the first one's end is still being cleared up.
    for (int run = 0; run < 21; ++run) {
        const std::string first = TempPath("trace", 2 * run, ".txt"), second = TempPath("trace", 2 * run + 1, ".txt");
        if (run % 2 == 0) {
            startSetup(first);
            startFloor(second);
        } else {
            startFloor(first);
            startSetup(second);
        }
        firstPixels.Add(program["first-frame"], floor["first-frame"]);
        firstPage.Add(program["first-page"], floor["first-page"]);
        ::DeleteFileA(first.c_str());
        ::DeleteFileA(second.c_str());
    }
    Report(Timed("start-up", firstPixels,
                 "a bare layered 600 x 392 window's first zoom step; both from process creation", 1.5));
    Report(Timed("first-page", firstPage,
                 "the bare window's zoom in as many steps on the same timer, then its whole frame", 1.3));
    programSteps.Print("start-up");
    floorSteps.Print("the floor");
}

// Handles what is queued for a while.
void PumpFor(int milliseconds) {
    const double end = Now() + milliseconds;
    while (Now() < end) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::Sleep(2);
    }
}

// The floor of painting: one UpdateLayeredWindow of the window's finished
// 600 x 392 picture, as every repaint ends with.
void PushOnce(const SkinWindow& window) {
    RECT rect{};
    ::GetWindowRect(window.GetHandle(), &rect);
    POINT position{rect.left, rect.top}, origin{0, 0};
    SIZE size{600, 392};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    if (!::UpdateLayeredWindow(window.GetHandle(), window.GetWindowDC(), &position, &size, window.MainSurface().Dc(),
                               &origin, 0, &blend, ULW_ALPHA))
        Fail("the floor's UpdateLayeredWindow failed, system error " + std::to_string(::GetLastError()));
}

// Handles what is queued until `done` says so or the time is up, waking as
// soon as a message (a timer's included) comes, the way a message loop does.
bool PumpUntil(const std::function<bool()>& done, int milliseconds) {
    const double end = Now() + milliseconds;
    while (!done()) {
        if (Now() >= end) return false;
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (!done()) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

using Pixels = std::vector<std::uint32_t>;

Pixels ReadArea(const Surface& surface, const Rect& area) {
    Pixels pixels;
    pixels.reserve(static_cast<std::size_t>(area.width) * area.height);
    for (std::int32_t y = area.top; y < area.top + area.height; ++y)
        for (std::int32_t x = area.left; x < area.left + area.width; ++x) pixels.push_back(surface.PixelAt(x, y));
    return pixels;
}

// How far pixels are from a look: the sum of the channels' differences.
std::int64_t Distance(const Pixels& pixels, const Pixels& look) {
    std::int64_t distance = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i)
        for (int shift = 0; shift < 32; shift += 8)
            distance += std::abs(static_cast<int>((pixels[i] >> shift) & 0xFF) - static_cast<int>((look[i] >> shift) & 0xFF));
    return distance;
}

// What the hover figure watches, told of every frame the process presents:
// when the setup window first presented its install button in the hot look
// (begun, and whole), read from the very picture that was pushed.
struct HoverWatch {
    bool active = false;
    HWND window = nullptr;
    const Surface* surface = nullptr;
    Rect button{};
    Pixels normal, hot;
    std::optional<double> changedAt, hotAt, wholeAt;
};
HoverWatch hoverWatch;

// Sorts each frame of the setup window by what its install button shows:
// anything but the normal look (the first change); nearer to the hot look
// than to the normal one (the hot look seen); the hot look itself, give or
// take the rounding of a blend.
void WatchHover(HWND presented) {
    HoverWatch& watch = hoverWatch;
    if (!watch.active || presented != watch.window || watch.wholeAt) return;
    const double now = Now();
    const Pixels pixels = ReadArea(*watch.surface, watch.button);
    const std::int64_t fromNormal = Distance(pixels, watch.normal), fromHot = Distance(pixels, watch.hot);
    if (!watch.changedAt && fromNormal > 0) watch.changedAt = now;
    if (!watch.hotAt && fromHot < fromNormal) watch.hotAt = now;
    if (fromHot <= static_cast<std::int64_t>(pixels.size())) watch.wholeAt = now;
}

// From the pointer entering the install button to the first frame on the
// screen that shows the button's hot look, against one UpdateLayeredWindow.
// The looks are taken from the window itself once their fades are over.
void BenchHover(SkinWindow& window, ImageButton& install) {
    const HWND handle = window.GetHandle();
    const Rect button = install.GetRect();
    const LPARAM inside = MAKELPARAM(button.left + button.width / 2, button.top + button.height / 2);
    const LPARAM outside = MAKELPARAM(button.left + button.width / 2, button.top - 40);
    const auto settle = [&](LPARAM at) {
        ::SendMessageW(handle, WM_MOUSEMOVE, 0, at);
        PumpFor(300);
    };
    HoverWatch& watch = hoverWatch;
    watch = {false, handle, &window.MainSurface(), button};
    settle(inside);
    watch.hot = ReadArea(window.MainSurface(), button);
    settle(outside);
    watch.normal = ReadArea(window.MainSurface(), button);
    if (watch.hot == watch.normal) Fail("hover: the install button's hot look is not told from its normal look");
    SetFramePresentedHook(WatchHover);

    Pairs hover;
    std::vector<double> changed, whole;
    for (int run = 0; run < 31; ++run) {
        double start = 0;
        const auto enter = [&] {
            watch.changedAt.reset();
            watch.hotAt.reset();
            watch.wholeAt.reset();
            watch.active = true;
            start = Now();
            ::PostMessageW(handle, WM_MOUSEMOVE, 0, inside);
            if (!PumpUntil([&] { return watch.hotAt.has_value(); }, 2000))
                Fail("hover: no frame showed the install button's hot look within 2 s");
            return *watch.hotAt - start;
        };
        Alternate(run, hover, enter, [&] { return TimeOnce([&] { PushOnce(window); }); });
        if (!PumpUntil([&] { return watch.wholeAt.has_value(); }, 2000))
            Fail("hover: the install button's fade never reached its hot look");
        changed.push_back(*watch.changedAt - start);
        whole.push_back(*watch.wholeAt - start);
        watch.active = false;
        settle(outside);
    }
    SetFramePresentedHook(nullptr);
    Report(Timed("hover", hover, "one UpdateLayeredWindow of 600 x 392; the frame's pixels checked", 2.0));
    std::printf("  hover: medians from the pointer's entering: first changed frame %.1f ms, hot look whole %.1f ms\n",
                Median(changed), Median(whole));
}

// The setup window itself, in this process: its full repaint on the welcome
// and selection pages, and one frame of a button's fade.
void BenchPainting() {
    static setup::SetupApplication* const app = new setup::SetupApplication;  // lives on with its window
    app->tellUser = [](const std::string&) {};
    app->Start();
    setup::SetupState& s = app->State();
    SkinWindow& window = s.setupWindow;
    for (int i = 0; i < 500 && (window.IsAnimating() || window.GetWidth() != 600); ++i) PumpFor(10);
    if (window.IsAnimating() || window.GetWidth() != 600 || window.GetHeight() != 392)
        Fail("the setup window did not come up at 600 x 392");
    PumpFor(300);

    const auto push = [&window] { PushOnce(window); };
    auto timeRepaint = [&](const char* name) {
        Pairs pairs;
        for (int run = 0; run < 31; ++run) {
            const auto repaint = [&] { return TimeOnce([&] { window.RepaintAndRefresh(); }); };
            Alternate(run, pairs, repaint, [&] { return TimeOnce(push); });
        }
        window.RepaintAndRefresh();
        Report(Timed(name, pairs, "one UpdateLayeredWindow of 600 x 392", 3.0));
    };
    timeRepaint("repaint");

    // A fade frame of the install button: blending its old and new looks,
    // composing it onto the window's surface and pushing the window.
    ImageButton& install = s.buttons[1];
    Pairs fade;
    for (int run = 0; run < 31; ++run) {
        const auto frame = [&] {
            install.BeginFade(5, 5);
            if (install.FadeAlpha() != 0) Fail("the install button did not start a fade");
            const double time = TimeOnce([&] { install.HandleEvent(kEventTimer, kFadeTimerKey, 5); });
            if (install.FadeAlpha() == 0) Fail("the fade did not advance");
            return time;
        };
        Alternate(run, fade, frame, [&] { return TimeOnce(push); });
    }
    PumpFor(300);  // the fades' own timers finish them
    Report(Timed("fade-frame", fade, "one UpdateLayeredWindow of 600 x 392", 1.5));

    BenchHover(window, install);

    app->OnSetupClick(window.GetHandle(), install.Id(), 3);
    PumpFor(300);
    if (!s.folderBox.IsAttached()) Fail("the selection page did not come");
    timeRepaint("repaint-selection");
}

// Whether every control of a setup window is drawn whole: none is still
// fading in (a fade's last frame reaches the screen before it is wound up).
bool ControlsDrawn(const setup::SetupState& s) {
    std::vector<const SkinControl*> controls{&s.folderBox, &s.freeSpaceLabel, &s.customInstallToggle,
                                             &s.progressBar, &s.finishList};
    for (std::size_t i = 1; i <= setup::Numbered<ImageButton>::Count(); ++i) controls.push_back(&s.buttons[i]);
    for (std::size_t i = 1; i <= setup::Numbered<ImageCheck>::Count(); ++i) controls.push_back(&s.checkMarks[i]);
    return std::none_of(controls.begin(), controls.end(), [](const SkinControl* control) {
        return control->IsAttached() && control->IsFading() && control->FadeAlpha() < 255;
    });
}

// What the page-change figures watch: the first frame of the setup window,
// once the click was handled, that shows the new page complete.
struct PageWatch {
    bool armed = false;
    HWND window = nullptr;
    std::function<bool()> complete;
    std::optional<double> completeAt;
};
PageWatch pageWatch;

void WatchPage(HWND presented) {
    PageWatch& watch = pageWatch;
    if (!watch.armed || watch.completeAt || presented != watch.window) return;
    const double now = Now();
    if (watch.complete()) watch.completeAt = now;
}

// Clicks at the point with sent messages, so the click's handler has run
// when this returns, and times it to the first frame that shows the page
// `complete` says is there; `handled` gets the time the handler took.
double TimePageChange(HWND window, POINT at, const std::function<bool()>& complete, std::vector<double>& handled) {
    const LPARAM point = MAKELPARAM(at.x, at.y);
    ::SendMessageW(window, WM_MOUSEMOVE, 0, point);
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PumpFor(150);  // the pressed look's fade
    pageWatch = {false, window, complete};
    SetFramePresentedHook(WatchPage);
    const double start = Now();
    // The release is handled at once, the cross-fade and the page's
    // building included; the controls' fades then run on timers.
    ::SendMessageW(window, WM_LBUTTONUP, 0, point);
    handled.push_back(Now() - start);
    pageWatch.armed = true;
    if (complete()) pageWatch.completeAt = Now();
    if (!PumpUntil([] { return pageWatch.completeAt.has_value(); }, 5000))
        Fail("page change: the new page was not complete within 5 s");
    SetFramePresentedHook(nullptr);
    return *pageWatch.completeAt - start;
}

// The floor of a page change: a layered 600 x 392 window cross-faded from
// one picture to another in as many steps as the setup window's cross-fade,
// each step blended with GdiAlphaBlend and pushed with UpdateLayeredWindow.
class CrossFadeFloor {
public:
    CrossFadeFloor()
        : window_(::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 80, 80, kWidth,
                                    kHeight, nullptr, nullptr, nullptr, nullptr),
                  &::DestroyWindow),
          from_(kWidth, kHeight), to_(kWidth, kHeight), frame_(kWidth, kHeight) {
        if (!window_) Fail("no window for the page change's floor");
        std::vector<std::uint32_t> a(kWidth * kHeight), b(kWidth * kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                a[y * kWidth + x] = 0xFF000000u | static_cast<std::uint32_t>(x * 255 / kWidth) << 16 | 0x40;
                b[y * kWidth + x] = 0xFF000000u | static_cast<std::uint32_t>(y * 255 / kHeight) << 8 | 0x90;
            }
        from_.StoreRows(reinterpret_cast<const std::uint8_t*>(a.data()), kWidth * 4);
        to_.StoreRows(reinterpret_cast<const std::uint8_t*>(b.data()), kWidth * 4);
        ::ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
    }
    // The cross-fade, then the check that its last frame is the new picture.
    void Run(int steps) {
        for (int step = 1; step <= steps; ++step) {
            ::BitBlt(frame_.Dc(), 0, 0, kWidth, kHeight, from_.Dc(), 0, 0, SRCCOPY);
            BLENDFUNCTION part{AC_SRC_OVER, 0, static_cast<BYTE>(255 * step / steps), AC_SRC_ALPHA};
            ::GdiAlphaBlend(frame_.Dc(), 0, 0, kWidth, kHeight, to_.Dc(), 0, 0, kWidth, kHeight, part);
            POINT position{80, 80}, origin{0, 0};
            SIZE size{kWidth, kHeight};
            BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            if (!::UpdateLayeredWindow(window_.get(), nullptr, &position, &size, frame_.Dc(), &origin, 0, &blend,
                                       ULW_ALPHA))
                Fail("the page change's floor could not push a frame");
        }
        ::GdiFlush();
        if (frame_.PixelAt(300, 200) != to_.PixelAt(300, 200)) Fail("the page change's floor did not end on its picture");
    }

private:
    static constexpr int kWidth = 600, kHeight = 392;
    std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&::DestroyWindow)> window_;
    Surface from_, to_, frame_;
};

// From the click on the welcome page's install button to the frame that
// shows the selection page complete (the cross-fade over and every control
// built and faded in), and from the click on 下一步 to the install page
// complete, which includes installing the files into a new folder. Each
// pair needs a fresh welcome page: a new setup window is started for each
// and hidden after.
void BenchPageChange() {
    constexpr int kCrossFadeSteps = 10;  // as the setup window's background cross-fade
    CrossFadeFloor floor;
    Pairs selection, install;
    std::vector<double> selectionHandled, installHandled;
    const auto timeFloor = [&] { return TimeOnce([&] { floor.Run(kCrossFadeSteps); }); };
    for (int run = 0; run < 11; ++run) {
        auto* const app = new setup::SetupApplication;  // lives on with its window
        app->tellUser = [](const std::string& message) { Fail("page change: the setup program said: " + message); };
        app->askUser = [](const std::string& question) -> bool {
            Fail("page change: the setup program asked: " + question);
        };
        app->Start();
        setup::SetupState& s = app->State();
        SkinWindow& window = s.setupWindow;
        if (!PumpUntil([&] { return !window.IsAnimating() && window.GetWidth() == 600 && ControlsDrawn(s); }, 5000))
            Fail("page change: the welcome page did not come");
        const HWND handle = window.GetHandle();
        const auto centre = [](const Rect& rect) { return POINT{rect.left + rect.width / 2, rect.top + rect.height / 2}; };

        const POINT installButton = centre(s.buttons[1].GetRect());
        Alternate(run, selection, [&] {
            return TimePageChange(handle, installButton, [&] { return s.folderBox.IsAttached() && ControlsDrawn(s); },
                                  selectionHandled);
        }, timeFloor);

        const std::string folder = TempPath("install", run);
        s.folderBox.SetTextW(MakeWideText(folder.substr(0, folder.size() - 1)));
        const POINT next = centre(s.buttons[4].GetRect());
        Alternate(run, install, [&] {
            return TimePageChange(handle, next, [&] {
                return !s.folderBox.IsAttached() && s.progressBar.IsAttached() && ControlsDrawn(s);
            }, installHandled);
        }, timeFloor);
        window.Show(false);
        PumpFor(50);
        RemoveTree(folder);
    }
    const char* floorName = "a bare layered 600 x 392 window cross-faded between two pictures in 10 steps";
    Report(Timed("page-selection", selection, floorName, 1.3));
    std::printf("  page-selection: the click handled (cross-fade and page built) after a median %.1f ms; the rest is "
                "the new controls fading in\n",
                Median(selectionHandled));
    Report(Timed("page-install", install, floorName, 1.3));
    std::printf("  page-install: the click handled (files installed, cross-fade, page built) after a median %.1f ms\n",
                Median(installHandled));
}

// Clicks inside the setup window the way the mouse would.
void Click(HWND window, int x, int y) {
    ::SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// A top-level window of the setup process by its class: the custom-install
// panel is the one other window of the toolkit's class it has, below the
// setup window while the toggle is on; the folder dialog is a visible
// dialog-class window.
struct WindowSearch {
    DWORD processId;
    const char* className;
    bool visibleOnly;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char className[128] = {};
    ::GetClassNameA(window, className, sizeof(className));
    if (owner != search->processId || std::string(className) != search->className ||
        (search->visibleOnly && !::IsWindowVisible(window)))
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindProcessWindow(DWORD processId, const char* className, bool visibleOnly) {
    WindowSearch search{processId, className, visibleOnly};
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindDialog(DWORD processId) { return FindProcessWindow(processId, "#32770", true); }
HWND FindPanel(DWORD processId) { return FindProcessWindow(processId, kWindowClassName, false); }

// The toggle is on the selection and finish pages only: a click on it shows
// the panel there and nowhere else, which tells the pages apart from outside.
// The click is posted: where no toggle is, a press starts dragging the
// window, and the drag only ends on the release that follows in the queue.
bool ToggleShowsPanel(HWND window, HWND panel) {
    auto click = [window] {
        const LPARAM at = MAKELPARAM(50, 372);
        ::PostMessageW(window, WM_MOUSEMOVE, 0, at);
        ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(window, WM_LBUTTONUP, 0, at);
    };
    click();
    for (int i = 0; i < 100; ++i) {
        if (::IsWindowVisible(panel)) {
            click();  // and off again
            PumpFor(300);
            return true;
        }
        ::Sleep(10);
    }
    return false;
}

// What the design costs before the program does anything of its own: the
// peak working set of a bare program with GDI+ started that zooms one
// layered window of the setup window's size in; the median of a few starts.
double DesignPeakWorkingSet(const std::wstring& floorExe) {
    std::vector<double> peaks;
    for (int run = 0; run < 5; ++run) {
        const std::string trace = TempPath("design", run, ".txt");
        {
            const Child bare(floorExe, trace, L"gdiplus");
            std::vector<std::pair<std::string, double>> noted;
            AwaitTrace(bare, trace, noted);
            CheckShownWhole(L"LirvoBenchFloor", nullptr);
            peaks.push_back(bare.PeakWorkingSetMB());
        }
        ::DeleteFileA(trace.c_str());
    }
    return Median(peaks);
}

void BenchMemoryAndSize(const std::wstring& setupExe, const std::wstring& floorExe) {
    const double design = DesignPeakWorkingSet(floorExe);
    const Child setup(setupExe, "");
    HWND window = nullptr;
    for (int i = 0; i < 2000 && !(window && ::IsWindowVisible(window)); ++i) {
        window = ::FindWindowW(nullptr, kSetupTitle);
        ::Sleep(5);
    }
    HWND panel = nullptr;
    for (int i = 0; i < 2000 && window && !panel; ++i) {
        panel = FindPanel(setup.Id());
        ::Sleep(5);
    }
    if (!window || !panel) Fail("the setup window did not come up for the memory walk");
    PumpFor(1500);
    Click(window, 300, 320);  // install: the selection page
    PumpFor(800);
    if (!ToggleShowsPanel(window, panel)) Fail("memory walk: the selection page did not come");
    const double beforeDialog = setup.PeakWorkingSetMB();
    // The folder dialog runs its own loop inside the click's handler: the
    // click is posted, and the dialog is cancelled once it is up.
    {
        const LPARAM at = MAKELPARAM(505, 186);
        ::PostMessageW(window, WM_MOUSEMOVE, 0, at);
        ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(window, WM_LBUTTONUP, 0, at);
    }
    HWND dialog = nullptr;
    for (int i = 0; i < 1000 && !dialog; ++i) {
        dialog = FindDialog(setup.Id());
        ::Sleep(10);
    }
    if (!dialog) Fail("memory walk: the folder dialog did not come");
    PumpFor(1000);
    const double withDialog = setup.PeakWorkingSetMB();
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    for (int i = 0; i < 500 && ::IsWindow(dialog); ++i) ::Sleep(10);
    if (::IsWindow(dialog)) Fail("memory walk: the folder dialog did not close");
    PumpFor(300);
    Click(window, 430, 359);  // next: installs, then the progress runs to the finish page
    PumpFor(4000);
    bool finished = false;
    for (int i = 0; i < 30 && !finished; ++i) {
        PumpFor(1000);
        finished = ToggleShowsPanel(window, panel);
    }
    if (!finished) Fail("memory walk: the finish page did not come");
    const double peak = setup.PeakWorkingSetMB();
    std::printf("%-17s the design's own cost: %.1f MB peak working set (a bare program with GDI+ started and one "
                "layered 600 x 392 window)\n",
                "memory-design", design);
    std::printf("  memory: peak working set %.1f MB on the selection page, %.1f MB with the folder dialog up\n",
                beforeDialog, withDialog);
    Report({"memory", "MB", peak, design,
            "peak working set over welcome, selection and its folder dialog, install and finish, less the design's",
            10.0, true});

    std::size_t embedded = 0;
    for (const auto data : {SkinData(), WelcomeImage(), SelectionImage(), InstallImage(), FinishImage(), Payload(),
                            BuiltinSkinData()})
        embedded += data.size();
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    ::GetFileAttributesExW(setupExe.c_str(), GetFileExInfoStandard, &attributes);
    const double file = attributes.nFileSizeLow;
    std::printf("%-17s setup.exe %.0f bytes, embedded data %zu bytes, the program's own weight %.0f bytes, bar %d: %s\n",
                "weight", file, embedded, file - embedded, 300 * 1024,
                file - embedded <= 300 * 1024 ? "within" : "over");
    std::printf("bench weight program=%.0f floor=0 bar=%d unit=bytes verdict=%s\n", file - embedded, 300 * 1024,
                file - embedded <= 300 * 1024 ? "within" : "over");
}


// The transitions that draw the whole window anew at every frame, at the
// setup window's size: each frame, drawn and pushed, has to be done within
// the period of the timer that asks for the next one (16 ms unless a
// program sets another), or the transition runs slow and the pumped
// messages wait. The effects take turns course by course, so they see the
// same load; the figure is each effect's median frame, with its slowest.
void BenchTransitionFrames() {
    constexpr int kWidth = 600, kHeight = 392;
    constexpr double kPeriod = 16;  // ms: the transition timer's default period
    const std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&::DestroyWindow)> window(
        ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 60, 60, kWidth, kHeight, nullptr,
                          nullptr, nullptr, nullptr),
        &::DestroyWindow);
    if (!window) Fail("no window for the transition frames");
    ::ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    // A window-like picture: opaque shades with a see-through corner.
    std::vector<std::uint32_t> rows(static_cast<std::size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            rows[static_cast<std::size_t>(y) * kWidth + x] =
                x + y < 8 ? 0 : 0xFF000000u | static_cast<std::uint32_t>(x * 255 / kWidth) << 16 |
                                    static_cast<std::uint32_t>(y * 255 / kHeight) << 8 | 0x80;
    Surface picture(kWidth, kHeight);
    picture.StoreRows(reinterpret_cast<const std::uint8_t*>(rows.data()), kWidth * 4);
    TransitionAnimator animator;
    animator.Begin(window.get(), picture.Dc(), 255, true);

    struct Course {
        const char* name;
        std::int32_t effect;
        std::vector<double> frames;
    } courses[] = {
        {"pop-frame", kEffectPop, {}},
        {"flip-9-frame", kEffectFlipVertical, {}},
        {"flip-10-frame", kEffectFlipHorizontal, {}},
    };
    for (int round = 0; round < 4; ++round)
        for (Course& course : courses)
            for (const bool in : {true, false}) {
                std::int32_t progress = 0, counter = 0;
                bool done = false;
                for (int frame = 0; frame < 200 && !done; ++frame) {
                    const double time = TimeOnce([&] { done = animator.Frame(course.effect, in, progress, counter); });
                    if (round > 0) course.frames.push_back(time);  // the first round warms up
                }
                PumpFor(5);
            }
    // What every frame costs at the least: one UpdateLayeredWindow of the
    // window's size, the snapshot pushed as it is, taken in the same run.
    std::vector<double> pushes;
    for (int run = 0; run < 60; ++run) {
        POINT position{60, 60}, origin{0, 0};
        SIZE size{kWidth, kHeight};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        pushes.push_back(TimeOnce([&] {
            ::UpdateLayeredWindow(window.get(), nullptr, &position, &size, animator.SnapshotDc(), &origin, 0, &blend,
                                  ULW_ALPHA);
        }));
    }
    std::printf("  one UpdateLayeredWindow of 600 x 392 alone: median %.2f ms\n", Median(pushes));
    for (const Course& course : courses) {
        Report({course.name, "ms", Median(course.frames), kPeriod,
                "the transition timer's period at 600 x 392; a frame drawn and pushed", 1.0});
        std::printf("  %s: slowest of %zu frames %.2f ms\n", course.name, course.frames.size(),
                    *std::max_element(course.frames.begin(), course.frames.end()));
    }
    animator.Release();
}

// Pasting a long line into an edit box, up to the box drawn with the caret
// after the last character: the box places a caret between every two
// characters, so the least it can do is measure each character once. The
// floor does that with bare GDI+ calls (the same font and layout, ranges
// of 32, as many as GDI+ takes in one call) and draws the line once.
// Measuring the whole line again for every batch would cost the square of
// its length: at 10,000 characters, about a hundred and fifty times more.
void BenchPaste() {
    constexpr int kLength = 10000;
    constexpr Rect kBox{20, 30, 400, 28};
    std::wstring line;
    while (line.size() < kLength) line += L"0123456789";
    if (!MakeWideText(std::string(line.begin(), line.end())).ToClipboard()) Fail("the clipboard took no text");
    static SkinWindow* const host = [] {
        auto* window = new SkinWindow;  // lives on: the last window's end ends the process
        window->Create({.bounds = Rect{60, 60, 460, 90}, .style = 0, .frameStyle = 0xF0F0F0});
        window->Show(true);
        return window;
    }();
    EditBox box;
    if (!box.Create(*host, kBox, {})) Fail("no edit box for the paste");
    const auto send = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        ::SendMessageW(host->GetHandle(), message, wParam, lParam);
    };
    const LPARAM inside = MAKELPARAM(kBox.left + 10, kBox.top + 10);
    send(WM_LBUTTONDOWN, MK_LBUTTON, inside);
    send(WM_LBUTTONUP, 0, inside);
    const auto holdControl = [](bool held) {
        BYTE state[256];
        ::GetKeyboardState(state);
        state[VK_CONTROL] = held ? 0x80 : 0;
        ::SetKeyboardState(state);
    };

    // The floor's tools, made once as the box makes its own once.
    const FontRecord font{FontDescription{}};
    Surface surface(kBox.width, kBox.height);
    Gdiplus::GpGraphics* graphics = nullptr;
    gdip::GdipCreateFromHDC(surface.Dc(), &graphics);
    const std::unique_ptr<Gdiplus::GpGraphics, decltype(&gdip::GdipDeleteGraphics)> ownGraphics(
        graphics, &gdip::GdipDeleteGraphics);
    Gdiplus::GpStringFormat* format = nullptr;
    gdip::GdipCloneStringFormat(font.Format(), &format);
    const std::unique_ptr<Gdiplus::GpStringFormat, decltype(&gdip::GdipDeleteStringFormat)> ownFormat(
        format, &gdip::GdipDeleteStringFormat);
    if (!graphics || !format || !font) Fail("the paste floor has no GDI+ tools");
    const Gdiplus::RectF layout{0, 0, 1e6f, static_cast<float>(kBox.height)};
    float floorWidth = 0;

    Pairs pairs;
    for (int run = 0; run < 7; ++run) {
        const auto timeProgram = [&] {
            box.SetTextW(WideText{});
            const double time = TimeOnce([&] {
                holdControl(true);
                send(WM_KEYDOWN, 'V', 0);
                holdControl(false);
                ::UpdateWindow(host->GetHandle());
            });
            if (box.GetTextW().ToWString() != line || box.Caret() != kLength)
                Fail("the paste left " + std::to_string(box.GetTextW().ToWString().size()) + " characters, not " +
                     std::to_string(kLength));
            return time;
        };
        const auto timeFloor = [&] {
            floorWidth = 0;
            const double time = TimeOnce([&] {
                float right = 0;
                std::vector<Gdiplus::CharacterRange> ranges;
                for (int i = 0; i < 32; ++i) ranges.push_back({i, 1});
                gdip::GdipSetStringFormatMeasurableCharacterRanges(format, 32, ranges.data());
                std::vector<Gdiplus::GpRegion*> regions(32, nullptr);
                for (auto& region : regions) gdip::GdipCreateRegion(&region);
                for (int first = 0; first < kLength; first += 32) {
                    gdip::GdipMeasureCharacterRanges(graphics, line.c_str() + first, 32, font.Font(), layout, format,
                                                     32, regions.data());
                    for (Gdiplus::GpRegion* region : regions) {
                        Gdiplus::RectF bounds{};
                        gdip::GdipGetRegionBounds(region, graphics, &bounds);
                        right += bounds.Width;
                    }
                }
                for (Gdiplus::GpRegion* region : regions) gdip::GdipDeleteRegion(region);
                gdip::GdipGraphicsClear(graphics, 0xFFFFFFFF);
                const Gdiplus::RectF shown{static_cast<float>(kBox.width) - right, 0, right,
                                           static_cast<float>(kBox.height)};
                gdip::GdipDrawString(graphics, line.c_str(), kLength, font.Font(), &shown, format, font.TextBrush());
                floorWidth = right;
            });
            if (floorWidth <= 0) Fail("the paste floor measured nothing");
            return time;
        };
        Alternate(run, pairs, timeProgram, timeFloor);
    }
    Report(Timed("paste", pairs, "10,000 characters measured one by one and drawn once with bare GDI+", 2.0));
    box.Detach();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: setup_bench SETUP_EXE FLOOR_EXE [PART...]\n");
        return 2;
    }
    const std::wstring setupExe = MakeWideText(argv[1]).ToWString();
    const std::wstring floorExe = MakeWideText(argv[2]).ToWString();
    const std::vector<std::string> parts(argv + 3, argv + argc);
    const auto wanted = [&](const char* part) {
        return parts.empty() || std::find(parts.begin(), parts.end(), part) != parts.end();
    };
    ToolkitStartup(BuiltinSkinData());
    if (wanted("extraction")) BenchExtraction();
    if (wanted("start-up")) BenchStartup(setupExe, floorExe);
    if (wanted("memory")) BenchMemoryAndSize(setupExe, floorExe);
    if (wanted("transitions")) BenchTransitionFrames();
    if (wanted("paste")) BenchPaste();
    if (wanted("page-change")) BenchPageChange();
    // The setup window it brings up stays: this goes last.
    if (wanted("painting")) BenchPainting();
    std::fflush(stdout);
    ::TerminateProcess(::GetCurrentProcess(), 0);  // the setup window would end it anyway
    return 0;
}
