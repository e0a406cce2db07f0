#include <gtest/gtest.h>

#include "backend/HeadlessBackend.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/editors/kvContainer.h"
#include "user/Sound.h"
#include "vcl/ExtCtrls.h"

namespace {

// A 24-bit bitmap to draw into and read back.
class BarRoutines : public testing::Test {
 protected:
  void SetUp() override {
    SetDisplayBackend(&screen);
    canvas.SetSize(40, 30);
    canvas.SetPixelFormat(pf24bit);
    Clear(clWhite);
  }
  void TearDown() override { SetDisplayBackend(nullptr); }
  void Clear(TColor Color) {
    canvas.GetCanvas()->GetBrush()->SetColor(Color);
    canvas.GetCanvas()->FillRect(TRect(0, 0, 40, 30));
  }
  HDC DC() { return canvas.GetCanvas()->GetHandle(); }
  TColor Pixel(Integer X, Integer Y) { return canvas.GetCanvas()->GetPixel(X, Y); }

  HeadlessBackend screen;
  TBitmap canvas;
};

TEST(BarText, AccelCharIndexFindsTheLastSingleMarker) {
  struct Case {
    const char* caption;
    bool remove;
    Integer index;
    const char* after;
  };
  const Case kCases[] = {
      {"Open&Folder", false, 6, "Open&Folder"}, {"A&&B", false, 0, "A&&B"},   {"&File", true, 1, "File"},
      {"1&2", false, 3, "1&2"},                 {"&a&b", true, 2, "ab"},       {"&a&b", false, 4, "&a&b"},
      {"End&", false, 0, "End&"},               {"A&&&B", true, 3, "A&B"},     {"", true, 0, ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.caption);
    String caption = c.caption;
    EXPECT_EQ(AccelCharIndex(caption, c.remove), c.index);
    EXPECT_EQ(caption, c.after);
  }
  EXPECT_EQ(StripAccelChars("&Save && Exit"), "Save & Exit");
}

TEST(BarText, ShortCutsFromCharactersCarryTheirShiftState) {
  BYTE keys[256] = {};
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  EXPECT_EQ(ShortCutFromCharKey('A', 1 << 29), 'A' + scCtrl + scAlt);
  keys[VK_CONTROL] = 0;
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  EXPECT_EQ(ShortCutFromCharKey('B', 0), 'B' + scShift);
  EXPECT_EQ(ShortCutFromCharKey(0, 1 << 29), 0);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(ShortCutHintSuffix(ShortCut('S', TShiftState{ssCtrl})), " (Ctrl+S)");
  EXPECT_EQ(ShortCutHintSuffix(0), "");
}

TEST(BarText, KeyTipCharactersAndButtonMessages) {
  EXPECT_TRUE(IsKeyTipChar('F'));
  EXPECT_TRUE(IsKeyTipChar(VK_OEM_2));
  EXPECT_FALSE(IsKeyTipChar(VK_SPACE));
  EXPECT_FALSE(IsKeyTipChar(VK_F4));
  const UINT kDowns[] = {161, 163, 164, 166, 167, 169, 513, 515, 516, 518, 519, 521};
  for (UINT m = 0; m < 1024; ++m) {
    bool expected = std::find(std::begin(kDowns), std::end(kDowns), m) != std::end(kDowns);
    EXPECT_EQ(IsButtonDownMessage(m), expected) << m;
  }
}

TEST(BarText, MenuSoundsAskForTheirAliasesAndStopAsksForNone) {
  PlayBarSound(bskMenuPopup);
  EXPECT_EQ(LastSoundRequest().name, "MenuPopup");
  EXPECT_EQ(LastSoundRequest().flags, 0x12003u);
  PlayBarSound(bskMenuCommand);
  EXPECT_EQ(LastSoundRequest().name, "MenuCommand");
  StopBarSound();
  EXPECT_FALSE(LastSoundRequest().hasName);
  EXPECT_EQ(LastSoundRequest().flags, 0x12003u);
}

TEST(BarText, SmallHelpers) {
  EXPECT_EQ(PathSeparatorText(true), "\\");
  EXPECT_EQ(PathSeparatorText(false), ".");
  EXPECT_EQ(BoolToTwo(true), 2);
  EXPECT_EQ(BoolToTwo(false), 0);
  std::vector<String> names;
  EnumNamesToStringArray(&TTypeInfoOf<TqzGripCorner>::Info, names);
  EXPECT_EQ(names, (std::vector<String>{"gcTopLeft", "gcTopRight", "gcBottomLeft", "gcBottomRight"}));
  Integer width = 5;
  EnsureMinWidth(width, 12);
  EXPECT_EQ(width, 12);
  EXPECT_EQ(ScaleByScreenDPI(100, 120), 80);
}

TEST_F(BarRoutines, TileBitmapStartsPartialTilesAtTheOrigin) {
  TBitmap tile;
  tile.SetSize(4, 4);
  tile.GetCanvas()->GetBrush()->SetColor(clRed);
  tile.GetCanvas()->FillRect(TRect(0, 0, 4, 4));
  tile.GetCanvas()->SetPixel(0, 0, clBlue);
  // The target shows the tiling plane from (-2, -1): the first whole tile starts at (12, 11).
  TileBitmap(DC(), TRect(10, 10, 20, 20), TRect(-2, -1, 8, 9), &tile);
  struct Probe {
    Integer x, y;
    TColor color;
  };
  const Probe kProbes[] = {{12, 11, clBlue}, {16, 11, clBlue}, {12, 15, clBlue}, {10, 10, clRed},
                           {13, 11, clRed},  {9, 10, clWhite},  {20, 15, clWhite}, {15, 9, clWhite}};
  for (const Probe& p : kProbes) {
    SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
    EXPECT_EQ(Pixel(p.x, p.y), p.color);
  }
  // Nothing for an empty bitmap or origin.
  Clear(clWhite);
  TBitmap empty;
  TileBitmap(DC(), TRect(0, 0, 10, 10), TRect(0, 0, 10, 10), &empty);
  TileBitmap(DC(), TRect(0, 0, 10, 10), TRect(0, 0, 0, 10), &tile);
  EXPECT_EQ(Pixel(0, 0), clWhite);
}

TEST_F(BarRoutines, DropArrowsPointDownOrRight) {
  // A 16 x 16 rectangle: f = 8 for the downward arrow, s = 3: a 5-wide, 3-high triangle.
  DrawItemArrowInRect(DC(), TRect(0, 0, 16, 16), 1, clBlack, true, false, true);
  const Integer x = (16 - 6 + 1) / 2, y = (16 - 3) / 2;
  EXPECT_EQ(Pixel(x, y), clBlack);
  EXPECT_EQ(Pixel(x + 4, y), clBlack);
  EXPECT_EQ(Pixel(x + 2, y + 2), clBlack);
  EXPECT_EQ(Pixel(x, y + 2), clWhite);
  EXPECT_EQ(Pixel(x + 2, y + 3), clWhite);
  // Disabled and not flat: a highlight edge one pixel outward from the lower right side.
  Clear(clGray);
  DrawItemArrowSized(DC(), TRect(0, 0, 16, 16), 0, clDefault, false, false, false, 4);
  const Integer rx = (16 - 4) / 2, ry = (16 - 8 + 1) / 2;
  EXPECT_EQ(Pixel(rx, ry), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Pixel(rx + 3, ry + 3), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Pixel(rx + 3, ry + 4), ColorToRGB(clBtnHighlight));
}

TEST_F(BarRoutines, FramesAndClipBackups) {
  DrawDoubleFocusRect(DC(), TRect(0, 0, 10, 10));
  const TColor ink = ColorToRGB(clBtnText);
  EXPECT_EQ(Pixel(0, 0), ink);
  EXPECT_EQ(Pixel(1, 0), clWhite);
  EXPECT_EQ(Pixel(1, 1), ink);
  EXPECT_EQ(Pixel(2, 1), clWhite);
  EXPECT_EQ(Pixel(5, 5), clWhite);

  HRGN saved;
  bool existed = true;
  BackupClipRegion(DC(), saved, existed);
  EXPECT_FALSE(existed);
  IntersectClipRect(DC(), 0, 0, 5, 5);
  AddRectToClip(DC(), TRect(30, 20, 40, 30));
  FillAreaSolidOrTiled(DC(), TRect(0, 0, 40, 30), TRect(0, 0, 40, 30), nullptr, clLime, nullptr);
  RestoreClipRegionBackup(DC(), saved, existed);
  EXPECT_EQ(saved, nullptr);
  EXPECT_EQ(Pixel(2, 2), clLime);
  EXPECT_EQ(Pixel(35, 25), clLime);
  EXPECT_EQ(Pixel(20, 15), clWhite);
  FillAreaSolidOrTiled(DC(), TRect(20, 15, 21, 16), TRect(), nullptr, clRed, nullptr);
  EXPECT_EQ(Pixel(20, 15), clRed);
}

TEST_F(BarRoutines, CheckerBrushAndMaskedSizeGripKeepTheBackground) {
  ASSERT_NE(CheckerboardBrush(), nullptr);
  RECT all{0, 0, 8, 8};
  FillRect(DC(), &all, CheckerboardBrush());
  EXPECT_EQ(Pixel(0, 0), ColorToRGB(clBtnFace));
  EXPECT_EQ(Pixel(1, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Pixel(1, 1), ColorToRGB(clBtnFace));

  Clear(clYellow);
  DrawMaskedSizeGrip(DC(), TRect(20, 10, 36, 26));
  // The background stays where the grip has no marks; some marks land.
  EXPECT_EQ(Pixel(21, 11), clYellow);
  Integer marks = 0;
  for (Integer y = 10; y < 26; ++y)
    for (Integer x = 20; x < 36; ++x) marks += Pixel(x, y) != clYellow;
  EXPECT_GT(marks, 10);
  EXPECT_EQ(Pixel(19, 25), clYellow);
}

TEST_F(BarRoutines, FormsAboveControlsAndWindowChains) {
  auto* form = new TForm(nullptr, 0);
  form->SetName("Host");
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* inner = new TPanel(form);
  inner->SetParent(panel);
  EXPECT_EQ(OwnerWinControlOf(inner), inner);
  EXPECT_EQ(FormAboveControl(inner, 2), form);
  EXPECT_EQ(FormAboveControl(inner, 0), form);
  EXPECT_EQ(FormAboveControl(inner, 1), form);
  EXPECT_EQ(FormOfComponent(inner), form);
  EXPECT_EQ(FindParentWinControlOfChild(inner->GetHandle()), panel);
  EXPECT_EQ(ControlOfWindowChain(inner->GetHandle()), inner);
  EXPECT_TRUE(IsControlInside(form, inner));
  EXPECT_FALSE(IsControlInside(inner, panel));
  EXPECT_TRUE(IsWindowDescendantOf(inner->GetHandle(), form->GetHandle()));
  EXPECT_FALSE(IsWindowDescendantOf(form->GetHandle(), inner->GetHandle()));
  EXPECT_TRUE(IsWindowEnabledUpChain(inner->GetHandle()));
  panel->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabledUpChain(inner->GetHandle()));
  EXPECT_FALSE(IsOtherProcessWindow(form->GetHandle()));
  EXPECT_TRUE(IsOtherProcessWindow(nullptr));
  EXPECT_FALSE(IsMDIChildForm(form));
  EXPECT_EQ(GetActiveMDIChildWindow(), nullptr);
  // Only a control inside a toolkit popup has a host popup.
  EXPECT_EQ(FindHostPopupWindow(inner, true), nullptr);
  auto* popup = new TkvCustomPopupWindow(panel);
  auto* content = new TPanel(popup);
  content->SetParent(popup);
  content->HandleNeeded();
  EXPECT_EQ(FindHostPopupWindow(content, false), popup);
  EXPECT_EQ(FindHostPopupWindow(popup, false), nullptr);
  delete popup;
  delete form;
}

}  // namespace
