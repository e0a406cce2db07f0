#pragma once
// Menu handles: popup menus built item by item (as the shell's context menus build theirs) and
// shown by TrackPopupMenu. The menu window itself is the framework's: it installs the tracker
// that shows a handle's items and answers the chosen command.

#include <functional>

#include "rtl/Types.h"
#include "rtl/WinTypes.h"

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_DEFAULT = 0x1000;

constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

HMENU CreatePopupMenu();
// Frees the menu; false for a handle that names none.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, const char* text);
// Before the item at position (MF_BYPOSITION; -1 or past the end appends) or before the item
// with that command.
BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id, const char* text);
int GetMenuItemCount(HMENU menu);
// 0xFFFFFFFF for a separator or a position past the end.
UINT GetMenuItemID(HMENU menu, int position);
// The item's text (by command, or MF_BYPOSITION); answers its length, 0 when there is none.
int GetMenuStringA(HMENU menu, UINT item, char* text, int max, UINT flags);
// MF_GRAYED / MF_SEPARATOR / MF_DEFAULT bits of the item; 0xFFFFFFFF when there is none.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// Sets the item's MF_GRAYED / MF_DISABLED bits (MF_BYCOMMAND or MF_BYPOSITION in enable);
// answers its former ones, 0xFFFFFFFF when there is no such item.
UINT EnableMenuItem(HMENU menu, UINT item, UINT enable);

// The window's system menu: the standard items (Restore, Move, Size, Minimize, Maximize, a
// separator, Close, with the commands SC_*), made on first use, kept with the window and freed
// with it. Each call grays the items the window's style and state rule out. With revert the
// window's menu goes back to the standard one and the answer is none, as it is for a window
// without WS_SYSMENU.
HMENU GetSystemMenu(HWND window, BOOL revert);

// Shows the menu at the screen point until it is dismissed. With TPM_RETURNCMD answers the
// chosen command (0 for none); otherwise posts WM_COMMAND with it to the window and answers
// whether one was chosen. Without a tracker (no framework running) nothing is shown.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND window, const RECT* rect);

// What the framework installs: shows the items, answers the chosen command or 0.
using TPopupMenuTracker = std::function<UINT(HMENU menu, POINT where)>;
void SetPopupMenuTracker(TPopupMenuTracker tracker);
