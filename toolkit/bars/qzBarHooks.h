#pragma once
// The bars' hooks into the window manager's filter chains: one keyboard, mouse and call-window
// hook for all managers, installed with the first manager and removed with the last. They turn
// Alt and F10 into menu navigation and key tips, feed the keyboard selection its keys, close open
// menus on a click outside them, and hand the managers their owner windows' messages.

#include "toolkit/bars/qzBarNavigation.h"
#include "user/Hooks.h"

class TqzBarManager;

void RegisterBarManager(TqzBarManager* AManager);
void UnregisterBarManager(TqzBarManager* AManager);
// Unhooks all three and frees the hint window.
void RemoveBarHooks();
bool BarHooksInstalled();

// The navigation root of a window, where a host (the ribbon) supplies one; nil for none.
using TqzBarNavigationRootProc = TqzBarHelperRef (*)(HWND AWnd);
extern TqzBarNavigationRootProc RibbonNavigationLookup;

// What the mouse wheel means to the active bar window: 3 no bar window is active; 2 its selected
// control edits in place (the editor takes the wheel); 1 the window takes the wheel; 0 otherwise.
Integer ActiveBarWheelState();

// Runs the keyboard hook for a key an in-place editor received itself, without the rest of the
// chain; true when the bars consumed it.
bool RunBarKeyboardHookDirect(Word AKey, LPARAM AKeyFlags);
// While a toolbar tracks a press on one of its window buttons every key is swallowed.
void SetBarButtonTracking(bool AValue);
// This application is active, no other one is becoming active, and the thread has an active
// window.
bool IsAppActiveWindow();
