#pragma once
// The four message box icons, drawn by code into a 32 x 32 square (internal).

#include "rtl/WinTypes.h"

// iconFlags: MB_ICONERROR, MB_ICONQUESTION, MB_ICONWARNING or MB_ICONINFORMATION.
void DrawMessageBoxIcon(HDC dc, int x, int y, UINT iconFlags);
