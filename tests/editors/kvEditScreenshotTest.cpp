// A picture for a person to look at: editors with an ellipsis, a drop-down, a glyph and a text
// button, in every button style and state; saved under $TAVREN_TEST_OUTPUT.

#include <sys/stat.h>

#include <cstdlib>

#include "EditTestEditor.h"
#include "EditorsTestSupport.h"
#include "vcl/StdCtrls.h"

namespace {

// A 12 x 12 glyph: a green check on a transparent corner colour.
std::unique_ptr<TBitmap> CheckGlyph() {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(12, 12);
  TCanvas* canvas = bitmap->GetCanvas();
  canvas->GetBrush()->SetColor(clFuchsia);
  canvas->FillRect(TRect(0, 0, 12, 12));
  canvas->GetPen()->SetColor(static_cast<TColor>(0x208020));
  canvas->GetPen()->SetWidth(2);
  canvas->MoveTo(2, 6);
  canvas->LineTo(5, 9);
  canvas->LineTo(10, 2);
  return bitmap;
}

void Label(TWinControl* Parent, Integer X, Integer Y, const char* Text) {
  auto* label = new TLabel(Parent);
  label->SetParent(Parent);
  label->SetCaption(Text);
  label->SetLeft(X);
  label->SetTop(Y);
}

using EditScreenshot = EditorsTest;

TEST_F(EditScreenshot, EditorsWithButtonsInEveryStyleAndState) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  mkdir(output, 0755);
  form->SetBounds(10, 10, 860, 330);
  form->Show();
  auto glyph = CheckGlyph();
  struct Row {
    const char* name;
    TkvEditButtonStyle style;
    bool gradient, shadow, leftButton;
  };
  const Row rows[] = {
      {"3D", bts3D, false, false, false},           {"Flat", btsFlat, false, false, false},
      {"Simple", btsSimple, false, false, false},   {"HotFlat", btsHotFlat, false, false, false},
      {"UltraFlat", btsUltraFlat, false, false, false}, {"Office11", btsOffice11, false, false, false},
      {"Office11 gradient", btsOffice11, true, false, false}, {"3D, shadow, left button", bts3D, false, true, true},
  };
  const char* states[] = {"normal", "hot", "pressed", "disabled"};
  std::vector<std::pair<TTestEdit*, bool>> shown;
  for (int column = 0; column < 4; ++column) Label(form, 130 + column * 180, 6, states[column]);
  for (int row = 0; row < 8; ++row) {
    const Row& r = rows[row];
    Label(form, 8, 30 + row * 36, r.name);
    for (int column = 0; column < 4; ++column) {
      auto* edit = new TTestEdit(form);
      // The picture compares states at one size.
      edit->SetAutoSize(false);
      edit->SetParent(form);
      edit->SetBounds(130 + column * 180, 26 + row * 36, 170, 24);
      TkvEditStyle* style = edit->GetEditStyle();
      style->SetBorderStyle(ebsSingle);
      style->SetTransparentBorder(false);
      // Buttons turn hot only under a hot-tracking style.
      style->SetHotTrack(true);
      style->SetButtonStyle(r.style);
      style->SetGradientButtons(r.gradient);
      style->SetShadow(r.shadow);
      TkvEditButtons* buttons = edit->Props()->GetButtons();
      TkvEditButton* text = buttons->AddButton();
      text->SetKind(bkText);
      text->SetCaption("&Go");
      text->SetLeftAlignment(r.leftButton);
      buttons->AddButton()->SetKind(bkEllipsis);
      TkvEditButton* glyphButton = buttons->AddButton();
      glyphButton->SetKind(bkGlyph);
      glyphButton->SetGlyph(glyph.get());
      buttons->AddButton()->SetKind(bkDown);
      if (column == 3) edit->SetEnabled(false);
      if (column == 1 || column == 2) shown.push_back({edit, column == 2});
    }
  }
  Pump();
  // The ellipsis button shows the state: the mouse over it, or the left button pressed on it.
  for (auto [edit, pressed] : shown) {
    TkvEditButtonViewInfo* ellipsis = edit->GetEditViewInfo()->Buttons[1].get();
    TPoint over{(ellipsis->Bounds.Left + ellipsis->Bounds.Right) / 2, 10};
    edit->CalculateViewInfoAt(over, pressed ? 1 : 0, pressed ? TShiftState{ssLeft} : TShiftState{}, true);
  }
  Pump();
  // The shadowed editors show their shadow along the right edge.
  EXPECT_EQ(FormPixel(130 + 170 - 2, 26 + 7 * 36 + 12), static_cast<TColor>(ColorToRGB(clBtnShadow)));
  EXPECT_TRUE(screen.SaveWindowPng(form->GetHandle(), String(output) + "/editors-edit-buttons.png"));
}

}  // namespace
