#pragma once
// Context help: F1 sends WM_HELP with a HELPINFO to the window that has the keyboard, and the
// default window procedure passes it up to the parent, so the first window that answers it wins.

#include "rtl/WinTypes.h"

constexpr int HELPINFO_WINDOW = 0x0001;
constexpr int HELPINFO_MENUITEM = 0x0002;

struct HELPINFO {
  UINT cbSize = sizeof(HELPINFO);
  int iContextType = HELPINFO_WINDOW;
  int iCtrlId = 0;
  HANDLE hItemHandle = nullptr;
  DWORD_PTR dwContextId = 0;
  POINT MousePos;
};
using LPHELPINFO = HELPINFO*;
