#pragma once
// The setup pages for keyboard and screen-reader users: what each control
// is called (the words its picture shows), the order Tab walks, where the
// focus starts (the page's main button), what Enter and Escape do. Nothing
// here changes what a mouse user sees or does: the keys click the very
// controls the mouse clicks, and OnSetupClick handles both alike.

#include "setup/setup_application.h"

namespace lirvo::setup {

// Escape on the welcome and selection pages does what the close button
// does; during the installation nothing; on the finish page it closes the
// window, which completes the installation without starting the reader.
void PrepareWelcomeKeyboard(SetupState& state);
void PrepareSelectionKeyboard(SetupState& state);
void PrepareInstallKeyboard(SetupState& state);
void PrepareFinishKeyboard(SetupState& state);

// The words the pictures of the setup's controls show.
namespace accessible_name {
inline constexpr char kInstall[] = "立即安装";
inline constexpr char kChangeFolder[] = "更换目录";
inline constexpr char kPrevious[] = "上一步";
inline constexpr char kNext[] = "下一步";
inline constexpr char kCancel[] = "取消";
inline constexpr char kFinish[] = "完成";
inline constexpr char kFolderBox[] = "安装位置";
inline constexpr char kDesktopShortcut[] = "创建桌面快捷方式";
inline constexpr char kStartMenuGroup[] = "创建开始菜单文件夹（含卸载快捷方式）";
inline constexpr char kNoNetwork[] = "我已了解：本软件不联网、不收集数据";
inline constexpr char kPdfAssociation[] = "我已了解：PDF 文件将默认用本阅读器打开";
inline constexpr char kLaunchReader[] = "立即运行 LirvoPDF阅读器";
inline constexpr char kUninstallNote[] = "我已了解：用安装目录中的“卸载.exe”卸载";
inline constexpr char kProgress[] = "安装进度";
}  // namespace accessible_name

}  // namespace lirvo::setup
