#pragma once
// What the reader calls of its five support libraries: one table per
// library with its file name and the functions it exports. The libraries
// define these functions; the reader loads them by name at start.

#include <windows.h>

#include <cstdint>

#include "payload/document_api.h"

extern "C" {

// LirvoView.dll, the document engine: a LirvoInspectResult.
using LirvoViewInspectFn = int (*)(const wchar_t* path, LirvoDocumentInfo* info);

// LirvoCore.dll, the core runtime: sizes and names as the reader shows them.
// Both write at most `capacity` units including the terminator and return the
// length written.
using LirvoCoreFormatSizeFn = int (*)(std::uint64_t bytes, wchar_t* buffer, int capacity);
using LirvoCoreFileNameFn = const wchar_t* (*)(const wchar_t* path);

// LirvoMenu.dll: the main window's menu bar, owned by the window it is set on.
enum LirvoMenuCommand : int { kLirvoMenuOpen = 101, kLirvoMenuExit = 102, kLirvoMenuAbout = 103 };
using LirvoMenuCreateFn = HMENU (*)();

// LirvoUi.dll: the reader's font and colours. The caller owns the font.
using LirvoUiCreateFontFn = HFONT (*)(int pixelHeight, int bold);
using LirvoUiColourFn = COLORREF (*)(int which);
enum LirvoUiColour : int { kLirvoUiBackground = 0, kLirvoUiText = 1, kLirvoUiBanner = 2, kLirvoUiBannerText = 3 };

// LirvoPanel.dll: paints the banner at the top of the reader's window.
using LirvoPanelPaintBannerFn = void (*)(HDC dc, const RECT* area, const wchar_t* title, HFONT font);

}  // extern "C"

#define LIRVO_SUPPORT_EXPORT extern "C" __declspec(dllexport)
