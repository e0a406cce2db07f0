// Pictures for a person to look at: every Wb control in its states, classic and with a theme,
// saved under $TAVREN_TEST_OUTPUT.

#include <gtest/gtest.h>

#include "Screenshots.h"
#include "VclTestSupport.h"
#include "WbTestSupport.h"
#include "toolkit/controls/WbBmpBtn.h"
#include "toolkit/controls/WbButton.h"
#include "toolkit/controls/WbGrafx.h"
#include "toolkit/controls/WbPanel.h"
#include "toolkit/controls/WbRadChk.h"
#include "toolkit/controls/WbSpnEdt.h"
#include "toolkit/controls/WbTrkBar.h"
#include "user/VirtualKeys.h"

namespace {

// A 56 x 24 button picture: a rounded gradient face on olive (left out), as the clip editor has.
void ButtonPicture(TBitmap& Bitmap, TColor Top, TColor Bottom, TColor Outline) {
  FillBitmap(Bitmap, 56, 24, clOlive);
  TCanvas* c = Bitmap.GetCanvas();
  PaintGradientArea(c, {1, 1, 55, 23}, gdHorizontalEnd, Top, Bottom, 1);
  PaintRoundedFlatBorder(c, {0, 0, 56, 24}, Outline, AllSides);
  for (TPoint p : {TPoint{0, 0}, TPoint{1, 0}, TPoint{0, 1}, TPoint{55, 0}, TPoint{54, 0}, TPoint{55, 1},
                   TPoint{0, 23}, TPoint{1, 23}, TPoint{0, 22}, TPoint{55, 23}, TPoint{54, 23}, TPoint{55, 22}})
    c->SetPixel(p.X, p.Y, clOlive);
}

class WbScreenshotTest : public VclTest {
 protected:
  template <class T>
  T* Add(TWinControl* Parent, Integer L, Integer T0, Integer W, Integer H) {
    auto* control = new T(form);
    control->SetParent(Parent);
    control->SetBounds(L, T0, W, H);
    return control;
  }

  void BuildForm() {
    form = NewForm(20, 20, 860, 730);
    form->SetCaption("Wb controls");
    form->SetColor(clBtnFace);

    // Panels: border styles, gradients, a grid, a transparent one over a gradient.
    struct PanelCase {
      const char* Caption;
      TFrameStyleEx Outer, Inner;
    };
    const PanelCase panels[] = {{"Raised", fsRaised, fsNone},   {"Lowered", fsLowered, fsNone},
                                {"Groove", fsGroove, fsNone},   {"Bump", fsBump, fsNone},
                                {"Flat", fsFlat, fsNone},       {"Flat rounded", fsFlatRounded, fsNone},
                                {"Status", fsStatus, fsPopup},  {"Raised + lowered", fsRaised, fsLowered}};
    for (int i = 0; i < 8; ++i) {
      auto* p = Add<TWbPanel>(form, 10 + (i % 4) * 105, 10 + (i / 4) * 50, 98, 42);
      p->SetCaption(panels[i].Caption);
      p->SetBorderOuter(panels[i].Outer);
      p->SetBorderInner(panels[i].Inner);
    }
    auto* gradient = Add<TWbPanel>(form, 10, 115, 205, 90);
    gradient->SetVisualStyle(vsGradient);
    gradient->SetGradientColorStyle(gcsCustom);
    gradient->SetGradientColorStart(TColor(0xFFF4E8));
    gradient->SetGradientColorStop(TColor(0xC08850));
    gradient->SetGradientDirection(gdVerticalEnd);
    gradient->SetBorderOuter(fsFlat);
    gradient->SetFlatColorAdjustment(0);
    gradient->SetCaption("");
    auto* transparent = Add<TWbPanel>(gradient, 20, 20, 160, 50);
    transparent->SetTransparent(true);
    transparent->SetBorderOuter(fsFlatRounded);
    transparent->SetCaption("Transparent over a gradient");
    transparent->SetFont(form->GetFont());
    transparent->GetFont()->SetColor(clNavy);
    auto* box = Add<TWbPanel>(form, 220, 115, 100, 90);
    box->SetVisualStyle(vsGradient);
    box->SetGradientColorStyle(gcsCustom);
    box->SetGradientColorStart(clWhite);
    box->SetGradientColorStop(TColor(0x80C0FF));
    box->SetGradientDirection(gdSquareBox);
    box->SetBorderOuter(fsLowered);
    box->SetCaption("Box gradient");
    auto* grid = Add<TWbPanel>(form, 325, 115, 110, 90);
    grid->SetShowGrid(true);
    grid->SetGridStyle(gsDottedLines);
    grid->SetBorderOuter(fsFlat);
    grid->SetColor(clWindow);
    grid->SetCaption("Grid");
    grid->SetAlignmentVertical(avBottom);

    // Group boxes in the six styles.
    const TWbGroupBoxStyle styles[] = {gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline};
    const char* names[] = {"Standard", "Custom", "Top line", "Flat", "Banner", "Underline"};
    for (int i = 0; i < 6; ++i) {
      auto* g = Add<TWbGroupBox>(form, 445 + (i % 3) * 135, 10 + (i / 3) * 100, 128, 92);
      g->SetGroupStyle(styles[i]);
      g->SetCaption(names[i]);
      if (styles[i] == gsCustom) g->SetBorderOuter(fsGroove);
      auto* inner = Add<TWbCheckBox>(g, 8, 40, 110, 17);
      inner->SetCaption(i % 2 ? "Audio" : "Video");
      inner->SetChecked(i % 2 == 0);
    }

    // Check boxes: states, hot tracking, a custom strip, disabled.
    auto* checks = Add<TWbGroupBox>(form, 10, 215, 280, 135);
    checks->SetCaption("Check boxes");
    const TCheckBoxState states[] = {cbUnchecked, cbChecked, cbGrayed};
    const char* stateNames[] = {"Unchecked", "Checked", "Grayed"};
    for (int i = 0; i < 3; ++i) {
      auto* c = Add<TWbCheckBox>(checks, 10, 22 + i * 20, 120, 17);
      c->SetAllowGrayed(true);
      c->SetState(states[i]);
      c->SetCaption(stateNames[i]);
      auto* hot = Add<TWbCheckBox>(checks, 140, 22 + i * 20, 130, 17);
      hot->SetHotTrack(true);
      hot->SetAllowGrayed(true);
      hot->SetState(states[i]);
      hot->SetCaption(String("Hot track ") + std::to_string(i + 1));
    }
    auto* disabled = Add<TWbCheckBox>(checks, 10, 84, 120, 17);
    disabled->SetChecked(true);
    disabled->SetCaption("Disabled");
    disabled->SetEnabled(false);
    auto* custom = Add<TWbCheckBox>(checks, 140, 84, 130, 17);
    TBitmap strip;
    FillBitmap(strip, 9 * 13, 13, clOlive);
    for (int i = 0; i < 9; ++i) {
      TRect r{i * 13, 0, i * 13 + 13, 13};
      PaintGradientArea(strip.GetCanvas(), {r.Left + 1, 1, r.Right - 1, 12}, gdDiagonalDown, clWhite,
                        i >= 6 ? clSilver : TColor(0xF0C890), 1);
      PaintRoundedFlatBorder(strip.GetCanvas(), r, i >= 6 ? clGray : TColor(0x804020), AllSides);
      if (i % 3 == 1) PaintCheckGlyph(strip.GetCanvas(), {r.Left + 1, 1, r.Right - 1, 12}, cbChecked, 0, false, false,
                                      false, htsInterior, clOlive, clOlive, clOlive, clOlive, clOlive,
                                      i >= 6 ? clGray : clNavy, clOlive, clOlive);
    }
    custom->SetCustomGlyphs(&strip);
    custom->SetChecked(true);
    custom->SetCaption("Custom strip");
    auto* raised = Add<TWbCheckBox>(checks, 10, 106, 260, 20);
    raised->SetCaption("Raised caption text");
    raised->SetTextStyle(tsRaised);

    // Control buttons: arrows, drop-down, glyph, flat.
    auto* buttons = Add<TWbGroupBox>(form, 300, 215, 140, 135);
    buttons->SetCaption("Control buttons");
    const TWbControlButtonStyle arrows[] = {cbsUp, cbsDown, cbsLeft, cbsRight, cbsDropDown};
    for (int i = 0; i < 5; ++i) {
      auto* b = Add<TWbControlButton>(buttons, 10 + i * 24, 25, 20, 21);
      b->SetStyle(arrows[i]);
      auto* flat = Add<TWbControlButton>(buttons, 10 + i * 24, 55, 20, 21);
      flat->SetStyle(arrows[i]);
      flat->SetFlat(true);
      if (i == 4) flat->SetEnabled(false);
    }
    auto* glyph = Add<TWbControlButton>(buttons, 10, 85, 50, 24);
    TBitmap g;
    FillBitmap(g, 16, 16, clOlive);
    g.GetCanvas()->GetBrush()->SetColor(TColor(0x2080E0));
    g.GetCanvas()->Ellipse(2, 2, 14, 14);
    glyph->SetGlyph(&g);

    // Bitmap buttons: up, hot, down, stuck, disabled (embossed from Up).
    auto* bitmaps = Add<TWbGroupBox>(form, 450, 215, 395, 135);
    bitmaps->SetCaption("Bitmap buttons");
    TBitmap up, hotPicture, down;
    ButtonPicture(up, clWhite, TColor(0xD8C0A8), TColor(0x806040));
    ButtonPicture(hotPicture, TColor(0xE8FFFF), TColor(0x60C8F8), TColor(0x2080C0));
    ButtonPicture(down, TColor(0xD0B090), TColor(0xF0E0D0), TColor(0x604020));
    const char* captions[] = {"&Reset", "Hot", "Down", "Stuck", "Disabled"};
    for (int i = 0; i < 5; ++i) {
      auto* b = Add<TWbBmpButton>(bitmaps, 10 + i * 75, 30, 56, 24);
      b->GetBitmaps()->SetUp(&up);
      b->GetBitmaps()->SetHot(&hotPicture);
      b->GetBitmaps()->SetDown(&down);
      b->SetCaption(captions[i]);
      bmpButtons[i] = b;
    }
    bmpButtons[3]->SetGroupIndex(1);
    bmpButtons[3]->SetDown(true);
    bmpButtons[4]->SetEnabled(false);
    auto* bordered = Add<TWbBmpButton>(bitmaps, 10, 75, 80, 30);
    bordered->GetBitmaps()->SetUp(&up);
    bordered->SetButtonBorder(bbButton);
    bordered->SetCaption("Bordered");
    auto* stuckBordered = Add<TWbBmpButton>(bitmaps, 100, 75, 80, 30);
    stuckBordered->GetBitmaps()->SetUp(&up);
    stuckBordered->SetButtonBorder(bbButton);
    stuckBordered->SetGroupIndex(2);
    stuckBordered->SetDown(true);
    stuckBordered->SetCaption("Stuck");
    auto* beside = Add<TWbBmpButton>(bitmaps, 190, 75, 180, 30);
    beside->SetButtonSize(bszNeither);
    TBitmap small;
    FillBitmap(small, 16, 16, clOlive);
    small.GetCanvas()->GetBrush()->SetColor(TColor(0x30A030));
    small.GetCanvas()->Ellipse(1, 1, 15, 15);
    beside->GetBitmaps()->SetUp(&small);
    beside->SetButtonBorder(bbSingle);
    beside->SetCaption("Glyph beside text");

    // Track bars: every thumb style, both orientations, normal, hot and disabled.
    auto* tracks = Add<TWbGroupBox>(form, 10, 360, 835, 235);
    tracks->SetCaption("Track bars");
    const TThumbStyle thumbs[] = {tsPointer, tsBox, tsMixer, tsFlat, tsXPPointer, tsXPBox};
    for (int i = 0; i < 6; ++i) {
      auto* t = Add<TWbTrackBar>(tracks, 10 + (i % 3) * 190, 22 + (i / 3) * 45, 180, 40);
      t->SetThumbStyle(thumbs[i]);
      t->SetPosition(3 + i);
      trackBars.push_back(t);
    }
    auto* win95 = Add<TWbTrackBar>(tracks, 10, 115, 180, 40);
    win95->SetPointerType(ptWin95);
    win95->SetTrackOffset(8);
    win95->SetPosition(7);
    auto* disabledBar = Add<TWbTrackBar>(tracks, 200, 115, 180, 40);
    disabledBar->SetEnabled(false);
    disabledBar->SetPosition(4);
    auto* hotBar = Add<TWbTrackBar>(tracks, 390, 115, 180, 40);
    hotBar->SetThumbStyle(tsBox);
    hotBar->SetHotTrackColorType(htctComplement);
    hotBar->SetPosition(6);
    hotTrackBar = hotBar;
    const TThumbStyle vthumbs[] = {tsPointer, tsBox, tsMixer, tsFlat, tsXPPointer, tsXPBox};
    for (int i = 0; i < 6; ++i) {
      auto* t = Add<TWbTrackBar>(tracks, 585 + i * 40, 18, 38, 200);
      t->SetThumbStyle(vthumbs[i]);
      t->SetPosition(2 + i);
      if (i == 5) t->SetEnabled(false);
    }
    auto* ticks = Add<TWbTrackBar>(tracks, 10, 165, 560, 40);
    ticks->SetMin(-7);
    ticks->SetMax(30);
    ticks->SetTickStep(5);
    ticks->SetThumbStyle(tsBox);
    ticks->SetPosition(12);

    // Mask and spin edits: states, a hot frame, flat and horizontal buttons.
    auto* edits = Add<TWbGroupBox>(form, 10, 600, 835, 90);
    edits->SetCaption("Edits");
    const char* texts[] = {"00:01:23.456", "00:00:10.000", "00:02:00.500", "01:00:00.000"};
    for (int i = 0; i < 4; ++i) {
      auto* e = Add<TWbMaskEdit>(edits, 10 + i * 105, 25, 95, 21);
      e->SetEditMask("!00:00:00.000;1;_");
      e->SetText(texts[i]);
      maskEdits.push_back(e);
    }
    maskEdits[1]->SetFrameVisible(true);
    maskEdits[1]->SetFrameHotTrack(true);
    maskEdits[1]->SetFrameHotColor(TColor(0xC06020));
    maskEdits[2]->SetReadOnly(true);
    maskEdits[3]->SetEnabled(false);
    auto* blank = Add<TWbMaskEdit>(edits, 430, 25, 95, 21);
    blank->SetEditMask("!00:00:00.000;1;_");
    for (int i = 0; i < 4; ++i) {
      auto* spin = Add<TWbSpinEdit>(edits, 10 + i * 105, 55, 95, 21);
      spin->SetValue(10 * (i + 1));
      spinEdits.push_back(spin);
    }
    spinEdits[1]->SetFlatButtons(true);
    spinEdits[1]->SetFlatButtonColor(clWhite);
    spinEdits[2]->SetButtonWidth(14);
    spinEdits[2]->SetOrientation(orHorizontal);
    spinEdits[3]->SetEnabled(false);
    auto* framed = Add<TWbSpinEdit>(edits, 430, 55, 95, 21);
    framed->SetFrameVisible(true);
    framed->SetFrameStyle(fsFlat);
    framed->SetFrameColor(TColor(0x806040));
    framed->SetValue(42);
  }

  void HoverOver(TWbTrackBar* bar) {
    TRect thumb = bar->GetThumbRect();
    TPoint at = bar->ClientToScreen({(thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2});
    InputMouseMove({at.X, at.Y});
    Settle();
  }

  TForm* form = nullptr;
  TWbBmpButton* bmpButtons[5] = {};
  std::vector<TWbTrackBar*> trackBars;
  std::vector<TWbMaskEdit*> maskEdits;
  std::vector<TWbSpinEdit*> spinEdits;
  TWbTrackBar* hotTrackBar = nullptr;
};

}  // namespace

TEST_F(WbScreenshotTest, EveryControlClassic) {
  BuildForm();
  form->Show();
  Settle();
  // One button held down by Space, one told the mouse is over it, and the real mouse over a thumb.
  bmpButtons[2]->SetFocus();
  InputKey(VK_SPACE, true, ' ');
  Settle();
  EXPECT_EQ(bmpButtons[2]->GetState(), bsDown);
  bmpButtons[1]->Perform(CM_MOUSEENTER, 0, 0);
  maskEdits[1]->Perform(CM_MOUSEENTER, 0, 0);
  HoverOver(hotTrackBar);
  EXPECT_TRUE(hotTrackBar->IsHot());
  EXPECT_TRUE(SaveWindowShot(form->GetHandle(), "wb-controls-classic"));
  InputKey(VK_SPACE, false);
  Settle();
}

TEST_F(WbScreenshotTest, EveryControlThemed) {
  RecordingTheme theme;
  theme.Pictures = true;
  theme.Colour = RGB(0, 70, 213);
  BuildForm();
  form->Show();
  Settle();
  HoverOver(trackBars[0]);
  EXPECT_GT(theme.Parts, 0);
  EXPECT_TRUE(SaveWindowShot(form->GetHandle(), "wb-controls-themed"));
}
