#include "setup/page_keyboard.h"

#include "setup_texts.h"
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
    Name(s.buttons[1], picture_text::kInstall);
    EscapeCloses(s);
    StartOn(s, s.buttons[1]);
}

void PrepareSelectionKeyboard(SetupState& s) {
    PageChanged(s);
    // Created in reading order: folder box, 更换目录, the options, 上一步
    // (disabled, so Tab passes it), 下一步, 取消, 自定义安装.
    Name(s.folderBox, picture_text::kFolderBox);
    Name(s.buttons[2], picture_text::kChangeFolder);
    Name(s.checkMarks[1], picture_text::kDesktopShortcut);
    Name(s.checkMarks[2], picture_text::kStartMenuGroup);
    Name(s.checkMarks[3], picture_text::kNoNetwork);
    Name(s.buttons[3], picture_text::kPrevious);
    Name(s.buttons[4], picture_text::kNext);
    Name(s.buttons[5], picture_text::kCancel);
    EscapeCloses(s);
    StartOn(s, s.buttons[4]);
}

void PrepareInstallKeyboard(SetupState& s) {
    PageChanged(s);
    Name(s.progressBar, picture_text::kProgress);
    const HWND window = s.setupWindow.GetHandle();
    SetDefaultControl(window, 0);
    SetCancelControl(window, 0);
}

void PrepareFinishKeyboard(SetupState& s) {
    PageChanged(s);
    Name(s.checkMarks[4], picture_text::kPdfAssociation);
    Name(s.checkMarks[5], picture_text::kLaunchReader);
    Name(s.checkMarks[6], picture_text::kUninstallNote);
    Name(s.buttons[6], picture_text::kFinish);
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
