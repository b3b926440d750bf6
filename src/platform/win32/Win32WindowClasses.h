// The window classes of the program's own windows, and the messages a parent (the main
// window or a panel) handles for the controls inside it.
#pragma once

#include <windows.h>

namespace vp::win32 {

constexpr wchar_t MainClass[] = L"VexomaPelloraWindow";
constexpr wchar_t PanelClass[] = L"VexomaPelloraPanel";
constexpr wchar_t SiteClass[] = L"VexomaPelloraSite";

// Registers the three classes once; the main window's procedure is the caller's.
void registerWindowClasses(WNDPROC mainProcedure);

// Clicks, owner drawing and control colours arrive at the parent; both the main window and
// the panels route them to the control that sent them. True when the message was handled,
// with its result.
bool routeFromChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

} // namespace vp::win32
