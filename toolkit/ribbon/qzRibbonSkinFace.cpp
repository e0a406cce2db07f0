// The ribbon's skin face: numbered parts drawn by the colour scheme's operations, group captions,
// content offsets and gaps; and the group measures the layout builds on.

#include "gdi/Drawing.h"
#include "gdi/Text.h"
#include "toolkit/ribbon/qzRibbon.h"

namespace {

using TSkinDraw = void (TqzCustomRibbonSkin::*)(HDC, const TRect&, Integer);
using TSkinDrawPlain = void (TqzCustomRibbonSkin::*)(HDC, const TRect&);

struct TStatePart {
  Integer Part;
  TSkinDraw Draw;
};

struct TPlainPart {
  Integer Part;
  TSkinDrawPlain Draw;
};

// Parts whose operation takes the state.
constexpr TStatePart kStateParts[] = {
    {3, &TqzCustomRibbonSkin::DrawSmallButton},
    {4, &TqzCustomRibbonSkin::DrawSplitButtonArrow},
    {5, &TqzCustomRibbonSkin::DrawSplitButtonMain},
    {6, &TqzCustomRibbonSkin::DrawLargeButton},
    {7, &TqzCustomRibbonSkin::DrawLargeSplitButtonBottom},
    {8, &TqzCustomRibbonSkin::DrawLargeSplitButtonTop},
    {11, &TqzCustomRibbonSkin::DrawEditButton},
    {13, &TqzCustomRibbonSkin::DrawBarPart13},
    {14, &TqzCustomRibbonSkin::DrawBarPart14},
    {15, &TqzCustomRibbonSkin::DrawBarPart15},
    {16, &TqzCustomRibbonSkin::DrawBarPart16},
    {50, &TqzCustomRibbonSkin::DrawEditBackground},
    {336, &TqzCustomRibbonSkin::DrawQuickAccessMark},
    {337, &TqzCustomRibbonSkin::DrawQuickAccessMarkMore},
    {340, &TqzCustomRibbonSkin::DrawSmallDropArrow},
    {370, &TqzCustomRibbonSkin::DrawDetachCaption},
    {430, &TqzCustomRibbonSkin::DrawMenuGlyphFrame},
    {440, &TqzCustomRibbonSkin::DrawMenuGlyphFrameLarge},
    {446, &TqzCustomRibbonSkin::DrawMenuScrollButton},
    {458, &TqzCustomRibbonSkin::DrawApplicationMenuButton},
    {460, &TqzCustomRibbonSkin::DrawGroupSeparator},
    {480, &TqzCustomRibbonSkin::DrawSplitSeparatorMiddle},
    {500, &TqzCustomRibbonSkin::DrawSplitSeparatorHot},
    {510, &TqzCustomRibbonSkin::DrawBarPart510},
    {515, &TqzCustomRibbonSkin::DrawBarPart515},
    {1000, &TqzCustomRibbonSkin::DrawCollapsedGroupButton},
    {1001, &TqzCustomRibbonSkin::DrawCollapsedGroupGlyphFrame},
};

// Parts drawn the same in every state.
constexpr TPlainPart kPlainParts[] = {
    {30, &TqzCustomRibbonSkin::DrawProgressFill},
    {31, &TqzCustomRibbonSkin::DrawProgressChunk},
    {32, &TqzCustomRibbonSkin::DrawProgressBackground},
    {40, &TqzCustomRibbonSkin::DrawScreenTipBackground},
    {56, &TqzCustomRibbonSkin::FillMenuContent},
    {57, &TqzCustomRibbonSkin::DrawBarPart57},
    {58, &TqzCustomRibbonSkin::DrawBarPart58},
    {59, &TqzCustomRibbonSkin::DrawBarPart59},
    {60, &TqzCustomRibbonSkin::DrawBarPart60},
    {61, &TqzCustomRibbonSkin::DrawBarPart61},
    {62, &TqzCustomRibbonSkin::DrawBarPart62},
    {63, &TqzCustomRibbonSkin::DrawBarPart63},
    {65, &TqzCustomRibbonSkin::DrawBarPart65},
    {360, &TqzCustomRibbonSkin::DrawArrowGlyph},
    {365, &TqzCustomRibbonSkin::DrawDownArrowGlyph},
    {366, &TqzCustomRibbonSkin::DrawRightArrowGlyph},
    {380, &TqzCustomRibbonSkin::DrawInPlaceSubItemFace},
    {390, &TqzCustomRibbonSkin::DrawBarPart390},
    {400, &TqzCustomRibbonSkin::DrawMenuSeparatorLine},
    {410, &TqzCustomRibbonSkin::DrawBarPart410},
    {442, &TqzCustomRibbonSkin::DrawExpandChevrons},
    {450, &TqzCustomRibbonSkin::DrawMenuBorder},
    {452, &TqzCustomRibbonSkin::DrawApplicationMenuBorder},
    {453, &TqzCustomRibbonSkin::DrawApplicationMenuTopBand},
    {454, &TqzCustomRibbonSkin::DrawApplicationMenuBottomBand},
    {470, &TqzCustomRibbonSkin::DrawSplitSeparatorStart},
    {490, &TqzCustomRibbonSkin::DrawSplitSeparatorEnd},
};

constexpr Integer kGroupPart = 1;

}  // namespace

HRESULT TqzCustomRibbon::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

void TqzCustomRibbon::DrawBackground(HDC DC, const TRect& R, Integer APart, Integer AState) {
  TqzCustomRibbonSkin* scheme = FColorScheme;
  if (!scheme) return;
  if (APart == kGroupPart) {
    const Integer band = GroupsCaptionHeight() + 3;
    scheme->DrawGroupBackground(DC, TRect{R.Left, R.Top, R.Right, R.Bottom - band}, AState);
    scheme->DrawGroupCaptionBand(DC, TRect{R.Left, R.Bottom - band, R.Right, R.Bottom}, AState);
    return;
  }
  if (APart >= 53 && APart <= 55) {
    scheme->DrawBarPart53(DC, R, AState, APart - 53);
    return;
  }
  if (APart == 520) {
    TqzRibbonViewInfo* info = FViewInfo.get();
    scheme->DrawFormBorderButton(DC, R, AState, info->IsQuickAccessToolbarInCaption(false),
                                 info->GetUseNonClientDrawing(), info->IsQuickAccessToolbarBelow());
    return;
  }
  for (const TStatePart& part : kStateParts)
    if (part.Part == APart) {
      (scheme->*part.Draw)(DC, R, AState);
      return;
    }
  for (const TPlainPart& part : kPlainParts)
    if (part.Part == APart) {
      (scheme->*part.Draw)(DC, R);
      if ((APart == qzSkinPartAppMenuBorder || APart == qzSkinPartAppMenuHeader) && IsApplicationMenuOpen())
        DrawApplicationButtonOnMenu(DC, APart);
      return;
    }
}

void TqzCustomRibbon::DrawCaption(HDC DC, const String& AText, const TRect& R, Integer APart, Integer) {
  if (APart != kGroupPart) return;
  TFont* font = FFonts->GetGroupHeaderFont();
  HGDIOBJ oldFont = SelectObject(DC, font->GetHandle());
  const int oldMode = SetBkMode(DC, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(DC, ColorToRGB(font->GetColor()));
  TRect r{R.Left, R.Top + 1, R.Right, R.Bottom};
  DrawTextToDC(DC, AText, r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  SetTextColor(DC, oldColor);
  SetBkMode(DC, oldMode);
  SelectObject(DC, oldFont);
}

TRect TqzCustomRibbon::GetCaptionRect(const TRect& R, Integer APart) {
  if (APart != kGroupPart) return TRect{};
  TRect r{R.Left + 2, R.Top, R.Right - 3, R.Bottom - 3};
  r.Top = r.Bottom - GroupsCaptionHeight();
  return r;
}

TRect TqzCustomRibbon::GetContentOffsets(Integer APart) {
  switch (APart) {
    case kGroupPart: return TRect{2, 2, 3, GroupsCaptionHeight() + 1 + 3};
    case 3:
    case 520: return TRect{3, 3, 3, 3};
    case 65: return FColorScheme ? FColorScheme->GetPartContentOffsets(65) : TRect{};
    case 1000: return TRect{2, 2, 2, 2};
    case 1001: return TRect{7, 4, 7, 11};
    default: return TRect{};
  }
}

TColor TqzCustomRibbon::GetPartColor(Integer APart, Integer AState) {
  return FColorScheme ? FColorScheme->GetPartColor(APart, AState) : clDefault;
}

Integer TqzCustomRibbon::GetPartOffset(Integer APart) {
  if (APart == kGroupPart) return 2;
  return APart == 460 ? 3 : 0;
}

// ---- Group measures --------------------------------------------------------------------------

Integer TqzCustomRibbon::GroupsCaptionHeight() { return FGroupsPainter->GetGroupCaptionHeight(FFonts->GetGroupHeaderFont()); }

Integer TqzCustomRibbon::GroupRowHeight() { return FGroupsPainter->GroupRowHeight(16, FFonts->GetGroupFont()); }

Integer TqzCustomRibbon::GroupsHeight() {
  const TRect offsets = GetContentOffsets(kGroupPart);
  return GroupsContentHeight() + offsets.Top + offsets.Bottom;
}
