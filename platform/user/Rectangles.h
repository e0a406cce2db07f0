#pragma once
// Rectangle arithmetic of the window manager's API.

#include "rtl/WinTypes.h"

// Source1 less Source2 when what is left is a rectangle (Source2 covers Source1 across one whole
// side); otherwise Source1 as it is. FALSE when the result is empty.
BOOL SubtractRect(RECT* Dest, const RECT* Source1, const RECT* Source2);
