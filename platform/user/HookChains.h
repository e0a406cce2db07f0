#pragma once
// How the dispatcher runs the hook chains (internal).

#include "rtl/WinTypes.h"

// Whether a live hook of the type exists: the fast path of every send skips the chain otherwise.
bool HooksInstalled(int type);
// Calls the newest hook of the type for this thread (0 when there is none).
LRESULT CallHookChain(int type, int code, WPARAM wParam, LPARAM lParam);
