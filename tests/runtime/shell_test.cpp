#include "runtime/shell.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <thread>

#include "runtime/com_apartment.h"
#include "runtime/files.h"
#include "runtime/form.h"
#include "runtime/message_loop.h"
#include "skin/core/com_ptr.h"
#include "skin/core/file_io.h"
#include "skin/core/wide_text.h"
#include "tests/support/temp_folder.h"

namespace lirvo::runtime {
namespace {

using testing::TempFolder;

struct LinkContents {
    std::wstring target;
    std::wstring description;
    std::wstring arguments;
    std::wstring workingFolder;
    int showCommand = 0;
};

// Loads a saved link through the wide shell link interface.
std::optional<LinkContents> ReadLink(const std::string& path) {
    ComPtr<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(link.Put()))))
        return std::nullopt;
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put())))) return std::nullopt;
    if (FAILED(file->Load(MakeWideText(path).ToWString().c_str(), STGM_READ))) return std::nullopt;
    wchar_t text[MAX_PATH + 1] = {};
    LinkContents contents;
    link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    contents.target = text;
    text[0] = 0;
    link->GetDescription(text, MAX_PATH);
    contents.description = text;
    text[0] = 0;
    link->GetArguments(text, MAX_PATH);
    contents.arguments = text;
    text[0] = 0;
    link->GetWorkingDirectory(text, MAX_PATH);
    contents.workingFolder = text;
    link->GetShowCmd(&contents.showCommand);
    return contents;
}

// The show command as the link file stores it (the header's field at 0x3C);
// the link interface reports every value but 3 and 7 as SW_SHOWNORMAL.
std::int32_t StoredShowCommand(const std::string& path) {
    const std::optional<ByteArray> bytes = ReadWholeFile(path);
    if (!bytes || bytes->size() < 0x40) return -1;
    return static_cast<std::int32_t>((*bytes)[0x3C] | ((*bytes)[0x3D] << 8) | ((*bytes)[0x3E] << 16) |
                                     ((*bytes)[0x3F] << 24));
}

std::wstring Wide(const std::string& ansi) { return MakeWideText(ansi).ToWString(); }

class ShellTest : public ::testing::Test {
protected:
    // A quit request left by an earlier test's last form would end the
    // folder dialog's own message loop at once.
    void SetUp() override {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    ComApartment com_;
};

TEST_F(ShellTest, SpecialFoldersEndWithOneBackslash) {
    for (std::int32_t number = 1; number <= 11; ++number) {
        const std::string folder = GetSpecialFolder(number);
        SCOPED_TRACE(std::to_string(number) + " " + folder);
        ASSERT_GE(folder.size(), 3u);
        EXPECT_EQ(folder.back(), '\\');
        EXPECT_NE(folder[folder.size() - 2], '\\');
        const DWORD attributes = ::GetFileAttributesA(folder.c_str());
        ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
        EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(GetSpecialFolder(9), std::string(windows) + "\\");
    EXPECT_EQ(GetSpecialFolder(10), std::string(windows) + "\\system32\\");
    for (std::int32_t outside : {0, 12, -1, INT_MIN, INT_MAX}) EXPECT_EQ(GetSpecialFolder(outside), "") << outside;
}

// The Unix home folder of the run, seen through Wine's Z: drive. Wine keeps
// HOME to itself, but XDG_CONFIG_HOME (set to $HOME/.config) comes through.
std::string UnixHomeFolder() {
    char config[MAX_PATH] = {};
    if (::GetEnvironmentVariableA("XDG_CONFIG_HOME", config, MAX_PATH) == 0) return {};
    std::string home = std::string("Z:") + config;
    if (!home.ends_with("/.config")) return {};
    home.resize(home.size() - 8);
    for (char& c : home)
        if (c == '/') c = '\\';
    return home;
}

TEST_F(ShellTest, DesktopFolderIsTheUsersDesktop) {
    // The prefix maps the desktop to $HOME/Desktop; a file written through
    // folder 3 appears there.
    const std::string home = UnixHomeFolder();
    ASSERT_FALSE(home.empty());
    const std::string name = "lirvo-desktop-probe-" + std::to_string(::GetCurrentProcessId()) + ".txt";
    ASSERT_TRUE(WriteFile(GetSpecialFolder(3) + name, std::span<const std::uint8_t>()));
    EXPECT_TRUE(PathExists(home + "\\Desktop\\" + name)) << home;
    DeleteFile(GetSpecialFolder(3) + name);
}

TEST_F(ShellTest, ShortcutTargetReadsBackThroughTheWideInterface) {
    TempFolder temp;
    const std::string target = "C:\\Program Files\\LirvoPDF阅读器\\LirvoPDF阅读器.exe";
    const std::string link = temp / "LirvoPDF阅读器.lnk";
    ASSERT_TRUE(CreateShortcut(link, target));
    const std::optional<LinkContents> contents = ReadLink(link);
    ASSERT_TRUE(contents);
    EXPECT_EQ(contents->target, Wide(target));
    EXPECT_EQ(contents->description, L"");
    EXPECT_EQ(contents->arguments, L"");
    EXPECT_EQ(StoredShowCommand(link), SW_SHOW);

    // Existing links are replaced.
    const std::string uninstaller = "C:\\Program Files\\LirvoPDF阅读器\\卸载.exe";
    ASSERT_TRUE(CreateShortcut(link, uninstaller, "卸载 LirvoPDF阅读器", "/quiet", "C:\\Program Files\\LirvoPDF阅读器"));
    const std::optional<LinkContents> replaced = ReadLink(link);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(replaced->target, Wide(uninstaller));
    EXPECT_EQ(replaced->description, Wide("卸载 LirvoPDF阅读器"));
    EXPECT_EQ(replaced->arguments, L"/quiet");
    EXPECT_EQ(replaced->workingFolder, Wide("C:\\Program Files\\LirvoPDF阅读器"));
}

TEST_F(ShellTest, LinkExtensionIsAddedOnlyToANameWithoutADot) {
    TempFolder temp;
    ASSERT_TRUE(CreateFolder(temp / "v1.0"));
    struct Case {
        std::string given;
        std::string saved;
    };
    const Case cases[] = {
        {temp / "LirvoPDF阅读器", temp / "LirvoPDF阅读器.lnk"},
        {temp / "卸载.lnk", temp / "卸载.lnk"},
        {temp / "reader.link", temp / "reader.link"},
        // A dot anywhere counts, the folder's too.
        {temp / "v1.0\\reader", temp / "v1.0\\reader"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(CreateShortcut(c.given, "C:\\reader.exe")) << c.given;
        EXPECT_TRUE(PathExists(c.saved)) << c.saved;
        const std::optional<LinkContents> contents = ReadLink(c.saved);
        ASSERT_TRUE(contents) << c.saved;
        EXPECT_EQ(contents->target, L"C:\\reader.exe");
    }
}

TEST_F(ShellTest, ShortcutFailuresGiveFalse) {
    TempFolder temp;
    EXPECT_FALSE(CreateShortcut(temp / "missing folder\\reader.lnk", "C:\\reader.exe"));
    EXPECT_FALSE(PathExists(temp / "missing folder"));

    // Without COM on the calling thread the link object cannot be made.
    bool created = true;
    std::thread([&] { created = CreateShortcut(temp / "no-com.lnk", "C:\\reader.exe"); }).join();
    EXPECT_FALSE(created);
    EXPECT_FALSE(PathExists(temp / "no-com.lnk"));
}

// Finds the folder dialog that the given thread shows and answers it.
class DialogAnswerer {
public:
    DialogAnswerer(DWORD threadId, HWND form, WORD answer)
        : worker_([=, this] {
              for (int attempt = 0; attempt < 600 && !answered_; ++attempt) {
                  ::EnumThreadWindows(threadId, &DialogAnswerer::Visit, reinterpret_cast<LPARAM>(this));
                  if (dialog_) {
                      formEnabledDuringDialog_ = ::IsWindowEnabled(form) != FALSE;
                      ::PostMessageW(dialog_, WM_COMMAND, answer, 0);
                      answered_ = true;
                  }
                  ::Sleep(50);
              }
          }) {}
    ~DialogAnswerer() { Finish(); }
    void Finish() {
        if (worker_.joinable()) worker_.join();
    }

    bool Answered() const { return answered_; }
    bool FormEnabledDuringDialog() const { return formEnabledDuringDialog_; }

private:
    static BOOL CALLBACK Visit(HWND window, LPARAM self) {
        wchar_t className[32] = {};
        ::GetClassNameW(window, className, 32);
        if (std::wstring_view(className) == L"#32770" && ::IsWindowVisible(window)) {
            reinterpret_cast<DialogAnswerer*>(self)->dialog_ = window;
            return FALSE;
        }
        return TRUE;
    }

    std::atomic<HWND> dialog_ = nullptr;
    std::atomic<bool> answered_ = false;
    std::atomic<bool> formEnabledDuringDialog_ = true;
    std::thread worker_;
};

TEST_F(ShellTest, FolderDialogDisablesTheFormsAndRestoresThem) {
    Form form(FormLayout{.title = "选择安装目录", .visible = false});
    Form disabledForm(FormLayout{.visible = false});
    ASSERT_TRUE(LoadForm(form));
    ASSERT_TRUE(LoadForm(disabledForm));
    ::EnableWindow(disabledForm.WindowHandle(), FALSE);

    DialogAnswerer answerer(::GetCurrentThreadId(), form.WindowHandle(), IDCANCEL);
    const std::string chosen = BrowseForFolder("选择安装目录");
    answerer.Finish();
    EXPECT_TRUE(answerer.Answered()) << "no folder dialog appeared";
    EXPECT_EQ(chosen, "");
    EXPECT_FALSE(answerer.FormEnabledDuringDialog()) << "the form stayed enabled under the dialog";
    EXPECT_TRUE(::IsWindowEnabled(form.WindowHandle()));
    EXPECT_FALSE(::IsWindowEnabled(disabledForm.WindowHandle())) << "a disabled form must stay disabled";
    DispatchPendingMessages();
}

TEST_F(ShellTest, FolderDialogGivesTheChosenFolderWithoutTrailingBackslash) {
    Form form(FormLayout{.visible = false});
    ASSERT_TRUE(LoadForm(form));
    DialogAnswerer answerer(::GetCurrentThreadId(), form.WindowHandle(), IDOK);
    const std::string chosen = BrowseForFolder("选择安装目录", true);
    answerer.Finish();
    ASSERT_TRUE(answerer.Answered()) << "no folder dialog appeared";
    ASSERT_FALSE(chosen.empty());
    EXPECT_TRUE(::GetFileAttributesA(chosen.c_str()) & FILE_ATTRIBUTE_DIRECTORY) << chosen;
    if (chosen.size() > 3) {
        EXPECT_NE(chosen.back(), '\\') << chosen;
    }
    DispatchPendingMessages();
}

}  // namespace
}  // namespace lirvo::runtime
