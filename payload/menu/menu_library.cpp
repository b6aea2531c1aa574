// LirvoMenu.dll: the reader's menu bar.

#include "payload/support_api.h"

LIRVO_SUPPORT_EXPORT HMENU LirvoMenuCreate() {
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuW(file, MF_STRING, kLirvoMenuOpen, L"打开(&O)...");
    ::AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(file, MF_STRING, kLirvoMenuExit, L"退出(&X)");
    HMENU help = ::CreatePopupMenu();
    ::AppendMenuW(help, MF_STRING, kLirvoMenuAbout, L"关于 LirvoPDF阅读器(&A)");
    HMENU bar = ::CreateMenu();
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"文件(&F)");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"帮助(&H)");
    return bar;
}
