#include "setup/page_keyboard.h"

#include "skin/core/keyboard_navigation.h"

namespace lirvo::setup {
namespace {

void Name(SkinControl& control, const char* words) { control.AccessibleName(MakeWideText(words)); }

// A new page: screen readers read the window's children again.
void PageChanged(SetupState& s) {
    ::NotifyWinEvent(EVENT_OBJECT_REORDER, s.setupWindow.GetHandle(), OBJID_CLIENT, CHILDID_SELF);
}

void EscapeCloses(SetupState& s) { SetCancelControl(s.setupWindow.GetHandle(), s.setupWindow.GetObjectId()); }

// The focus starts on the page's main button, which Enter also clicks from
// a control that does not take Enter itself (the folder box).
void StartOn(SetupState& s, ImageButton& mainButton) {
    SetDefaultControl(s.setupWindow.GetHandle(), mainButton.Id());
    mainButton.SetFocus();
}

}  // namespace

void PrepareWelcomeKeyboard(SetupState& s) {
    PageChanged(s);
    Name(s.buttons[1], accessible_name::kInstall);
    EscapeCloses(s);
    StartOn(s, s.buttons[1]);
}

void PrepareSelectionKeyboard(SetupState& s) {
    PageChanged(s);
    // Created in reading order: folder box, 更换目录, the options, 上一步
    // (disabled, so Tab passes it), 下一步, 取消, 自定义安装.
    Name(s.folderBox, accessible_name::kFolderBox);
    Name(s.buttons[2], accessible_name::kChangeFolder);
    Name(s.checkMarks[1], accessible_name::kDesktopShortcut);
    Name(s.checkMarks[2], accessible_name::kStartMenuGroup);
    Name(s.checkMarks[3], accessible_name::kNoNetwork);
    Name(s.buttons[3], accessible_name::kPrevious);
    Name(s.buttons[4], accessible_name::kNext);
    Name(s.buttons[5], accessible_name::kCancel);
    EscapeCloses(s);
    StartOn(s, s.buttons[4]);
}

void PrepareInstallKeyboard(SetupState& s) {
    PageChanged(s);
    Name(s.progressBar, accessible_name::kProgress);
    const HWND window = s.setupWindow.GetHandle();
    SetDefaultControl(window, 0);
    SetCancelControl(window, 0);
}

void PrepareFinishKeyboard(SetupState& s) {
    PageChanged(s);
    Name(s.checkMarks[4], accessible_name::kPdfAssociation);
    Name(s.checkMarks[5], accessible_name::kLaunchReader);
    Name(s.checkMarks[6], accessible_name::kUninstallNote);
    Name(s.buttons[6], accessible_name::kFinish);
    // The options top down, then 完成, then 自定义安装 (created back on the
    // selection page, so its place is said).
    std::int32_t place = 1;
    for (SkinControl* control : std::initializer_list<SkinControl*>{
             &s.checkMarks[4], &s.checkMarks[5], &s.checkMarks[6], &s.buttons[6], &s.customInstallToggle})
        control->TabPlace(place++);
    EscapeCloses(s);
    StartOn(s, s.buttons[6]);
}

}  // namespace lirvo::setup
