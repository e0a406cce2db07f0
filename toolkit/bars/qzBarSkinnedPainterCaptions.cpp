// Captions of the skinned look: large buttons wrap their caption onto two lines under the glyph and
// show their drop-down arrow after the last line.

#include <vector>

#include "gdi/DeviceContexts.h"
#include "gdi/GdiTypes.h"
#include "gdi/Text.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarSkinnedPainter.h"
#include "user/Rects.h"

namespace {

bool IsLargeOutsideMenu(TqzBarItemControlDrawParams* AParams) {
  return AParams->GlyphSizeKind == qzGlyphLarge && AParams->PaintKind != qzPaintMenu;
}

Integer ButtonPartState(TqzBarItemControlDrawParams* AParams, Integer APart) {
  auto* button = dynamic_cast<TqzBarButtonLikeControlDrawParams*>(AParams);
  return button ? SkinButtonState(button, APart) : SkinGenericState(AParams, APart);
}

}  // namespace

String TqzBarSkinnedPainter::ArrowSuffix(TqzBarItemControlDrawParams* AParams) {
  if (!AParams->HasDropDownPart || !AParams->TargetCanvas) return String();
  TSize arrow;
  GetMenuArrowSize(arrow);
  String dots;
  // Bounded by the arrow's width: a dot is at least a pixel wide.
  for (Integer i = 0; i < arrow.cx && AParams->TargetCanvas->TextWidthOf(dots) < arrow.cx; ++i) dots += ".";
  return " " + dots;
}

void TqzBarSkinnedPainter::GetCaptionExtent(TqzBarItemControlDrawParams* AParams, TRect& R) {
  if (!IsLargeOutsideMenu(AParams) || !AParams->TargetCanvas) {
    TqzBarOffice11Painter::GetCaptionExtent(AParams, R);
    return;
  }
  FitTextInRows(AParams->TargetCanvas->DCHandle(), AParams->CaptionText + ArrowSuffix(AParams), 2, true, R);
}

void TqzBarSkinnedPainter::CalcButtonPartRects(TqzBarItemControlDrawParams* AParams, const TRect& AItemRect,
                                               std::vector<TRect>& AParts) {
  if (!AParams->HasDropDownPart) return;
  if (AParams->PaintKind == qzPaintMenu || AParams->GlyphSizeKind == qzGlyphSmall || AParts.size() < 2) {
    TqzBarOffice11Painter::CalcButtonPartRects(AParams, AItemRect, AParts);
    return;
  }
  // A large split button splits across: the glyph above, the caption with the arrow below.
  TRect caption;
  GetCaptionExtent(AParams, caption);
  AParts[0].Bottom = AParts[1].Top = AParts[1].Bottom - (caption.Height() + 2);
}

Integer TqzBarSkinnedPainter::CalcButtonTextRect(TqzBarItemControlDrawParams* AParams, TRect& ATextRect,
                                                 const TRect& AGlyphRect) {
  TRect extent;
  GetCaptionExtent(AParams, extent);
  if (AParams->GlyphSizeKind == qzGlyphLarge) {
    Integer left = ATextRect.Left + (ATextRect.Width() - extent.Width()) / 2;
    Integer top = ATextRect.Bottom - extent.Height() - 1;
    ATextRect = TRect(left, top, left + extent.Width(), top + extent.Height());
    return 1;
  }
  if (AParams->ContentParts & qzContentIcon) {
    TRect margins;
    ClassRef()->GetTextMargins(margins);
    ATextRect.Left = AGlyphRect.Right + margins.Left;
  } else {
    ATextRect.Left += AParams->ItemControl->TextIndent();
  }
  Integer grow = (extent.Height() - ATextRect.Height()) / 2;
  ATextRect.Top -= grow;
  ATextRect.Bottom += grow;
  return 0;
}

void TqzBarSkinnedPainter::PlaceLargeGlyph(TqzBarItemControl* AControl, const TSize& AImageSize, TRect& R,
                                           TqzBarGlyphLayout, Byte, Byte, const TRect& AGlyphArea) {
  TRect caption;
  GetCaptionExtent(AControl->GetDrawParams(), caption);
  // Centred across, and upright in the space above the caption.
  Integer left = (AGlyphArea.Left + AGlyphArea.Right - AImageSize.cx) / 2;
  Integer top = (AGlyphArea.Top + AGlyphArea.Bottom - caption.Height() - AImageSize.cy) / 2;
  R = TRect(left, top, left + AImageSize.cx, top + AImageSize.cy);
}

void TqzBarSkinnedPainter::DrawItemCaption(TqzBarItemControlDrawParams* AParams, const TRect& R, UINT AFormat,
                                           Integer AAlignment) {
  TkvCanvas* canvas = AParams->TargetCanvas;
  if (!canvas) return;
  // Draw in the font GetCaptionExtent measured in: the canvas puts it on its DC only on demand.
  canvas->GetCanvas()->RequiredState(TCanvasState{csHandleValid, csFontValid});
  HDC DC = canvas->DCHandle();
  TInterfacePtr<IqzSkin> skin = GetSkin();
  TColor color = clDefault;
  if (TqzBarItemControl* control = AParams->ItemControl) {
    auto* button = dynamic_cast<TqzBarButtonLikeControlDrawParams*>(AParams);
    TColor shadow;
    GetCaptionColors(control, AParams->EnabledLook, AParams->SelectedLook, button && button->HotLookA, color, shadow);
  } else if (skin) {
    color = skin->GetPartColor(qzSkinPartToolbarText, SkinGenericState(AParams, 0));
  }
  int mode = SetBkMode(DC, TRANSPARENT);
  COLORREF previousColor = SetTextColor(DC, ColorToRGB(color));
  static constexpr UINT alignments[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  UINT format = AFormat | alignments[AAlignment >= 0 && AAlignment <= 2 ? AAlignment : 0];
  if (AParams->GlyphSizeKind != qzGlyphLarge) {
    TRect r = R;
    DrawTextToDC(DC, AParams->CaptionText, r, format);
  } else {
    std::vector<String> lines;
    SplitTextToWidth(AParams->CaptionText, canvas, R, lines);
    while (lines.size() < 2) lines.emplace_back();
    Integer lineHeight = canvas->TextHeightOf("Wg");
    TRect line(R.Left, R.Top, R.Right, R.Top + lineHeight);
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i + 1 == lines.size() && AParams->HasDropDownPart && skin) {
        TSize arrowSize;
        GetMenuArrowSize(arrowSize);
        TRect arrow = line;
        if (!lines[i].empty()) {
          // The line and its suffix centred together; the arrow takes the suffix's last pixels.
          Integer width = canvas->TextWidthOf(lines[i]);
          Integer whole = canvas->TextWidthOf(lines[i] + ArrowSuffix(AParams));
          Integer left = line.Left + (line.Width() - whole) / 2;
          arrow = TRect(left + whole - arrowSize.cx, line.Top, left + whole, line.Bottom);
          line = TRect(left, line.Top, left + width, line.Bottom);
        }
        DrawSmallDropDownArrow(skin.Get(), DC, arrow, ButtonPartState(AParams, 1));
      }
      TRect r = line;
      DrawTextToDC(DC, lines[i], r, format);
      line = TRect(R.Left, line.Top + lineHeight, R.Right, line.Bottom + lineHeight);
    }
  }
  SetTextColor(DC, previousColor);
  SetBkMode(DC, mode);
}
