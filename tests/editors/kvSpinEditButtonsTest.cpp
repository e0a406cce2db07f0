// The spin buttons' layout for each position and count, the flat frame kinds and the embossed
// disabled arrows by pixel probes, and the theme's spin parts, states and delimiter line.

#include <algorithm>

#include <gtest/gtest.h>

#include "EditorsTestSupport.h"
#include "toolkit/editors/kvSpinEdit.h"

namespace {

class SpinButtons : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    form->Show();
    edit = new TkvSpinEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 160, 24);
    Pump();
  }
  void Layout(TkvSpinEditButtonsPosition Position, bool Fast) {
    TkvSpinEditButtons* buttons = edit->GetSpinEditProperties()->GetSpinButtons();
    buttons->SetPosition(Position);
    buttons->SetShowFastButtons(Fast);
    Pump();
  }
  TkvSpinEditViewInfo* Info() { return static_cast<TkvSpinEditViewInfo*>(edit->GetEditViewInfo()); }
  // A button by its number.
  const TRect& Rect(Integer Number) {
    for (auto& b : Info()->Buttons)
      if (b->Index == Number) return b->Bounds;
    static TRect none;
    ADD_FAILURE() << "no button " << Number;
    return none;
  }
  TColor Pixel(Integer X, Integer Y) { return FormPixel(10 + X, 10 + Y); }

  TkvSpinEdit* edit = nullptr;
};

TEST_F(SpinButtons, EachPositionAndCountLaysTheButtonsOutAroundTheText) {
  struct Case {
    TkvSpinEditButtonsPosition position;
    bool fast;
    // Left to right; a pair stacked in one column is written as "1/0" (upper/lower).
    std::vector<const char*> order;
    std::vector<Integer> leftOfText;
  };
  const Case cases[] = {
      {sbpHorzLeftRight, false, {"0", "1"}, {0}},
      {sbpHorzRight, false, {"0", "1"}, {}},
      {sbpVert, false, {"1/0"}, {}},
      {sbpHorzLeftRight, true, {"2", "0", "1", "3"}, {2, 0}},
      {sbpHorzRight, true, {"2", "0", "1", "3"}, {}},
      {sbpVert, true, {"2", "1/0", "3"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.position) + (c.fast ? " fast" : ""));
    Layout(c.position, c.fast);
    TkvSpinEditViewInfo* info = Info();
    ASSERT_EQ(info->ButtonCount(), c.fast ? 4 : 2);
    const TRect text = info->ClientRect;
    const TRect border = info->BorderRect;
    Integer x = border.Left;
    for (const char* column : c.order) {
      const String name = column;
      const Integer first = name[0] - '0';
      const TRect& r = Rect(first);
      EXPECT_GE(r.Left, x) << column;
      x = r.Right;
      if (name.size() == 3) {
        // The vertical pair: the up button over the down button, one column, the height shared.
        const TRect& lower = Rect(name[2] - '0');
        EXPECT_EQ(lower.Left, r.Left);
        EXPECT_EQ(lower.Right, r.Right);
        EXPECT_EQ(r.Top, border.Top);
        EXPECT_EQ(lower.Bottom, border.Bottom);
        EXPECT_LE(std::abs(r.Height() - lower.Height()), 1);
      } else {
        EXPECT_EQ(r.Top, border.Top);
        EXPECT_EQ(r.Bottom, border.Bottom);
      }
      const bool left = std::find(c.leftOfText.begin(), c.leftOfText.end(), first) != c.leftOfText.end();
      if (left)
        EXPECT_LE(r.Right, text.Left) << column;
      else
        EXPECT_GE(r.Left, text.Right) << column;
    }
    EXPECT_LE(x, border.Right);
    if (c.fast && c.position != sbpVert) {
      // The fast buttons are half as wide again as the small ones.
      EXPECT_EQ(Rect(3).Width(), (Rect(1).Width() * 3 + 1) / 2);
      EXPECT_EQ(Rect(2).Width(), Rect(3).Width());
    }
  }
}

TEST_F(SpinButtons, FlatFramesShareTheirLinesBetweenNeighbours) {
  const TColor shadow = ColorToRGB(clBtnShadow), face = ColorToRGB(clBtnFace);
  // A single border gives the flat buttons.
  edit->GetEditStyle()->SetBorderStyle(ebsSingle);
  // Which sides of a button are shadow lines: left, top, right, bottom.
  struct Case {
    TkvSpinEditButtonsPosition position;
    bool fast;
    Integer number;
    const char* sides;
  };
  const Case cases[] = {
      {sbpHorzLeftRight, false, 0, "LTRB"}, {sbpHorzLeftRight, false, 1, "LTRB"},
      {sbpHorzRight, false, 0, "LTRB"},     {sbpHorzRight, false, 1, "TRB"},
      {sbpVert, false, 0, "LRB"},           {sbpVert, false, 1, "LTRB"},
      {sbpHorzLeftRight, true, 2, "LTB"},   {sbpHorzLeftRight, true, 3, "TRB"},
      {sbpHorzRight, true, 0, "TRB"},       {sbpHorzRight, true, 2, "LTRB"},
      {sbpVert, true, 0, "RB"},             {sbpVert, true, 1, "TRB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.position) + (c.fast ? " fast " : " ") + std::to_string(c.number));
    Layout(c.position, c.fast);
    ASSERT_EQ(edit->GetEditViewInfo()->Buttons[0]->ButtonStyle, btsHotFlat);
    const TRect r = Rect(c.number);
    const Integer midX = (r.Left + r.Right) / 2, midY = (r.Top + r.Bottom) / 2;
    const String sides = c.sides;
    auto expect = [&](char Side, Integer X, Integer Y) {
      EXPECT_EQ(Pixel(X, Y), sides.find(Side) != String::npos ? shadow : face) << Side;
    };
    expect('L', r.Left, midY);
    expect('T', midX, r.Top);
    expect('R', r.Right - 1, midY);
    expect('B', midX, r.Bottom - 1);
  }
}

TEST_F(SpinButtons, PressedAndHotFacesAndEmbossedDisabledArrows) {
  Layout(sbpHorzRight, false);
  const TRect up = Rect(1);
  auto count = [&](const TRect& R, TColor Colour) {
    Integer n = 0;
    for (Integer y = R.Top + 1; y < R.Bottom - 1; ++y)
      for (Integer x = R.Left + 1; x < R.Right - 1; ++x) n += Pixel(x, y) == static_cast<TColor>(ColorToRGB(Colour));
    return n;
  };
  EXPECT_GT(count(up, clBtnText), 0);
  EXPECT_EQ(count(up, clBtnHighlight), 0);
  edit->SetEnabled(false);
  Pump();
  // The highlight shows one pixel right and down of the shadow arrow.
  const Integer shadowPixels = count(up, clBtnShadow), highlightPixels = count(up, clBtnHighlight);
  EXPECT_GT(shadowPixels, 0);
  EXPECT_GT(highlightPixels, 0);
  EXPECT_EQ(count(up, clBtnText), 0);
}

TEST_F(SpinButtons, NativeThemingDrawsTheSpinPartsAndADelimiterLine) {
  LoggingTheme theme;
  SetThemeProvider(&theme);
  SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
  edit->GetEditStyle()->GetLookAndFeel()->SetNativeStyle(true);
  struct Case {
    TkvSpinEditButtonsPosition position;
    Integer downPart, upPart;
  };
  for (const Case& c : {Case{sbpVert, 2, 1}, Case{sbpHorzRight, 4, 3}, Case{sbpHorzLeftRight, 4, 3}}) {
    SCOPED_TRACE(std::to_string(c.position));
    Layout(c.position, false);
    theme.log.clear();
    edit->Invalidate();
    Pump();
    TkvSpinEditViewInfo* info = Info();
    const TRect down = Rect(0), up = Rect(1);
    auto part = [](Integer Part, Integer State, const TRect& R) {
      return "Spin " + std::to_string(Part) + "," + std::to_string(State) + " " + std::to_string(R.Width()) + "x" +
             std::to_string(R.Height());
    };
    const auto& log = theme.log;
    EXPECT_NE(std::find(log.begin(), log.end(), part(c.downPart, 1, down)), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), part(c.upPart, 1, up)), log.end());
    const TColor window = ColorToRGB(clWindow);
    if (c.position == sbpVert) {
      // The pixel row between the two is the background's.
      EXPECT_EQ(down.Top, up.Bottom + 1);
      EXPECT_EQ(Pixel((up.Left + up.Right) / 2, up.Bottom), window);
    } else if (c.position == sbpHorzRight) {
      EXPECT_EQ(up.Left, down.Right + 1);
      EXPECT_EQ(Pixel(down.Right, (down.Top + down.Bottom) / 2), window);
    } else {
      EXPECT_EQ(info->DelimiterFrom, info->DelimiterTo);
    }
    // The theme draws the arrows: the editor draws nothing over the parts.
    EXPECT_EQ(Pixel((up.Left + up.Right) / 2, (up.Top + up.Bottom) / 2), static_cast<TColor>(0x800000));
  }
  // A disabled button takes the disabled state.
  Layout(sbpVert, false);
  edit->SetEnabled(false);
  Pump();
  EXPECT_EQ(Info()->Buttons[1]->NativeState, 4);
  SetThemeProvider(nullptr);
  SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
}

}  // namespace
