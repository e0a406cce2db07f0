#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <array>
#include <set>
#include <vector>

#include "BarControlTestSupport.h"
#include "BarsTestSupport.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "gdi/SysColors.h"
#include "gdi/TextLayout.h"
#include "user/Messages.h"
#include "vcl/Forms.h"

namespace {

struct TClickCount : TObject {
  Integer count = 0;
  void Clicked(TObject*) { ++count; }
};

// Buttons in a bar window on a form.
class BarButtons : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(0, 0, 260, 200);
    form->SetColor(clBtnFace);
    menu = new TqzBarSubItem(form);
    links = menu->GetItemLinks();
    window = new TTestBarControl(manager);
    window->SetParent(form);
    window->SetBounds(20, 20, 200, 150);
    window->SetVisible(true);
    form->Show();
  }
  void TearDown() override {
    delete window;
    BarManagerOnForm::TearDown();
  }
  TqzBarButton* Add(const char* ACaption, TqzBarButtonStyle AStyle = bsDefault) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(ACaption);
    item->SetButtonStyle(AStyle);
    item->SetOnClick(MakeEvent<&TClickCount::Clicked>(&clicks));
    links->AddLinkForItem(item);
    return item;
  }
  void ShowLinks() {
    window->SetItemLinks(links);
    window->Refresh(false);
  }
  TqzBarButtonControl* Control(Integer AIndex) {
    return dynamic_cast<TqzBarButtonControl*>(links->GetVisibleLink(AIndex)->GetControl());
  }

  TqzBarSubItem* menu = nullptr;
  TqzBarItemLinks* links = nullptr;
  TTestBarControl* window = nullptr;
  TClickCount clicks;
};

TEST_F(BarButtons, ButtonLinksGetButtonControls) {
  Add("Open");
  ShowLinks();
  ASSERT_NE(Control(0), nullptr);
  EXPECT_EQ(Control(0)->GetDrawParams()->ClassType(), TqzBarButtonLikeControlDrawParams::ClassInfo());
  EXPECT_TRUE(Control(0)->CanJoinButtonGroup());
}

TEST_F(BarButtons, SplitArrowWidthFollowsTheManager) {
  TqzBarPainter* painter = manager->GetDefaultPainter();
  struct Case {
    Integer arrowWidth;
    bool largeIcons;
    Integer expected;
  } cases[] = {{11, false, 11}, {11, true, 23}, {12, false, 13}};
  for (const Case& c : cases) {
    manager->SetButtonArrowWidth(c.arrowWidth);
    manager->SetLargeIcons(c.largeIcons);
    EXPECT_EQ(painter->SplitArrowWidth(manager), c.expected) << c.arrowWidth << " " << c.largeIcons;
  }
}

TEST_F(BarButtons, ContentFollowsPaintStyleAndImage) {
  TqzBarButton* plain = Add("Plain");
  TqzBarButton* pictured = Add("Pictured");
  pictured->GetGlyph()->SetSize(16, 16);
  TqzBarButton* captioned = Add("Captioned");
  captioned->GetGlyph()->SetSize(16, 16);
  captioned->SetPaintStyle(psCaptionGlyph);
  ShowLinks();
  EXPECT_EQ(Control(0)->GetContentKind(), qzContentText);
  EXPECT_EQ(Control(1)->GetContentKind(), qzContentIcon);
  EXPECT_EQ(Control(2)->GetContentKind(), qzContentIcon | qzContentText);
  // At ivlSmallIcon a button shows its icon place even without an image.
  Control(0)->GetViewInfo()->SetViewLevel(ivlSmallIcon);
  EXPECT_EQ(Control(0)->GetViewStructure(), qzContentIcon);
  (void)plain;
}

TEST_F(BarButtons, SplitButtonsAddTheirArrowPartAndItsClickRunsNothing) {
  Add("Send", bsDropDown);
  Add("Send", bsDefault);
  ShowLinks();
  TqzBarButtonControl* split = Control(0);
  TqzBarButtonControl* plain = Control(1);
  Integer arrow = manager->GetDefaultPainter()->SplitArrowWidth(manager);
  EXPECT_EQ(split->CalcWidth(), plain->CalcWidth() + arrow);
  ASSERT_EQ(split->GetPartRects().size(), 2u);
  EXPECT_EQ(split->GetPartRects()[1].Width(), arrow);
  EXPECT_EQ(split->GetPartRects()[0].Right, split->GetPartRects()[1].Left);
  // A click on the arrow part runs nothing; one on the button part runs the item.
  TRect arrowPart = split->GetPartRects()[1];
  split->TrackHotPart(TPoint(arrowPart.Left + 1, arrowPart.Top + 1));
  split->DoClick();
  EXPECT_EQ(clicks.count, 0);
  TRect buttonPart = split->GetPartRects()[0];
  split->TrackHotPart(TPoint(buttonPart.Left + 1, buttonPart.Top + 1));
  split->DoClick();
  EXPECT_EQ(clicks.count, 1);
}

TEST_F(BarButtons, CheckButtonsToggleDownWhenClicked) {
  TqzBarButton* check = Add("Bold", bsChecked);
  TqzBarButton* plain = Add("Plain");
  ShowLinks();
  Control(0)->DoClick();
  EXPECT_TRUE(check->GetDown());
  Control(0)->DoClick();
  EXPECT_FALSE(check->GetDown());
  Control(1)->DoClick();
  EXPECT_FALSE(plain->GetDown());
  EXPECT_EQ(clicks.count, 3);
}

TEST_F(BarButtons, PressedAndDownShiftCaptions) {
  TqzBarPainter* painter = manager->GetDefaultPainter();
  struct Case {
    bool down, pressed;
    Integer shift;
  } cases[] = {{false, false, 0}, {true, false, 1}, {false, true, 1}, {true, true, 2}};
  for (const Case& c : cases) {
    TRect r(0, 0, 10, 10);
    painter->ShiftPressedRect(c.down, c.pressed, r);
    EXPECT_EQ(r.Left, c.shift) << c.down << c.pressed;
  }
}

TEST_F(BarButtons, ShortCutTextFillsTheDrawParameters) {
  TqzBarButton* open = Add("Open");
  open->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
  ShowLinks();
  Control(0)->FillDrawParams(true);
  EXPECT_EQ(Control(0)->GetDrawParams()->ShortCutText, "Ctrl+O");
}

// Draws a caption on a button-face bitmap and answers its pixels.
struct TCaptionPixels {
  TBitmap bitmap;
  TCaptionPixels(TqzBarItemControl* AControl, const char* AText, bool AEnabled, bool ASelected, bool ARotated) {
    bitmap.SetSize(60, 60);
    TCanvas* canvas = bitmap.GetCanvas();
    canvas->GetBrush()->SetColor(clBtnFace);
    canvas->FillRect(TRect(0, 0, 60, 60));
    canvas->GetFont()->SetName("Tahoma");
    canvas->GetFont()->SetHeight(-11);
    if (ARotated) canvas->GetFont()->SetOrientation(-900);
    AControl->Painter()->DrawCaptionText(AControl, canvas->GetHandle(), DT_SINGLELINE, false, false, ARotated,
                                         ASelected, AEnabled, 0, TRect(4, 4, 56, 56), AText);
  }
  Integer Count(TColor AColor) {
    Integer n = 0;
    for (Integer y = 0; y < 60; ++y)
      for (Integer x = 0; x < 60; ++x) n += bitmap.GetCanvas()->GetPixel(x, y) == static_cast<TColor>(ColorToRGB(AColor));
    return n;
  }
};

TEST_F(BarButtons, CaptionColoursByState) {
  Add("Wg");
  ShowLinks();
  TColor text = static_cast<TColor>(GetSysColor(COLOR_BTNTEXT));
  TColor highlight = static_cast<TColor>(GetSysColor(COLOR_BTNHIGHLIGHT));
  TColor shadow = static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW));
  TColor gray = static_cast<TColor>(GetSysColor(COLOR_GRAYTEXT));
  TCaptionPixels enabled(Control(0), "Wg", true, false, false);
  EXPECT_GT(enabled.Count(text), 0);
  EXPECT_EQ(enabled.Count(shadow), 0);
  // Disabled: embossed, the highlight copy one pixel right and down under the shadow copy.
  TCaptionPixels disabled(Control(0), "Wg", false, false, false);
  EXPECT_GT(disabled.Count(highlight), 0);
  EXPECT_GT(disabled.Count(shadow), 0);
  EXPECT_EQ(disabled.Count(text), 0);
  TCaptionPixels selected(Control(0), "Wg", false, true, false);
  EXPECT_GT(selected.Count(gray), 0);
  EXPECT_EQ(selected.Count(highlight), 0);
}

TEST_F(BarButtons, RotatedCaptionsUnderlineTheirAcceleratorByHand) {
  Add("File");
  ShowLinks();
  TCaptionPixels marked(Control(0), "&File", true, false, true);
  TCaptionPixels plain(Control(0), "File", true, false, true);
  std::set<Integer> columns;
  Integer differing = 0;
  for (Integer y = 0; y < 60; ++y)
    for (Integer x = 0; x < 60; ++x)
      if (marked.bitmap.GetCanvas()->GetPixel(x, y) != plain.bitmap.GetCanvas()->GetPixel(x, y)) {
        columns.insert(x);
        ++differing;
      }
  // One short line along the "F" only.
  EXPECT_EQ(columns.size(), 1u);
  EXPECT_GT(differing, 2);
  EXPECT_LT(differing, 15);
}

// Records where the default look fills glyph backgrounds and puts check marks.
class TRecordingPainter : public TqzBarPainter {
  TAVREN_CLASS(TRecordingPainter, TqzBarPainter)
  QZ_BAR_PAINTER_CLASS(TRecordingPainter)
 public:
  using TqzBarPainter::TqzBarPainter;
  void FillItemBackground(TqzBarItemControl*, HDC, bool, HBRUSH, const TRect& R) override { fills.push_back(R); }
  void PaintCheckMark(TqzBarItemControl*, HDC, Integer AScale, Integer ATop, Integer ALeft) override {
    ticks.push_back({AScale, ATop, ALeft});
  }
  static inline std::vector<TRect> fills;
  static inline std::vector<std::array<Integer, 3>> ticks;
};
TAVREN_CLASS_IMPL(TRecordingPainter)

TEST_F(BarButtons, MenuGlyphsStretchOnWholePixels) {
  TqzBarButton* item = Add("Open");
  item->GetGlyph()->SetSize(16, 16);
  window->paintKind = qzPaintMenu;
  window->fixedTextSize = 28;  // a ratio of about 1.5
  ShowLinks();
  window->CalcMetrics();
  TqzBarItemControl* control = Control(0);
  control->FillDrawParams(true);
  TBitmap bitmap;
  bitmap.SetSize(40, 40);
  struct Case {
    Integer width, height, expected;
  } cases[] = {{30, 30, 24}, {29, 30, 24}, {29, 29, 23}};
  for (const Case& c : cases) {
    TRect glyph;
    manager->GetDefaultPainter()->DrawItemGlyph(control->GetDrawParams(), bitmap.GetCanvas()->GetHandle(),
                                                TRect(0, 0, c.width, c.height), TRect(), false, glyph);
    EXPECT_EQ(glyph.Width(), c.expected) << c.width << "x" << c.height;
    EXPECT_EQ(control->GetViewInfo()->GetGlyphBounds(), glyph);
  }
  manager->SetStretchGlyphs(false);
  TRect glyph;
  manager->GetDefaultPainter()->DrawItemGlyph(control->GetDrawParams(), bitmap.GetCanvas()->GetHandle(),
                                              TRect(0, 0, 30, 30), TRect(), false, glyph);
  EXPECT_EQ(glyph, TRect(7, 7, 23, 23));
}

TEST_F(BarButtons, CheckedMenuItemsWithoutGlyphGetATickSizedByTheFont) {
  TqzBarButton* item = Add("Bold", bsChecked);
  item->SetDown(true);
  window->paintKind = qzPaintMenu;
  TRecordingPainter* painter = BarPainterClassOf<TRecordingPainter>();
  window->SetOwnPainter(painter);
  ShowLinks();
  TqzBarItemControl* control = Control(0);
  control->FillDrawParams(true);
  TBitmap bitmap;
  bitmap.SetSize(40, 40);
  struct Case {
    Integer fontSize;
    TRect area;
    std::array<Integer, 3> tick;  // scale, top, left
    TRect background;
  } cases[] = {
      {8, TRect(0, 0, 17, 17), {1, 5, 4}, TRect(0, 0, 17, 17)},   // no room for a frame: not inset
      {8, TRect(0, 0, 20, 20), {1, 6, 5}, TRect(1, 1, 19, 19)},
      {16, TRect(0, 0, 40, 40), {2, 13, 11}, TRect(1, 1, 39, 39)},
  };
  for (const Case& c : cases) {
    window->GetFont()->SetSize(c.fontSize);
    TRecordingPainter::fills.clear();
    TRecordingPainter::ticks.clear();
    TRect glyph;
    painter->DrawItemGlyph(control->GetDrawParams(), bitmap.GetCanvas()->GetHandle(), c.area, TRect(), true, glyph);
    ASSERT_EQ(TRecordingPainter::ticks.size(), 1u);
    EXPECT_EQ(TRecordingPainter::ticks[0], c.tick) << c.fontSize << " " << c.area.Right;
    ASSERT_EQ(TRecordingPainter::fills.size(), 1u);
    EXPECT_EQ(TRecordingPainter::fills[0], c.background);
  }
  window->SetOwnPainter(nullptr);
}

TEST_F(BarButtons, Screenshot) {
  Add("&Open");
  Add("&Save", bsDropDown);
  TqzBarButton* bold = Add("&Bold", bsChecked);
  bold->SetDown(true);
  Add("E&xit")->SetEnabled(false);
  ShowLinks();
  window->ChangeActive(true);
  window->SetSelectedControl(Control(0));
  UpdateWindow(form->GetHandle());
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), folder + "/bar-buttons.png"));
}

}  // namespace
