#include <sys/stat.h>

#include <cstdlib>

#include "EditorsTestSupport.h"
#include "gdi/TextLayout.h"
#include "toolkit/editors/kvLabel.h"
#include "user/VirtualKeys.h"
#include "vcl/StdCtrls.h"

namespace {

TEST(LabelRoutines, TextFlagsInBothModesAndClampedSizes) {
  struct Case {
    TAlignment horz;
    TkvEditVertAlignment vert;
    bool ellipsis, wrap, accel;
    Integer tab;
    Integer platform, toolkit;
  } cases[] = {
      {taLeftJustify, taTopJustify, false, false, true, 0, 0, ktfAlignLeft | ktfAlignTop | ktfShowPrefix},
      {taRightJustify, taBottomJustify, true, false, false, 0, DT_RIGHT | DT_BOTTOM | DT_END_ELLIPSIS | DT_NOPREFIX,
       ktfAlignRight | ktfAlignBottom | ktfEndEllipsis},
      {taCenter, taVCenter, false, true, true, 8, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EXPANDTABS | DT_TABSTOP,
       ktfAlignHCenter | ktfAlignVCenter | ktfWordBreak | ktfShowPrefix | ktfExpandTabs},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildTextFlags(0, c.horz, c.vert, c.ellipsis, c.wrap, c.tab, true, c.accel), c.platform);
    EXPECT_EQ(BuildTextFlags(0, c.horz, c.vert, c.ellipsis, c.wrap, c.tab, false, c.accel), c.toolkit);
  }
  TRect r(10, 10, 20, 20);
  ExtendRectBy(r, -1, -2, 3, 4);
  EXPECT_EQ(r, TRect(9, 8, 23, 24));
  EXPECT_EQ(RectWidthClamped(TRect(5, 0, 2, 0)), 0);
  EXPECT_EQ(RectHeightClamped(TRect(0, 2, 0, 9)), 7);
}

TEST(LabelProperties, EffectOffsetsByOrientation) {
  TkvLabelProperties p(nullptr);
  p.SetDepth(4);
  EXPECT_EQ(p.GetEffectOffsets(), TPoint(0, 0));
  p.SetLabelEffect(kvleCool);
  const std::pair<TkvLabelOrientation, TPoint> cases[] = {
      {kvoLeft, {4, 0}}, {kvoRight, {4, 0}}, {kvoTop, {0, 4}}, {kvoBottom, {0, 4}}, {kvoLeftTop, {4, 4}},
      {kvoRightBottom, {4, 4}}};
  for (auto& c : cases) {
    p.SetOrientation(c.first);
    EXPECT_EQ(p.GetEffectOffsets(), c.second) << c.first;
  }
  TkvLabelProperties copy(nullptr);
  copy.Assign(&p);
  EXPECT_EQ(copy.GetDepth(), 4);
  EXPECT_EQ(copy.GetLabelEffect(), kvleCool);
  EXPECT_EQ(copy.GetOrientation(), kvoRightBottom);
}

class LabelTest : public EditorsTest {
 protected:
  TkvLabel* MakeLabel(const String& Caption, Integer Size = 10) {
    auto* label = new TkvLabel(form);
    label->SetParent(form);
    label->GetEditStyle()->GetFont()->SetName("Arial");
    label->GetEditStyle()->GetFont()->SetSize(Size);
    label->SetCaption(Caption);
    form->SetColor(clWhite);
    form->Show();
    Pump();
    return label;
  }
  // Pixels of the label's area in Color.
  Integer CountColour(TkvLabel* Label, TColor Color) {
    Integer count = 0;
    for (Integer y = Label->GetTop(); y < Label->GetTop() + Label->GetHeight(); ++y)
      for (Integer x = Label->GetLeft(); x < Label->GetLeft() + Label->GetWidth(); ++x)
        count += ColorToRGB(FormPixel(x, y)) == ColorToRGB(Color);
    return count;
  }
};

TEST_F(LabelTest, CaptionAndEditValueAreOneText) {
  TkvLabel* label = MakeLabel("Total progress:");
  EXPECT_EQ(VarToStr(label->GetEditValueProp()), "Total progress:");
  label->SetEditValue(Variant(String("Converting file: a.avi")));
  EXPECT_EQ(label->GetCaption(), "Converting file: a.avi");
  EXPECT_EQ(label->LabelViewInfo()->Text, "Converting file: a.avi");
  // The label takes no focus of its own.
  EXPECT_FALSE(label->CanFocus());
}

TEST_F(LabelTest, AcceleratorFocusesTheFocusControl) {
  TkvLabel* label = MakeLabel("&Folder");
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 40, 100, 20);
  label->SetFocusControl(label);
  EXPECT_EQ(label->GetFocusControl(), nullptr);
  label->SetFocusControl(edit);
  Pump();
  EXPECT_EQ(label->Perform(CM_DIALOGCHAR, 'F', 0), 1);
  EXPECT_TRUE(edit->Focused());
  delete edit;
  EXPECT_EQ(label->GetFocusControl(), nullptr);
}

TEST_F(LabelTest, AutoSizeCountsDepthAndAnEmptyCaptionIsOneSpace) {
  TkvLabel* label = MakeLabel("Progress");
  const Integer width = label->GetWidth(), height = label->GetHeight();
  label->GetLabelProperties()->SetLabelEffect(kvleExtrude);
  label->GetLabelProperties()->SetDepth(3);
  Pump();
  EXPECT_EQ(label->GetWidth(), width + 3);
  EXPECT_EQ(label->GetHeight(), height + 3);
  label->GetLabelProperties()->SetDepth(0);
  label->SetCaption("");
  Pump();
  TkvScreenCanvas* screenCanvas = ScreenCanvasInstance();
  screenCanvas->AssignFont(label->GetEditStyle()->GetFont());
  EXPECT_EQ(label->GetWidth(), screenCanvas->TextWidthOf(" "));
  EXPECT_GT(label->GetHeight(), 0);
}

TEST_F(LabelTest, ExtrudedCopiesLieBehindTheText) {
  TkvLabel* label = MakeLabel("I", 14);
  label->GetEditStyle()->SetTextColor(clBlack);
  TkvLabelProperties* p = label->GetLabelProperties();
  p->SetShadowedColor(clRed);
  p->SetLabelEffect(kvleExtrude);
  p->SetDepth(3);
  Pump();
  // Right of and below the text's black pixels lie red ones; none lie left of or above.
  // Edges are smoothed: a red pixel is one where red clearly leads.
  auto reddish = [&](Integer X, Integer Y) {
    TColor c = ColorToRGB(FormPixel(X, Y));
    return GetRValue(c) > 150 && GetGValue(c) < 100 && GetBValue(c) < 100;
  };
  Integer behind = 0, before = 0;
  for (Integer y = label->GetTop(); y < label->GetTop() + label->GetHeight(); ++y)
    for (Integer x = label->GetLeft() + 3; x < label->GetLeft() + label->GetWidth() - 3; ++x) {
      if (ColorToRGB(FormPixel(x, y)) != ColorToRGB(clBlack)) continue;
      behind += reddish(x + 2, y);
      before += reddish(x - 2, y);
    }
  EXPECT_GT(behind, 0);
  EXPECT_EQ(before, 0);
  // Cool draws one copy three pixels off; fun fades from the background.
  p->SetLabelEffect(kvleFun);
  Pump();
  EXPECT_GT(CountColour(label, ColorToRGB(clRed)), 0);
  p->SetLabelEffect(kvleCool);
  Pump();
  EXPECT_GT(CountColour(label, ColorToRGB(clRed)), 0);
}

TEST_F(LabelTest, RaisedShowsAShadowOnlyFromTwelvePoints) {
  TkvLabel* small = MakeLabel("Raised", 8);
  small->GetLabelProperties()->SetLabelStyle(kvlsRaised);
  TkvLabel* large = MakeLabel("Raised", 12);
  large->SetTop(40);
  large->GetLabelProperties()->SetLabelStyle(kvlsRaised);
  Pump();
  EXPECT_EQ(CountColour(small, clBtnShadow), 0);
  EXPECT_GT(CountColour(large, clBtnShadow), 0);
}

TEST_F(LabelTest, AngleIsTakenModulo360) {
  auto render = [&](Integer Angle) {
    TkvLabel* label = MakeLabel("Abc", 12);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 60, 60);
    label->GetLabelProperties()->SetAngle(Angle);
    Pump();
    std::vector<TColor> pixels;
    for (Integer y = 10; y < 70; ++y)
      for (Integer x = 10; x < 70; ++x) pixels.push_back(FormPixel(x, y));
    delete label;
    return pixels;
  };
  const auto a90 = render(90), a450 = render(450), a270 = render(270), aMinus90 = render(-90), a0 = render(0);
  EXPECT_EQ(a90, a450);
  EXPECT_EQ(a270, aMinus90);
  EXPECT_NE(a90, a0);
  EXPECT_NE(a90, a270);
}

TEST_F(LabelTest, TheKeptPictureIsCopiedUntilSomethingChanges) {
  TkvLabel* label = MakeLabel("Kept");
  TkvCustomLabelViewInfo* info = label->LabelViewInfo();
  // A view computed after the last paint draws once more.
  label->Invalidate();
  Pump();
  const Integer drawn = info->TextDrawCount;
  label->Invalidate();
  Pump();
  EXPECT_EQ(info->TextDrawCount, drawn);
  label->SetLeft(label->GetLeft() + 5);
  Pump();
  EXPECT_GT(info->TextDrawCount, drawn);
}

using LabelScreenshot = EditorsTest;

TEST_F(LabelScreenshot, EachStyleAndEffect) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  form->SetBounds(10, 10, 560, 330);
  form->SetColor(clBtnFace);
  auto add = [&](Integer X, Integer Y, const String& Caption, void (*Setup)(TkvLabel*)) {
    auto* label = new TkvLabel(form);
    label->SetParent(form);
    label->GetEditStyle()->GetFont()->SetName("Arial");
    label->GetEditStyle()->GetFont()->SetSize(16);
    label->GetEditStyle()->GetFont()->SetStyle(TFontStyles{fsBold});
    label->SetCaption(Caption);
    label->SetLeft(X);
    label->SetTop(Y);
    Setup(label);
  };
  add(10, 10, "Normal", [](TkvLabel*) {});
  add(10, 50, "Raised", [](TkvLabel* l) { l->GetLabelProperties()->SetLabelStyle(kvlsRaised); });
  add(10, 90, "Lowered", [](TkvLabel* l) { l->GetLabelProperties()->SetLabelStyle(kvlsLowered); });
  add(10, 130, "Outline", [](TkvLabel* l) {
    l->GetLabelProperties()->SetLabelStyle(kvlsOutLine);
    l->GetEditStyle()->GetFont()->SetSize(24);
  });
  add(10, 180, "Extrude", [](TkvLabel* l) {
    l->GetLabelProperties()->SetLabelEffect(kvleExtrude);
    l->GetLabelProperties()->SetDepth(4);
  });
  add(10, 220, "Cool shadow", [](TkvLabel* l) {
    l->GetLabelProperties()->SetLabelEffect(kvleCool);
    l->GetLabelProperties()->SetDepth(3);
  });
  add(10, 260, "Fun", [](TkvLabel* l) {
    l->GetLabelProperties()->SetLabelEffect(kvleFun);
    l->GetLabelProperties()->SetDepth(6);
    l->GetLabelProperties()->SetShadowedColor(clNavy);
    l->GetLabelProperties()->SetOrientation(kvoLeftTop);
  });
  add(220, 10, "Turned 30", [](TkvLabel* l) { l->GetLabelProperties()->SetAngle(30); });
  add(420, 10, "Up", [](TkvLabel* l) { l->GetLabelProperties()->SetAngle(90); });
  add(220, 150, "Filled", [](TkvLabel* l) {
    l->GetEditStyle()->GetFont()->SetSize(32);
    TBitmap stripes;
    stripes.SetSize(6, 6);
    for (Integer y = 0; y < 6; ++y)
      for (Integer x = 0; x < 6; ++x) stripes.GetCanvas()->SetPixel(x, y, (x + y) % 6 < 3 ? 0x2050E0 : 0x20A0F0);
    l->GetLabelProperties()->SetGlyph(&stripes);
  });
  add(220, 230, "Framed", [](TkvLabel* l) { l->GetEditStyle()->SetBorderStyle(ebsSingle); });
  form->Show();
  Pump();
  EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/editors-labels.png"));
}

}  // namespace
