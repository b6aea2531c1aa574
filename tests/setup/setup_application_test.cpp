// The setup application driven as a user drives it: clicks on its controls
// reach its click handler with the user event a release over the control
// gives, and what it shows, records and writes is read back. The finish
// click ends the process, so the finish is reached here by closing the
// window, which completes an installation in the same way.

#include "setup/setup_application.h"

#include <gtest/gtest.h>

#include <map>

#include "runtime/com_apartment.h"
#include "runtime/files.h"
#include "runtime/form.h"
#include "runtime/shell.h"
#include "runtime/process.h"
#include "setup/byte_size.h"
#include "setup/install_folder.h"
#include "skin/core/keyboard_navigation.h"
#include "skin/core/window_properties.h"
#include "skin/core/file_io.h"
#include "skin/core/unique_handle.h"
#include "tests/support/child_process.h"
#include "tests/setup/accessible_reading.h"
#include "tests/setup/registry_reading.h"
#include "tests/support/keep_alive_window.h"
#include "tests/support/temp_folder.h"
#include "tests/support/toolkit_fixture.h"

namespace lirvo::setup {
namespace {

using lirvo::testing::TempFolder;

constexpr std::int32_t kLeftButtonReleased = 3;

// Handles what is queued, for at most a moment: the progress bar's shine
// keeps a timer of its own going, so the queue never stays empty for long.
void Pump() {
    const DWORD start = ::GetTickCount();
    MSG message;
    while (::GetTickCount() - start < 300 && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}

WideText Wide(const std::wstring& text) {
    const auto* units = reinterpret_cast<const std::uint8_t*>(text.data());
    WideText wide;
    wide.SetBytes(ByteArray(units, units + text.size() * sizeof(wchar_t)));
    return wide;
}

class SetupApplicationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        testing::StartToolkitForTests();
        testing::KeepOneSkinWindowAlive();
    }

    void SetUp() override {
        app_ = std::make_unique<SetupApplication>();
        app_->tellUser = [this](const std::string& message) { told_.push_back(message); };
        app_->askUser = [this](const std::string& question) {
            asked_.push_back(question);
            return answer_;
        };
        app_->Start();
        Pump();
        ASSERT_TRUE(::IsWindow(S().setupWindow.GetHandle()));
        // The window zooms in when shown; a loaded machine may still be at it.
        // Its frames come from a timer, so the wait is for messages, not for
        // a number of passes over a queue that may be empty meanwhile.
        const DWORD start = ::GetTickCount();
        while (!AtFullSize() && ::GetTickCount() - start < 10000) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            Pump();
        }
        ASSERT_TRUE(AtFullSize());
    }

    void TearDown() override {
        if (::IsWindow(S().setupWindow.GetHandle())) S().setupWindow.Close();
        Pump();
        app_.reset();
        Pump();
    }

    SetupState& S() { return app_->State(); }
    bool AtFullSize() {
        RECT shown{};
        ::GetWindowRect(S().setupWindow.GetHandle(), &shown);
        return shown.right - shown.left == 600 && shown.bottom - shown.top == 392;
    }
    void Click(const SkinControl& control) {
        app_->OnSetupClick(S().setupWindow.GetHandle(), control.Id(), kLeftButtonReleased);
        Pump();
    }
    void ToSelectionPage() {
        Click(S().buttons[1]);
        ASSERT_TRUE(S().folderBox.IsAttached());
    }
    // Types the folder and clicks next; the progress timer is stopped, so the
    // test moves the bar itself.
    void InstallInto(const std::string& folder) {
        S().folderBox.SetText(folder);
        app_->OnSetupClick(S().setupWindow.GetHandle(), S().buttons[4].Id(), kLeftButtonReleased);
        runtime::SetTimerPeriod(app_->StartupForm(), app_->ProgressTimer(), 0);
        Pump();
    }

    // A key pressed and released on the setup window, as the system sends it.
    void Key(UINT key) {
        const HWND window = S().setupWindow.GetHandle();
        ::SendMessageW(window, WM_KEYDOWN, key, 1);
        if (::IsWindow(window)) ::SendMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
        Pump();
    }
    ObjectHandle Focus() {
        return static_cast<ObjectHandle>(GetWindowProperty(S().setupWindow.GetHandle(), property::kFocus));
    }
    std::vector<ObjectHandle> Order() { return TabOrder(S().setupWindow.GetHandle()); }
    void TabTo(const SkinControl& control) {
        for (std::size_t i = 0; i <= Order().size() && Focus() != control.Id(); ++i) Key(VK_TAB);
        ASSERT_EQ(Focus(), control.Id());
    }

    std::unique_ptr<SetupApplication> app_;
    std::vector<std::string> told_;
    std::vector<std::string> asked_;
    bool answer_ = false;
};

TEST_F(SetupApplicationTest, RefusedFoldersAreToldAndNothingIsWritten) {
    ToSelectionPage();
    const std::string windows = runtime::GetSpecialFolder(9);
    const struct {
        std::wstring typed;
        const char* why;
    } cases[] = {
        {L"", "an emptied box"},
        {L"C:", "a drive"},
        {L"C:\\", "a drive root"},
        {MakeWideText(windows).ToWString(), "the Windows folder"},
        {MakeWideText(windows + "System32\\LirvoPDF阅读器\\").ToWString(), "a folder inside the Windows folder"},
        {L"LirvoPDF阅读器", "a relative folder"},
        {L"\\LirvoPDF阅读器\\", "a folder without a drive"},
        {L"C:\\LirvoRefused\\Zoë\\", "a character code page 936 cannot hold"},
        {L"C:\\LirvoRefused\\a?b\\", "a forbidden character"},
        {L"C:\\LirvoRefused\\con\\", "a device name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        told_.clear();
        S().folderBox.SetTextW(Wide(c.typed));
        Click(S().buttons[4]);
        ASSERT_EQ(told_.size(), 1u) << "one message";
        EXPECT_FALSE(told_[0].empty());
        EXPECT_NE(told_[0].find("请"), std::string::npos) << "says what to do: " << told_[0];
        EXPECT_TRUE(S().folderBox.IsAttached()) << "the selection page stays";
        EXPECT_TRUE(S().buttons[4].IsAttached());
        EXPECT_FALSE(S().progressBar.IsAttached());
        EXPECT_FALSE(app_->FilesInstalled());
    }
    EXPECT_FALSE(runtime::PathExists("C:\\ins.zip")) << "nothing in a drive root";
    EXPECT_FALSE(runtime::PathExists(windows + "ins.zip"));
    EXPECT_FALSE(runtime::PathExists(windows + "System32\\LirvoPDF阅读器"));
    EXPECT_FALSE(runtime::PathExists("C:\\LirvoRefused"));
}

TEST_F(SetupApplicationTest, ATypedFolderGetsItsBackslashAndMissingLevels) {
    ToSelectionPage();
    TempFolder temp;
    const std::string typed = temp / "new\\nested\\LirvoPDF阅读器";
    InstallInto(typed);
    EXPECT_TRUE(told_.empty()) << (told_.empty() ? "" : told_[0]);
    EXPECT_EQ(S().options.installFolder, typed + "\\");
    EXPECT_TRUE(app_->FilesInstalled());
    EXPECT_TRUE(runtime::PathExists(typed + "\\LirvoPDF阅读器.exe"));
    EXPECT_TRUE(S().progressBar.IsAttached()) << "the install page";
    EXPECT_FALSE(S().folderBox.IsAttached());
    EXPECT_FALSE(S().customInstallToggle.Visible());
}

// A short name is the same folder as its long form: the installation, the
// association and the uninstaller's comparisons all use the long one.
TEST_F(SetupApplicationTest, AShortNameIsTakenInItsLongForm) {
    ToSelectionPage();
    TempFolder temp;
    const std::string longFolder = temp / "Long Folder Name";
    ASSERT_TRUE(::CreateDirectoryA(longFolder.c_str(), nullptr));
    char shortForm[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameA(longFolder.c_str(), shortForm, MAX_PATH), 0u);
    ASSERT_STRNE(shortForm, longFolder.c_str()) << "the system gives this folder a short name";
    InstallInto(std::string(shortForm) + "\\LirvoPDF阅读器");
    EXPECT_TRUE(told_.empty()) << (told_.empty() ? "" : told_[0]);
    EXPECT_EQ(S().options.installFolder, longFolder + "\\LirvoPDF阅读器\\");
}

// A folder that holds a program of another maker under one of the reader's
// names: setup asks once, and a "no" leaves the page and the folder as they were.
TEST_F(SetupApplicationTest, FilesOfAnotherProgramAreReplacedOnlyAfterTheUserAgreed) {
    ToSelectionPage();
    TempFolder temp;
    const std::string folder = temp.Path() + "\\";
    ASSERT_TRUE(WriteWholeFile(folder + kUninstallerFileName, ByteArray{'M', 'Z', 'x'}));
    answer_ = false;
    InstallInto(temp.Path());
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_NE(asked_[0].find(kUninstallerFileName), std::string::npos) << asked_[0];
    EXPECT_TRUE(told_.empty()) << "a no needs no message of its own";
    EXPECT_TRUE(S().folderBox.IsAttached()) << "the selection page stays";
    EXPECT_FALSE(app_->FilesInstalled());
    EXPECT_EQ(ReadWholeFile(folder + kUninstallerFileName), (ByteArray{'M', 'Z', 'x'}));
    EXPECT_FALSE(runtime::PathExists(folder + kReaderFileName));

    answer_ = true;
    InstallInto(temp.Path());
    EXPECT_EQ(asked_.size(), 2u);
    EXPECT_TRUE(app_->FilesInstalled());
    EXPECT_TRUE(S().progressBar.IsAttached()) << "the install page";
    EXPECT_NE(ReadWholeFile(folder + kUninstallerFileName), (ByteArray{'M', 'Z', 'x'}));
}

TEST_F(SetupApplicationTest, ProgressTicksThenTheFinishPage) {
    ToSelectionPage();
    TempFolder temp;
    InstallInto(temp / "LirvoPDF阅读器\\");
    for (int tick = 0; tick < 3; ++tick) app_->OnProgressTick();
    EXPECT_EQ(S().progressBar.GetText(), "安装中...3%");
    for (int tick = 3; tick < 99; ++tick) app_->OnProgressTick();
    EXPECT_TRUE(S().progressBar.IsAttached()) << "99 ticks: still installing";
    app_->OnProgressTick();
    EXPECT_FALSE(S().progressBar.IsAttached());
    EXPECT_TRUE(S().buttons[6].IsAttached()) << "the finish button";
    EXPECT_TRUE(S().checkMarks[4].Shown());
    EXPECT_TRUE(S().checkMarks[5].Shown());
    // This program is not named as the reader: the empty list, no sixth check mark.
    EXPECT_TRUE(S().finishList.IsAttached());
    EXPECT_FALSE(S().checkMarks[6].IsAttached());
    EXPECT_TRUE(S().customInstallToggle.Visible());
}

// Run by the test below in a copy of this program named as the reader.
TEST_F(SetupApplicationTest, ChildFinishPageOfAProgramNamedAsTheReader) {
    if (runtime::OwnFileName() != kReaderFileName) GTEST_SKIP() << "runs in a copy named as the reader only";
    ToSelectionPage();
    TempFolder temp;
    InstallInto(temp / "LirvoPDF阅读器\\");
    for (int tick = 0; tick < 100; ++tick) app_->OnProgressTick();
    EXPECT_TRUE(S().checkMarks[6].IsAttached()) << "the sixth check mark";
    EXPECT_TRUE(S().checkMarks[6].Shown());
    EXPECT_EQ(S().checkMarks[6].GetLeft(), 55);
    EXPECT_EQ(S().checkMarks[6].GetTop(), 215);
    EXPECT_FALSE(S().finishList.IsAttached()) << "no list in its place";
}

TEST(SetupApplicationNamedAsTheReader, ShowsTheSixthCheckMarkInsteadOfTheList) {
    TempFolder temp;
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string copy = temp / kReaderFileName;
    ASSERT_TRUE(::CopyFileA(self, copy.c_str(), FALSE));
    std::string commandLine =
        "\"" + copy + "\" --gtest_filter=SetupApplicationTest.ChildFinishPageOfAProgramNamedAsTheReader";
    ::SetEnvironmentVariableA(testing::kMustRunVariable, "1");
    STARTUPINFOA startup{sizeof(startup)};
    PROCESS_INFORMATION started{};
    const BOOL ok = ::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &started);
    ::SetEnvironmentVariableA(testing::kMustRunVariable, nullptr);
    ASSERT_TRUE(ok);
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    ASSERT_EQ(::WaitForSingleObject(process.Get(), 120000), WAIT_OBJECT_0);
    DWORD exitCode = 12345;
    ::GetExitCodeProcess(process.Get(), &exitCode);
    EXPECT_EQ(exitCode, 0u) << "1: the child's checks failed; " << testing::kChildRanNoTestExitCode
                            << ": it ran no test";
}

TEST_F(SetupApplicationTest, ClosingAfterTheFilesAreInCompletesTheInstallationWithoutTheLaunch) {
    runtime::ComApartment com;
    const std::string desktopLink = runtime::GetSpecialFolder(3) + "LirvoPDF阅读器.lnk";
    lirvo::testing::RemoveTree(desktopLink);
    ToSelectionPage();
    Click(S().checkMarks[1]);  // no desktop shortcut
    TempFolder temp;
    const std::string folder = temp / "LirvoPDF阅读器\\";
    InstallInto(folder);
    ASSERT_TRUE(app_->FilesInstalled());
    ASSERT_TRUE(runtime::PathExists(folder + "ins.zip"));

    S().setupWindow.Close();  // on the install page
    Pump();
    EXPECT_TRUE(app_->Finished());
    EXPECT_FALSE(runtime::PathExists(folder + "ins.zip")) << "the archive goes as at the finish";
    EXPECT_EQ(testing::ReadClassesText(".pdf\\Shell\\Open\\Command"), "\"" + folder + "LirvoPDF阅读器.exe\" \"%1\"");
    const std::string group = runtime::GetSpecialFolder(5) + "LirvoPDF阅读器";
    EXPECT_TRUE(runtime::PathExists(group + "\\卸载.lnk")) << "the start-menu group was ticked";
    EXPECT_FALSE(runtime::PathExists(desktopLink)) << "its check mark was cleared";
    lirvo::testing::RemoveTree(group);
    testing::ForgetRecordedAssociation();
}

TEST_F(SetupApplicationTest, TheCustomInstallPanelOpensUnderTheWindowAndFollowsIt) {
    ToSelectionPage();
    SkinWindow& panel = S().customInstallPanel;
    EXPECT_FALSE(::IsWindowVisible(panel.GetHandle())) << "hidden at first";
    S().customInstallToggle.Toggled(true);  // as a press on the toggle flips it
    app_->OnCustomInstallClick(S().setupWindow.GetHandle(), S().customInstallToggle.Id(), kLeftButtonReleased);
    Pump();
    EXPECT_TRUE(::IsWindowVisible(panel.GetHandle()));

    ::SetWindowPos(S().setupWindow.GetHandle(), nullptr, 123, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    RECT window{}, placed{};
    ::GetWindowRect(S().setupWindow.GetHandle(), &window);
    ::GetWindowRect(panel.GetHandle(), &placed);
    EXPECT_EQ(window.left, 123);
    EXPECT_EQ(window.top, 45);
    EXPECT_EQ(placed.left, window.left);
    EXPECT_EQ(placed.top, window.bottom) << "right under the window";
    EXPECT_EQ(placed.right - placed.left, 600);
    EXPECT_EQ(placed.bottom - placed.top, 30);

    S().customInstallToggle.Toggled(false);
    app_->OnCustomInstallClick(S().setupWindow.GetHandle(), S().customInstallToggle.Id(), kLeftButtonReleased);
    Pump();
    EXPECT_FALSE(::IsWindowVisible(panel.GetHandle()));
}

TEST_F(SetupApplicationTest, CancelOnTheSelectionPageClosesBothWindowsAndInstallsNothing) {
    ToSelectionPage();
    Click(S().customInstallToggle);  // not a click the setup handler acts on
    app_->OnCustomInstallClick(S().setupWindow.GetHandle(), S().customInstallToggle.Id(), kLeftButtonReleased);
    const HWND window = S().setupWindow.GetHandle();
    const HWND panel = S().customInstallPanel.GetHandle();
    Click(S().buttons[5]);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_FALSE(::IsWindow(panel)) << "the panel closes with the window";
    EXPECT_FALSE(app_->FilesInstalled());
    EXPECT_FALSE(app_->Finished()) << "nothing to complete";
}

TEST_F(SetupApplicationTest, EveryPageWorksFromTheKeyboardInItsReadingOrder) {
    runtime::ComApartment com;
    const std::string desktopLink = runtime::GetSpecialFolder(3) + "LirvoPDF阅读器.lnk";
    lirvo::testing::RemoveTree(desktopLink);
    EXPECT_EQ(Focus(), S().buttons[1].Id()) << "welcome: on 立即安装";
    EXPECT_EQ(Order(), std::vector<ObjectHandle>{S().buttons[1].Id()});
    Key(VK_RETURN);
    ASSERT_TRUE(S().folderBox.IsAttached()) << "Enter clicked 立即安装";

    EXPECT_EQ(Focus(), S().buttons[4].Id()) << "selection: on 下一步";
    EXPECT_EQ(Order(), (std::vector<ObjectHandle>{S().folderBox.Id(), S().buttons[2].Id(), S().checkMarks[1].Id(),
                                                  S().checkMarks[2].Id(), S().checkMarks[3].Id(), S().buttons[4].Id(),
                                                  S().buttons[5].Id(), S().customInstallToggle.Id()}))
        << "folder box, 更换目录, the options, 下一步, 取消, 自定义安装 (上一步 is disabled)";
    TabTo(S().checkMarks[1]);
    Key(VK_SPACE);
    EXPECT_FALSE(S().checkMarks[1].Shown()) << "Space clears the desktop shortcut";
    EXPECT_FALSE(S().options.desktopShortcut);
    TabTo(S().folderBox);
    TempFolder temp;
    const std::string folder = temp / "LirvoPDF阅读器\\";
    S().folderBox.SetText(folder);
    Key(VK_RETURN);  // in the folder box: 下一步
    ASSERT_TRUE(app_->FilesInstalled()) << "Enter in the folder box is 下一步";
    runtime::SetTimerPeriod(app_->StartupForm(), app_->ProgressTimer(), 0);
    EXPECT_TRUE(Order().empty()) << "nothing to focus while the files are copied";
    Key(VK_ESCAPE);
    EXPECT_TRUE(::IsWindow(S().setupWindow.GetHandle())) << "Escape does nothing during the installation";
    EXPECT_FALSE(app_->Finished());

    for (int tick = 0; tick < 100; ++tick) app_->OnProgressTick();
    ASSERT_TRUE(S().buttons[6].IsAttached());
    EXPECT_EQ(Focus(), S().buttons[6].Id()) << "finish: on 完成";
    EXPECT_EQ(Order(), (std::vector<ObjectHandle>{S().checkMarks[4].Id(), S().checkMarks[5].Id(), S().buttons[6].Id(),
                                                  S().customInstallToggle.Id()}))
        << "the options, 完成, 自定义安装";
    Key(VK_ESCAPE);
    EXPECT_TRUE(app_->Finished()) << "Escape closes: the installation completes without the launch";
    EXPECT_TRUE(runtime::PathExists(folder + "LirvoPDF阅读器.exe"));
    EXPECT_FALSE(runtime::PathExists(desktopLink)) << "its check mark was cleared with Space";
    const std::string group = runtime::GetSpecialFolder(5) + "LirvoPDF阅读器";
    EXPECT_TRUE(runtime::PathExists(group + "\\卸载.lnk"));
    lirvo::testing::RemoveTree(group);
    testing::ForgetRecordedAssociation();
}

TEST_F(SetupApplicationTest, EscapeOnTheWelcomePageDoesWhatTheCloseButtonDoes) {
    const HWND window = S().setupWindow.GetHandle();
    Key(VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(SetupApplicationTest, EscapeOnTheSelectionPageDoesWhatTheCloseButtonDoes) {
    ToSelectionPage();
    const HWND window = S().setupWindow.GetHandle();
    Key(VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_FALSE(app_->FilesInstalled());
    EXPECT_FALSE(app_->Finished()) << "nothing to complete";
}

TEST_F(SetupApplicationTest, TheControlsAreNamedWithTheWordsTheirPicturesShow) {
    EXPECT_EQ(S().buttons[1].AccessibleName().ToAnsi(), "立即安装");
    ToSelectionPage();
    const struct {
        const SkinControl& control;
        const char* name;
    } named[] = {
        {S().folderBox, "安装位置"},
        {S().buttons[2], "更换目录"},
        {S().checkMarks[1], "创建桌面快捷方式"},
        {S().checkMarks[2], "创建开始菜单文件夹（含卸载快捷方式）"},
        {S().checkMarks[3], "我已了解：本软件不联网、不收集数据"},
        {S().buttons[3], "上一步"},
        {S().buttons[4], "下一步"},
        {S().buttons[5], "取消"},
        {S().customInstallToggle, "自定义安装"},
    };
    for (const auto& n : named)
        EXPECT_EQ(const_cast<SkinControl&>(n.control).AccessibleName().ToAnsi(), n.name);
}

// In this process: a screen reader in another process gets the same object
// through the system's marshalling (the walkthrough's screen-reader walk).
TEST_F(SetupApplicationTest, AScreenReaderReadsEveryPageAndInstallsByDefaultActionsAlone) {
    using testing::AccessibleChild;
    using testing::Child;
    using testing::Named;
    runtime::ComApartment com;
    const HWND window = S().setupWindow.GetHandle();
    ComPtr<IAccessible> object = testing::ClientObject(window);
    ASSERT_TRUE(object) << "WM_GETOBJECT answered with an IAccessible";
    auto read = [&] { return testing::ReadChildren(object.Get()); };
    auto act = [&](const AccessibleChild& child) {
        EXPECT_EQ(object->accDoDefaultAction(Child(child.id)), S_OK) << std::string(child.name.begin(), child.name.end());
        Pump();
    };

    std::vector<AccessibleChild> page = read();
    ASSERT_EQ(page.size(), 1u) << "welcome: the install button";
    EXPECT_EQ(page[0].name, L"立即安装");
    EXPECT_EQ(page[0].role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(page[0].states & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE),
              STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE);
    EXPECT_EQ(page[0].defaultAction, L"按下");
    RECT windowRect{};
    ::GetWindowRect(window, &windowRect);
    EXPECT_EQ(page[0].location.left - windowRect.left, 200);
    EXPECT_EQ(page[0].location.top - windowRect.top, 292);
    EXPECT_EQ(page[0].location.right - page[0].location.left, 200);
    act(page[0]);

    page = read();
    ASSERT_TRUE(S().folderBox.IsAttached()) << "the default action is the click";
    for (const testing::ExpectedChild& expected : testing::SelectionPageAsItOpens()) {
        const std::optional<AccessibleChild> child = Named(page, expected.name);
        ASSERT_TRUE(child) << "selection page: no child of that name among " << page.size();
        EXPECT_EQ(child->role, expected.role);
        EXPECT_EQ(child->states & testing::kChangingStates, expected.states);
    }
    const std::optional<AccessibleChild> freeSpace = Named(page, MakeWideText(FreeSpaceText(kDefaultInstallFolder)).ToWString());
    ASSERT_TRUE(freeSpace) << "the free-space label, named by its text";
    EXPECT_EQ(freeSpace->role, ROLE_SYSTEM_STATICTEXT);
    const AccessibleChild box = *Named(page, L"安装位置");
    EXPECT_EQ(box.value, MakeWideText(kDefaultInstallFolder).ToWString()) << "the edit box's text is its value";

    const AccessibleChild desktop = *Named(page, L"创建桌面快捷方式");
    EXPECT_EQ(desktop.defaultAction, L"清除");
    act(desktop);
    EXPECT_FALSE(S().checkMarks[1].Shown());
    EXPECT_EQ(testing::ReadChild(object.Get(), desktop.id).states & STATE_SYSTEM_CHECKED, 0);

    TempFolder temp;
    const std::wstring folder = MakeWideText(temp / "LirvoPDF阅读器\\").ToWString();
    BSTR typed = ::SysAllocString(folder.c_str());
    EXPECT_EQ(object->put_accValue(Child(box.id), typed), S_OK);
    ::SysFreeString(typed);
    act(*Named(page, L"下一步"));
    ASSERT_TRUE(app_->FilesInstalled());
    runtime::SetTimerPeriod(app_->StartupForm(), app_->ProgressTimer(), 0);

    page = read();
    const std::optional<AccessibleChild> progress = Named(page, L"安装进度");
    ASSERT_TRUE(progress);
    EXPECT_EQ(progress->role, ROLE_SYSTEM_PROGRESSBAR);
    // A tick or two of the timer may have come before it was stopped.
    const auto started = static_cast<int>(S().progressBar.Position());
    EXPECT_EQ(progress->value, std::to_wstring(started) + L"%");
    for (int tick = 0; tick < 40; ++tick) app_->OnProgressTick();
    EXPECT_EQ(testing::ReadChild(object.Get(), progress->id).value, std::to_wstring(started + 40) + L"%");
    while (S().progressBar.IsAttached()) app_->OnProgressTick();

    page = read();
    const std::optional<AccessibleChild> finish = Named(page, L"完成");
    ASSERT_TRUE(finish);
    EXPECT_TRUE(finish->states & STATE_SYSTEM_FOCUSED);
    const std::optional<AccessibleChild> launch = Named(page, L"立即运行 LirvoPDF阅读器");
    ASSERT_TRUE(launch);
    EXPECT_TRUE(launch->states & STATE_SYSTEM_CHECKED);
    EXPECT_TRUE(Named(page, L"我已了解：PDF 文件将默认用本阅读器打开"));
    act(*launch);
    EXPECT_FALSE(S().checkMarks[5].Shown());
    // 完成 would end this process; closing completes the same way.
    S().setupWindow.Close();
    Pump();
    EXPECT_TRUE(app_->Finished());
    EXPECT_EQ(object->accDoDefaultAction(Child(finish->id)), CO_E_OBJNOTCONNECTED) << "the window is gone";
    lirvo::testing::RemoveTree(runtime::GetSpecialFolder(5) + "LirvoPDF阅读器");
    testing::ForgetRecordedAssociation();
}

TEST(InstallFolderRules, WhatIsTakenAndWhatIsRefused) {
    using P = FolderProblem;
    const struct {
        std::string typed;
        P problem;
    } cases[] = {
        {"", P::Empty},
        {"C:", P::DriveRoot},
        {"d:\\", P::DriveRoot},
        {"C:\\Windows", P::WindowsFolder},
        {"c:\\WINDOWS\\", P::WindowsFolder},
        // Everything below it is the system's too: a 32-bit program's System32
        // is another folder on 64-bit Windows.
        {"C:\\Windows\\LirvoPDF阅读器", P::WindowsFolder},
        {"C:\\Windows\\System32\\LirvoPDF阅读器", P::WindowsFolder},
        {"c:\\windows\\SysWOW64\\x\\", P::WindowsFolder},
        {"C:\\Windows.old\\x", P::None},
        {"C:\\WindowsApps\\x", P::None},
        {"D:\\Tools\\", P::None},
        {"D:\\Program Files\\LirvoPDF阅读器", P::None},
        {"LirvoPDF阅读器", P::NotAbsolute},
        {"\\Program Files\\x", P::NotAbsolute},
        {"D:Tools", P::NotAbsolute},
        {"\\\\server\\share\\x", P::NotAbsolute},
        {"1:\\x", P::NotAbsolute},
        {"D:\\a<b", P::ForbiddenCharacter},
        {"D:\\a>b", P::ForbiddenCharacter},
        {"D:\\a\"b", P::ForbiddenCharacter},
        {"D:\\a|b", P::ForbiddenCharacter},
        {"D:\\a?b", P::ForbiddenCharacter},
        {"D:\\a*b", P::ForbiddenCharacter},
        {"D:\\a/b", P::ForbiddenCharacter},
        {"D:\\a:b", P::ForbiddenCharacter},
        {"D:\\a\tb", P::ForbiddenCharacter},
        {"D:\\a\x95", P::ForbiddenCharacter},  // a lead byte with nothing after it
        {"D:\\a\\\\b", P::BadName},
        {"D:\\con", P::BadName},
        {"D:\\x\\NUL.txt", P::BadName},
        {"D:\\COM1", P::BadName},
        {"D:\\name.", P::BadName},
        {"D:\\name ", P::BadName},
        {"D:\\..", P::BadName},
        {"D:\\" + std::string(kMaxInstallFolderLength, 'a'), P::TooLong},
        // A double-byte character whose second byte is 0x5C is no backslash.
        {"D:\\\x95\x5C", P::None},
    };
    for (const auto& c : cases) {
        const std::string folder = WithTrailingBackslash(c.typed, runtime::IsGbkLeadByte);
        EXPECT_EQ(CheckInstallFolder(folder, "C:\\windows\\", runtime::IsGbkLeadByte), c.problem) << c.typed;
        const std::string message = FolderProblemMessage(c.problem, c.typed);
        EXPECT_EQ(message.empty(), c.problem == P::None) << c.typed;
    }
    EXPECT_EQ(WithTrailingBackslash("D:\\\x95\x5C", runtime::IsGbkLeadByte), "D:\\\x95\x5C\\");
    // What the folder dialog's choice becomes.
    EXPECT_EQ(InstallFolderInside("D:\\"), "D:\\LirvoPDF阅读器\\") << "no doubled backslash";
    EXPECT_EQ(InstallFolderInside("D:\\Tools"), "D:\\Tools\\LirvoPDF阅读器\\");
    EXPECT_EQ(WithTrailingBackslash("D:\\x\\", runtime::IsGbkLeadByte), "D:\\x\\");
}

}  // namespace
}  // namespace lirvo::setup
