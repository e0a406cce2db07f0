#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <vector>

#include "BarControlTestSupport.h"
#include "BarsTestSupport.h"
#include "PainterTestSupport.h"
#include "gdi/SysColors.h"
#include "gdi/SysMetrics.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarItemControlEdits.h"
#include "toolkit/bars/qzBarItemControlStatics.h"
#include "toolkit/bars/qzBarOffice11Painter.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/bars/qzBarToolbars.h"
#include "toolkit/bars/qzBarXPPainter.h"
#include "toolkit/foundation/qzOffice11.h"
#include "toolkit/bars/qzBarStandardPainter.h"
#include "user/Painting.h"
#include "user/Rects.h"

namespace {

// Button items in a bar window on a form, and a bitmap to draw on.
class StylePainters : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(0, 0, 260, 200);
    menu = new TqzBarSubItem(form);
    window = new TTestBarControl(manager);
    window->SetParent(form);
    window->SetBounds(20, 20, 200, 150);
    window->SetVisible(true);
    form->Show();
    bitmap.SetSize(40, 40);
    Clear();
  }
  void TearDown() override {
    delete window;
    BarManagerOnForm::TearDown();
  }
  TqzBarButtonControl* AddButton(const char* ACaption) { return AddButtonControl(form, menu, window, ACaption); }
  void Clear() {
    bitmap.GetCanvas()->GetBrush()->SetColor(clBtnFace);
    bitmap.GetCanvas()->FillRect(TRect(0, 0, 40, 40));
  }
  HDC DC() { return bitmap.GetCanvas()->GetHandle(); }
  TColor Pixel(Integer X, Integer Y) { return bitmap.GetCanvas()->GetPixel(X, Y); }
  Integer Count(TColor AColor) {
    Integer n = 0;
    for (Integer y = 0; y < 40; ++y)
      for (Integer x = 0; x < 40; ++x) n += Pixel(x, y) == static_cast<TColor>(ColorToRGB(AColor));
    return n;
  }
  static TColor Sys(TColor AColor) { return static_cast<TColor>(ColorToRGB(AColor)); }

  TqzBarSubItem* menu = nullptr;
  TTestBarControl* window = nullptr;
  TBitmap bitmap;
};

TEST_F(StylePainters, TheStyleChoosesThePainterAndAWindowKeepsItsOwn) {
  EXPECT_EQ(manager->GetDefaultPainter()->ClassType(), TqzBarEnhancedPainter::ClassInfo());
  TqzBarStandardPainter own(nullptr);
  window->SetOwnPainter(&own);
  struct Case {
    TqzBarManagerStyle style;
    TkvLookAndFeelKind kind;
    TClass painter;
  } cases[] = {
      {bmsStandard, lfFlat, TqzBarStandardPainter::ClassInfo()},
      {bmsEnhanced, lfFlat, TqzBarEnhancedPainter::ClassInfo()},
      // No visual styles here: the themed style falls back to Enhanced.
      {bmsXP, lfFlat, TqzBarEnhancedPainter::ClassInfo()},
      {bmsUseLookAndFeel, lfStandard, TqzBarStandardPainter::ClassInfo()},
      {bmsUseLookAndFeel, lfFlat, TqzBarEnhancedPainter::ClassInfo()},
      {bmsFlat, lfFlat, TqzBarFlatPainter::ClassInfo()},
      {bmsUseLookAndFeel, lfUltraFlat, TqzBarFlatPainter::ClassInfo()},
      {bmsOffice11, lfFlat, TqzBarOffice11Painter::ClassInfo()},
      {bmsUseLookAndFeel, lfOffice11, TqzBarOffice11Painter::ClassInfo()},
  };
  for (const Case& c : cases) {
    manager->SetStyle(c.style);
    manager->GetLookAndFeel()->SetKind(c.kind);
    EXPECT_EQ(manager->GetDefaultPainter()->ClassType(), c.painter) << c.style << " " << c.kind;
    EXPECT_EQ(window->Painter(), &own);
  }
  window->SetOwnPainter(nullptr);
  EXPECT_EQ(window->Painter(), manager->GetDefaultPainter());
}

TEST_F(StylePainters, ANewStyleRepaintsTheManagersBarWindows) {
  AddButton("Open");
  HWND wnd = window->GetHandle();
  ValidateRect(wnd, nullptr);
  manager->SetStyle(bmsEnhanced);  // unchanged: nothing to do
  EXPECT_FALSE(GetUpdateRect(wnd, nullptr, false));
  manager->SetStyle(bmsStandard);
  EXPECT_TRUE(GetUpdateRect(wnd, nullptr, false));
  EXPECT_EQ(window->Painter()->ClassType(), TqzBarStandardPainter::ClassInfo());
}

TEST_F(StylePainters, MetricsByStyle) {
  TqzBarPainterClass base = BarPainterClassOf<TqzBarPainter>();
  TqzBarPainterClass standard = BarPainterClassOf<TqzBarStandardPainter>();
  TqzBarPainterClass enhanced = BarPainterClassOf<TqzBarEnhancedPainter>();
  TqzBarPainterClass flat = BarPainterClassOf<TqzBarFlatPainter>();
  TqzBarPainterClass office11 = BarPainterClassOf<TqzBarOffice11Painter>();
  struct Case {
    const char* name;
    Integer (*value)(TqzBarPainterClass, TCustomqzBarControl*);
    Integer base, standard, enhanced, flat, office11;
  } cases[] = {
      {"gripper area", [](TqzBarPainterClass P, TCustomqzBarControl* W) { return P->GripperAreaSize(W); }, 0, 9, 6, 6, 8},
      {"gripper offset", [](TqzBarPainterClass P, TCustomqzBarControl*) { return P->GripperOffset(); }, 0, 2, 1, 1, 3},
      {"quick customizing",
       [](TqzBarPainterClass P, TCustomqzBarControl*) { return Integer(P->SupportsQuickCustomizing()); }, 1, 0, 1, 1, 1},
      {"menu group indent", [](TqzBarPainterClass P, TCustomqzBarControl*) { return P->MenuGroupIndent(); }, 0, 2,
       12, 8, 8},
      {"content indent", [](TqzBarPainterClass P, TCustomqzBarControl*) { return P->BarContentIndent(); }, 0, 2, 2, 1, 1},
      {"menu frame", [](TqzBarPainterClass P, TCustomqzBarControl*) { return P->MenuFrameWidth(); }, 2, 3, 3, 2, 2},
      {"floating inset", [](TqzBarPainterClass P, TCustomqzBarControl*) { return P->FloatingFrameInset(); }, 0, 4,
       4, 0, 0},
      {"edit height for 13", [](TqzBarPainterClass P, TCustomqzBarControl* W) { return P->EditControlHeight(W, 13); },
       22, 19, 19, 20, 20},
      {"button height for 16", [](TqzBarPainterClass P, TCustomqzBarControl*) { return P->ButtonHeightFor(16); }, 22,
       22, 22, 22, 22},
      {"close button to system",
       [](TqzBarPainterClass P, TCustomqzBarControl*) { return Integer(P->LeavesCloseButtonToSystem()); }, 0, 1, 1, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.value(base, window), c.base) << c.name;
    EXPECT_EQ(c.value(standard, window), c.standard) << c.name;
    EXPECT_EQ(c.value(enhanced, window), c.enhanced) << c.name;
    EXPECT_EQ(c.value(flat, window), c.flat) << c.name;
    EXPECT_EQ(c.value(office11, window), c.office11) << c.name;
  }
  // A class operation answers alike through an instance.
  TqzBarEnhancedPainter instance(nullptr);
  EXPECT_EQ(instance.ClassRef(), enhanced);
  EXPECT_EQ(instance.GripperAreaSize(window), 6);
}

TEST_F(StylePainters, ALatchedButtonPressedAgainSinksByStyle) {
  // Two pixels in the classic looks, one where the instance is flat (themed), none in the flat looks.
  TqzBarXPPainter themed(nullptr);
  struct Case {
    TqzBarPainter* painter;
    Integer shift;
  } cases[] = {{BarPainterClassOf<TqzBarStandardPainter>(), 2}, {&themed, 1}, {BarPainterClassOf<TqzBarFlatPainter>(), 0}};
  for (const Case& c : cases) {
    TRect r(0, 0, 10, 10);
    c.painter->ShiftPressedRect(true, true, r);
    EXPECT_EQ(r.Left, c.shift) << c.painter->ClassName();
  }
}

TEST_F(StylePainters, MenuAndGripMetrics) {
  TqzBarPainterClass base = BarPainterClassOf<TqzBarPainter>();
  EXPECT_EQ(base->ScrollArrowSize(19), 5);
  EXPECT_EQ(base->MenuArrowWidth(19), 13);
  TSize grip;
  base->GetSizeGripSize(manager, grip);
  EXPECT_EQ(grip, TSize(GetSystemMetrics(SM_CXHSCROLL), GetSystemMetrics(SM_CXHSCROLL)));
  // A "0" 16 pixels high gives a check 17 high with an odd inset of 5: it becomes 14.
  TkvCanvas canvas(bitmap.GetCanvas());
  for (Integer size = 8; size < 40 && canvas.TextHeightOf("0") != 16; ++size) bitmap.GetCanvas()->GetFont()->SetHeight(-size);
  ASSERT_EQ(canvas.TextHeightOf("0"), 16);
  Integer height = 0, width = 0;
  base->GetMenuCheckSize(&canvas, 19, height, width);
  EXPECT_EQ(height, 14);
  EXPECT_EQ(width, 13);
}

TEST_F(StylePainters, SpinAndDotsButtons) {
  TqzBarPainterClass base = BarPainterClassOf<TqzBarPainter>();
  TSize arrow;
  base->GetSpinArrowSize(20, arrow);
  EXPECT_EQ(arrow, TSize(7, 4));
  EXPECT_EQ(base->SpinButtonWidth(qzPaintHorizontal, TRect(0, 0, 30, 20)), 17);
  // A dots button 21 wide: three 3 x 3 dots 6 pixels apart, the first 3 pixels in, 3 up.
  TqzBarButtonControl* control = AddButton("Colour");
  TkvCanvas canvas(bitmap.GetCanvas());
  auto* params = control->GetDrawParams();
  params->TargetCanvas = &canvas;
  params->EnabledLook = true;
  base->DrawDotsButton(params, TRect(0, 0, 21, 20));
  TColor text = Sys(clBtnText);
  for (Integer x : {3, 5, 9, 11, 15, 17}) EXPECT_EQ(Pixel(x, 15), text) << x;
  for (Integer x : {2, 6, 8, 12, 14, 18}) EXPECT_NE(Pixel(x, 15), text) << x;
  EXPECT_EQ(Pixel(3, 13), Sys(clBtnFace));
  EXPECT_EQ(Pixel(3, 17), Sys(clBtnFace));
  EXPECT_EQ(Count(clBtnText), 27);
}

TEST_F(StylePainters, StaticBorderWidths) {
  TqzBarPainter* base = BarPainterClassOf<TqzBarPainter>();
  struct Case {
    TqzBarStaticBorderStyle style;
    Integer width;
  } cases[] = {{sbsNone, 0}, {sbsLowered, 1}, {sbsRaised, 1}, {sbsEtched, 2}, {sbsBump, 2}};
  for (const Case& c : cases) {
    TRect widths;
    base->GetStaticBorderWidths(nullptr, c.style, widths);
    EXPECT_EQ(widths, TRect(c.width, c.width, c.width, c.width)) << c.style;
  }
}

TEST_F(StylePainters, DisabledGlyphsAreGreyed) {
  TqzBarButtonControl* control = AddButton("Open");
  TBitmap glyph;
  glyph.SetSize(16, 16);
  glyph.GetCanvas()->GetBrush()->SetColor(clFuchsia);
  glyph.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
  glyph.GetCanvas()->GetBrush()->SetColor(clNavy);
  glyph.GetCanvas()->FillRect(TRect(3, 3, 13, 13));
  control->GetItem()->SetGlyph(&glyph);
  TkvCanvas canvas(bitmap.GetCanvas());
  auto* params = control->GetDrawParams();
  params->TargetCanvas = &canvas;
  params->ContentParts = qzContentIcon;
  TqzBarPainter* base = BarPainterClassOf<TqzBarPainter>();
  for (bool enabled : {true, false}) {
    control->GetItem()->SetEnabled(enabled);
    Clear();
    TRect placed;
    base->DrawItemGlyph(params, DC(), TRect(0, 0, 22, 22), TRect(), false, placed);
    EXPECT_EQ(Count(clNavy) > 0, enabled);
    EXPECT_EQ(Count(clFuchsia), 0);
  }
}

TEST_F(StylePainters, ATrailingAmpersandMarksNoAccelerator) {
  TqzBarButtonControl* control = AddButton("Exit");
  auto render = [&](const char* AText) {
    Clear();
    bitmap.GetCanvas()->GetFont()->SetOrientation(-900);
    BarPainterClassOf<TqzBarPainter>()->DrawCaptionText(control, DC(), DT_SINGLELINE, false, false, true, false, true,
                                                        0, TRect(5, 2, 25, 38), AText);
    std::vector<TColor> pixels;
    for (Integer y = 0; y < 40; ++y)
      for (Integer x = 0; x < 40; ++x) pixels.push_back(Pixel(x, y));
    return pixels;
  };
  // Both show "Exit&" without an underline: a lone "&" at the end marks nothing.
  EXPECT_EQ(render("Exit&"), render("Exit&&"));
  EXPECT_NE(render("E&xit&"), render("Exit&&"));
}

// Records the size the drop button asks its arrow in.
class TArrowSizePainter : public TqzBarPainter {
  TAVREN_CLASS(TArrowSizePainter, TqzBarPainter)
  QZ_BAR_PAINTER_CLASS(TArrowSizePainter)
 public:
  using TqzBarPainter::TqzBarPainter;
  void DrawComboArrow(TqzBarItemControlDrawParams*, const TRect&, TColor, Integer ASize) override { size = ASize; }
  static inline Integer size = 0;
};
TAVREN_CLASS_IMPL(TArrowSizePainter)

TEST_F(StylePainters, DropButtonArrowsAreOddSized) {
  TqzBarButtonControl* control = AddButton("Open");
  TkvCanvas canvas(bitmap.GetCanvas());
  control->GetDrawParams()->TargetCanvas = &canvas;
  TqzBarPainter* painter = BarPainterClassOf<TArrowSizePainter>();
  for (auto [width, size] : {std::pair{12, 3}, {16, 5}}) {
    painter->ComboDrawDropButton(control->GetDrawParams(), TRect(0, 0, width, 20));
    EXPECT_EQ(TArrowSizePainter::size, size) << width;
  }
}

TEST_F(StylePainters, StandardTicks) {
  TqzBarButtonControl* control = AddButton("Check");
  TqzBarPainterClass standard = BarPainterClassOf<TqzBarStandardPainter>();
  standard->PaintCheckMark(control, DC(), 1, 10, 10);
  EXPECT_GT(Count(clBlack), 0);
  EXPECT_GT(Count(clWhite), 0);
  EXPECT_EQ(Pixel(13, 14), Sys(static_cast<TColor>(0xC0C0C0)));  // the top row of the tick
  Clear();
  control->GetItem()->SetEnabled(false);
  standard->PaintCheckMark(control, DC(), 1, 10, 10);
  EXPECT_EQ(Count(clBlack), 0);
  EXPECT_GT(Count(clBtnShadow), 0);
  EXPECT_GT(Count(clBtnHighlight), 0);
  // The base painter draws no tick.
  Clear();
  BarPainterClassOf<TqzBarPainter>()->PaintCheckMark(control, DC(), 1, 10, 10);
  EXPECT_EQ(Count(clBtnShadow), 0);
}

TEST_F(StylePainters, StandardBrushesAndShadow) {
  TqzBarButtonControl* control = AddButton("Open");
  TqzBarPainterClass standard = BarPainterClassOf<TqzBarStandardPainter>();
  EXPECT_EQ(standard->ItemBackgroundBrush(control, qzPaintHorizontal, true, false, false), window->DownBrush());
  EXPECT_EQ(standard->ItemBackgroundBrush(control, qzPaintHorizontal, true, true, false), window->DownSelectedBrush());
  EXPECT_EQ(standard->ItemBackgroundBrush(control, qzPaintMenu, false, true, true), window->SelectedBrush());
  EXPECT_EQ(standard->ItemBackgroundBrush(control, qzPaintHorizontal, false, true, true),
            control->GetBackgroundBrush());
  // The disabled shadow is embossed: highlight one pixel right and down, shadow at the place.
  bitmap.GetCanvas()->GetBrush()->SetColor(clWhite);
  bitmap.GetCanvas()->FillRect(TRect(0, 0, 40, 40));
  standard->FillDisabledShadow(control, DC(), TRect(5, 5, 10, 10));
  EXPECT_EQ(Pixel(5, 5), Sys(clBtnShadow));
  EXPECT_EQ(Pixel(10, 10), Sys(clBtnHighlight));
  EXPECT_EQ(Pixel(4, 4), Sys(clWhite));
}

TEST_F(StylePainters, EnhancedMarkRisesWhenHotAndSinksWhenPressed) {
  TqzBarPainterClass enhanced = BarPainterClassOf<TqzBarEnhancedPainter>();
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
  struct Case {
    Byte state;
    TColor topLeft, bottomRight;
  } cases[] = {{0, static_cast<TColor>(0xFF0000), static_cast<TColor>(0xFF0000)},
               {1, clBtnHighlight, clBtnShadow},
               {2, clBtnShadow, clBtnHighlight}};
  for (const Case& c : cases) {
    Clear();
    window->SetMarkState(c.state);
    enhanced->DrawMarkBackground(window, DC(), brush, TRect(5, 5, 20, 30));
    EXPECT_EQ(Pixel(5, 5), Sys(c.topLeft)) << int(c.state);
    EXPECT_EQ(Pixel(19, 29), Sys(c.bottomRight)) << int(c.state);
    // The inside comes from the window's background with the brush.
    EXPECT_EQ(Pixel(10, 10), static_cast<TColor>(0xFF0000)) << int(c.state);
  }
  DeleteObject(brush);
}

TEST_F(StylePainters, FlatTicksFramesAndBrushes) {
  TqzBarButtonControl* control = AddButton("Check");
  TqzBarPainterClass flat = BarPainterClassOf<TqzBarFlatPainter>();
  flat->PaintCheckMark(control, DC(), 1, 10, 10);
  EXPECT_EQ(Pixel(11, 12), Sys(clBlack));  // the first row of the tick
  Clear();
  // A disabled tick is grey and one pixel lower.
  control->GetItem()->SetEnabled(false);
  flat->PaintCheckMark(control, DC(), 1, 10, 10);
  EXPECT_NE(Pixel(11, 12), Sys(clBtnShadow));
  EXPECT_EQ(Pixel(11, 13), Sys(clBtnShadow));
  EXPECT_EQ(Count(clBlack), 0);
  // The selection frame is one pixel of the highlight colour.
  Clear();
  flat->DrawSelectedFrame(DC(), TRect(5, 5, 20, 20));
  EXPECT_EQ(Pixel(5, 5), Sys(clHighlight));
  EXPECT_EQ(Pixel(19, 12), Sys(clHighlight));
  EXPECT_EQ(Pixel(6, 6), Sys(clBtnFace));
  // States take the manager's flat tints, through the window that draws with the flat painter.
  manager->SetStyle(bmsFlat);
  EXPECT_EQ(flat->ToolbarBrush(window), manager->FlatFaceBrush());
  EXPECT_EQ(flat->SelectedBrush(window), manager->FlatHotBrush());
  EXPECT_EQ(flat->ItemBackgroundBrush(control, qzPaintHorizontal, true, false, false), manager->FlatPressedBrush());
  EXPECT_EQ(flat->ItemBackgroundBrush(control, qzPaintHorizontal, true, true, false), manager->FlatPressedHotBrush());
  // Caption buttons: the inactive caption colour at rest (whatever the window's state), framed when hot.
  Clear();
  flat->DrawCaptionButtonFace(window, DC(), 0, TRect(0, 0, 16, 14));
  EXPECT_EQ(Pixel(0, 0), Sys(clInactiveCaption));
  flat->DrawCaptionButtonFace(window, DC(), 1, TRect(20, 0, 36, 14));
  EXPECT_EQ(Pixel(20, 0), Sys(clHighlight));
  EXPECT_NE(Pixel(28, 7), Sys(clHighlight));
  EXPECT_NE(Pixel(28, 7), Sys(clBtnFace));
}

// The flat look's combo drop button, spin buttons and static border.
TEST_F(StylePainters, FlatComboButtonSpinButtonsAndStaticBorder) {
  TqzBarPainterClass flat = BarPainterClassOf<TqzBarFlatPainter>();
  auto* combo = new TqzBarCombo(form);
  menu->GetItemLinks()->AddLinkForItem(combo);
  window->SetItemLinks(menu->GetItemLinks());
  window->Refresh(true);
  TqzBarItemControl* control = combo->GetLink(0)->GetControl();
  ASSERT_NE(dynamic_cast<TqzBarCustomEditControl*>(control), nullptr);
  TkvCanvas canvas(bitmap.GetCanvas());
  TqzBarItemControlDrawParams* params = control->GetDrawParams();
  params->TargetCanvas = &canvas;
  params->EnabledLook = true;
  params->PaintKind = qzPaintHorizontal;
  // At rest: a frame in the edit's colour, a column of it toward the edit, the brush inside.
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  TRect face(10, 5, 24, 25);
  flat->DrawComboButtonFace(params, face, red);
  EXPECT_EQ(face, TRect(11, 6, 23, 24));
  for (TPoint p : {TPoint(10, 5), TPoint(23, 24), TPoint(9, 15)}) EXPECT_EQ(Pixel(p.X, p.Y), Sys(clWindow)) << p.X;
  EXPECT_EQ(Pixel(8, 15), Sys(clBtnFace));
  EXPECT_EQ(Pixel(12, 12), static_cast<TColor>(RGB(255, 0, 0)));
  // Selected: the selection frame one pixel outside, the brush over the whole button.
  Clear();
  params->SelectedLook = true;
  face = TRect(10, 5, 24, 25);
  flat->DrawComboButtonFace(params, face, red);
  EXPECT_EQ(Pixel(9, 4), Sys(clHighlight));
  EXPECT_EQ(Pixel(24, 25), Sys(clHighlight));
  EXPECT_EQ(Pixel(10, 5), static_cast<TColor>(RGB(255, 0, 0)));
  DeleteObject(red);

  // Spin buttons: the one under the pointer is raised, the other stays flat; a disabled arrow is
  // one shadow-coloured triangle with no highlight copy.
  TqzBarSpinEditDrawParams spin(control);
  spin.TargetCanvas = &canvas;
  spin.ArrowSize = TSize(7, 4);
  spin.EnabledLook = true;
  spin.SelectedLook = true;
  spin.HotPartIndex = qzSpinUpPart;
  Clear();
  flat->DrawSpinButton(&spin, TRect(0, 0, 17, 10), qzSpinUpPart);
  flat->DrawSpinButton(&spin, TRect(0, 10, 17, 20), qzSpinDownPart);
  EXPECT_EQ(Pixel(0, 0), Sys(clHighlight));
  EXPECT_NE(Pixel(0, 10), Sys(clHighlight));
  EXPECT_EQ(Count(clBtnText), 2 * 16);
  Clear();
  spin.EnabledLook = false;
  flat->DrawSpinArrow(&spin, TPoint(10, 10), qzSpinDownPart);
  EXPECT_EQ(Count(clBtnShadow), 16);
  EXPECT_EQ(Count(clBtnHighlight), 0);

  // A static border is a band in the shadow colour; what lies inside stays.
  TqzBarStaticLikeControlDrawParams framed(control);
  framed.TargetCanvas = &canvas;
  framed.DrawsBorder = true;
  framed.BorderStyle = sbsBump;
  framed.BorderWidths = TRect(2, 2, 2, 2);
  Clear();
  TRect r(5, 5, 30, 20);
  flat->DrawStaticBorder(&framed, r);
  EXPECT_EQ(r, TRect(7, 7, 28, 18));
  EXPECT_EQ(Pixel(5, 5), Sys(clBtnShadow));
  EXPECT_EQ(Pixel(6, 12), Sys(clBtnShadow));
  EXPECT_EQ(Pixel(7, 7), Sys(clBtnFace));
  EXPECT_EQ(Count(clBtnShadow), 25 * 15 - 21 * 11);
}

TEST_F(StylePainters, ToolbarFrameWidthsByDockingStyle) {
  TqzBar* bar = manager->GetBars()->AddBar();
  TqzBarPainterClass standard = BarPainterClassOf<TqzBarStandardPainter>();
  TqzBarPainterClass flat = BarPainterClassOf<TqzBarFlatPainter>();
  TRect r;
  // Floating: the frame and the caption band (the bar has no window yet, so it counts as captioned).
  standard->GetBarBorderSizes(bar, dsNone, r, false);
  Integer x = standard->FloatBorderX() + 4, y = standard->FloatBorderY();
  EXPECT_EQ(r, TRect(x, y + standard->FloatingCaptionHeight() + 2, x, y + 1));
  // Docked with a border: the margins and, without a window that shows a grip, the docked indent.
  bar->SetBorderStyle(bbsSingle);
  standard->GetBarBorderSizes(bar, dsTop, r, false);
  EXPECT_EQ(r, TRect(2, 2, 2, 2));
  // Without a border nothing, except the strip and the grip of the status-bar look.
  bar->SetBorderStyle(bbsNone);
  flat->GetBarBorderSizes(bar, dsLeft, r, false);
  EXPECT_EQ(r, TRect());
  bar->SetWholeRow(true);
  bar->SetDockingStyle(dsBottom);
  flat->GetBarBorderSizes(bar, dsBottom, r, true);
  TSize grip;
  flat->GetSizeGripSize(manager, grip);
  EXPECT_EQ(r, TRect(0, 2, grip.cx, 0));
}

// A floating toolbar is no wider than its buttons, and in the looks whose caption shows the mark
// its caption band is too short for "Format": the text ends in an ellipsis, not in a cut letter.
TEST_F(StylePainters, ACutFloatingCaptionEndsInAnEllipsis) {
  TqzBar* bar = manager->GetBars()->AddBar();
  bar->SetCaption("Format");
  for (const char* caption : {"Left", "Centre"})
    bar->GetItemLinks()->AddLinkForItem(new TqzBarButton(form))->GetItem()->SetCaption(caption);
  bar->SetFloatLeft(300);
  bar->SetFloatTop(300);
  bar->SetDockingStyle(dsNone);
  bar->SetVisible(true);
  for (TqzBarManagerStyle style : {bmsFlat, bmsOffice11}) {
    manager->SetStyle(style);
    Pump();
    TqzBarControl* floating = bar->GetBarControl();
    ASSERT_NE(floating, nullptr);
    ASSERT_TRUE(floating->ShowsMark());
    PixelImage image = screen.WindowImage(floating->GetHandle());
    TRect mark;
    floating->MarkRect(mark);
    TColor text = Sys(floating->Painter()->CaptionTextColor(floating));
    const uint32_t ink = ((text & 0xFF) << 16) | (text & 0xFF00) | ((text >> 16) & 0xFF);
    auto inked = [&](Integer x, Integer y) {
      return (image.pixels[static_cast<size_t>(y) * image.width + x] & 0xFFFFFF) == ink;
    };
    // The caption's last inked column left of the mark (the frame's outer columns aside).
    Integer right = -1;
    for (Integer x = 3; x < mark.Left; ++x)
      for (Integer y = mark.Top; y < mark.Bottom; ++y)
        if (inked(x, y)) right = x;
    ASSERT_GE(right, 0) << style;
    // Its last few columns hold the dots: their ink lies on one row.
    std::set<Integer> rows;
    for (Integer x = right - 6; x <= right; ++x)
      for (Integer y = mark.Top; y < mark.Bottom; ++y)
        if (inked(x, y)) rows.insert(y);
    EXPECT_EQ(rows.size(), 1u) << style;
  }
}

TEST_F(StylePainters, Office11MarginsFramesAndFaces) {
  TqzBarPainterClass office11 = BarPainterClassOf<TqzBarOffice11Painter>();
  // The main menu has no body round it: margins only across the bar.
  TqzBar* bar = manager->GetBars()->AddBar();
  struct Case {
    bool mainMenu;
    Integer style;
    TRect margins;
  } cases[] = {{true, 2, TRect(0, 2, 0, 2)}, {true, 4, TRect(0, 2, 0, 2)}, {true, 1, TRect(2, 0, 2, 0)},
               {false, 2, TRect(2, 2, 2, 2)}};
  for (const Case& c : cases) {
    bar->SetIsMainMenu(c.mainMenu);
    TRect margins;
    office11->GetDockedMargins(bar, c.style, margins);
    EXPECT_EQ(margins, c.margins) << c.mainMenu << c.style;
  }
  // A floating frame: two outer rings, one inner ring whose corners take the outer colour.
  office11->DrawFloatingBorder(window, DC(), nullptr, TRect(), TRect(0, 0, 30, 30));
  TColor outer = Sys(Office11Color(24)), inner = Sys(Office11Color(25));
  ASSERT_NE(outer, inner);
  EXPECT_EQ(Pixel(0, 15), outer);
  EXPECT_EQ(Pixel(1, 15), outer);
  EXPECT_EQ(Pixel(2, 15), inner);
  EXPECT_EQ(Pixel(2, 2), outer);
  EXPECT_EQ(Pixel(3, 15), Sys(clBtnFace));
  // A hot toolbar button gets a state gradient inside the selection frame.
  TqzBarButtonControl* control = AddButton("Open");
  TkvCanvas canvas(bitmap.GetCanvas());
  auto* params = control->ButtonParams();
  params->TargetCanvas = &canvas;
  params->SelectedLook = true;
  params->PaintKind = qzPaintHorizontal;
  Clear();
  office11->DrawImageFrame(params, DC(), TRect(5, 5, 30, 30), false, true, window->SelectedBrush());
  EXPECT_NE(Pixel(17, 17), Sys(clBtnFace));
  EXPECT_EQ(Pixel(5, 17), Pixel(29, 17));  // the frame
  EXPECT_NE(Pixel(5, 17), Pixel(17, 17));
}

// A docked toolbar's mark reaches into its frame on the docking sides; the menu bar's does not.
TEST_F(StylePainters, Office11MarkReachesIntoTheFrameOfABodiedToolbar) {
  manager->SetStyle(bmsOffice11);
  TqzBar* bar = manager->GetBars()->AddBar();
  for (const char* caption : {"Left", "Centre"})
    bar->GetItemLinks()->AddLinkForItem(new TqzBarButton(form))->GetItem()->SetCaption(caption);
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  Pump();
  TqzBarControl* docked = bar->GetBarControl();
  ASSERT_NE(docked, nullptr);
  TqzBarPainter* painter = docked->Painter();
  struct Case {
    bool mainMenu;
    TqzBarDockingStyle style;
    TRect growth;  // left, top, right and bottom moved outwards
  } cases[] = {{false, dsTop, TRect(0, 1, 2, 1)}, {false, dsLeft, TRect(1, 0, 1, 2)}, {true, dsTop, TRect()}};
  for (const Case& c : cases) {
    bar->SetIsMainMenu(c.mainMenu);
    bar->SetDockingStyle(c.style);
    Pump();
    TRect plain, grown;
    painter->GetMarkRect(docked, plain);
    painter->GetBarMarkRect(docked, grown);
    ASSERT_FALSE(IsRectEmpty(&plain)) << c.style;
    EXPECT_EQ(TRect(plain.Left - grown.Left, plain.Top - grown.Top, grown.Right - plain.Right,
                    grown.Bottom - plain.Bottom),
              c.growth)
        << c.mainMenu << c.style;
    // The menu bar lies on the button face; toolbars take the menu brush.
    EXPECT_EQ(painter->BarBrush(docked) == SysColorBrushCode(COLOR_BTNFACE), c.mainMenu) << c.mainMenu;
  }
}

// Edits in an Office-11 menu start at the captions of the buttons and frame only when selected.
TEST_F(StylePainters, Office11MenuEditsLineUpWithTheCaptions) {
  TqzBarPainterClass office11 = BarPainterClassOf<TqzBarOffice11Painter>();
  TqzBarButtonControl* control = AddButton("Open");
  auto* params = control->GetDrawParams();
  for (Byte kind : {qzPaintMenu, qzPaintHorizontal})
    for (bool selected : {false, true}) {
      params->PaintKind = kind;
      params->SelectedLook = selected;
      control->SetNonRecent(true);
      EXPECT_EQ(office11->IsEditFramedSelected(params), kind == qzPaintMenu && selected) << int(kind) << selected;
      EXPECT_EQ(office11->EditGlyphSpacing(params),
                kind == qzPaintMenu ? office11->MenuCaptionIndent(params) : control->GlyphPartWidth());
    }
  TRect margins;
  office11->GetEditMenuMargins(params, margins);
  EXPECT_EQ(margins, TRect(window->IconAreaSize() - control->TextIndent(), 0, 0, 0));
}

// A checked entry of the quick-customizing menu has its check framed as selected.
TEST_F(StylePainters, FlatQuickCustomizingCheck) {
  TqzBarButtonControl* control = AddButton("Open");
  TqzBarPainterClass flat = BarPainterClassOf<TqzBarFlatPainter>();
  flat->DrawQuickItemCheck(control, DC(), 0, TRect(5, 5, 20, 20));
  EXPECT_EQ(Count(clBtnFace), 40 * 40);
  flat->DrawQuickItemCheck(control, DC(), 1, TRect(5, 5, 20, 20));
  EXPECT_NE(Pixel(5, 12), Sys(clBtnFace));
  EXPECT_EQ(Pixel(12, 12), Sys(clBtnFace));
  EXPECT_NE(Pixel(21, 12), Sys(clBtnFace));
  EXPECT_EQ(Pixel(22, 12), Sys(clBtnFace));
}

TEST_F(StylePainters, ButtonSheetPerStyle) {
  auto* open = new TqzBarButton(form);
  open->SetCaption("&Open");
  auto* save = new TqzBarButton(form);
  save->SetCaption("&Save");
  save->SetButtonStyle(bsDropDown);
  auto* bold = new TqzBarButton(form);
  bold->SetCaption("&Bold");
  bold->SetButtonStyle(bsChecked);
  bold->SetDown(true);
  auto* exit = new TqzBarButton(form);
  exit->SetCaption("E&xit");
  exit->SetEnabled(false);
  TBitmap glyph;
  glyph.SetSize(16, 16);
  glyph.GetCanvas()->GetBrush()->SetColor(clFuchsia);
  glyph.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
  glyph.GetCanvas()->GetBrush()->SetColor(clNavy);
  glyph.GetCanvas()->FillRect(TRect(3, 3, 13, 13));
  glyph.SetTransparentColor(clFuchsia);
  for (TqzBarButton* item : {open, save, bold, exit}) {
    item->SetGlyph(&glyph);
    item->SetPaintStyle(psCaptionGlyph);
    menu->GetItemLinks()->AddLinkForItem(item);
  }
  window->SetItemLinks(menu->GetItemLinks());
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  struct Sheet {
    TqzBarManagerStyle style;
    const char* name;
  } sheets[] = {{bmsStandard, "standard"}, {bmsEnhanced, "enhanced"}, {bmsFlat, "flat"}, {bmsOffice11, "office11"}};
  for (const Sheet& sheet : sheets) {
    manager->SetStyle(sheet.style);
    window->Refresh(true);
    window->ChangeActive(true);
    window->SetSelectedControl(menu->GetItemLinks()->GetVisibleLink(0)->GetControl());
    UpdateWindow(form->GetHandle());
    EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), folder + "/bar-buttons-" + sheet.name + ".png"));
    window->ChangeActive(false);
  }
}

}  // namespace
