#pragma once
// Shell change notices over inotify: a window registers folders (each alone or with the folders
// in it when registered) and is sent its message on the user-interface thread for each change,
// wParam pointing to two absolute ID lists (the item, and its new name for a rename, else null)
// that live until the handler returns, lParam the event code. The watches are read when the
// thread's timers run (every 100 ms of the window manager's clock), so tests drive them with the
// fake clock.

#include "user/ShellIdList.h"

constexpr LONG SHCNE_RENAMEITEM = 0x00000001;
constexpr LONG SHCNE_CREATE = 0x00000002;
constexpr LONG SHCNE_DELETE = 0x00000004;
constexpr LONG SHCNE_MKDIR = 0x00000008;
constexpr LONG SHCNE_RMDIR = 0x00000010;
constexpr LONG SHCNE_UPDATEDIR = 0x00001000;
constexpr LONG SHCNE_UPDATEITEM = 0x00002000;
constexpr LONG SHCNE_RENAMEFOLDER = 0x00020000;
constexpr LONG SHCNE_DISKEVENTS = 0x0002381F;
constexpr LONG SHCNE_ALLEVENTS = 0x7FFFFFFF;

constexpr int SHCNRF_InterruptLevel = 0x0001;
constexpr int SHCNRF_ShellLevel = 0x0002;
constexpr int SHCNRF_RecursiveInterrupt = 0x1000;
constexpr int SHCNRF_NewDelivery = 0x8000;

struct SHChangeNotifyEntry {
  LPCITEMIDLIST pidl = nullptr;
  BOOL fRecursive = FALSE;
};

// A registration number, 0 when no folder of the file system could be watched.
ULONG SHChangeNotifyRegister(HWND window, int sources, LONG events, UINT message, int count,
                             const SHChangeNotifyEntry* entries);
BOOL SHChangeNotifyDeregister(ULONG registration);
