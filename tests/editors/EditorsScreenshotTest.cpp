// A picture for a person to look at: push buttons in each look, state and kind, and containers in
// every border style hosting a list with its painter-drawn bar; saved under $TAVREN_TEST_OUTPUT.

#include <sys/stat.h>

#include <cstdlib>

#include "EditorsTestSupport.h"
#include "controls/Button.h"
#include "toolkit/editors/kvButtons.h"
#include "vcl/StdCtrls.h"

namespace {

// A container that shows its focused look without holding the one focus of the screen.
class TShowcaseContainer : public TkvContainer {
 public:
  using TkvContainer::TkvContainer;
  bool showFocused = false;
  bool Focused() override { return showFocused || TkvContainer::Focused(); }
};

// A 16 x 16 picture: a blue disc with a white play mark, on a transparent corner colour.
std::unique_ptr<TBitmap> PlayGlyph() {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(16, 16);
  TCanvas* canvas = bitmap->GetCanvas();
  canvas->GetBrush()->SetColor(clFuchsia);
  canvas->FillRect(TRect(0, 0, 16, 16));
  canvas->GetBrush()->SetColor(static_cast<TColor>(0xC07830));
  canvas->GetPen()->SetColor(static_cast<TColor>(0x905020));
  canvas->Ellipse(1, 1, 15, 15);
  canvas->GetBrush()->SetColor(clWhite);
  canvas->GetPen()->SetColor(clWhite);
  const TPoint play[] = {TPoint(6, 4), TPoint(11, 8), TPoint(6, 12)};
  canvas->Polygon(play, 3);
  return bitmap;
}

TLabel* Caption(TWinControl* Parent, Integer X, Integer Y, const char* Text) {
  auto* label = new TLabel(Parent);
  label->SetParent(Parent);
  label->SetCaption(Text);
  label->SetLeft(X);
  label->SetTop(Y);
  return label;
}

using EditorsScreenshot = EditorsTest;

TEST_F(EditorsScreenshot, ButtonsAndContainersInEachLook) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  form->SetBounds(10, 10, 1240, 960);
  form->SetColor(clBtnFace);
  auto glyph = PlayGlyph();
  auto* menu = new TPopupMenu(form);

  // Buttons: a block per look, a row per state, a column per kind.
  const std::pair<TkvLookAndFeelKind, const char*> kLooks[] = {
      {lfStandard, "Standard"}, {lfFlat, "Flat"}, {lfUltraFlat, "UltraFlat"}, {lfOffice11, "Office11"}};
  const char* kStates[] = {"normal", "hot", "pressed", "disabled", "default", "focused"};
  const char* kKinds[] = {"standard", "drop-down", "split", "speed down"};
  std::vector<TkvButton*> hot, pressed, focused;
  for (int look = 0; look < 4; ++look) {
    const Integer left = 10 + (look % 2) * 610;
    const Integer top = 10 + (look / 2) * 250;
    Caption(form, left, top, kLooks[look].second);
    for (int kind = 0; kind < 4; ++kind) Caption(form, left + 80 + kind * 125, top + 20, kKinds[kind]);
    for (int state = 0; state < 6; ++state) {
      Caption(form, left, top + 44 + state * 32, kStates[state]);
      for (int kind = 0; kind < 4; ++kind) {
        auto* button = new TkvButton(form);
        button->SetParent(form);
        button->SetBounds(left + 80 + kind * 125, top + 40 + state * 32, 115, 26);
        button->GetLookAndFeel()->SetKind(kLooks[look].first);
        switch (kind) {
          case 0:
            button->SetCaption("Convert");
            button->SetGlyph(glyph.get());
            break;
          case 1:
            button->SetCaption("Profiles");
            button->SetKind(kvbkDropDown);
            button->SetDropDownMenu(menu);
            break;
          case 2:
            button->SetCaption("Play");
            button->SetGlyph(glyph.get());
            button->SetKind(kvbkDropDownButton);
            button->SetDropDownMenu(menu);
            break;
          default:
            button->SetGlyph(glyph.get());
            button->SetGroupIndex(1 + look * 100 + state * 10 + kind);
            button->SetDown(true);
            break;
        }
        if (state == 1) hot.push_back(button);
        if (state == 2) pressed.push_back(button);
        if (state == 3) button->SetEnabled(false);
        if (state == 4) button->SetDefault(true);
        if (state == 5 && look == 0 && kind == 0) focused.push_back(button);
      }
    }
  }

  // Containers: the seven border styles, normal and focused, then the variants.
  const char* kBorders[] = {"None", "Single", "Thick", "Flat", "3D", "UltraFlat", "Office11"};
  const Integer containersTop = 520;
  auto addContainer = [&](Integer x, Integer y, const char* label) {
    auto* container = new TShowcaseContainer(form);
    container->SetParent(form);
    container->SetBounds(x, y + 18, 160, 92);
    Caption(form, x, y, label);
    auto* list = new TkvCustomInnerListBox(form);
    list->GetLookAndFeel()->AttachToMaster(container->GetStyle()->GetLookAndFeel());
    list->SetContainer(container);
    list->SetParent(container);
    container->SetInnerControl(list);
    for (const char* item : {"clip01.avi", "holiday.mp4", "interview.mov", "lecture.mkv", "music.mp3", "party.avi",
                             "trailer.mpg", "wedding.mp4"})
      list->GetItems()->Add(item);
    return container;
  };
  for (int border = 0; border < 7; ++border) {
    for (int row = 0; row < 2; ++row) {
      String label = String(kBorders[border]) + (row ? ", focused" : "");
      TShowcaseContainer* container =
          addContainer(10 + border * 174, containersTop + row * 126, label.c_str());
      container->GetStyle()->SetBorderStyle(static_cast<TkvContainerBorderStyle>(border));
      container->GetStyle()->SetHotTrack(true);
      container->showFocused = row == 1;
    }
  }
  const Integer variantsTop = containersTop + 2 * 126;
  TShowcaseContainer* shadow = addContainer(10, variantsTop, "UltraFlat with shadow");
  shadow->GetStyle()->SetBorderStyle(cbsUltraFlat);
  shadow->GetStyle()->SetShadow(true);
  TShowcaseContainer* edges = addContainer(184, variantsTop, "Single, top and bottom");
  edges->GetStyle()->SetBorderStyle(cbsSingle);
  edges->GetStyle()->SetEdges(TkvBorders{bTop, bBottom});
  TShowcaseContainer* opaque = addContainer(358, variantsTop, "3D, opaque border");
  opaque->GetStyle()->SetBorderStyle(cbs3D);
  opaque->GetStyle()->SetTransparentBorder(false);

  form->Show();
  Pump();
  for (TkvButton* button : hot) button->Perform(CM_MOUSEENTER, 0, 0);
  for (TkvButton* button : pressed) SendMessage(button->GetHandle(), BM_SETSTATE, TRUE, 0);
  for (TkvButton* button : focused) button->SetFocus();
  Pump();
  for (int i = 0; i < form->GetControlCount(); ++i) {
    if (auto* container = dynamic_cast<TkvContainer*>(form->GetControls(i))) container->RefreshViewInfo(false);
  }
  Pump();

  // Probes: a focused ultra-flat container's frame is the highlight; the shadow is drawn.
  EXPECT_EQ(FormPixel(10 + 5 * 174 + 1, containersTop + 126 + 18 + 40), ColorToRGB(clHighlight));
  EXPECT_EQ(FormPixel(10 + 150, variantsTop + 18 + 92 - 2), ColorToRGB(clBtnShadow));
  EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/editors-buttons-containers.png"));
}

}  // namespace
