#pragma once
// The non-client area of the bars' sizable drop-down lists: a thin frame and a grip band at the
// top or bottom edge, with a size grip at the corner's end and a small close button at the other.

#include "rtl/Types.h"
#include "toolkit/bars/qzBar.h"

// The caption-button height plus one, or the horizontal scroll bar's height plus three when that
// is not smaller.
Integer GripBandHeight();
// A right corner when the edit starts left of the drop-down's right edge, a bottom corner when
// the drop-down reaches below the edit.
TqzGripCorner GripCornerOf(const TRect& AEditRect, const TRect& ADropDownRect);
// The sizing hit-test code of the corner (HTTOPLEFT ... HTBOTTOMRIGHT).
Integer HitTestOfCorner(TqzGripCorner ACorner);

// The classic size grip, mirrored for the corner, at the corner's end of R; R becomes the grip's
// rectangle.
void DrawClassicSizeGrip(HDC DC, TRect& R, TqzGripCorner ACorner);
// The close button at the other end of the band R; R becomes the button's rectangle.
void DrawGripBandCloseButton(HDC DC, TRect& R, bool AHighlighted, TqzGripCorner ACorner, bool AFlat, bool APressed);
// Frame and grip band of the window; the grip's and the close button's rectangles come back in
// screen coordinates (both empty for a window that is not sizable, which gets the frame only).
// The grip band, its dividing line included, is AGripHeight high.
void DrawDropDownWindowFrame(HWND AWnd, bool ASizable, bool AFlat, TqzGripCorner ACorner, TRect& AGripRect,
                             TRect& ACloseButtonRect, bool AHot, bool ADown, Integer AGripHeight = GripBandHeight());
