#pragma once
// The framework's button vocabulary: glyph layouts and button styles, and the face of a push
// button drawn on a canvas.

#include "rtl/TypInfo.h"
#include "rtl/Types.h"

class TCanvas;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
TAVREN_ENUM_INFO(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom);
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
TAVREN_ENUM_INFO(TButtonStyle, bsAutoDetect, bsWin31, bsNew);

// Controls are drawn in the style of the new shell: flat 3-D faces rather than rounded black
// outlines. Always so on this platform.
inline constexpr bool NewStyleControls = true;

// Draws a push button's border and face over Client and returns the face inside the border.
// bsNew: a two-ring 3-D edge (one shadow ring when down) inside a black ring when focused;
// otherwise a black outline (corners left out when rounded) around BevelWidth bevels.
TRect DrawButtonFace(TCanvas* Canvas, const TRect& Client, Integer BevelWidth, TButtonStyle Style, bool IsRounded,
                     bool IsDown, bool IsFocused);
