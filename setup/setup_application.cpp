#include "setup/setup_application.h"

#include <cmath>

#include "resources/setup_data.h"
#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/shell.h"
#include "runtime/startup_trace.h"
#include "runtime/text_ops.h"
#include "setup/byte_size.h"
#include "setup/install_folder.h"
#include "setup/page_keyboard.h"
#include "skin/core/image_from_bytes.h"
#include "skin/core/shared_routines.h"

namespace lirvo::setup {
namespace {

constexpr std::int32_t kWindowsFolder = 9;
constexpr std::int32_t kLeftButtonReleased = 3;
constexpr std::int32_t kProgressPeriod = 25;
constexpr std::int32_t kPanelHeight = 30;
constexpr char kProgressText[] = "安装中...";

ByteArray Bytes(std::span<const std::uint8_t> data) { return ByteArray(data.begin(), data.end()); }

// The text in the ANSI code page, or nothing when a character has no place in it.
std::optional<std::string> ExactAnsi(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int units = static_cast<int>(text.size());
    BOOL lost = FALSE;
    const int length =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), units, nullptr, 0, nullptr, &lost);
    if (length <= 0 || lost) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), units, ansi.data(), length, nullptr, &lost);
    if (lost || ansi.find('\0') != std::string::npos) return std::nullopt;
    return ansi;
}

}  // namespace

SetupApplication& Setup() {
    static SetupApplication* const application = new SetupApplication;  // lives until the process ends
    return *application;
}

SetupApplication::SetupApplication()
    : startupForm_(runtime::FormLayout{.title = std::string(kProductName) + " 安装", .width = 600, .height = 392,
                                       .style = WS_POPUP, .visible = false}),
      progressTimer_(startupForm_) {
    startupForm_.onCreated = [this](runtime::Form&) { OnStartupFormCreated(); };
    startupForm_.onCloseRequested = [this](runtime::Form&) { OnStartupFormClose(); };
    startupForm_.onMoved = [this](runtime::Form&) { OnStartupFormMoved(); };
    progressTimer_.onTick = [this] { OnProgressTick(); };
}

void SetupApplication::Start() { runtime::LoadForm(startupForm_, nullptr, false); }

Rect SetupApplication::Scaled(double x, double y, std::int32_t width, std::int32_t height) const {
    // Places computed from the window size are truncated toward zero.
    return MakeRect(static_cast<std::int32_t>(std::trunc(x)), static_cast<std::int32_t>(std::trunc(y)), width, height);
}

SkinControl::EventHandler SetupApplication::ClickHandler() {
    return [this](HWND host, ObjectHandle sender, std::int32_t event, EventParam, EventParam, EventParam, EventParam,
                  EventParam) { return OnSetupClick(host, sender, event); };
}

void SetupApplication::OnStartupFormCreated() {
    SetupState& s = state_;
    s.advertisingFolder = runtime::GetSpecialFolder(kWindowsFolder) + "Installer\\advertising\\";
    ApplicationSkin().LoadFromBytes(Bytes(SkinData()));
    runtime::MarkStartupStep("skin");

    const HWND host = startupForm_.WindowHandle();
    s.setupWindow.Create({.existingWindow = host, .bounds = MakeRect(0, 0, 600, 392),
                          .backgroundImage = Bytes(WelcomeImage())});
    SkinWindow& window = s.setupWindow;
    runtime::MarkStartupStep("window");
    window.Relayout();
    window.ShowEffect(kEffectZoom, 1);
    window.CloseEffect(kEffectZoom, 1);
    window.ResetIcon();
    window.Layered(true, false);
    window.Show(true);
    window.BringToFront();
    window.TopMost(true);

    runtime::MarkStartupStep("shown");
    const double width = window.GetWidth(), height = window.GetHeight();
    s.buttons[1].Create(window, Scaled(width / 2 - 100, height - 100, 200, 56), true, SkinImageBytes("安装按键"));
    s.buttons[1].SetEventHandler(ClickHandler());

    runtime::MarkStartupStep("install-button");
    const GdipBitmap selection = ImageFromBytes(Bytes(SelectionImage()));
    s.customInstallPanel.Create({.bounds = MakeRect(window.GetLeft(), window.GetBottom(), window.GetWidth(), kPanelHeight),
                                 .style = window_style::kToolWindow,
                                 .dragAnywhere = false,
                                 .frameStyle = static_cast<std::int32_t>(SampleImageColour(selection.get()))});
    s.customInstallPanel.Show(false);
    s.customInstallPanel.TopMost(true);
    window.DragAnywhere(true);
    // Last: making the panel takes the keyboard focus from the window.
    PrepareWelcomeKeyboard(s);
}

void SetupApplication::OnStartupFormClose() {
    state_.customInstallPanel.Close();
    // The files are in: closing is an exit, and the finish page promised the
    // shortcuts on exit. Only the launch is left out.
    if (filesInstalled_ && !finished_) {
        CopyOptionsFromCheckMarks();
        SetupOptions options = state_.options;
        options.launchAfterFinish = false;
        finished_ = true;
        FinishInstallation(options, state_.advertisingFolder, installed_);
    }
}

void SetupApplication::OnStartupFormMoved() {
    const SkinWindow& window = state_.setupWindow;
    if (!state_.customInstallPanel.GetHandle()) return;
    state_.customInstallPanel.Move(window.GetLeft(), window.GetBottom(), window.GetWidth(), kPanelHeight);
}

void SetupApplication::CopyOptionsFromCheckMarks() {
    SetupOptions& options = state_.options;
    // Check marks not created yet read as not ticked.
    options.desktopShortcut = state_.checkMarks[1].Shown();
    options.startMenuGroup = state_.checkMarks[2].Shown();
    options.option3 = state_.checkMarks[3].Shown();
    options.option4 = state_.checkMarks[4].Shown();
    options.launchAfterFinish = state_.checkMarks[5].Shown();
}

std::int32_t SetupApplication::OnSetupClick(HWND, ObjectHandle sender, std::int32_t event) {
    if (event != kLeftButtonReleased || sender == 0) return 0;
    SetupState& s = state_;

    if (sender == s.buttons[1].Id()) {
        s.buttons[1].Detach();
        s.setupWindow.SetBackground(Bytes(SelectionImage()));
        s.setupWindow.RepaintAndRefresh();
        BuildSelectionPage();
    }
    if (sender == s.buttons[2].Id()) {
        const std::string path = runtime::BrowseForFolder("选择安装目录");
        if (!path.empty()) s.folderBox.SetText(InstallFolderInside(path));
    }
    for (std::size_t i = 1; i <= Numbered<ImageCheck>::Count(); ++i)
        if (sender == s.checkMarks[i].Id()) s.checkMarks[i].Shown(!s.checkMarks[i].Shown());
    CopyOptionsFromCheckMarks();

    if (sender == s.buttons[4].Id() && !filesInstalled_) {
        const std::optional<std::string> folder = ChosenFolder();
        if (!folder) return 0;  // told; the selection page stays
        s.options.installFolder = *folder;
        s.freeSpaceLabel.SetText(FreeSpaceText(*folder));
        s.freeSpaceLabel.Refresh();
        if (!InstallIntoChosenFolder()) return 0;
        LeaveSelectionPage();
        BuildInstallPage();
    }
    if (sender == s.buttons[5].Id()) s.setupWindow.Close();
    if (sender == s.buttons[6].Id() && !finished_) {
        FinishSetup();
        runtime::TerminateSelf(0);
    }
    return 0;
}

std::optional<std::string> SetupApplication::ChosenFolder() {
    // The box holds wide text; the installation works in the ANSI code page,
    // which would silently drop what it cannot hold ("Zoë" becoming "Zo").
    const std::optional<std::string> typed = ExactAnsi(state_.folderBox.GetTextW().ToWString());
    if (!typed) {
        Tell(FolderProblemMessage(FolderProblem::Unrepresentable, ""));
        return std::nullopt;
    }
    // A short name (C:\PROGRA~1) would pass for another folder: in the
    // association, in the checks below and in the uninstaller's comparisons.
    const std::string folder = runtime::LongFolderPath(WithTrailingBackslash(*typed));
    const FolderProblem problem = CheckInstallFolder(folder, runtime::GetSpecialFolder(kWindowsFolder));
    if (problem != FolderProblem::None) {
        Tell(FolderProblemMessage(problem, typed->empty() ? folder : *typed));
        return std::nullopt;
    }
    return folder;
}

void SetupApplication::Tell(const std::string& message) {
    if (tellUser) {
        tellUser(message);
        return;
    }
    const std::wstring text = MakeWideText(message).ToWString();
    const std::wstring caption = MakeWideText(std::string(kProductName) + " 安装").ToWString();
    ::MessageBoxW(state_.setupWindow.GetHandle(), text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
}

bool SetupApplication::Ask(const std::string& question) {
    if (askUser) return askUser(question);
    const std::wstring text = MakeWideText(question).ToWString();
    const std::wstring caption = MakeWideText(std::string(kProductName) + " 安装").ToWString();
    return ::MessageBoxW(state_.setupWindow.GetHandle(), text.c_str(), caption.c_str(),
                         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

bool SetupApplication::InstallIntoChosenFolder() {
    const std::string& folder = state_.options.installFolder;
    const InstallResult result = InstallPayload(folder, Payload(), archives_[0],
                                                [&](const std::vector<std::string>& fileNames) {
                                                    return Ask(ReplaceQuestionText(folder, fileNames));
                                                });
    if (result.Succeeded()) {
        installed_ = result;
        filesInstalled_ = true;
        return true;
    }
    // The user said no: the page stays for another folder, nothing to tell.
    if (result.failure == InstallResult::Failure::Declined) return false;
    // Going on would show the finish page for a reader that is not there.
    Tell(InstallFailureMessage(folder, result));
    return false;
}

std::int32_t SetupApplication::OnCustomInstallClick(HWND, ObjectHandle, std::int32_t event) {
    if (event != kLeftButtonReleased) return 0;
    const bool shown = state_.customInstallToggle.Toggled();
    state_.customInstallPanel.Show(shown);
    state_.customInstallPanel.RepaintAndRefresh();
    return 0;
}

void SetupApplication::BuildSelectionPage() {
    SetupState& s = state_;
    SkinWindow& window = s.setupWindow;
    const double width = window.GetWidth(), height = window.GetHeight();

    s.folderBox.Create(window, MakeRect(55, 165, 395, 40),
                       {.text = MakeWideText(kDefaultInstallFolder),
                        .textStyle = MakeTextStyle(513, "微软雅黑", 12, 0xFF000000u, 0u),
                        .selectionBackground = ColourToArgb(0xFF8800),
                        .selectionTextColour = ColourToArgb(0xFFFFFF),
                        .frameColour = ColourToArgb(0xFFFFFF),
                        .background = ColourToArgb(0xFFFFFF)});
    s.freeSpaceLabel.Create(window, MakeRect(235, 220, 100, 20), MakeWideText(FreeSpaceText(kDefaultInstallFolder)),
                            0, MakeTextStyle(1, std::nullopt, 11, 0xFFFFFFFFu, 0u));
    s.buttons[2].Create(window, MakeRect(455, 165, 100, 43), true, SkinImageBytes("选择页面更换目录按键"));
    s.buttons[2].SetEventHandler(ClickHandler());

    s.checkMarks[1].Create(window, MakeRect(55, 250, 17, 17));
    s.checkMarks[1].Shown(true);
    s.checkMarks[1].SetEventHandler(ClickHandler());
    for (std::size_t i : {2, 3}) {
        s.checkMarks[i].Create(window, i == 2 ? MakeRect(55, 290, 17, 17) : MakeRect(235, 250, 17, 17));
        s.checkMarks[i].SetEventHandler(ClickHandler());
        s.checkMarks[i].Shown(true);
    }

    s.buttons[3].Create(window, Scaled(width / 2, height - 50, 80, 34), true, SkinImageBytes("上一步"));
    s.buttons[3].Disabled(true);  // there is no way back
    s.buttons[4].Create(window, Scaled(width / 2 + 90, height - 50, 80, 34), true, SkinImageBytes("下一步"));
    s.buttons[4].SetEventHandler(ClickHandler());
    s.buttons[5].Create(window, Scaled(width / 2 + 180, height - 50, 80, 34), true, SkinImageBytes("取消"));
    s.buttons[5].SetEventHandler(ClickHandler());

    s.customInstallToggle.Create(window, Scaled(10, height - 30, 80, 20));
    s.customInstallToggle.SetEventHandler([this](HWND host, ObjectHandle sender, std::int32_t event, EventParam,
                                                 EventParam, EventParam, EventParam, EventParam) {
        return OnCustomInstallClick(host, sender, event);
    });
    window.RepaintAndRefresh();
    PrepareSelectionKeyboard(s);
}

void SetupApplication::LeaveSelectionPage() {
    SetupState& s = state_;
    s.folderBox.Detach();
    s.buttons[2].Detach();
    s.freeSpaceLabel.Detach();
    for (std::size_t i = 1; i <= 3; ++i) {
        s.checkMarks[i].Detach();
        s.buttons[i + 2].Detach();
    }
    s.setupWindow.SetBackground(Bytes(InstallImage()));
    s.setupWindow.RepaintAndRefresh();
}

void SetupApplication::BuildInstallPage() {
    SetupState& s = state_;
    s.progressBar.Create(s.setupWindow, MakeRect(55, 170, 488, 37),
                         {.boundA = 100.0f,
                          .boundB = 1.0f,
                          .position = 0.0f,
                          .text = MakeWideText(kProgressText),
                          .type = ProgressBar::kHorizontal,
                          .style = ProgressBar::kLeftToRight,
                          .colour1 = MakeArgb(255, 132, 194, 37),
                          .colour2 = MakeArgb(255, 132, 194, 37),
                          .background = ColourToArgb(0xFFFFFF),
                          .border = ColourToArgb(0xFFFFFF)});
    s.setupWindow.RepaintAndRefresh();
    s.customInstallToggle.Visible(false);
    s.customInstallToggle.Toggled(false);
    s.customInstallPanel.Show(false);
    PrepareInstallKeyboard(s);
    runtime::SetTimerPeriod(startupForm_, progressTimer_, kProgressPeriod);
}

void SetupApplication::OnProgressTick() {
    SetupState& s = state_;
    const auto position = static_cast<std::int32_t>(s.progressBar.Position());
    s.progressBar.Position(position + 1, false);
    const auto now = static_cast<std::int32_t>(s.progressBar.Position());
    s.progressBar.SetText(kProgressText + runtime::ToText(now) + "%");
    if (now != 100) return;

    s.progressBar.Detach();
    runtime::SetTimerPeriod(startupForm_, progressTimer_, 0);
    s.customInstallToggle.Visible(true);
    s.customInstallPanel.Show(false);
    SkinWindow& window = s.setupWindow;
    // The third check mark only when this program carries the reader's own
    // name; otherwise an empty list takes its place.
    if (runtime::OwnFileName() == kReaderFileName) {
        s.checkMarks[6].Create(window, MakeRect(55, 215, 17, 17));
        s.checkMarks[6].SetEventHandler(ClickHandler());
        s.checkMarks[6].Shown(true);
    } else {
        s.finishList.Create(window, MakeRect(80, 215, 250, 30),
                            {.lineColour = MakeArgb(255, 0, 139, 205),
                             .fillColour = 0,
                             .thirdColour = 0,
                             .itemExtent = 0,
                             .secondExtent = 0,
                             .visible = true,
                             .disabled = true});
    }
    window.SetBackground(Bytes(FinishImage()));
    s.checkMarks[4].Create(window, MakeRect(55, 145, 17, 17));
    s.checkMarks[4].Shown(true);
    s.checkMarks[4].SetEventHandler(ClickHandler());
    s.checkMarks[5].Create(window, MakeRect(55, 180, 17, 17));
    s.checkMarks[5].SetEventHandler(ClickHandler());
    s.checkMarks[5].Shown(true);
    const double width = window.GetWidth(), height = window.GetHeight();
    s.buttons[6].Create(window, Scaled(width / 2 + 180, height - 50, 80, 34), true, SkinImageBytes("完成按键"));
    s.buttons[6].SetEventHandler(ClickHandler());
    window.RepaintAndRefresh();
    PrepareFinishKeyboard(s);
}

void SetupApplication::FinishSetup() {
    finished_ = true;
    state_.customInstallPanel.Show(false);
    if (FinishInstallation(state_.options, state_.advertisingFolder, installed_) == LaunchRoute::LeftToUser)
        Tell(ReaderLeftToUserMessage(state_.options));
}

}  // namespace lirvo::setup
