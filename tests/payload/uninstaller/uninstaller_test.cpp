// Makes an installation by hand, as the setup program leaves it (the seven
// files, the shortcuts, the .pdf association), runs the installed
// uninstaller, silently or answering its messages as a user would, and reads
// the file system and the registry back.

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "payload/association_record.h"
#include "payload/payload_files.h"
#include "skin/core/file_io.h"
#include "skin/core/unique_handle.h"
#include "tests/payload/installation.h"
#include "tests/support/temp_folder.h"

namespace lirvo {
namespace {

using testing::Wide;

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    EXPECT_EQ(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    return std::wstring(path) + L"\\";
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The uninstaller's clean-up copy removes the folder a moment after the
// uninstaller's own file: what it removes is waited for.
bool Gone(const std::wstring& path) {
    for (int attempt = 0; attempt < 50 && Exists(path); ++attempt) ::Sleep(100);
    return !Exists(path);
}

void MakeShortcut(const std::wstring& link, const std::wstring& target) {
    IShellLinkW* shellLink = nullptr;
    ASSERT_EQ(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&shellLink)),
              S_OK);
    IPersistFile* file = nullptr;
    shellLink->SetPath(target.c_str());
    ASSERT_EQ(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)), S_OK);
    EXPECT_EQ(file->Save(link.c_str(), TRUE), S_OK);
    file->Release();
    shellLink->Release();
}

void WriteString(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY opened = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened,
                                nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(opened);
}

void WriteDword(const std::wstring& key, const wchar_t* name, DWORD value) {
    HKEY opened = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened,
                                nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(opened, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    ::RegCloseKey(opened);
}

std::optional<std::wstring> ReadString(const std::wstring& key, const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

bool KeyExists(const std::wstring& key) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    ::RegCloseKey(opened);
    return true;
}

// The five registry entries the setup program's finish step writes.
void Associate(const std::wstring& reader) {
    WriteString(L".pdf", L"", L"");
    WriteDword(L".pdf", L"EditFlags", 2);
    WriteString(L".pdf\\Shell\\Open\\Command", L"", L"\"" + reader + L"\" \"%1\"");
    WriteString(L".pdf\\DefaultIcon", L"", reader + L",0");
    WriteString(L"..pdf", L"", L".pdf");
}

// The record the setup program keeps of the association it replaced: here,
// a new system's, whose .pdf names the class "pdffile" and nothing else.
void RecordPreviousClass(const std::wstring& className) {
    HKEY record = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, payload::kAssociationRecordKey, 0, nullptr, 0, KEY_SET_VALUE,
                                nullptr, &record, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(record, L"Class", 0, REG_SZ, reinterpret_cast<const BYTE*>(className.c_str()),
                     static_cast<DWORD>((className.size() + 1) * sizeof(wchar_t)));
    const DWORD recorded = 1;
    ::RegSetValueExW(record, payload::kRecordedMark, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&recorded),
                     sizeof recorded);
    ::RegCloseKey(record);
}

bool RecordExists() {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, payload::kAssociationRecordKey, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(opened);
    return true;
}

std::optional<std::wstring> RecordedClass() {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, payload::kAssociationRecordKey, L"Class", RRF_RT_REG_SZ, nullptr, value,
                       &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

std::wstring OpenCommand(const std::wstring& reader) { return L"\"" + reader + L"\" \"%1\""; }

// A file held open as a program that does not let others delete it holds it.
UniqueHandle Hold(const std::wstring& path) {
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(file) << testing::Utf8(path);
    return file;
}

std::wstring SystemMessage(DWORD error) {
    wchar_t text[512] = {};
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, 512, nullptr);
    std::wstring message = text;
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    return message;
}

constexpr std::wstring_view kGroupUserFile = L"使用说明.txt";

class UninstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ClearAssociation();
        folderAnsi_ = temp_ / std::string("LirvoPDF阅读器");
        ASSERT_TRUE(::CreateDirectoryA(folderAnsi_.c_str(), nullptr));
        ASSERT_TRUE(testing::ExtractPayload(folderAnsi_));
        folder_ = Wide(folderAnsi_) + L"\\";
        reader_ = folder_ + std::wstring(payload::kReader.wideName);
        uninstaller_ = folder_ + std::wstring(payload::kUninstaller.wideName);
        desktopLink_ = ShellFolder(CSIDL_DESKTOPDIRECTORY) + std::wstring(payload::kShortcutName);
        group_ = ShellFolder(CSIDL_STARTMENU) + std::wstring(payload::kProductName) + L"\\";
        ::CreateDirectoryW(group_.c_str(), nullptr);
        MakeShortcut(group_ + std::wstring(payload::kShortcutName), reader_);
        MakeShortcut(group_ + std::wstring(payload::kUninstallShortcutName), uninstaller_);
    }

    void TearDown() override {
        ClearAssociation();
        ::DeleteFileW(desktopLink_.c_str());
        for (std::wstring_view name : {payload::kShortcutName, payload::kUninstallShortcutName, kGroupUserFile})
            ::DeleteFileW((group_ + std::wstring(name)).c_str());
        ::RemoveDirectoryW(group_.c_str());
        ::CoUninitialize();
    }

    static void ClearAssociation() {
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L".pdf");
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"..pdf");
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, payload::kAssociationRecordKey);
        ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, payload::kAssociationRecordKey);
    }

    // Runs the installed uninstaller silently and waits until its helper has
    // removed the uninstaller's own file as well.
    void Uninstall() { Uninstall(uninstaller_); }
    static void Uninstall(const std::wstring& program) {
        testing::RunningProgram uninstaller;
        testing::Start(uninstaller, program, L"/S");
        ASSERT_TRUE(uninstaller.started);
        EXPECT_EQ(uninstaller.WaitForExit(30000), 0);
        WaitUntilGone(program);
    }

    static void WaitUntilGone(const std::wstring& uninstaller) {
        for (int attempt = 0; attempt < 150 && Exists(uninstaller); ++attempt) ::Sleep(100);
        EXPECT_FALSE(Exists(uninstaller)) << "the uninstaller's own file goes after it has ended";
    }

    // The installation as setup left it, with a desktop shortcut, the
    // association and the record of what .pdf opened before.
    void InstallEverything() {
        MakeShortcut(desktopLink_, reader_);
        RecordPreviousClass(L"pdffile");
        Associate(reader_);
    }

    // Nothing of what InstallEverything made has gone.
    void ExpectEverythingInPlace() const {
        for (const auto& file : payload::kPayloadFiles)
            EXPECT_TRUE(Exists(folder_ + std::wstring(file.wideName))) << file.ansiName;
        EXPECT_TRUE(Exists(desktopLink_));
        EXPECT_TRUE(Exists(group_ + std::wstring(payload::kShortcutName)));
        EXPECT_TRUE(Exists(group_ + std::wstring(payload::kUninstallShortcutName))) << "the user's way back";
        EXPECT_EQ(ReadString(L".pdf\\Shell\\Open\\Command", L""), OpenCommand(reader_));
        EXPECT_EQ(RecordedClass(), std::wstring(L"pdffile"));
    }

    // Nothing of it is left.
    void ExpectEverythingGone() const {
        EXPECT_TRUE(Gone(folder_)) << "the install folder is gone";
        EXPECT_FALSE(Exists(desktopLink_));
        EXPECT_FALSE(Exists(group_)) << "the start-menu folder and its two shortcuts are gone";
        EXPECT_EQ(ReadString(L".pdf", L""), std::wstring(L"pdffile")) << ".pdf opens with what it opened with before";
        EXPECT_FALSE(KeyExists(L".pdf\\Shell"));
        EXPECT_FALSE(RecordExists());
    }

    testing::TempFolder temp_;
    std::string folderAnsi_;
    std::wstring folder_, reader_, uninstaller_, desktopLink_, group_;
};

TEST_F(UninstallerTest, RemovesAWholeInstallation) {
    MakeShortcut(desktopLink_, reader_);
    Associate(reader_);
    const std::wstring neighbour = ShellFolder(CSIDL_DESKTOPDIRECTORY) + L"其他软件.lnk";
    MakeShortcut(neighbour, L"C:\\windows\\notepad.exe");

    Uninstall();

    EXPECT_TRUE(Gone(folder_)) << "the install folder is gone";
    EXPECT_FALSE(Exists(desktopLink_));
    EXPECT_FALSE(Exists(group_)) << "the start-menu folder and its two shortcuts are gone";
    for (const wchar_t* key : {L".pdf", L"..pdf"}) EXPECT_FALSE(KeyExists(key)) << testing::Utf8(key);
    EXPECT_TRUE(Exists(neighbour)) << "another program's shortcut stays";
    ::DeleteFileW(neighbour.c_str());
}

// Started through a short name (as an old shortcut or a typed path may
// start it), it still knows the association and shortcuts as its own.
TEST_F(UninstallerTest, StartedThroughItsShortNameItRemovesItsOwnInstallation) {
    InstallEverything();
    wchar_t shortForm[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameW(uninstaller_.c_str(), shortForm, MAX_PATH), 0u);
    ASSERT_NE(std::wstring(shortForm), uninstaller_) << "the system gives the folder a short name";

    Uninstall(shortForm);

    ExpectEverythingGone();
}

TEST_F(UninstallerTest, PutsBackTheAssociationSetupReplaced) {
    RecordPreviousClass(L"pdffile");
    Associate(reader_);

    Uninstall();

    EXPECT_EQ(ReadString(L".pdf", L""), std::wstring(L"pdffile")) << ".pdf opens with what it opened with before";
    EXPECT_FALSE(KeyExists(L".pdf\\Shell")) << "setup's open command was not there before";
    EXPECT_FALSE(KeyExists(L".pdf\\DefaultIcon"));
    EXPECT_FALSE(KeyExists(L"..pdf"));
    EXPECT_FALSE(RecordExists()) << "the record goes with the program";
}

TEST_F(UninstallerTest, LeavesWhatIsNotItsOwn) {
    // The user's file in the install folder and in the start-menu folder, a
    // desktop shortcut of the same name that leads to another copy, and a
    // .pdf association that another program took over since.
    ASSERT_TRUE(WriteWholeFile(folderAnsi_ + "\\我的笔记.txt", ByteArray{'n', 'o', 't', 'e'}));
    const std::wstring userFile = group_ + std::wstring(kGroupUserFile);
    ::CloseHandle(::CreateFileW(userFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    const std::wstring otherCopy = L"D:\\其他\\LirvoPDF阅读器.exe";
    MakeShortcut(desktopLink_, otherCopy);
    Associate(reader_);
    RecordPreviousClass(L"pdffile");
    const std::wstring otherCommand = L"\"C:\\Other\\Viewer.exe\" \"%1\"";
    WriteString(L".pdf\\Shell\\Open\\Command", L"", otherCommand);

    Uninstall();

    for (const auto& file : payload::kPayloadFiles)
        EXPECT_FALSE(Exists(folder_ + std::wstring(file.wideName))) << file.ansiName;
    EXPECT_TRUE(Exists(folder_ + L"我的笔记.txt"));
    EXPECT_TRUE(Exists(desktopLink_)) << "a shortcut to another copy stays";
    EXPECT_FALSE(Exists(group_ + std::wstring(payload::kShortcutName)));
    EXPECT_FALSE(Exists(group_ + std::wstring(payload::kUninstallShortcutName)));
    EXPECT_TRUE(Exists(userFile));
    EXPECT_EQ(ReadString(L".pdf\\Shell\\Open\\Command", L""), otherCommand);
    EXPECT_EQ(ReadString(L".pdf\\DefaultIcon", L""), reader_ + L",0") << "nothing of an association it no longer owns";
    EXPECT_EQ(ReadString(L"..pdf", L""), L".pdf");
    EXPECT_EQ(RecordedClass(), std::wstring(L"pdffile")) << "the record is not this uninstaller's to drop while .pdf is not its own";
}

// A second installation into another folder takes .pdf over and keeps the
// first one's record, which still says what .pdf opened before the reader.
TEST_F(UninstallerTest, TheRecordGoesWithTheCopyThatOwnsPdf) {
    RecordPreviousClass(L"pdffile");
    Associate(reader_);
    testing::TempFolder secondTemp;
    const std::string secondAnsi = secondTemp / std::string("LirvoPDF阅读器");
    ASSERT_TRUE(::CreateDirectoryA(secondAnsi.c_str(), nullptr));
    ASSERT_TRUE(testing::ExtractPayload(secondAnsi));
    const std::wstring second = Wide(secondAnsi) + L"\\";
    const std::wstring secondReader = second + std::wstring(payload::kReader.wideName);
    const std::wstring secondUninstaller = second + std::wstring(payload::kUninstaller.wideName);
    MakeShortcut(desktopLink_, secondReader);
    MakeShortcut(group_ + std::wstring(payload::kShortcutName), secondReader);
    MakeShortcut(group_ + std::wstring(payload::kUninstallShortcutName), secondUninstaller);
    Associate(secondReader);

    Uninstall();

    EXPECT_TRUE(Gone(folder_));
    EXPECT_EQ(ReadString(L".pdf\\Shell\\Open\\Command", L""), OpenCommand(secondReader)) << "the second copy keeps .pdf";
    EXPECT_EQ(ReadString(L".pdf\\DefaultIcon", L""), secondReader + L",0");
    EXPECT_EQ(RecordedClass(), std::wstring(L"pdffile")) << "the record stays for the copy that owns .pdf";
    EXPECT_TRUE(Exists(group_ + std::wstring(payload::kUninstallShortcutName))) << "the second copy's shortcuts stay";
    EXPECT_TRUE(Exists(desktopLink_));

    Uninstall(secondUninstaller);

    EXPECT_TRUE(Gone(second));
    EXPECT_EQ(ReadString(L".pdf", L""), std::wstring(L"pdffile")) << ".pdf opens with what it opened with before either copy";
    EXPECT_FALSE(KeyExists(L".pdf\\Shell"));
    EXPECT_FALSE(KeyExists(L".pdf\\DefaultIcon"));
    EXPECT_FALSE(KeyExists(L"..pdf"));
    EXPECT_FALSE(RecordExists());
    EXPECT_FALSE(Exists(group_));
    EXPECT_FALSE(Exists(desktopLink_));
}

}  // namespace
}  // namespace lirvo

namespace lirvo {
namespace {

TEST_F(UninstallerTest, AsksFirstAndLeavesEverythingWhenTheUserDeclines) {
    MakeShortcut(desktopLink_, reader_);
    Associate(reader_);

    testing::RunningProgram uninstaller;
    testing::Start(uninstaller, uninstaller_, L"");
    ASSERT_TRUE(uninstaller.started);
    HWND question = testing::WaitForWindow(uninstaller, L"#32770");
    ASSERT_TRUE(question) << "the uninstaller asks before it removes anything";
    EXPECT_EQ(testing::TextOf(question), L"卸载 LirvoPDF阅读器");
    ::PostMessageW(question, WM_COMMAND, IDNO, 0);
    EXPECT_EQ(uninstaller.WaitForExit(10000), 1);

    for (const auto& file : payload::kPayloadFiles)
        EXPECT_TRUE(Exists(folder_ + std::wstring(file.wideName))) << file.ansiName;
    EXPECT_TRUE(Exists(desktopLink_));
    EXPECT_TRUE(Exists(group_ + std::wstring(payload::kUninstallShortcutName)));
    EXPECT_EQ(ReadString(L".pdf\\Shell\\Open\\Command", L""), L"\"" + reader_ + L"\" \"%1\"");
}

// With /S nobody can be asked to close anything: a file in use leaves the
// whole installation as it is, and the exit code says why.
TEST_F(UninstallerTest, RemovesNothingSilentlyWhileAFileIsInUse) {
    InstallEverything();
    const std::wstring library = folder_ + std::wstring(payload::kCoreLibrary.wideName);
    const struct {
        const char* what;
        std::function<std::function<void()>()> hold;  // holds something; gives back what lets it go
    } cases[] = {
        {"the reader running",
         [&] {
             auto reader = std::make_shared<testing::RunningProgram>();
             testing::Start(*reader, reader_, L"");
             EXPECT_TRUE(testing::WaitForWindow(*reader, L"LirvoPdfReaderWindow")) << "the reader runs";
             return std::function<void()>([reader] {
                 ::PostMessageW(testing::WaitForWindow(*reader, L"LirvoPdfReaderWindow"), WM_CLOSE, 0, 0);
                 EXPECT_EQ(reader->WaitForExit(10000), 0);
             });
         }},
        {"a library open without share-delete",
         [&] {
             auto file = std::make_shared<UniqueHandle>(Hold(library));
             return std::function<void()>([file] { file->Reset(); });
         }},
        {"a library loaded by another program",
         [&] {
             HMODULE module = ::LoadLibraryW(library.c_str());
             EXPECT_TRUE(module);
             return std::function<void()>([module] { ::FreeLibrary(module); });
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto release = c.hold();
        testing::RunningProgram uninstaller;
        testing::Start(uninstaller, uninstaller_, L"/S");
        ASSERT_TRUE(uninstaller.started);
        EXPECT_EQ(uninstaller.WaitForExit(30000), 3) << "files in use";
        release();
        ExpectEverythingInPlace();
    }

    Uninstall();
    ExpectEverythingGone();
}

// A read-only file is no file in use: the removal clears the attribute, and
// the check before it leaves the attribute as it found it.
TEST_F(UninstallerTest, AReadOnlyFileIsNoFileInUse) {
    InstallEverything();
    const std::wstring readOnly = folder_ + std::wstring(payload::kInterfaceExtension.wideName);
    ASSERT_TRUE(::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        const UniqueHandle held = Hold(folder_ + std::wstring(payload::kCoreLibrary.wideName));
        testing::RunningProgram uninstaller;
        testing::Start(uninstaller, uninstaller_, L"/S");
        ASSERT_TRUE(uninstaller.started);
        EXPECT_EQ(uninstaller.WaitForExit(30000), 3) << "files in use";
        ExpectEverythingInPlace();
        EXPECT_EQ(::GetFileAttributesW(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY})
            << "still read-only after the check";
    }

    Uninstall();
    ExpectEverythingGone();
}

// A user is told which files are in use and may close them and try again,
// or stop with everything as it was.
TEST_F(UninstallerTest, NamesTheFilesInUseAndTriesAgainWhenAsked) {
    InstallEverything();
    const std::wstring held = folder_ + std::wstring(payload::kCoreLibrary.wideName);
    const std::wstring unheld = folder_ + std::wstring(payload::kViewEngine.wideName);
    UniqueHandle file = Hold(held);

    const auto runUntilItNamesTheFile = [&](testing::RunningProgram& uninstaller) -> HWND {
        testing::Start(uninstaller, uninstaller_, L"");
        if (!uninstaller.started) return nullptr;
        HWND question = testing::WaitForDialog(uninstaller, L"确定要从这台电脑上卸载");
        EXPECT_TRUE(question) << "the uninstaller asks first";
        ::PostMessageW(question, WM_COMMAND, IDYES, 0);
        HWND inUse = testing::WaitForDialog(uninstaller, held);
        EXPECT_TRUE(inUse) << "it names the file in use by its full path";
        if (!inUse) return nullptr;
        const std::wstring text = testing::DialogText(inUse);
        EXPECT_NE(text.find(SystemMessage(ERROR_SHARING_VIOLATION)), std::wstring::npos)
            << "and the system's reason: " << testing::Utf8(text);
        EXPECT_EQ(text.find(unheld), std::wstring::npos) << "and no file that is free: " << testing::Utf8(text);
        EXPECT_EQ(testing::TextOf(inUse), L"卸载 LirvoPDF阅读器");
        return inUse;
    };

    {
        testing::RunningProgram uninstaller;
        HWND inUse = runUntilItNamesTheFile(uninstaller);
        ASSERT_TRUE(inUse);
        ::PostMessageW(inUse, WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(uninstaller.WaitForExit(10000), 1) << "cancelled";
        ExpectEverythingInPlace();
    }
    {
        testing::RunningProgram uninstaller;
        HWND inUse = runUntilItNamesTheFile(uninstaller);
        ASSERT_TRUE(inUse);
        file.Reset();
        ::PostMessageW(inUse, WM_COMMAND, IDRETRY, 0);
        HWND done = testing::WaitForDialog(uninstaller, L"已从这台电脑上卸载");
        ASSERT_TRUE(done) << "once the file is free, trying again uninstalls";
        ::PostMessageW(done, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(uninstaller.WaitForExit(10000), 0);
    }
    WaitUntilGone(uninstaller_);
    ExpectEverythingGone();
}

}  // namespace
}  // namespace lirvo
