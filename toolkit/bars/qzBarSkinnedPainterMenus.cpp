// The skinned look of menu windows: the glyph column, its strip and the text area, the border and
// the separators are parts of the skin.

#include "gdi/Regions.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarSkinnedPainter.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "user/Rects.h"

namespace {

// The gap between the glyph column's strip and a caption; rows of large items leave less.
constexpr Integer SmallCaptionGap = 7;
constexpr Integer LargeCaptionGap = 4;

bool HasLargeItems(TqzBarSubMenuControl* AMenu) {
  TqzBarItemLinks* links = AMenu->GetItemLinks();
  return links && links->GetEffectiveItemSize() == misLarge;
}

}  // namespace

Integer TqzBarSkinnedPainter::MenuTextStart(TqzBarSubMenuControl* AMenu) {
  return ClassRef()->MenuExtraLeft() + TqzBarOffice11Painter::MenuTextStart(AMenu) - 2;
}

Integer TqzBarSkinnedPainter::MenuCaptionIndent(TqzBarItemControlDrawParams* AParams) {
  auto* menu = dynamic_cast<TqzBarSubMenuControl*>(AParams->ItemControl->GetParent());
  if (!menu) return TqzBarOffice11Painter::MenuCaptionIndent(AParams);
  return ClassRef()->MenuTextStart(menu) + (HasLargeItems(menu) ? LargeCaptionGap : SmallCaptionGap);
}

void TqzBarSkinnedPainter::GetMenuTextMargins(TRect& AMargins) {
  TqzBarOffice11Painter::GetMenuTextMargins(AMargins);
  // The widest caption indent beyond the icon column: MenuTextStart's shift plus the wider gap;
  // the widest caption keeps that gap to its shortcut too.
  AMargins.Left = ClassRef()->MenuExtraLeft() - 2 + SmallCaptionGap;
  AMargins.Right += SmallCaptionGap;
}

void TqzBarSkinnedPainter::FillMenuBackground(TqzBarSubMenuControl* AMenu, HDC DC, TColor, HBRUSH, const TRect& R) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  TRect margins, content = AMenu->GetClientRect();
  ClassRef()->GetMenuContentMargins(AMenu, margins);
  content = TRect(content.Left + margins.Left, content.Top + margins.Top, content.Right - margins.Right,
                  content.Bottom - margins.Bottom);
  TRect area;
  if (!IntersectRect(&area, &content, &R)) return;
  // The items start right of the side band.
  Integer column = AMenu->GetItemsRect().Left;
  Integer strip = column + ClassRef()->MenuTextStart(AMenu);
  bool large = HasLargeItems(AMenu);
  skin->DrawBackground(DC, TRect(column, area.Top, strip, area.Bottom),
                       large ? qzSkinPartMenuContent : qzSkinPartMenuGlyphColumn, 0);
  skin->DrawBackground(DC, TRect(strip, area.Top, strip + 2, area.Bottom),
                       large ? qzSkinPartMenuContent : qzSkinPartMenuGlyphColumnStrip, 0);
  skin->DrawBackground(DC, TRect(strip + 2, area.Top, area.Right, area.Bottom), qzSkinPartMenuContent, 0);
}

void TqzBarSkinnedPainter::DrawMenuBorder(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  TRect margins;
  AMenu->ContentMargins(true, margins);
  HRGN saved = nullptr;
  bool existed = false;
  BackupClipRegion(DC, saved, existed);
  ExcludeClipRect(DC, R.Left + margins.Left, R.Top + margins.Top, R.Right - margins.Right, R.Bottom - margins.Bottom);
  skin->DrawBackground(DC, R, qzSkinPartMenuBorder, 0);
  if (AMenu->HasDetachCaption()) {
    TRect band = R;
    Integer frame = ClassRef()->MenuFrameWidth();
    InflateRect(&band, -frame, -frame);
    HBRUSH brush = CreateSolidBrush(ColorToRGB(skin->GetPartColor(qzSkinPartMenuDetachCaptionBand, 0)));
    FillWith(DC, band, brush);
    DeleteObject(brush);
    TRect caption;
    AMenu->GetDetachCaptionRect(caption);
    DrawDetachCaption(AMenu, DC, caption);
  }
  RestoreClipRegionBackup(DC, saved, existed);
}

void TqzBarSkinnedPainter::DrawDetachCaption(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R) {
  if (TInterfacePtr<IqzSkin> skin = GetSkin())
    skin->DrawBackground(DC, R, qzSkinPartMenuDetachCaption, AMenu->GetDetachCaptionHot() ? qzSkinStateHot : 0);
}

void TqzBarSkinnedPainter::DrawExpandChevrons(TqzBarSubMenuControl*, HDC DC, bool, const TRect& R) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  Integer side = R.Height() - 2;
  TRect square(R.Left + (R.Width() - side) / 2, R.Top + 1, 0, R.Top + 1 + side);
  square.Right = square.Left + side;
  skin->DrawBackground(DC, square, qzSkinPartMenuExpandChevrons, 0);
}

void TqzBarSkinnedPainter::DrawExpandButtonHot(TqzBarSubMenuControl*, HDC DC, const TRect& R) {
  if (TInterfacePtr<IqzSkin> skin = GetSkin()) skin->DrawBackground(DC, R, qzSkinPartSmallButton, qzSkinStateHot);
}

void TqzBarSkinnedPainter::DrawScrollButtonExtra(TqzBarSubMenuControl* AMenu, TkvCanvas* ACanvas, bool ADown) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  TRect r;
  GetScrollButtonRect(AMenu, ADown, r);
  bool active = ADown ? AMenu->CanScrollDown() : AMenu->CanScrollUp();
  HDC DC = ACanvas->DCHandle();
  ACanvas->PushClip();
  ACanvas->ClipToRect(r);
  AMenu->DrawBackground(DC, r);
  ACanvas->PopClip();
  skin->DrawBackground(DC, r, qzSkinPartMenuScrollButton, active ? qzSkinStateHot : 0);
  ACanvas->ClipOutRect(r);
}

void TqzBarSkinnedPainter::DrawMenuSeparatorItem(TqzBarSubMenuControl* AMenu, TqzBarItemControl*, const TRect& R,
                                                 TkvCanvas* ACanvas) {
  FillMenuBackground(AMenu, ACanvas->DCHandle(), clNone, nullptr, R);
  // The separator's rectangle starts after the side band already.
  TRect line(AMenu->GetGlyphColumnEnd() - AMenu->GetBarSize() + R.Left + 7, R.Bottom - SeparatorLineHeight(),
             R.Right, R.Bottom);
  DrawMenuSeparatorLine(ACanvas, line);
}

// ---- Application menu ----------------------------------------------------------------------------

void TqzBarSkinnedPainter::DrawAppMenuFrame(TqzBarSubMenuControl*, HDC DC, const TRect& R) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  Integer inset = ClassRef()->MenuExtraLeft();
  HRGN saved = nullptr;
  bool existed = false;
  BackupClipRegion(DC, saved, existed);
  ExcludeClipRect(DC, R.Left + inset, R.Top + inset, R.Right - inset, R.Bottom - inset);
  skin->DrawBackground(DC, R, qzSkinPartAppMenuBorder, 0);
  RestoreClipRegionBackup(DC, saved, existed);
}

void TqzBarSkinnedPainter::DrawAppMenuExtra(TqzBarItemControlDrawParams* AParams, const TRect& R) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  HDC DC = AParams->TargetCanvas->DCHandle();
  ClassRef()->FillItemBackground(AParams->ItemControl, DC, false, nullptr, R);
  if (skin) skin->DrawBackground(DC, R, qzSkinPartAppMenuButton, AParams->SelectedLook ? 2 : 0);
  // The content keeps its natural width, centred in a wider button.
  TRect r = R;
  if (auto* button = dynamic_cast<TqzBarApplicationMenuButtonControlDrawParams*>(AParams))
    r.Left += std::max<Integer>(0, (r.Width() - button->NaturalWidth) / 2);
  TRect glyphRect;
  DrawItemGlyph(AParams, DC, r, r, !(AParams->ContentParts & qzContentIcon), glyphRect);
  DrawButtonCaption(AParams, r, glyphRect);
}

void TqzBarSkinnedPainter::DrawAppMenuPane(TqzBarSubMenuControl* AMenu, TkvCanvas* ACanvas, const TRect& R, HBRUSH) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  TRect outer = AMenu->GetClientRect();
  TRect inner1 = R, inner2 = R;
  InflateRect(&inner1, 1, 1);
  InflateRect(&inner2, 2, 2);
  ACanvas->PaintFrame(inner1, skin->GetPartColor(qzSkinPartAppMenuInnerFrame, 0));
  ACanvas->PaintFrame(inner2, skin->GetPartColor(qzSkinPartAppMenuOuterFrame, 0));
  HDC DC = ACanvas->DCHandle();
  skin->DrawBackground(DC, TRect(outer.Left, outer.Top, outer.Right, inner2.Top), qzSkinPartAppMenuHeader, 0);
  skin->DrawBackground(DC, TRect(outer.Left, inner2.Bottom, outer.Right, outer.Bottom), qzSkinPartAppMenuFooter, 0);
  TColor side = skin->GetPartColor(qzSkinPartAppMenuSideStrip, 0);
  FillSolid(DC, TRect(outer.Left, inner2.Top, inner2.Left, inner2.Bottom), side);
  FillSolid(DC, TRect(inner2.Right, inner2.Top, outer.Right, inner2.Bottom), side);
}

void TqzBarSkinnedPainter::FillAppMenuPane(TqzBarSubMenuControl* AMenu, HDC DC, TColor, HBRUSH, const TRect& R) {
  TInterfacePtr<IqzSkin> skin = GetSkin();
  if (!skin) return;
  HRGN saved = nullptr;
  bool existed = false;
  BackupClipRegion(DC, saved, existed);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  TRect k = AMenu->GetClientRect();
  skin->DrawBackground(DC, TRect(k.Left, k.Top, k.Left + 2, k.Bottom), qzSkinPartMenuGlyphColumnStrip, 0);
  FillSolid(DC, TRect(k.Left + 2, k.Top, k.Right, k.Bottom), skin->GetPartColor(qzSkinPartAppMenuRightPane, 0));
  RestoreClipRegionBackup(DC, saved, existed);
}

void TqzBarSkinnedPainter::DrawAppMenuSeparator(TqzBarSubMenuControl*, HDC DC, bool AHorizontal, HBRUSH,
                                                const TRect& R) {
  DrawTwoLineSeparator(DC, AHorizontal, static_cast<TColor>(0xD8D8D8), static_cast<TColor>(0xF5F5F5), R);
}

Integer TqzBarSkinnedPainter::SeparatorTextIndent(TqzBarItemControlDrawParams* AParams) {
  if (AParams->GlyphSizeKind == qzGlyphLarge) return AParams->ItemControl->GetParent()->GetTextSizeValue();
  return TqzBarOffice11Painter::SeparatorTextIndent(AParams);
}
