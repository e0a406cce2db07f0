// The default look of progress bars, in-place sub-items, static items, separators and screen tips:
// their metrics, brushes and colours.

#include "gdi/GdiTypes.h"
#include "gdi/SysColors.h"
#include "toolkit/bars/qzBarPainter.h"

TColor TqzBarPainter::ProgressBarColor() { return static_cast<TColor>(GetSysColor(COLOR_HIGHLIGHT)); }

Integer TqzBarPainter::ProgressMinHeight() { return 12; }

Integer TqzBarPainter::ContainerExtraWidth() { return 0; }

HBRUSH TqzBarPainter::InPlaceSubItemBrush() { return GetSysColorBrush(COLOR_BTNSHADOW); }

Integer TqzBarPainter::InPlaceSubItemArrowGap() { return 5; }

void TqzBarPainter::GetStaticBorderWidths(TqzBarItemControl*, TqzBarStaticBorderStyle AStyle, TRect& AWidths) {
  Integer width = AStyle == sbsNone ? 0 : AStyle == sbsEtched || AStyle == sbsBump ? 2 : 1;
  AWidths = TRect(width, width, width, width);
}

void TqzBarPainter::GetSeparatorMargins(TqzBarItemControlDrawParams*, TRect& AMargins) { AMargins = TRect(6, 0, 0, 0); }

Integer TqzBarPainter::SeparatorLineHeight() { return 2; }

TColor TqzBarPainter::ScreenTipDescriptionColor() { return clDefault; }

TColor TqzBarPainter::ScreenTipTextColor() { return clDefault; }

Integer TqzBarPainter::ScreenTipFooterLineHeight() { return 3; }

void TqzBarPainter::DrawScreenTipBackground(TkvCanvas*, const TRect&) {}

void TqzBarPainter::DrawScreenTipFooterLine(TkvCanvas*, const TRect&) {}
