#pragma once
// The framework's bitmap helpers: a stretched copy through a transparency mask, and a resource
// bitmap loaded with its colour table remapped.

#include "rtl/Types.h"
#include "rtl/WinTypes.h"

// Copies SrcW x SrcH of Src, stretched to DstW x DstH, where the monochrome mask in MaskDC is black;
// where it is white the destination stays as it is.
BOOL TransparentStretchBlt(HDC DstDC, Integer DstX, Integer DstY, Integer DstW, Integer DstH, HDC SrcDC, Integer SrcX,
                           Integer SrcY, Integer SrcW, Integer SrcH, HDC MaskDC, Integer MaskX, Integer MaskY);

// The palette-based bitmap resource ResName with every colour-table entry equal to OldColors[i]
// replaced by NewColors[i] (Count pairs, TColor values, resolved to RGB); null when the resource
// is missing or is not a palette bitmap. The caller deletes the bitmap.
HBITMAP CreateMappedRes(HINSTANCE Instance, const char* ResName, const TColor* OldColors, const TColor* NewColors,
                        Integer Count);
