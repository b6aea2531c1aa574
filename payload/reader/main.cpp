// LirvoPDF阅读器.exe: the reader's front end. It shows one window titled with
// the product name; given a document on its command line (the .pdf
// association passes one in quotes) or through "文件 → 打开", it shows the
// document's name, size and PDF version, or why it cannot. Everything but the
// window itself comes from the five support libraries beside the program; a
// missing one is named in the window instead.

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "payload/reader/document_report.h"
#include "payload/reader/support_libraries.h"

namespace {

using lirvo::payload::SupportFunctions;
using lirvo::payload::SupportLibraries;

constexpr wchar_t kWindowClass[] = L"LirvoPdfReaderWindow";
// The text area's control id: tests and accessibility tools read it.
constexpr int kReportId = 100;
constexpr int kBannerHeight = 56;
constexpr int kProgramIcon = 1;  // reader.rc
constexpr int kMargin = 20;

struct FontDeleter {
    void operator()(HFONT font) const { ::DeleteObject(font); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

struct BrushDeleter {
    void operator()(HBRUSH brush) const { ::DeleteObject(brush); }
};
using Brush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, BrushDeleter>;

// The reader's state; lives on WinMain's stack for the whole message loop.
struct Reader {
    std::optional<SupportLibraries> libraries;
    std::wstring loadError;
    Font titleFont;
    Font textFont;
    Brush background;
    HWND report = nullptr;

    const SupportFunctions* Functions() const { return libraries ? &libraries->Functions() : nullptr; }
};

std::wstring OwnFolder() {
    std::array<wchar_t, 32768> path{};
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring folder(path.data(), length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring DocumentFromCommandLine() {
    int count = 0;
    std::unique_ptr<LPWSTR, decltype(&::LocalFree)> arguments(::CommandLineToArgvW(::GetCommandLineW(), &count),
                                                              &::LocalFree);
    if (!arguments || count < 2) return {};
    return arguments.get()[1];
}

lirvo::payload::DocumentFacts Inspect(const SupportFunctions& functions, const std::wstring& path) {
    lirvo::payload::DocumentFacts facts;
    LirvoDocumentInfo info{};
    facts.result = functions.inspect(path.c_str(), &info);
    facts.path = path;
    facts.name = functions.fileName(path.c_str());
    std::array<wchar_t, 96> size{};
    functions.formatSize(info.size, size.data(), static_cast<int>(size.size()));
    facts.sizeText = size.data();
    facts.versionMajor = info.versionMajor;
    facts.versionMinor = info.versionMinor;
    return facts;
}

void ShowDocument(HWND window, Reader& reader, const std::wstring& path) {
    const SupportFunctions* functions = reader.Functions();
    if (!functions) return;
    if (path.empty()) {
        ::SetWindowTextW(reader.report, lirvo::payload::NoDocumentText().c_str());
        ::SetWindowTextW(window, lirvo::payload::WindowTitle({}).c_str());
        return;
    }
    const auto facts = Inspect(*functions, path);
    ::SetWindowTextW(reader.report, lirvo::payload::DocumentReport(facts).c_str());
    ::SetWindowTextW(window, lirvo::payload::WindowTitle(facts.name).c_str());
}

void ChooseDocument(HWND window, Reader& reader) {
    std::array<wchar_t, MAX_PATH * 4> path{};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = window;
    dialog.lpstrFilter = L"PDF 文件 (*.pdf)\0*.pdf\0所有文件 (*.*)\0*.*\0";
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (::GetOpenFileNameW(&dialog)) ShowDocument(window, reader, path.data());
}

void Layout(HWND window, const Reader& reader) {
    RECT client;
    ::GetClientRect(window, &client);
    ::MoveWindow(reader.report, kMargin, kBannerHeight + kMargin, client.right - 2 * kMargin,
                 client.bottom - kBannerHeight - 2 * kMargin, TRUE);
}

void Paint(HWND window, const Reader& reader) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window, &paint);
    RECT banner;
    ::GetClientRect(window, &banner);
    banner.bottom = kBannerHeight;
    if (const SupportFunctions* functions = reader.Functions())
        functions->paintBanner(dc, &banner, L"LirvoPDF阅读器", reader.titleFont.get());
    ::EndPaint(window, &paint);
}

LRESULT CALLBACK ReaderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* reader = reinterpret_cast<Reader*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE:
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        break;
    case WM_SIZE:
        if (reader && reader->report) Layout(window, *reader);
        return 0;
    case WM_PAINT:
        if (reader) {
            Paint(window, *reader);
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
        if (reader && reader->background && reader->Functions()) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, reader->Functions()->colour(kLirvoUiText));
            ::SetBkColor(dc, reader->Functions()->colour(kLirvoUiBackground));
            return reinterpret_cast<LRESULT>(reader->background.get());
        }
        break;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kLirvoMenuOpen:
            ChooseDocument(window, *reader);
            return 0;
        case kLirvoMenuExit:
            ::DestroyWindow(window);
            return 0;
        case kLirvoMenuAbout:
            ::MessageBoxW(window, L"LirvoPDF阅读器 1.0\r\n小巧、快速、干净的 PDF 阅读器。", L"关于 LirvoPDF阅读器",
                          MB_OK | MB_ICONINFORMATION);
            return 0;
        }
        break;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
    Reader reader;
    auto loaded = SupportLibraries::Load(OwnFolder());
    if (auto* error = std::get_if<std::wstring>(&loaded)) {
        reader.loadError = *error;
    } else {
        reader.libraries.emplace(std::move(std::get<SupportLibraries>(loaded)));
        const SupportFunctions& functions = reader.libraries->Functions();
        reader.titleFont.reset(functions.createFont(20, 1));
        reader.textFont.reset(functions.createFont(15, 0));
        reader.background.reset(::CreateSolidBrush(functions.colour(kLirvoUiBackground)));
    }

    WNDCLASSEXW windowClass{sizeof(windowClass)};
    windowClass.lpfnWndProc = ReaderWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(kProgramIcon));
    windowClass.hbrBackground = reader.background ? reader.background.get() : reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    if (!::RegisterClassExW(&windowClass)) return 1;

    HMENU menu = reader.Functions() ? reader.Functions()->createMenu() : nullptr;
    HWND window = ::CreateWindowExW(0, kWindowClass, L"LirvoPDF阅读器", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                    CW_USEDEFAULT, 640, 420, nullptr, menu, instance, &reader);
    if (!window) return 1;
    reader.report = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0,
                                      window, reinterpret_cast<HMENU>(kReportId), instance, nullptr);
    if (reader.textFont) ::SendMessageW(reader.report, WM_SETFONT, reinterpret_cast<WPARAM>(reader.textFont.get()), 0);
    Layout(window, reader);

    if (reader.Functions())
        ShowDocument(window, reader, DocumentFromCommandLine());
    else
        ::SetWindowTextW(reader.report, reader.loadError.c_str());

    ::ShowWindow(window, showCommand);
    ::UpdateWindow(window);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
