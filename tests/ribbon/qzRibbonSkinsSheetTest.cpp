// Every piece of each scheme drawn through the skin at a few sizes, saved as
// $TAVREN_TEST_OUTPUT/ribbon-skins-<scheme>.png for a person to look at: a form caption and frame,
// the tab row, groups with their buttons, menus, the status bar and the small glyphs.
#include <gtest/gtest.h>

#include "RibbonTestSupport.h"
#include "vcl/Graphics.h"

namespace {

constexpr Integer kSheetWidth = 720, kSheetHeight = 560;

void DrawFormPieces(TqzCustomRibbonSkin* Skin, HDC DC) {
  // An active form with a caption, the application button, the quick access toolbar and the
  // caption buttons; an inactive one beside it, smaller.
  for (Integer f = 0; f < 2; ++f) {
    const TRect form = f == 0 ? TRect{10, 10, 430, 150} : TRect{450, 10, 710, 150};
    TqzFormFrameInfo info;
    info.IsActive = f == 0;
    info.WindowRect = form;
    info.FormBorderStyle = bsSizeable;
    SaveDC(DC);
    Skin->DrawFormBorders(DC, Skin->GetFormBorderWidths(false), info, form.Top + 31);
    RestoreDC(DC, -1);
    Skin->DrawFormCaption(DC, TRect{form.Left, form.Top, form.Right, form.Top + 31}, info);
    Skin->DrawRibbonBackground(DC, TRect{form.Left + 4, form.Top + 31, form.Right - 4, form.Bottom - 4});
    Skin->DrawApplicationButton(DC, Bounds(form.Left + 4, form.Top + 4, 42, 42), f == 0 ? 0 : 1);
    Skin->DrawQuickAccessToolbar(DC, TRect{form.Left + 40, form.Top + 2, form.Left + 140, form.Top + 28}, true,
                                 false, true, !info.IsActive, false);
    Skin->DrawQuickAccessMark(DC, TRect{form.Left + 110, form.Top + 3, form.Left + 124, form.Top + 27}, 0);
    for (Integer b = 0; b < 3; ++b) {
      const Integer state = f == 1 ? 3 : b;  // normal, hot, pressed; inactive
      Skin->DrawCaptionButton(DC, Bounds(form.Right - 4 - 25 * (3 - b), form.Top + 3, 25, 25), state,
                              b == 0 ? 0 : b == 1 ? 1 : 3);
    }
    // The tab row with a selected and a hot tab, and the groups area below.
    const Integer tabs = form.Top + 31 + 20;
    Skin->DrawTabRowEdge(DC, TRect{form.Left + 4, tabs + 22, form.Right - 4, tabs + 25});
    Skin->DrawTab(DC, Bounds(form.Left + 50, tabs, 56, 23), 2);
    Skin->DrawTab(DC, Bounds(form.Left + 108, tabs, 56, 23), f == 0 ? 1 : 3);
    Skin->DrawTabSeparator(DC, Bounds(form.Left + 170, tabs, 1, 22), 255);
    Skin->DrawTabGroupsPopup(DC, TRect{form.Left + 6, tabs + 23, form.Right - 6, form.Bottom - 6});
  }
}

void DrawGroups(TqzCustomRibbonSkin* Skin, HDC DC, Integer Top) {
  Skin->DrawTabGroupsPopup(DC, TRect{10, Top, 710, Top + 96});
  // Two groups, resting and hot, with buttons in their states.
  for (Integer g = 0; g < 2; ++g) {
    const TRect group = Bounds(16 + g * 300, Top + 4, 290, 88);
    Skin->DrawGroupBackground(DC, TRect{group.Left, group.Top, group.Right, group.Bottom - 17}, g == 0 ? 0 : 2);
    Skin->DrawGroupCaptionBand(DC, TRect{group.Left, group.Bottom - 17, group.Right, group.Bottom}, g == 0 ? 0 : 2);
    Skin->DrawBarPart515(DC, Bounds(group.Right - 17, group.Bottom - 15, 15, 14), g == 0 ? 2 : 4);
    Skin->DrawBarPart510(DC, Bounds(group.Right - 16, group.Bottom - 14, 12, 12), 0);
    const Integer states[3] = {2, 4, 5};
    for (Integer i = 0; i < 3; ++i) {
      const Integer state = states[i] + (g == 1 && i > 0 ? 2 : 0);
      Skin->DrawLargeButton(DC, Bounds(group.Left + 4 + i * 44, group.Top + 2, 42, 66), state);
    }
    Skin->DrawLargeSplitButtonTop(DC, Bounds(group.Left + 136, group.Top + 2, 42, 39), g == 0 ? 2 : 4);
    Skin->DrawLargeSplitButtonBottom(DC, Bounds(group.Left + 136, group.Top + 41, 42, 27), g == 0 ? 3 : 2);
    Skin->DrawSmallDropArrow(DC, Bounds(group.Left + 155, group.Top + 58, 5, 4), 2);
    Skin->DrawGroupSeparator(DC, Bounds(group.Left + 181, group.Top + 2, 3, 66), 0);
    for (Integer row = 0; row < 3; ++row) {
      const Integer y = group.Top + 2 + row * 22;
      Skin->DrawSmallButton(DC, Bounds(group.Left + 187, y, 22, 22), 2 + row * 2);
      Skin->DrawSplitButtonMain(DC, Bounds(group.Left + 211, y, 29, 22), row == 1 ? 4 : 2);
      Skin->DrawSplitSeparatorMiddle(DC, Bounds(group.Left + 240, y, 1, 22), 2);
      Skin->DrawSplitButtonArrow(DC, Bounds(group.Left + 240, y, 12, 22), row == 2 ? 4 : 2);
      Skin->DrawSmallDropArrow(DC, Bounds(group.Left + 243, y + 9, 5, 4), 0);
      Skin->DrawEditBackground(DC, Bounds(group.Left + 255, y + 1, 26, 20), row);
    }
  }
  // A collapsed group in its states and the group scroll buttons.
  for (Integer s = 0; s < 4; ++s) {
    static constexpr Integer kStates[4] = {0, 2, 3, 4};
    const TRect r = Bounds(618 + s * 22, Top + 4, 20, 85);
    Skin->DrawCollapsedGroupButton(DC, r, kStates[s]);
    Skin->DrawCollapsedGroupGlyphFrame(DC, Bounds(r.Left + 2, r.Top + 6, 16, 31), kStates[s]);
  }
}

void DrawMenusAndBars(TqzCustomRibbonSkin* Skin, HDC DC, Integer Top) {
  // A menu: border, glyph strip, text area, a checked item and a separator.
  const TRect menu = Bounds(10, Top, 170, 130);
  Skin->DrawMenuBorder(DC, menu);
  Skin->FillMenuContent(DC, TRect{menu.Left + 2, menu.Top + 2, menu.Right - 2, menu.Bottom - 2});
  Skin->DrawBarPart410(DC, TRect{menu.Left + 26, menu.Top + 2, menu.Left + 28, menu.Bottom - 2});
  Skin->DrawBarPart390(DC, TRect{menu.Left + 28, menu.Top + 2, menu.Right - 2, menu.Top + 24});
  Skin->DrawSmallButton(DC, TRect{menu.Left + 3, menu.Top + 26, menu.Right - 3, menu.Top + 48}, 2);
  Skin->DrawMenuGlyphFrame(DC, Bounds(menu.Left + 5, menu.Top + 28, 18, 18), 0);
  Skin->DrawMenuSeparatorLine(DC, TRect{menu.Left + 30, menu.Top + 52, menu.Right - 4, menu.Top + 54});
  Skin->DrawMenuGlyphFrameLarge(DC, Bounds(menu.Left + 4, menu.Top + 58, 32, 32), 0);
  Skin->DrawMenuGlyphFrame(DC, Bounds(menu.Left + 5, menu.Top + 94, 18, 18), 1);
  Skin->DrawInPlaceSubItemFace(DC, TRect{menu.Left + 40, menu.Top + 60, menu.Right - 4, menu.Top + 80});
  Skin->DrawRightArrowGlyph(DC, Bounds(menu.Right - 14, menu.Top + 66, 4, 7));
  Skin->DrawMenuScrollButton(DC, TRect{menu.Left + 40, menu.Top + 112, menu.Right - 4, menu.Top + 124}, 2);
  Skin->DrawDetachCaption(DC, TRect{menu.Left + 40, menu.Top + 84, menu.Right - 4, menu.Top + 92}, 0);
  Skin->DrawDetachCaption(DC, TRect{menu.Left + 40, menu.Top + 96, menu.Right - 4, menu.Top + 104}, 2);

  // The application menu and a screen tip.
  const TRect appMenu = Bounds(190, Top, 200, 130);
  Skin->DrawApplicationMenuBorder(DC, appMenu);
  Skin->DrawApplicationMenuTopBand(DC, TRect{appMenu.Left + 3, appMenu.Top + 3, appMenu.Right - 3, appMenu.Top + 17});
  Skin->DrawApplicationMenuBottomBand(DC,
                                      TRect{appMenu.Left + 3, appMenu.Bottom - 28, appMenu.Right - 3, appMenu.Bottom - 3});
  Skin->DrawApplicationMenuButton(DC, Bounds(appMenu.Right - 70, appMenu.Bottom - 25, 64, 20), 0);
  Skin->DrawApplicationMenuButton(DC, Bounds(appMenu.Right - 140, appMenu.Bottom - 25, 64, 20), 2);
  Skin->DrawScreenTipBackground(DC, Bounds(400, Top, 150, 70));
  Skin->DrawQuickAccessPopupBackground(DC, Bounds(400, Top + 78, 150, 28));
  Skin->DrawQuickAccessToolbar(DC, Bounds(560, Top, 150, 26), true, false, false, false, true);
  for (Integer s = 0; s < 3; ++s) {
    Skin->DrawTabScrollButton(DC, Bounds(560 + s * 24, Top + 32, 12, 24), s == 0 ? 0 : s * 2, false);
    Skin->DrawGroupScrollButton(DC, Bounds(640 + s * 24, Top + 32, 12, 60), s == 0 ? 0 : s * 2, true);
  }
  Skin->DrawExpandChevrons(DC, Bounds(560, Top + 62, 16, 16));
  Skin->DrawHelpButton(DC, Bounds(580, Top + 60, 25, 25), 1);
  Skin->DrawHelpButtonGlyph(DC, Bounds(580, Top + 60, 25, 25));
  Skin->DrawQuickAccessMarkMore(DC, Bounds(610, Top + 62, 14, 22), 0);
  Skin->DrawDownArrowGlyph(DC, Bounds(560, Top + 84, 7, 4));
  Skin->DrawArrowGlyph(DC, Bounds(572, Top + 84, 5, 3));

  // Progress, gallery parts and border buttons.
  const Integer y = Top + 140;
  Skin->DrawProgressBackground(DC, Bounds(10, y, 170, 12));
  Skin->DrawProgressFill(DC, Bounds(12, y + 2, 100, 8));
  for (Integer i = 0; i < 6; ++i) Skin->DrawProgressChunk(DC, Bounds(12 + i * 7, y + 16, 5, 8));
  for (Integer k = 0; k < 3; ++k)
    for (Integer s = 0; s < 3; ++s)
      Skin->DrawBarPart53(DC, Bounds(190 + s * 17, y + k * 21, 15, 20), s == 0 ? 0 : s == 1 ? 2 : 4, k);
  Skin->DrawBarPart65(DC, Bounds(250, y, 60, 40));
  Skin->DrawBarPart57(DC, Bounds(314, y, 20, 40));
  Skin->DrawBarPart58(DC, Bounds(336, y, 20, 40));
  Skin->DrawBarPart63(DC, Bounds(250, y + 44, 60, 8));
  Skin->DrawBarPart59(DC, Bounds(314, y + 44, 40, 12));
  Skin->DrawBarPart60(DC, Bounds(250, y + 54, 40, 14));
  Skin->DrawBarPart61(DC, Bounds(360, y, 60, 7));
  Skin->DrawBarPart62(DC, Bounds(360, y + 10, 60, 7));
  Skin->DrawBarPart100(DC, Bounds(360, y + 22, 16, 16));
  for (Integer s = 0; s < 4; ++s) {
    static constexpr Integer kStates[4] = {0, 2, 4, 1};
    Skin->DrawFormBorderButton(DC, Bounds(430 + s * 24, y, 22, 22), kStates[s], false, false, false);
    Skin->DrawFormBorderButton(DC, Bounds(430 + s * 24, y + 24, 22, 22), kStates[s], false, false, true);
    Skin->DrawMDIButton(DC, Bounds(530 + s * 24, y, 22, 22), s == 3 ? 0 : s, s % 3);
  }
  // The status bar: panels, separators, a pressed part and the size grip.
  const TRect status = Bounds(10, Top + 210, 700, 22);
  Skin->DrawStatusBarBackground(DC, status);
  Skin->DrawStatusBarPanel(DC, Bounds(status.Left, status.Top, 160, 22), true);
  Skin->DrawStatusBarSeparator(DC, Bounds(status.Left + 160, status.Top, 3, 22));
  Skin->DrawStatusBarPanel(DC, Bounds(status.Left + 163, status.Top, 200, 22), false);
  Skin->DrawStatusBarSeparator2(DC, Bounds(status.Left + 363, status.Top, 2, 22));
  for (Integer s = 0; s < 4; ++s)
    Skin->DrawStatusBarPart(DC, Bounds(status.Left + 380 + s * 44, status.Top, 40, 22), s / 2, s % 2, s != 1, s < 2);
  Skin->DrawStatusBarGrip(DC, Bounds(status.Right - 40, status.Top, 40, 22));
  Skin->DrawStatusBarSizeGrip(DC, Bounds(status.Right - 14, status.Top + 6, 12, 14));
}

void DrawSheet(TqzCustomRibbonSkin* Skin, RibbonSurface& Sheet) {
  Skin->DrawRibbonBackground(Sheet.DC(), TRect{0, 0, kSheetWidth, kSheetHeight});
  DrawFormPieces(Skin, Sheet.DC());
  DrawGroups(Skin, Sheet.DC(), 160);
  DrawMenusAndBars(Skin, Sheet.DC(), 266);
}

TEST(RibbonSkinSheets, EveryPieceOfEachSchemeDrawnThroughTheSkin) {
  for (const char* scheme : {"Blue", "Black", "Silver"}) {
    SCOPED_TRACE(scheme);
    TqzCustomRibbonSkin* skin = RibbonSkin(scheme);
    ASSERT_NE(skin, nullptr);
    RibbonSurface sheet(kSheetWidth, kSheetHeight, clFuchsia);
    DrawSheet(skin, sheet);
    // A large button's face sits where it was drawn.
    EXPECT_NE(sheet.At(16 + 4 + 21, 160 + 4 + 2 + 40), ColorToRGB(skin->GetPartColor(10065, 0)));
    String name = String("ribbon-skins-") + scheme;
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    SaveRibbonPicture(sheet, name);
  }
  SetScreenBitsPerPixel(8);
  auto low = NewRibbonSkin<TqzBlueRibbonSkin>();
  SetScreenBitsPerPixel(0);
  RibbonSurface sheet(kSheetWidth, kSheetHeight, clFuchsia);
  DrawSheet(low.get(), sheet);
  SaveRibbonPicture(sheet, "ribbon-skins-lowcolor");
}

}  // namespace
