// Text and geometry routines of labels and progress bars.

#include <cmath>

#include "gdi/Text.h"
#include "gdi/TextLayout.h"
#include "toolkit/editors/kvLabel.h"
#include "toolkit/foundation/kvGraphics.h"

void ExtendRectBy(TRect& R, Integer Left, Integer Top, Integer Right, Integer Bottom) {
  R.Left += Left;
  R.Top += Top;
  R.Right += Right;
  R.Bottom += Bottom;
}

Integer RectWidthClamped(const TRect& R) { return std::max(R.Right - R.Left, 0); }

Integer RectHeightClamped(const TRect& R) { return std::max(R.Bottom - R.Top, 0); }

Integer BuildTextFlags(Integer BaseFlags, TAlignment Horz, TkvEditVertAlignment Vert, bool EndEllipsis, bool WordWrap,
                       Integer TabWidth, bool PlatformMode, bool ShowAccel) {
  Integer flags = BaseFlags;
  if (PlatformMode) {
    if (Horz == taRightJustify) flags |= DT_RIGHT;
    if (Horz == taCenter) flags |= DT_CENTER;
    if (Vert == taBottomJustify) flags |= DT_BOTTOM;
    if (Vert == taVCenter) flags |= DT_VCENTER;
    if (EndEllipsis) flags |= DT_END_ELLIPSIS;
    if (WordWrap) flags |= DT_WORDBREAK;
    if (!ShowAccel) flags |= DT_NOPREFIX;
    if (TabWidth > 0) flags |= DT_EXPANDTABS | DT_TABSTOP;
    return flags;
  }
  flags |= Horz == taRightJustify ? ktfAlignRight : Horz == taCenter ? ktfAlignHCenter : ktfAlignLeft;
  flags |= Vert == taBottomJustify ? ktfAlignBottom : Vert == taVCenter ? ktfAlignVCenter : ktfAlignTop;
  if (EndEllipsis) flags |= ktfEndEllipsis;
  if (WordWrap) flags |= ktfWordBreak;
  if (ShowAccel) flags |= ktfShowPrefix;
  if (TabWidth > 0) flags |= ktfExpandTabs;
  return flags;
}

bool SetCanvasAngle(TCanvas* Canvas, TFont* Font, Integer Angle) {
  Canvas->SetFont(Font);
  TEXTMETRIC metrics{};
  GetTextMetrics(Canvas->GetHandle(), &metrics);
  const bool trueType = (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
  Integer normal = ((Angle % 360) + 360) % 360;
  if (trueType && normal != 0) {
    LOGFONT logFont{};
    if (ReadLogFont(Canvas->GetFont()->GetHandle(), logFont)) {
      logFont.lfEscapement = Angle * 10;
      logFont.lfOrientation = Angle * 10;
      Canvas->GetFont()->SetHandle(CreateFontIndirect(&logFont));
    }
  }
  return trueType;
}
