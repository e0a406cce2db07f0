// The skinned look of menu windows: the glyph column, its strip and the text area, the border and
// the separators are parts of the skin.

#include "gdi/Regions.h"
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
  AMenu->ContentMargins(margins);
  HRGN saved = nullptr;
  bool existed = false;
  BackupClipRegion(DC, saved, existed);
  ExcludeClipRect(DC, R.Left + margins.Left, R.Top + margins.Top, R.Right - margins.Right, R.Bottom - margins.Bottom);
  skin->DrawBackground(DC, R, qzSkinPartMenuBorder, 0);
  RestoreClipRegionBackup(DC, saved, existed);
}

void TqzBarSkinnedPainter::DrawMenuSeparatorItem(TqzBarSubMenuControl* AMenu, TqzBarItemControl*, const TRect& R,
                                                 TkvCanvas* ACanvas) {
  FillMenuBackground(AMenu, ACanvas->DCHandle(), clNone, nullptr, R);
  TRect line(ClassRef()->MenuTextIndent(AMenu) + R.Left + 7, R.Bottom - SeparatorLineHeight(), R.Right, R.Bottom);
  DrawMenuSeparatorLine(ACanvas, line);
}
