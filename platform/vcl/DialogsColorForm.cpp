// The colour dialog's form and its Execute.

#include <algorithm>
#include <array>
#include <memory>

#include "rtl/SysUtils.h"
#include "user/Rects.h"
#include "vcl/DialogForm.h"
#include "vcl/Dialogs.h"
#include "vcl/ExtCtrls.h"

namespace {

constexpr Integer kColumns = 8;
constexpr Integer kRows = 6;
constexpr Integer kCellWidth = 22;
constexpr Integer kCellHeight = 18;
constexpr Integer kCellGap = 4;

// Eight hues, each as two tints, the pure colour and two shades, and a row of greys from white
// to black: enough to pick a colour by eye; the edits reach any other.
std::array<COLORREF, kColumns * kRows> BasicColors() {
  static const COLORREF kHues[kColumns] = {RGB(255, 0, 0),   RGB(255, 128, 0), RGB(255, 255, 0), RGB(0, 192, 0),
                                           RGB(0, 192, 192), RGB(0, 64, 255),  RGB(128, 0, 192), RGB(255, 0, 255)};
  // Per row, the share of white mixed in (positive) or of black (negative), in eighths.
  static const int kMix[kRows - 1] = {6, 3, 0, -3, -5};
  std::array<COLORREF, kColumns * kRows> colors{};
  for (Integer row = 0; row < kRows - 1; ++row)
    for (Integer column = 0; column < kColumns; ++column) {
      int mix = kMix[row];
      auto channel = [mix](BYTE value) {
        return static_cast<BYTE>(mix >= 0 ? value + (255 - value) * mix / 8 : value * (8 + mix) / 8);
      };
      COLORREF hue = kHues[column];
      colors[static_cast<size_t>(row * kColumns + column)] =
          RGB(channel(GetRValue(hue)), channel(GetGValue(hue)), channel(GetBValue(hue)));
    }
  for (Integer column = 0; column < kColumns; ++column) {
    auto grey = static_cast<BYTE>(255 - column * 255 / (kColumns - 1));
    colors[static_cast<size_t>((kRows - 1) * kColumns + column)] = RGB(grey, grey, grey);
  }
  return colors;
}

// The basic colours; a click picks one and the chosen colour's cell is framed.
class TColorGrid : public TCustomControl {
  TAVREN_CLASS(TColorGrid, TCustomControl)
 public:
  explicit TColorGrid(TComponent* AOwner) : TCustomControl(AOwner), FColors(BasicColors()) {}
  COLORREF GetChosen() const { return FChosen; }
  void SetChosen(COLORREF Value) {
    FChosen = Value;
    Invalidate();
  }
  TNotifyEvent OnPick;

  static TRect CellRect(Integer AIndex) {
    Integer left = (AIndex % kColumns) * (kCellWidth + kCellGap);
    Integer top = (AIndex / kColumns) * (kCellHeight + kCellGap);
    return TRect(left, top, left + kCellWidth, top + kCellHeight);
  }

 protected:
  void Paint() override {
    TCanvas* canvas = GetCanvas();
    canvas->GetBrush()->SetColor(clBtnFace);
    canvas->FillRect(GetClientRect());
    for (size_t i = 0; i < FColors.size(); ++i) {
      TRect cell = CellRect(static_cast<Integer>(i));
      if (FColors[i] == FChosen) {
        TRect mark = cell;
        InflateRect(&mark, 2, 2);
        canvas->GetBrush()->SetColor(clWindowText);
        canvas->FrameRect(mark);
      }
      DrawEdge(canvas->GetHandle(), &cell, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
      canvas->GetBrush()->SetColor(static_cast<TColor>(FColors[i]));
      canvas->FillRect(cell);
    }
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    for (size_t i = 0; i < FColors.size(); ++i) {
      TRect cell = CellRect(static_cast<Integer>(i));
      if (PtInRect(&cell, TPoint(X, Y))) {
        SetChosen(FColors[i]);
        OnPick(this);
      }
    }
  }

 private:
  std::array<COLORREF, kColumns * kRows> FColors;
  COLORREF FChosen = 0;
};

TAVREN_CLASS_IMPL(TColorGrid)

class TColorDialogForm : public TDialogForm {
  TAVREN_CLASS(TColorDialogForm, TDialogForm)
 public:
  explicit TColorDialogForm(COLORREF AColor);
  // The colour the edits hold, each channel kept within 0..255.
  COLORREF Chosen() const { return RGB(Channel(FRed), Channel(FGreen), Channel(FBlue)); }

 private:
  static BYTE Channel(TEdit* AEdit) { return static_cast<BYTE>(std::clamp(StrToIntDef(AEdit->GetText(), 0), 0, 255)); }
  void ShowColor(COLORREF AColor);
  void GridPick(TObject*) { ShowColor(FGrid->GetChosen()); }
  void EditChange(TObject*);

  TColorGrid* FGrid;
  TEdit* FRed;
  TEdit* FGreen;
  TEdit* FBlue;
  TPanel* FSample;
  // Set while the edits are written from a colour, so their change notices do not echo.
  bool FShowing = false;
};

TAVREN_CLASS_IMPL(TColorDialogForm)

TColorDialogForm::TColorDialogForm(COLORREF AColor)
    : TDialogForm("ColorDialog", "Color", kColumns * (kCellWidth + kCellGap) + 8 + 91,
                  kRows * (kCellHeight + kCellGap) + 8 + 36) {
  FGrid = AddControl<TColorGrid>("ColorGrid", 10, 10, kColumns * (kCellWidth + kCellGap) - kCellGap + 2,
                                 kRows * (kCellHeight + kCellGap) - kCellGap + 2);
  FGrid->OnPick = MakeEvent<&TColorDialogForm::GridPick>(this);
  Integer top = kRows * (kCellHeight + kCellGap) + 14;
  TEdit** edits[] = {&FRed, &FGreen, &FBlue};
  const char* names[] = {"RedEdit", "GreenEdit", "BlueEdit"};
  const char* captions[] = {"Red:", "Green:", "Blue:"};
  for (int i = 0; i < 3; ++i) {
    AddLabel(captions[i], 8 + i * 70, top + 4);
    *edits[i] = AddControl<TEdit>(names[i], 8 + i * 70 + 38, top, 28, 21);
    (*edits[i])->SetMaxLength(3);
    (*edits[i])->SetOnChange(MakeEvent<&TColorDialogForm::EditChange>(this));
  }
  FSample = AddControl<TPanel>("SamplePanel", GetClientWidth() - 83, top - 30, 75, 51);
  FSample->SetBevelOuter(bvLowered);
  FSample->SetCaption("");
  FSample->SetParentBackground(false);
  ShowColor(AColor);
}

void TColorDialogForm::ShowColor(COLORREF AColor) {
  FShowing = true;
  FRed->SetText(IntToStr(GetRValue(AColor)));
  FGreen->SetText(IntToStr(GetGValue(AColor)));
  FBlue->SetText(IntToStr(GetBValue(AColor)));
  FShowing = false;
  FSample->SetColor(static_cast<TColor>(AColor));
  FGrid->SetChosen(AColor);
}

void TColorDialogForm::EditChange(TObject*) {
  if (FShowing) return;
  FSample->SetColor(static_cast<TColor>(Chosen()));
  FGrid->SetChosen(Chosen());
}

}  // namespace

bool TColorDialog::Execute() {
  // Forms live on the heap: their deletion runs the framework's destruction steps.
  auto form = std::make_unique<TColorDialogForm>(ColorToRGB(FColor));
  DoShow();
  bool confirmed = form->ShowModal() == mrOk;
  DoClose();
  if (confirmed) FColor = static_cast<TColor>(form->Chosen());
  return confirmed;
}
