#pragma once
// The files of an installation of the reader, in the order the setup
// program's archive holds them. Names are ANSI texts (code page 936), the
// bytes the archive stores; the wide forms are for the programs themselves.

#include <array>
#include <string_view>

namespace lirvo::payload {

struct PayloadFile {
    std::string_view ansiName;
    std::wstring_view wideName;
};

inline constexpr PayloadFile kViewEngine{"LirvoView.dll", L"LirvoView.dll"};
inline constexpr PayloadFile kReader{"LirvoPDF阅读器.exe", L"LirvoPDF阅读器.exe"};
inline constexpr PayloadFile kUninstaller{"卸载.exe", L"卸载.exe"};
inline constexpr PayloadFile kMenuExtension{"LirvoMenu.dll", L"LirvoMenu.dll"};
inline constexpr PayloadFile kInterfaceExtension{"LirvoUi.dll", L"LirvoUi.dll"};
inline constexpr PayloadFile kPanelExtension{"LirvoPanel.dll", L"LirvoPanel.dll"};
inline constexpr PayloadFile kCoreLibrary{"LirvoCore.dll", L"LirvoCore.dll"};

inline constexpr std::array kPayloadFiles = {kViewEngine,        kReader,          kUninstaller, kMenuExtension,
                                             kInterfaceExtension, kPanelExtension, kCoreLibrary};

// What the setup program creates besides the files.
inline constexpr std::wstring_view kProductName = L"LirvoPDF阅读器";
inline constexpr std::wstring_view kShortcutName = L"LirvoPDF阅读器.lnk";
inline constexpr std::wstring_view kUninstallShortcutName = L"卸载.lnk";

}  // namespace lirvo::payload
