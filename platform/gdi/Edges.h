#pragma once
// Three-dimensional edges and the classic frame controls, drawn in the system colours.

#include "gdi/GdiTypes.h"

BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags);
BOOL DrawFrameControl(HDC dc, RECT* rect, UINT type, UINT state);
