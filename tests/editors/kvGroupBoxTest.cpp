#include <algorithm>
#include <memory>

#include "EditTestFixture.h"
#include "EditorsTestSupport.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvGroupBox.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "vcl/ExtCtrls.h"
#include "user/VirtualKeys.h"
#include "vcl/ControlsMessages.h"
#include "vcl/StdCtrls.h"

namespace {

TColor Rgb(TColor Color) { return static_cast<TColor>(ColorToRGB(Color)); }

// The group box as a program would publish it.
class TTestGroupBox : public TkvCustomGroupBox {
 public:
  using TkvCustomGroupBox::TkvCustomGroupBox;
  TRect ClientMargins() {
    TRect r;
    AdjustClientRect(r);
    return TRect(r.Left, r.Top, GetWidth() - r.Right, GetHeight() - r.Bottom);
  }
  TRect BorderExtent() {
    std::unique_ptr<TkvCustomEditViewData> data(MakeViewData());
    TRect r;
    data->GetBorderExtent(r);
    return r;
  }
};

class GroupBox : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    form->SetBounds(0, 0, 400, 300);
    form->SetColor(clBtnFace);
    box = new TTestGroupBox(form);
    box->SetParent(form);
    box->SetLeft(20);
    box->SetTop(20);
    box->SetCaption("Output");
    form->Show();
    Pump();
  }
  TkvGroupBoxViewInfo* Info() { return box->GroupViewInfo(); }
  TSize Caption() {
    TkvScreenCanvas* canvas = ScreenCanvasInstance();
    canvas->AssignFont(box->GetCaptionTextFont());
    return canvas->MeasureText(box->GetCaptionText());
  }
  TTestGroupBox* box = nullptr;
};

TEST_F(GroupBox, ANewBoxIsTheDefaultSizeTakesNoFocusAndHasNoTabStop) {
  EXPECT_EQ(box->GetWidth(), 185);
  EXPECT_EQ(box->GetHeight(), 105);
  EXPECT_FALSE(box->GetTabStop());
  EXPECT_FALSE(box->WantsFocusOnClick());
  EXPECT_EQ(box->GetAlignment(), alTopLeft);
  EXPECT_FALSE(box->GetPanelStyle()->GetActive());
}

TEST_F(GroupBox, CaptionRectanglesFollowTheThirteenPlacesWithAndWithoutShadow) {
  const Integer W = 185, H = 105;
  for (bool shadow : {false, true}) {
    box->GetStyle()->SetShadow(shadow);
    for (Integer a = alTopLeft; a <= alCenterCenter; ++a) {
      const auto alignment = static_cast<TkvCaptionAlignment>(a);
      SCOPED_TRACE(String(shadow ? "shadow " : "") + IntToStr(a));
      box->SetAlignment(alignment);
      Pump();
      const TSize extent = Caption();
      const Integer w = extent.cx, t = extent.cy;
      // Only top and left captions (and panels) cast a shadow.
      const Integer position = CaptionPositionOf(alignment);
      const Integer s = shadow && (position == kvcpTop || position == kvcpLeft) ? 3 : 0;
      EXPECT_EQ(Info()->Shadow, s == 3);
      TRect expected;
      switch (alignment) {
        case alTopLeft: expected = TRect(8, 0, 8 + w, t); break;
        case alTopCenter: expected = TRect((W - s - w) / 2, 0, (W - s - w) / 2 + w, t); break;
        case alTopRight: expected = TRect(W - 8 - s - w, 0, W - 8 - s, t); break;
        case alBottomLeft: expected = TRect(8, H - t, 8 + w, H); break;
        case alBottomCenter: expected = TRect((W - w) / 2, H - t, (W - w) / 2 + w, H); break;
        case alBottomRight: expected = TRect(W - 8 - w, H - t, W - 8, H); break;
        case alLeftTop: expected = TRect(0, 8, t, 8 + w + 1); break;
        case alLeftCenter: {
          const Integer d = H - s - (H - s - w) / 2;
          expected = TRect(0, d - w - 1, t, d);
          break;
        }
        case alLeftBottom: expected = TRect(0, H - s - 8 - w - 1, t, H - s - 8); break;
        case alRightTop: expected = TRect(W - t, 8, W, 8 + w); break;
        case alRightCenter: expected = TRect(W - t, (H - w) / 2, W, (H - w) / 2 + w); break;
        case alRightBottom: expected = TRect(W - t, H - 8 - w, W, H - 8); break;
        default: expected = TRect((W - w) / 2, (H - t) / 2, (W - w) / 2 + w, (H - t) / 2 + t); break;
      }
      EXPECT_EQ(Info()->CaptionRect, expected);
      EXPECT_EQ(Info()->CaptionTextRect, expected);
    }
  }
}

TEST_F(GroupBox, TheFrameRunsThroughTheCaptionsMiddleAndChildrenAlignBelowIt) {
  box->GetStyle()->SetBorderStyle(cbsSingle);
  box->GetStyle()->SetTransparentBorder(false);
  const Integer h = box->CaptionLineHeight();
  ASSERT_GT(h, 8);
  struct Case {
    TkvCaptionAlignment alignment;
    TRect border;
    TRect margins;
  };
  const Case cases[] = {
      {alTopLeft, TRect(1, h / 2 + 1, 1, 1), TRect(1, h + 4, 1, 1)},
      {alBottomRight, TRect(1, 1, 1, h / 2 + 1), TRect(1, 1, 1, h + 4)},
      {alLeftCenter, TRect(h / 2, 1, 1, 1), TRect(h + 4, 1, 1, 1)},
      {alRightTop, TRect(1, 1, h / 2, 1), TRect(1, 1, h + 4, 1)},
      // A centred caption keeps the framework's values.
      {alCenterCenter, TRect(1, 1, 1, 1), TRect(1, 1, 1, 1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Integer(c.alignment));
    box->SetAlignment(c.alignment);
    EXPECT_EQ(box->BorderExtent(), c.border);
    EXPECT_EQ(box->ClientMargins(), c.margins);
  }
  // The panel style keeps the framework's border.
  box->SetAlignment(alTopLeft);
  box->GetPanelStyle()->SetActive(true);
  EXPECT_EQ(box->BorderExtent(), TRect(1, 1, 1, 1));
  EXPECT_EQ(box->ClientMargins(), TRect(1, 1, 1, 1));
}

TEST_F(GroupBox, TheAlignedChildFillsTheClientArea) {
  auto* child = new TPanel(form);
  child->SetParent(box);
  child->SetAlign(alClient);
  Pump();
  const TRect margins = box->ClientMargins();
  EXPECT_EQ(child->GetBoundsRect(), TRect(margins.Left, margins.Top, 185 - margins.Right, 105 - margins.Bottom));
  box->SetAlignment(alBottomLeft);
  Pump();
  EXPECT_EQ(child->GetBoundsRect().Top, box->ClientMargins().Top);
  EXPECT_EQ(child->GetBoundsRect().Bottom, 105 - box->ClientMargins().Bottom);
}

TEST_F(GroupBox, ThePanelStylePlacesTheCaptionInsideByItsIndent) {
  box->GetStyle()->SetBorderStyle(cbsSingle);
  box->GetStyle()->SetTransparentBorder(false);
  TkvPanelStyle* panel = box->GetPanelStyle();
  panel->SetActive(true);
  for (Integer indent : {0, 1}) {
    panel->SetCaptionIndent(indent);
    EXPECT_EQ(panel->GetCaptionIndent(), 2);
  }
  panel->SetCaptionIndent(6);
  const Integer W = 185, H = 105;
  struct Case {
    TkvCaptionAlignment alignment;
    Integer left;  // -1: centred
    Integer top;   // -1: centred
  };
  const Case cases[] = {
      {alTopLeft, 1 + 6, 1 + 6},       {alTopCenter, -1, 1 + 6},        {alBottomRight, -2, -2},
      {alCenterCenter, -1, -1},        {alLeftCenter, 1 + 6, -1},       {alRightBottom, -2, -2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Integer(c.alignment));
    box->SetAlignment(c.alignment);
    Pump();
    const TRect r = Info()->CaptionRect;
    const TSize extent = Caption();
    EXPECT_EQ(r.Width(), extent.cx);
    EXPECT_EQ(r.Height(), extent.cy);
    const Integer areaLeft = 1 + (CaptionHorzPlace(c.alignment) == 0 ? 6 : 0);
    const Integer areaRight = W - 1 - (CaptionHorzPlace(c.alignment) == 2 ? 6 : 0);
    const Integer areaTop = 1 + (CaptionVertPlace(c.alignment) == 0 ? 6 : 0);
    const Integer areaBottom = H - 1 - (CaptionVertPlace(c.alignment) == 2 ? 6 : 0);
    const Integer left = c.left == -1 ? areaLeft + (areaRight - areaLeft - extent.cx) / 2
                         : c.left == -2 ? areaRight - extent.cx
                                        : c.left;
    const Integer top = c.top == -1 ? areaTop + (areaBottom - areaTop - extent.cy) / 2
                        : c.top == -2 ? areaBottom - extent.cy
                                      : c.top;
    EXPECT_EQ(r.Left, left);
    EXPECT_EQ(r.Top, top);
    // The panel draws side captions unrotated.
    EXPECT_FALSE(box->IsCaptionRotated());
  }
  // Word wrap breaks a long caption over lines inside the area.
  box->SetAlignment(alTopLeft);
  box->SetWidth(80);
  box->SetCaption("Keep the source frame rate");
  panel->SetWordWrap(true);
  Pump();
  EXPECT_LE(Info()->CaptionRect.Right, 80 - 1);
  EXPECT_GE(Info()->CaptionRect.Height(), 2 * box->CaptionLineHeight());
}

TEST_F(GroupBox, TheOffice11BackgroundKindLaysOutAndRepaintsOnlyUnderOffice11) {
  TkvPanelStyle* panel = box->GetPanelStyle();
  panel->SetActive(true);
  RECT pending;
  for (const auto& [kind, office11] : {std::pair{lfStandard, false}, std::pair{lfOffice11, true}}) {
    SCOPED_TRACE(office11);
    box->GetLookAndFeel()->SetKind(kind);
    Pump();
    ASSERT_FALSE(GetUpdateRect(box->GetHandle(), &pending, FALSE));
    panel->SetOfficeBackgroundKind(panel->GetOfficeBackgroundKind() == pobkGradient ? pobkStyleColor : pobkGradient);
    EXPECT_EQ(GetUpdateRect(box->GetHandle(), &pending, FALSE) != FALSE, office11);
  }
}

TEST_F(GroupBox, SideCaptionsReadUpOnTheLeftAndDownOnTheRight) {
  for (bool left : {true, false}) {
    SCOPED_TRACE(left ? "left" : "right");
    delete box;
    box = new TTestGroupBox(form);
    box->SetParent(form);
    box->SetBounds(20, 20, 185, 105);
    box->SetCaption("____");
    box->SetColor(clWhite);
    box->GetStyle()->SetBorderStyle(cbsNone);
    box->SetAlignment(left ? alLeftCenter : alRightCenter);
    Pump();
    LOGFONT font{};
    GetObject(box->GetCaptionTextFont()->GetHandle(), sizeof(font), &font);
    EXPECT_EQ(font.lfEscapement, left ? 900 : 2700);
    const TRect r = Info()->CaptionTextRect;
    // Underscores lie at the text's foot: on the right of a caption reading up, on the left of
    // one reading down; the ink runs along the side.
    Integer inkTop = 1000, inkBottom = -1, inkLeft = 1000, inkRight = -1;
    for (Integer y = r.Top; y < r.Bottom; ++y)
      for (Integer x = r.Left; x < r.Right; ++x)
        if (FormPixel(20 + x, 20 + y) != Rgb(clWhite)) {
          inkTop = std::min(inkTop, y), inkBottom = std::max(inkBottom, y);
          inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x);
        }
    ASSERT_GE(inkBottom, 0);
    EXPECT_GT(inkBottom - inkTop, 3 * (inkRight - inkLeft));
    const Integer middle = (r.Left + r.Right) / 2;
    if (left)
      EXPECT_GE(inkLeft, middle);
    else
      EXPECT_LT(inkRight, middle);
  }
}

TEST_F(GroupBox, EveryFrameStyleDrawsItsLinesWithAndWithoutCtl3D) {
  box->SetCaption("");
  box->GetStyle()->SetBorderColor(clNavy);
  box->GetStyle()->SetTransparentBorder(false);
  const TColor face = Rgb(clBtnFace);
  struct Case {
    TkvContainerBorderStyle style;
    bool ctl3D;
    TColor outer, inner;
  };
  const Case cases[] = {
      {cbsNone, true, face, face},
      {cbsSingle, true, Rgb(clNavy), face},
      {cbsThick, true, Rgb(clNavy), Rgb(clNavy)},
      {cbsFlat, true, Rgb(clBtnShadow), Rgb(clBtnHighlight)},
      {cbs3D, true, Rgb(clBtnShadow), Rgb(clBtnHighlight)},
      {cbs3D, false, Rgb(clWindowFrame), face},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Integer(c.style) * 10 + c.ctl3D);
    box->GetStyle()->SetBorderStyle(c.style);
    box->SetCtl3D(c.ctl3D);
    Pump();
    // The middle of the left edge; the empty caption leaves the top line whole.
    EXPECT_EQ(FormPixel(20 + 0, 20 + 52), c.outer);
    EXPECT_EQ(FormPixel(20 + 1, 20 + 52), c.inner);
    const Integer top = Info()->BorderRect.Top - BorderWidthOf(c.style);
    EXPECT_EQ(FormPixel(20 + 8, 20 + top), c.outer);
    EXPECT_EQ(FormPixel(20 + 92, 20 + top), c.outer);
  }
  EXPECT_TRUE(IsRectEmpty(&Info()->CaptionRect));
}

TEST_F(GroupBox, TheCaptionTextFollowsAChangeOfLetterCase) {
  box->SetCaption("options");
  EXPECT_EQ(box->GetCaptionText(), "options");
  box->SetCaption("Options");
  EXPECT_EQ(box->GetCaptionText(), "Options");
  // Side captions drop their accelerator marks.
  box->SetCaption("&Save && go&");
  box->SetAlignment(alLeftTop);
  EXPECT_EQ(box->GetCaptionText(), "Save & go_");
}

TEST_F(GroupBox, ItsAcceleratorFocusesTheFirstChild) {
  box->SetCaption("&Options");
  auto* first = new TEdit(form);
  first->SetParent(box);
  first->SetBounds(10, 30, 80, 21);
  auto* second = new TEdit(form);
  second->SetParent(box);
  second->SetBounds(10, 60, 80, 21);
  auto* outside = new TEdit(form);
  outside->SetParent(form);
  outside->SetBounds(220, 30, 80, 21);
  form->Show();
  outside->SetFocus();
  Pump();
  EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'x', 0), 0);
  EXPECT_EQ(GetFocus(), outside->GetHandle());
  EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'o', 0), 1);
  Pump();
  EXPECT_EQ(GetFocus(), first->GetHandle());
  EXPECT_FALSE(box->IsFocusingByAccelerator());
}

TEST_F(GroupBox, ABoxSmallerThanItsMarginsLaysOutNothingInsideOut) {
  box->GetPanelStyle()->SetActive(true);
  box->SetBounds(20, 20, 6, 4);
  Pump();
  const TRect r = Info()->CaptionRect;
  EXPECT_GE(r.Width(), 0);
  EXPECT_GE(r.Height(), 0);
}

// The theme's group-box part draws the frame over the whole control, its caption side moved in to
// the caption's middle; the caption itself stays clear of it.
TEST_F(GroupBox, NativelyTheThemesGroupBoxPartDrawsTheFrameThroughTheCaption) {
  LoggingTheme theme;
  SetThemeProvider(&theme);
  SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
  box->GetStyle()->GetLookAndFeel()->SetNativeStyle(true);
  box->GetStyle()->SetBorderStyle(cbsSingle);
  Pump();
  ASSERT_TRUE(Info()->NativeStyle);
  const Integer half = box->CaptionLineHeight() / 2;
  auto size = [](Integer W, Integer H) { return std::to_string(W) + "x" + std::to_string(H); };
  struct Case {
    TkvCaptionAlignment alignment;
    bool enabled;
    std::string drawn;  // "Button part,state WxH"; BP_GROUPBOX 4, GBS_NORMAL 1, GBS_DISABLED 2
  };
  const Case cases[] = {
      {alTopLeft, true, "Button 4,1 " + size(185, 105 - half)},
      {alBottomCenter, true, "Button 4,1 " + size(185, 105 - half)},
      {alLeftTop, true, "Button 4,1 " + size(185 - half, 105)},
      {alRightBottom, true, "Button 4,1 " + size(185 - half, 105)},
      {alCenterCenter, true, "Button 4,1 " + size(185, 105)},
      {alTopLeft, false, "Button 4,2 " + size(185, 105 - half)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.drawn);
    box->SetAlignment(c.alignment);
    box->SetEnabled(c.enabled);
    Pump();
    theme.log.clear();
    box->Invalidate();
    Pump();
    EXPECT_NE(std::find(theme.log.begin(), theme.log.end(), c.drawn), theme.log.end());
    // The theme fills what it draws in navy: never under the caption, always right beside it.
    const TRect caption = Info()->CaptionRect;
    for (Integer y = caption.Top; y < caption.Bottom; ++y)
      for (Integer x = caption.Left; x < caption.Right; ++x)
        ASSERT_NE(FormPixel(20 + x, 20 + y), static_cast<TColor>(0x800000)) << x << "," << y;
  }
  box->SetAlignment(alTopLeft);
  box->SetEnabled(true);
  Pump();
  const TRect caption = Info()->CaptionRect;
  EXPECT_EQ(FormPixel(20 + caption.Right + 4, 20 + half), static_cast<TColor>(0x800000));
  SetThemeProvider(nullptr);
  SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
}

// ---- Under a skin ------------------------------------------------------------------------------

// Stands for a skin: a caption band 3 + 4 thick, frame widths of 5 around the content, a maroon
// caption painted as a band of its own.
class TGroupSkinPainter : public TkvUltraFlatLookAndFeelPainter {
 public:
  TRect GroupBoxFrameWidths(bool HasCaption, Integer) override {
    return HasCaption ? TRect(3, 3, 4, 4) : TRect(5, 5, 5, 5);
  }
  TColor GroupBoxCaptionColor(Integer) override { return clMaroon; }
  void PaintGroupBoxCaption(TkvCanvas* Canvas, const TRect& R, Integer) override { Canvas->FillWithColor(R, clAqua); }
  void PaintGroupBoxContent(TkvCanvas* Canvas, const TRect& R, Integer) override { Canvas->FillWithColor(R, clSilver); }
  Integer FrameWidth() override { return 1; }
};

TEST_F(GroupBox, UnderASkinTheCaptionLivesInTheNonClientBand) {
  TkvCustomLookAndFeelPainterClass skin = PainterClassOf<TGroupSkinPainter>();
  ExtendedStylePaintersInstance()->AddPainter("GroupSkin", skin, nullptr);
  box->GetStyle()->GetLookAndFeel()->SetSkinName("GroupSkin");
  box->SetColor(clWhite);
  Pump();
  ASSERT_TRUE(box->HasNonClientCaption());
  const Integer band = 3 + 4;
  // The window's client area starts below the band.
  RECT client{};
  GetClientRect(box->GetHandle(), &client);
  EXPECT_EQ(client.Bottom, 105 - band);
  TPoint origin = box->ClientToScreen(TPoint(0, 0));
  TPoint formOrigin = form->ClientToScreen(TPoint(0, 0));
  EXPECT_EQ(origin.Y - formOrigin.Y, 20 + band);
  // The content margins: frame widths and the painter's frame, and the caption line above them.
  const Integer h = box->CaptionLineHeight();
  EXPECT_EQ(box->ClientMargins(), TRect(6, h + 6 + 3, 6, 6 + band));
  // The band is painted on WM_NCPAINT with the skin's caption, in the skin's colour.
  const TRect caption = Info()->CaptionRect;
  EXPECT_EQ(caption.Top, -band);
  EXPECT_EQ(FormPixel(20 + 1, 20 + 1), Rgb(clAqua));
  bool maroon = false;
  for (Integer y = 0; y < band + caption.Height() && !maroon; ++y)
    for (Integer x = 0; x < 60 && !maroon; ++x) maroon = FormPixel(20 + x, 20 + y) == Rgb(clMaroon);
  EXPECT_TRUE(maroon);
  // A rename that only changes letter case is drawn in the band too.
  box->SetCaption("output");
  Pump();
  box->SetCaption("OUTPUT");
  Pump();
  EXPECT_EQ(box->GetCaptionText(), "OUTPUT");
  box->GetStyle()->GetLookAndFeel()->SetSkinName("");
  Pump();
  EXPECT_FALSE(box->HasNonClientCaption());
  GetClientRect(box->GetHandle(), &client);
  EXPECT_EQ(client.Bottom, 105);
  ExtendedStylePaintersInstance()->RemovePainter("GroupSkin");
}

}  // namespace
