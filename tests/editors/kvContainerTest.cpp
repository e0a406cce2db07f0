#include "EditorsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "gdi/UxTheme.h"
#include "toolkit/foundation/kvGeometry.h"
#include "user/InputEvents.h"
#include "vcl/Graphics.h"
#include "vcl/StdCtrls.h"

namespace {

using Container = EditorsTest;

struct GeometryCase {
  const char* name;
  TkvLookAndFeelKind kind;
  TkvBorders edges;
  bool transparentBorder;
  bool shadow;
  TRect borderRect;
  TRect trackingBounds;
  TPoint inRegion;
  TPoint outOfRegion;  // (-1, -1): the region leaves nothing out
};

TEST_F(Container, GeometryFollowsBorderEdgesTransparencyAndShadow) {
  const TkvBorders all = kvAllBorders;
  const TkvBorders topBottom{bTop, bBottom};
  const GeometryCase kCases[] = {
      {"single, transparent: outer ring cut", lfUltraFlat, all, true, false, TRect(2, 2, 98, 58), TRect(1, 1, 99, 59),
       TPoint(1, 1), TPoint(0, 0)},
      {"shadow: L-shaped region", lfUltraFlat, all, true, true, TRect(2, 2, 95, 55), TRect(1, 1, 96, 56),
       TPoint(98, 58), TPoint(97, 2)},
      {"top and bottom edges: side bands left out", lfUltraFlat, topBottom, true, false, TRect(2, 2, 98, 58),
       TRect(2, 1, 98, 59), TPoint(2, 0 + 1), TPoint(1, 30)},
      {"opaque border", lfUltraFlat, all, false, false, TRect(1, 1, 99, 59), TRect(0, 0, 100, 60), TPoint(0, 0),
       TPoint(-1, -1)},
      {"opaque, top and bottom edges", lfUltraFlat, topBottom, false, false, TRect(0, 1, 100, 59),
       TRect(0, 0, 100, 60), TPoint(0, 0), TPoint(-1, -1)},
      {"3-D border fills the transparent ring", lfStandard, all, true, false, TRect(2, 2, 98, 58),
       TRect(0, 0, 100, 60), TPoint(0, 0), TPoint(-1, -1)},
  };
  form->Show();
  for (const GeometryCase& c : kCases) {
    SCOPED_TRACE(c.name);
    auto* container = new TTestContainer(form);
    container->SetParent(form);
    container->SetBounds(10, 10, 100, 60);
    TkvContainerStyle* style = container->GetStyle();
    style->GetLookAndFeel()->SetKind(c.kind);
    style->SetEdges(c.edges);
    style->SetTransparentBorder(c.transparentBorder);
    style->SetShadow(c.shadow);
    Pump();
    TkvContainerViewInfo* info = container->GetViewInfo();
    EXPECT_EQ(info->BorderRect, c.borderRect);
    EXPECT_EQ(info->ClientRect, c.borderRect);
    TRect tracking;
    container->GetMouseTrackingBounds(tracking);
    EXPECT_EQ(tracking, c.trackingBounds);
    HWND window = container->GetHandle();
    EXPECT_TRUE(InWindowRegion(window, c.inRegion.X, c.inRegion.Y));
    if (c.outOfRegion.X >= 0) {
      EXPECT_FALSE(InWindowRegion(window, c.outOfRegion.X, c.outOfRegion.Y));
      // What the region leaves out shows the form.
      EXPECT_EQ(FormPixel(10 + c.outOfRegion.X, 10 + c.outOfRegion.Y), ColorToRGB(clBtnFace));
    }
    EXPECT_EQ(FormPixel(10 + 50, 10 + 30), ColorToRGB(clWindow));
    delete container;
  }
}

TEST_F(Container, UltraFlatBorderTurnsHighlightedWhenFocused) {
  auto* container = new TTestContainer(form);
  container->SetParent(form);
  container->SetBounds(10, 10, 100, 60);
  container->GetStyle()->GetLookAndFeel()->SetKind(lfUltraFlat);
  auto* other = new TTestContainer(form);
  other->SetParent(form);
  other->SetBounds(10, 100, 100, 60);
  form->Show();
  SetCursorPos(390, 290);
  other->SetFocus();
  Pump();
  EXPECT_EQ(FormPixel(10 + 1, 10 + 30), ColorToRGB(clBtnShadow));
  container->SetFocus();
  Pump();
  EXPECT_TRUE(container->Focused());
  EXPECT_EQ(FormPixel(10 + 1, 10 + 30), ColorToRGB(clHighlight));
}

TEST_F(Container, TypedKeysReachOnlyTheInnerWindowAndCtrlTabIsLeftAlone) {
  auto* container = new TTestContainer(form);
  container->SetParent(form);
  container->SetBounds(10, 10, 150, 30);
  auto* edit = new TEdit(form);
  edit->SetAutoSize(false);
  edit->SetParent(container);
  container->SetInnerControl(edit);
  auto* next = new TEdit(form);
  next->SetParent(form);
  next->SetBounds(10, 60, 100, 24);
  form->Show();
  Pump();
  // The inner control covers the client area, in the container's colours.
  EXPECT_EQ(edit->GetBoundsRect(), container->GetViewInfo()->ClientRect);
  container->SetFocus();
  Pump();
  EXPECT_EQ(GetFocus(), edit->GetHandle());
  ScriptTypeText("ab");
  Pump();
  EXPECT_EQ(edit->GetText(), "ab");
  EXPECT_EQ(container->keyDowns, 0);

  // The container's own key handling: Tab moves on, Ctrl+Tab is not consumed.
  Word key = VK_TAB;
  _TkvContainerAccess::KeyDown(container, key, TShiftState{ssCtrl});
  EXPECT_EQ(key, VK_TAB);
  key = VK_TAB;
  _TkvContainerAccess::KeyDown(container, key, TShiftState{});
  EXPECT_EQ(key, 0);
  EXPECT_EQ(GetFocus(), next->GetHandle());
}

TEST_F(Container, AUserColorMarksTheNormalStyleAndParentColorClearsIt) {
  auto* container = new TTestContainer(form);
  container->SetParent(form);
  container->SetBounds(10, 10, 100, 30);
  form->Show();
  Pump();
  EXPECT_FALSE(container->GetParentColor());
  EXPECT_EQ(container->GetColor(), clWindow);
  container->SetColor(clYellow);
  EXPECT_TRUE(container->GetStyle()->GetAssignedValues().Contains(svColor));
  EXPECT_EQ(container->GetStyle()->GetColor(), clYellow);
  Pump();
  EXPECT_EQ(FormPixel(10 + 50, 10 + 15), ColorToRGB(clYellow));
  container->SetParentColor(true);
  EXPECT_FALSE(container->GetStyle()->GetAssignedValues().Contains(svColor));
  EXPECT_EQ(container->GetColor(), clBtnFace);
  Pump();
  EXPECT_EQ(FormPixel(10 + 50, 10 + 15), ColorToRGB(clBtnFace));
}

// Stands for a skin's painter: its container frames are olive, brighter when highlighted.
class TFrameSkinPainter : public TkvUltraFlatLookAndFeelPainter {
 public:
  TColor ContainerFrameColor(bool Highlighted) override { return Highlighted ? clYellow : clOlive; }
};

TEST_F(Container, ASkinPainterDrawsAOnePixelFrameInItsContainerFrameColour) {
  TkvCustomLookAndFeelPainterClass skin = PainterClassOf<TFrameSkinPainter>();
  ASSERT_TRUE(ExtendedStylePaintersInstance()->AddPainter("FrameSkin", skin, nullptr));
  auto* container = new TTestContainer(form);
  container->SetParent(form);
  container->SetBounds(10, 10, 100, 60);
  container->GetStyle()->GetLookAndFeel()->SetSkinName("FrameSkin");
  container->GetStyle()->SetBorderStyle(cbs3D);
  form->Show();
  Pump();
  TkvContainerViewInfo* info = container->GetViewInfo();
  EXPECT_EQ(info->Painter, skin);
  EXPECT_EQ(info->BorderWidth, 1);
  // The transparent border gives way to the skin's frame.
  EXPECT_EQ(info->BorderRect, TRect(2, 2, 98, 58));
  // The only control of the form has the focus: its frame is the highlighted one.
  ASSERT_TRUE(container->Focused());
  EXPECT_EQ(FormPixel(10 + 1, 10 + 30), ColorToRGB(clYellow));
  EXPECT_EQ(FormPixel(10 + 2, 10 + 30), ColorToRGB(clWindow));
  auto* other = new TTestContainer(form);
  other->SetParent(form);
  other->SetBounds(10, 100, 100, 60);
  other->SetFocus();
  Pump();
  EXPECT_EQ(FormPixel(10 + 1, 10 + 30), ColorToRGB(clOlive));
  delete container;
  ExtendedStylePaintersInstance()->RemovePainter("FrameSkin");
}

TEST_F(Container, TheHotStyleNeedsTheMouseWithoutButtonsOrKeysAndHotTrack) {
  auto* container = new TTestContainer(form);
  container->SetParent(form);
  container->SetBounds(10, 10, 100, 60);
  container->GetStyle()->SetBorderStyle(cbsSingle);
  container->GetStyleHot()->SetBorderColor(clRed);
  // The focus is elsewhere: a focused container shows its focused style, hot or not.
  auto* other = new TTestContainer(form);
  other->SetParent(form);
  other->SetBounds(10, 100, 100, 60);
  form->SetBounds(100, 100, 300, 200);
  form->Show();
  other->SetFocus();
  Pump();
  struct Case {
    const char* name;
    bool hotTrack;
    UINT heldKey;
    TPoint at;
    bool hot;
  };
  const Case kCases[] = {
      {"over the control", true, 0, TPoint(50, 30), true},
      {"on the transparent ring", true, 0, TPoint(0, 30), false},
      {"with Ctrl held", true, VK_CONTROL, TPoint(50, 30), false},
      {"hot tracking off", false, 0, TPoint(50, 30), false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    container->GetStyle()->SetHotTrack(c.hotTrack);
    ScriptMouseMove(TPoint(5, 5));
    PassTime(50);
    if (c.heldKey) InputKey(c.heldKey, true);
    ScriptMouseMove(container->ClientToScreen(c.at));
    Pump();
    EXPECT_EQ(container->ActiveStyle() == container->GetStyleHot(), c.hot);
    EXPECT_EQ(container->GetViewInfo()->BorderColor, c.hot ? clRed : clWindowFrame);
    if (c.heldKey) InputKey(c.heldKey, false);
  }
  // Leaving the tracking bounds ends the hot state through the mouse-leave watch.
  container->GetStyle()->SetHotTrack(true);
  ScriptMouseMove(container->ClientToScreen(TPoint(50, 30)));
  Pump();
  ASSERT_EQ(container->ActiveStyle(), container->GetStyleHot());
  ScriptMouseMove(TPoint(5, 5));
  PassTime(50);
  EXPECT_EQ(container->ActiveStyle(), container->GetStyle());
}

// Visual styles in use: every class opens; the content lies one pixel inside; navy frames, silver
// fill.
class NavyTheme : public ThemeProvider {
 public:
  BOOL IsThemeActive() override { return TRUE; }
  BOOL IsAppThemed() override { return TRUE; }
  HTHEME OpenThemeData(HWND, const char16_t*) override { return reinterpret_cast<HTHEME>(1); }
  HRESULT CloseThemeData(HTHEME) override { return S_OK; }
  HRESULT GetThemeBackgroundContentRect(HTHEME, HDC, int, int, const RECT* Bounds, RECT* Content) override {
    *Content = RectInflated(*Bounds, -1, -1);
    return S_OK;
  }
  HRESULT GetThemeColor(HTHEME, int, int, int Property, COLORREF* Color) override {
    *Color = Property == TMT_BORDERCOLOR ? 0x800000 : 0xC0C0C0;
    return S_OK;
  }
};

void SwitchTheme(ThemeProvider* Provider) {
  SetThemeProvider(Provider);
  SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
}

TEST_F(Container, ANativeStyleContainerLeavesItsFrameToTheTheme) {
  NavyTheme theme;
  SwitchTheme(&theme);
  auto* container = new TTestContainer(form);
  container->SetParent(form);
  container->SetBounds(10, 10, 100, 60);
  container->GetStyle()->GetLookAndFeel()->SetNativeStyle(true);
  container->GetStyle()->SetBorderStyle(cbsSingle);
  form->Show();
  Pump();
  TkvContainerViewInfo* info = container->GetViewInfo();
  EXPECT_TRUE(info->NativeStyle);
  EXPECT_FALSE(container->IsBorderCustomDrawn());
  // No window region: the theme's frame is drawn whole.
  EXPECT_TRUE(InWindowRegion(container->GetHandle(), 0, 0));
  EXPECT_EQ(FormPixel(10, 10 + 30), static_cast<TColor>(0x800000));
  EXPECT_EQ(FormPixel(10 + 1, 10 + 30), ColorToRGB(clWindow));
  // Disabled without a colour of its own, it takes the theme's fill colour.
  container->SetEnabled(false);
  Pump();
  EXPECT_EQ(info->BackgroundColor, static_cast<TColor>(0xC0C0C0));
  delete container;
  SwitchTheme(nullptr);
}

}  // namespace
