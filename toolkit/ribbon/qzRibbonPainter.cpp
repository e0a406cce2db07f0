// The ribbon's painters: tab headers and the ribbon area through the colour scheme, and the
// measures of the groups' rows and captions.

#include "toolkit/ribbon/qzRibbonPainter.h"

#include <algorithm>

#include "gdi/Drawing.h"
#include "gdi/Regions.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/bars/qzBarDockControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "toolkit/ribbon/qzRibbonGroupBar.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL(TqzRibbonTabPainter)
TAVREN_CLASS_IMPL(TqzRibbonPainter)
TAVREN_CLASS_IMPL(TqzRibbonBarPainter)

namespace {

void ExcludeRect(TCanvas* ACanvas, const TRect& R) {
  ExcludeClipRect(ACanvas->GetHandle(), R.Left, R.Top, R.Right, R.Bottom);
}

// Scroll buttons go to the scheme as 0 normal, 2 hot, 4 pressed.
Integer ScrollButtonState(bool AHot, bool APressed) { return APressed ? 4 : AHot ? 2 : 0; }

}  // namespace

// ---- Tab headers -----------------------------------------------------------------------------

void TqzRibbonTabPainter::DrawBackground(TCanvas* ACanvas, const TRect& R, Integer AState) {
  if (FColorScheme) FColorScheme->DrawTab(ACanvas->GetHandle(), R, AState);
}

void TqzRibbonTabPainter::DrawSeparator(TCanvas* ACanvas, const TRect& R, Byte AAlpha) {
  if (FColorScheme) FColorScheme->DrawTabSeparator(ACanvas->GetHandle(), R, AAlpha);
}

void TqzRibbonTabPainter::DrawText(TCanvas* ACanvas, const TRect& R, bool ACompressed, const String& ACaption) {
  TkvCanvas canvas(ACanvas);
  ACanvas->GetBrush()->SetStyle(bsClear);
  canvas.PaintText(ACaption, R, ktfSingleLine | ktfAlignBottom | (ACompressed ? ktfAlignLeft : ktfAlignHCenter));
  ACanvas->GetBrush()->SetStyle(bsSolid);
}

// ---- The ribbon area -------------------------------------------------------------------------

TqzCustomRibbonSkin* TqzRibbonPainter::Scheme() const { return FRibbon->GetColorScheme(); }

void TqzRibbonPainter::DrawApplicationButton(TCanvas* ACanvas, const TRect& R, Integer AState) {
  if (!FRibbon->GetViewInfo()->IsApplicationButtonShown(false) || IsRectEmpty(&R) || !Scheme()) return;
  Scheme()->DrawApplicationButton(ACanvas->GetHandle(), R, AState);
  // Forms here carry no icon of their own: a button without a glyph shows the bare orb.
  TBitmap* glyph = FRibbon->GetApplicationButton()->GetGlyph();
  if (!glyph->GetEmpty())
    DrawApplicationButtonGlyph(ACanvas, R, FRibbon->GetApplicationButton()->GetStretchGlyph(), glyph);
}

void TqzRibbonPainter::DrawApplicationButtonGlyph(TCanvas* ACanvas, const TRect& R, bool AStretch, TBitmap* AGlyph) {
  TRect target;
  if (AStretch) {
    target = TRect{R.Left + 9, R.Top + 9, R.Right - 9, R.Bottom - 9};
  } else {
    const Integer left = R.Left + (R.Width() - AGlyph->GetWidth()) / 2;
    const Integer top = R.Top + (R.Height() - AGlyph->GetHeight()) / 2;
    target = TRect{left, top, left + AGlyph->GetWidth(), top + AGlyph->GetHeight()};
  }
  OffsetRect(&target, -1, -1);
  const TRect source{0, 0, AGlyph->GetWidth(), AGlyph->GetHeight()};
  if (AGlyph->GetPixelFormat() == pf32bit) {
    AlphaDrawBitmap(ACanvas->GetHandle(), AGlyph, target, source, false, 255);
  } else {
    const TBrushStyle style = ACanvas->GetBrush()->GetStyle();
    ACanvas->GetBrush()->SetStyle(bsClear);
    ACanvas->BrushCopy(target, AGlyph, source, AGlyph->GetTransparentColor());
    ACanvas->GetBrush()->SetStyle(style);
  }
}

void TqzRibbonPainter::DrawBackground(TCanvas* ACanvas, const TRect& R) {
  if (!Scheme()) return;
  HDC dc = ACanvas->GetHandle();
  TqzRibbonViewInfo* viewInfo = FRibbon->GetViewInfo();
  if (viewInfo->IsQuickAccessToolbarShown(false) && !viewInfo->IsQuickAccessToolbarBelow() &&
      !viewInfo->GetUseNonClientDrawing()) {
    const Integer split = viewInfo->GetQuickAccessToolbarRect().Bottom;
    Scheme()->DrawQuickAccessAboveBackground(dc, TRect{R.Left, R.Top, R.Right, split});
    Scheme()->DrawRibbonBackground(dc, TRect{R.Left, split, R.Right, R.Bottom});
  } else {
    Scheme()->DrawRibbonBackground(dc, R);
  }
}

void TqzRibbonPainter::DrawGroupsArea(TCanvas* ACanvas, const TRect& R) {
  if (Scheme()) Scheme()->DrawTabGroupsPopup(ACanvas->GetHandle(), R);
}

void TqzRibbonPainter::DrawScrollArrow(TCanvas* ACanvas, const TRect& R, bool ALeft) {
  TkvCanvas canvas(ACanvas);
  PainterClassOf<TkvStandardLookAndFeelPainter>()->PaintArrow(&canvas, R, ALeft ? adLeft : adRight, clBtnText);
}

void TqzRibbonPainter::DrawGroupsScrollButton(TCanvas* ACanvas, const TRect& R, bool AHot, bool APressed, bool ALeft) {
  if (!Scheme()) return;
  Scheme()->DrawGroupScrollButton(ACanvas->GetHandle(), R, ScrollButtonState(AHot, APressed), ALeft);
  if (Scheme()->DrawsScrollArrows()) DrawScrollArrow(ACanvas, TRect{R.Left + 2, R.Top, R.Right - 2, R.Bottom - 2}, ALeft);
  ExcludeRect(ACanvas, R);
}

void TqzRibbonPainter::DrawTabScrollButton(TCanvas* ACanvas, const TRect& R, bool AHot, bool APressed, bool ALeft) {
  if (!Scheme()) return;
  Scheme()->DrawTabScrollButton(ACanvas->GetHandle(), R, ScrollButtonState(AHot, APressed), ALeft);
  DrawScrollArrow(ACanvas, TRect{R.Left + 2, R.Top, R.Right - 4, R.Bottom - 2}, ALeft);
  ExcludeRect(ACanvas, R);
}

void TqzRibbonPainter::DrawQuickAccessToolbar(TCanvas* ACanvas, const TRect& R, bool AActive) {
  if (!Scheme()) return;
  TqzRibbonViewInfo* viewInfo = FRibbon->GetViewInfo();
  HDC dc = ACanvas->GetHandle();
  if (!viewInfo->IsQuickAccessToolbarInCaption(false)) {
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, R.Left, R.Top, R.Right, R.Bottom);
    DrawBackground(ACanvas, viewInfo->GetBounds());
    RestoreDC(dc, saved);
  }
  Scheme()->DrawQuickAccessToolbar(dc, R, !viewInfo->GetUseCompositionFrame(), AActive,
                                   viewInfo->IsApplicationButtonShown(false), viewInfo->GetUseNonClientDrawing(),
                                   viewInfo->IsQuickAccessToolbarBelow());
}

void TqzRibbonPainter::DrawMDIButton(TCanvas* ACanvas, const TRect& R, Integer AState, Integer AKind) {
  if (!Scheme()) return;
  Scheme()->DrawMDIButton(ACanvas->GetHandle(), R, AState, AKind);
  ExcludeRect(ACanvas, R);
}

void TqzRibbonPainter::DrawHelpButton(TCanvas* ACanvas, const TRect& R, Integer AState) {
  if (!Scheme()) return;
  Scheme()->DrawHelpButton(ACanvas->GetHandle(), R, AState);
  Scheme()->DrawHelpButtonGlyph(ACanvas->GetHandle(), R);
  ExcludeRect(ACanvas, R);
}

void TqzRibbonPainter::DrawTabRowEdge(TCanvas* ACanvas) {
  if (!Scheme()) return;
  const TRect& bounds = FRibbon->GetViewInfo()->GetBounds();
  const TRect edge{bounds.Left, bounds.Bottom - 2, bounds.Right, bounds.Bottom};
  Scheme()->DrawTabRowEdge(ACanvas->GetHandle(), edge);
  ExcludeRect(ACanvas, edge);
}

void TqzRibbonPainter::DrawDesignPlaceholder(TCanvas* ACanvas) {
  HDC dc = ACanvas->GetHandle();
  const TRect& bounds = FRibbon->GetViewInfo()->GetBounds();
  const COLORREF background = SetBkColor(dc, 0xC0C0C0);
  HBRUSH brush = CreateHatchBrush(HS_BDIAGONAL, 0);
  FillRect(dc, &bounds, brush);
  DeleteObject(brush);
  SetBkColor(dc, background);
}

// ---- The groups' measures --------------------------------------------------------------------

TqzRibbonBarPainter::TqzRibbonBarPainter(TObject* ARibbon)
    : TqzBarSkinnedPainter(ARibbon), FRibbon(dynamic_cast<TqzCustomRibbon*>(ARibbon)) {}

Integer TqzRibbonBarPainter::GetGroupCaptionHeight(TFont* AFont) {
  TFont font;
  font.Assign(AFont);
  if (font.GetSize() < 8) font.SetSize(8);
  return TextHeightInFont(&font, "Qq") + 1;
}

Integer TqzRibbonBarPainter::GroupRowHeight(Integer AImageSize, TFont* AFont) {
  return std::max(ButtonHeightFor(AImageSize), TextHeightInFont(AFont, "Wg") + 3);
}

Integer TqzRibbonBarPainter::MenuSeparatorHeight() {
  return FRibbon && FRibbon->GetColorScheme() ? FRibbon->GetColorScheme()->MenuSeparatorSize() : 2;
}

Integer TqzRibbonBarPainter::SeparatorLineHeight() { return MenuSeparatorHeight(); }

// ---- Groups and collapsed groups -------------------------------------------------------------

namespace {

TqzRibbonGroupBarControl* AsCollapsedGroup(TCustomqzBarControl* ABarControl) {
  auto* group = dynamic_cast<TqzRibbonGroupBarControl*>(ABarControl);
  return group && group->GetCollapsed() ? group : nullptr;
}

// Whether the window of a toolbar is a collapsed group.
bool IsCollapsedGroupBar(TqzBar* ABar) { return ABar && AsCollapsedGroup(ABar->GetBarControl()); }

constexpr Integer kCollapsedGroupPart = 1000;
constexpr Integer kCollapsedGlyphFramePart = 1001;
constexpr Integer kCollapsedGlyphSize = 16;
constexpr Integer kCaptionButtonPart = 515;
constexpr Integer kCaptionButtonMarkPart = 510;

}  // namespace

Integer TqzRibbonBarPainter::ReferenceGroupHeight() { return 3 * ButtonHeightFor(16) + 16; }

void TqzRibbonBarPainter::GetCollapsedGroupCaptionBounds(const TRect& R, TRect& ABounds) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  const TRect offsets = skin ? skin->GetContentOffsets(kCollapsedGroupPart) : TRect();
  const TRect frame = skin ? skin->GetContentOffsets(kCollapsedGlyphFramePart) : TRect();
  const Integer captionOffset = kCollapsedGlyphSize + frame.Top + frame.Bottom + 3 + 4;
  ABounds = TRect(R.Left + offsets.Left + 1, R.Top + offsets.Top, R.Right - offsets.Right - 1, R.Bottom - offsets.Bottom);
  ABounds.Top += ABounds.Height() * captionOffset / ReferenceGroupHeight();
}

Integer TqzRibbonBarPainter::CollapsedGlyphFrameSize(TCustomqzBarControl* ABarControl) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  const TRect offsets = skin ? skin->GetContentOffsets(kCollapsedGroupPart) : TRect();
  const TRect frame = skin ? skin->GetContentOffsets(kCollapsedGlyphFramePart) : TRect();
  const Integer h = ABarControl->GetHeight() - offsets.Top - offsets.Bottom;
  return (kCollapsedGlyphSize + frame.Top + frame.Bottom) * h / ReferenceGroupHeight();
}

Integer TqzRibbonBarPainter::GetCollapsedGroupWidth(TCustomqzBarControl* ABarControl) {
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  TRect bounds;
  GetCollapsedGroupCaptionBounds(TRect(0, 0, 100, 100), bounds);
  const Integer insets = 100 - bounds.Width();
  const Integer caption =
      toolbar && FRibbon ? TextWidthInFont(FRibbon->GetFonts()->GetGroupFont(), toolbar->GetCaptionText()) + insets : 0;
  TInterfacePtr<IqzSkin> skin = GetSkin();
  const TRect offsets = skin ? skin->GetContentOffsets(kCollapsedGroupPart) : TRect();
  const Integer glyph = CollapsedGlyphFrameSize(ABarControl) + 3 + 3 + offsets.Left + offsets.Right;
  return std::max(caption, glyph);
}

Integer TqzRibbonBarPainter::GetGroupCaptionWidth(TCustomqzBarControl* ABarControl) {
  auto* toolbar = dynamic_cast<TqzBarControl*>(ABarControl);
  if (!toolbar || !FRibbon) return 0;
  Integer width = TextWidthInFont(FRibbon->GetFonts()->GetGroupHeaderFont(), toolbar->GetCaptionText());
  TqzBarCaptionButtons* buttons = toolbar->GetBar()->GetCaptionButtons();
  if (buttons && buttons->GetCount() > 0) {
    TInterfacePtr<IqzSkin> skin = GetSkin();
    width += (skin ? skin->GetContentOffsets(qzSkinPartToolbar).Right : 0) + buttons->GetBoundsRect().Width();
  }
  return width;
}

void TqzRibbonBarPainter::GetBarBorderSizes(TqzBar* ABar, Integer ADockingStyle, TRect& R, bool AWithSizeGrip) {
  if (IsCollapsedGroupBar(ABar)) {
    R = TRect();
    return;
  }
  inherited::GetBarBorderSizes(ABar, ADockingStyle, R, AWithSizeGrip);
}

void TqzRibbonBarPainter::DrawBehindGroup(TCustomqzBarControl* ABarControl, HDC DC) {
  auto* group = dynamic_cast<TqzRibbonGroupBarControl*>(ABarControl);
  if (!group) return;
  const TRect window(0, 0, group->GetWidth(), group->GetHeight());
  if (TqzDockControl* dock = group->GetDockControl()) {
    dock->FillBackground(DC, window, clNone, nullptr, group->GetBoundsRect());
  } else if (TqzCustomRibbon* ribbon = group->Ribbon()) {
    // A popup group stands on the groups area's look of its own: its rounded corners show it.
    TCanvas canvas;
    canvas.SetHandle(DC);
    ribbon->GetPainter()->DrawGroupsArea(&canvas, window);
    canvas.SetHandle(nullptr);
  }
}

void TqzRibbonBarPainter::DrawBarBackground(TCustomqzBarControl* ABarControl, TkvCanvas* ACanvas) {
  HDC dc = ACanvas->DCHandle();
  TPoint offset;
  ABarControl->ClientOffset(offset);
  POINT origin;
  GetWindowOrgEx(dc, &origin);
  SetWindowOrgEx(dc, origin.X + offset.X, origin.Y + offset.Y, nullptr);
  DrawBehindGroup(ABarControl, dc);
  SetWindowOrgEx(dc, origin.X, origin.Y, nullptr);
  if (AsCollapsedGroup(ABarControl)) {
    DrawCollapsedGroup(ABarControl, ACanvas);
    return;
  }
  inherited::DrawBarBackground(ABarControl, ACanvas);
}

void TqzRibbonBarPainter::FillToolbarBackground(TCustomqzBarControl* ABarControl, HDC DC, TColor AColor,
                                                HBRUSH ABrush, const TRect& R, const TRect& AClipRect) {
  auto* group = dynamic_cast<TqzRibbonGroupBarControl*>(ABarControl);
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!group || !skin) {
    inherited::FillToolbarBackground(ABarControl, DC, AColor, ABrush, R, AClipRect);
    return;
  }
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, AClipRect.Left, AClipRect.Top, AClipRect.Right, AClipRect.Bottom);
  TPoint offset;
  group->ClientOffset(offset);
  POINT origin;
  GetWindowOrgEx(DC, &origin);
  SetWindowOrgEx(DC, origin.X + offset.X, origin.Y + offset.Y, nullptr);
  DrawBehindGroup(group, DC);
  if (!group->GetCollapsed())
    skin->DrawBackground(DC, TRect(0, 0, group->GetWidth(), group->GetHeight()), qzSkinPartToolbar,
                         group->GetViewState() == 0 ? qzSkinStateNormal : qzSkinStateHot);
  RestoreDC(DC, saved);
}

void TqzRibbonBarPainter::DrawButtonItem(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TqzBarItemControl* control = AParams->ItemControl;
  if (AParams->PaintKind != qzPaintMenu && dynamic_cast<TqzRibbonCustomBarControl*>(control->GetParent()))
    control->GetParent()->FillBackground(AParams->TargetCanvas->DCHandle(), R, false, clNone, nullptr);
  inherited::DrawButtonItem(AParams, R);
}

void TqzRibbonBarPainter::DrawSkinnedBarFrame(TCustomqzBarControl* ABarControl, HDC DC) {
  const int saved = SaveDC(DC);
  TPoint offset;
  ABarControl->ClientOffset(offset);
  ExcludeClipRect(DC, offset.X, offset.Y, offset.X + ABarControl->GetClientWidth(),
                  offset.Y + ABarControl->GetClientHeight());
  DrawBehindGroup(ABarControl, DC);
  RestoreDC(DC, saved);
  inherited::DrawSkinnedBarFrame(ABarControl, DC);
  if (auto* group = dynamic_cast<TqzRibbonGroupBarControl*>(ABarControl); group && !group->GetCollapsed())
    DrawCaptionButtons(group, DC);
}

// Each button's face, then its glyph centred in the glyph square (a plain mark without a glyph),
// clipped to the buttons' area.
void TqzRibbonBarPainter::DrawCaptionButtons(TqzRibbonGroupBarControl* AGroup, HDC DC) {
  TqzBarCaptionButtons* buttons = AGroup->GetBar()->GetCaptionButtons();
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin || !buttons || buttons->GetCount() == 0) return;
  AGroup->PlaceCaptionButtons();
  const TRect area = buttons->GetBoundsRect();
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, area.Left, area.Top, area.Right, area.Bottom);
  for (Integer i = 0; i < buttons->GetCount(); ++i) {
    TqzBarCaptionButton* button = buttons->GetButton(i);
    const TRect& r = button->GetBounds();
    skin->DrawBackground(DC, r, kCaptionButtonPart, button->GetState());
    const Integer side = RibbonCaptionGlyphSide(r.Width(), r.Height());
    const Integer left = r.Left + (r.Width() - side) / 2, top = r.Top + (r.Height() - side) / 2;
    TBitmap* glyph = button->GetGlyph();
    if (!glyph || glyph->GetEmpty()) {
      skin->DrawBackground(DC, TRect(left + 1, top + 1, left + side + 1, top + side + 1), kCaptionButtonMarkPart,
                           button->GetState());
      continue;
    }
    TBitmap transparent;
    transparent.Assign(glyph);
    transparent.SetTransparent(true);
    TCanvas canvas;
    canvas.SetHandle(DC);
    canvas.Draw(r.Left + (r.Width() - glyph->GetWidth()) / 2, r.Top + (r.Height() - glyph->GetHeight()) / 2,
                &transparent);
    canvas.SetHandle(nullptr);
  }
  RestoreDC(DC, saved);
}

// The button over the client area; the glyph frame centred in the space above the caption (the
// toolbar's glyph in it, at most 16 pixels); the caption and a drop-down arrow below.
void TqzRibbonBarPainter::DrawCollapsedGroup(TCustomqzBarControl* ABarControl, TkvCanvas* ACanvas) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  auto* toolbar = static_cast<TqzBarControl*>(ABarControl);
  if (!skin || !FRibbon) return;
  HDC dc = ACanvas->DCHandle();
  const TRect client = ABarControl->GetClientRect();
  static constexpr Integer kStates[] = {qzSkinStateNormal, qzSkinStateHot, qzSkinStatePressed};
  // The pressed mark shows pressed; pointing at the group shows it hot.
  Integer state = kStates[std::min<Integer>(ABarControl->GetMarkState(), 2)];
  if (state == qzSkinStateNormal && ABarControl->GetViewState() != 0) state = qzSkinStateHot;
  skin->DrawBackground(dc, client, kCollapsedGroupPart, state);
  TRect caption;
  GetCollapsedGroupCaptionBounds(client, caption);
  const TRect offsets = skin->GetContentOffsets(kCollapsedGroupPart);
  const Integer side = CollapsedGlyphFrameSize(ABarControl);
  const Integer areaTop = client.Top + offsets.Top + 3, areaBottom = caption.Top - 4;
  const Integer left = client.Left + offsets.Left + (client.Width() - offsets.Left - offsets.Right - side) / 2;
  const Integer top = areaTop + (areaBottom - areaTop - side) / 2;
  const TRect frame(left, top, left + side, top + side);
  skin->DrawBackground(dc, frame, kCollapsedGlyphFramePart, state);
  TBitmap* glyph = toolbar->GetBar()->GetGlyph();
  if (glyph && !glyph->GetEmpty()) {
    const TRect inner = skin->GetContentOffsets(kCollapsedGlyphFramePart);
    Integer w = glyph->GetWidth(), h = glyph->GetHeight();
    if (w > kCollapsedGlyphSize || h > kCollapsedGlyphSize) {
      const Integer larger = std::max(w, h);
      w = w * kCollapsedGlyphSize / larger;
      h = h * kCollapsedGlyphSize / larger;
    }
    const Integer cx = (frame.Left + frame.Right) / 2, cy = (frame.Top + inner.Top + frame.Bottom - inner.Bottom) / 2;
    ACanvas->GetCanvas()->StretchDraw(TRect(cx - w / 2, cy - h / 2, cx - w / 2 + w, cy - h / 2 + h), glyph);
  }
  const Integer textHeight = TextHeightInFont(FRibbon->GetFonts()->GetGroupFont(), "Wg");
  const TRect text(caption.Left, caption.Top, caption.Right, caption.Top + textHeight + 2);
  skin->DrawCaption(dc, toolbar->GetCaptionText(), text, qzSkinPartToolbar, state);
  const Integer arrowLeft = (caption.Left + caption.Right) / 2 - 3;
  skin->DrawBackground(dc, TRect(arrowLeft, text.Bottom + 2, arrowLeft + 7, text.Bottom + 6), qzSkinPartArrowDown,
                       qzSkinStateNormal);
}
