// The colour combo and its control.

#include "gdi/Regions.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarExtItemsCombos.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/foundation/kvClasses.h"
#include "user/Input.h"
#include "user/Rects.h"
#include "user/VirtualKeys.h"
#include "vcl/Dialogs.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarColorCombo,
    PROPERTY(AutoColor).Default(clWindowText),
    PROPERTY(AutoColorText).Stored<&TqzBarColorCombo::IsAutoColorTextStored>(),
    PROPERTY(Color),
    PROPERTY(CustomColorText).Stored<&TqzBarColorCombo::IsCustomColorTextStored>(),
    PROPERTY(DropDownCount).Stored<&TqzBarColorCombo::IsDropDownCountStored>(),
    PROPERTY(ShowAutoColor).Default(false),
    PROPERTY(ShowCustomColorButton).Default(false),
    PROPERTY(ShowEditor).Default(false),
    PROPERTY(Text).Stored(false))
TAVREN_CLASS_IMPL(TqzBarColorComboControlDrawParams)
TAVREN_CLASS_IMPL(TqzBarColorComboControl)

namespace {

struct TStandardColor {
  Integer Caption;
  COLORREF Color;
};

const TStandardColor kStandardColors[16] = {
    {sqzBarColorBlack, RGB(0, 0, 0)},         {sqzBarColorMaroon, RGB(128, 0, 0)},
    {sqzBarColorGreen, RGB(0, 128, 0)},       {sqzBarColorOlive, RGB(128, 128, 0)},
    {sqzBarColorNavy, RGB(0, 0, 128)},        {sqzBarColorPurple, RGB(128, 0, 128)},
    {sqzBarColorTeal, RGB(0, 128, 128)},      {sqzBarColorGray, RGB(128, 128, 128)},
    {sqzBarColorSilver, RGB(192, 192, 192)},  {sqzBarColorRed, RGB(255, 0, 0)},
    {sqzBarColorLime, RGB(0, 255, 0)},        {sqzBarColorYellow, RGB(255, 255, 0)},
    {sqzBarColorBlue, RGB(0, 0, 255)},        {sqzBarColorFuchsia, RGB(255, 0, 255)},
    {sqzBarColorAqua, RGB(0, 255, 255)},      {sqzBarColorWhite, RGB(255, 255, 255)},
};

// The width of the colour sample in front of an entry's caption.
constexpr Integer kSampleWidth = 30;

// Sets the flag for the scope, also when a step fails.
class TFlagScope {
 public:
  explicit TFlagScope(bool& AFlag) : FFlag(AFlag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& FFlag;
};

}  // namespace

// ---- Item ----------------------------------------------------------------------------------------

TqzBarColorCombo::TqzBarColorCombo(TComponent* AOwner)
    : TqzBarCustomCombo(AOwner),
      FAutoColorText(ResourceStringText(sqzBarAutoColorText)),
      FCustomColorText(ResourceStringText(sqzBarCustomColorText)) {
  SetDropDownCount(16);
  LoadBarItemGlyph(this, "QZBARCOLORCOMBO");
  for (const TStandardColor& entry : kStandardColors) GetItems()->Add(ResourceStringText(entry.Caption));
  SetItemIndex(0);
  SetShowEditor(false);
}

bool TqzBarColorCombo::IsAutoColorTextStored() const {
  return FAutoColorText != ResourceStringText(sqzBarAutoColorText);
}

bool TqzBarColorCombo::IsCustomColorTextStored() const {
  return FCustomColorText != ResourceStringText(sqzBarCustomColorText);
}

TColor TqzBarColorCombo::ColorOfIndex(Integer AIndex) const {
  if (AIndex < 0 || AIndex >= EntryCount()) return FColor;
  if (FShowAutoColor) {
    if (AIndex == 0) return FAutoColor;
    --AIndex;
  }
  return static_cast<TColor>(kStandardColors[AIndex].Color);
}

Integer TqzBarColorCombo::IndexOfColor(TColor AColor) const {
  if (FShowAutoColor && AColor == FAutoColor) return 0;
  COLORREF rgb = ColorToRGB(AColor);
  for (Integer i = 0; i < 16; ++i)
    if (kStandardColors[i].Color == rgb) return i + (FShowAutoColor ? 1 : 0);
  return -1;
}

void TqzBarColorCombo::SelectColorEntry() {
  TFlagScope setting(FSettingColor);
  Integer index = IndexOfColor(FColor);
  if (index == GetItemIndex()) {
    RepaintControls();
    FireChange();
  } else {
    SetItemIndex(index);
  }
}

void TqzBarColorCombo::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  SelectColorEntry();
}

void TqzBarColorCombo::SetAutoColor(TColor Value) {
  if (FAutoColor == Value) return;
  FAutoColor = Value;
  if (!FShowAutoColor) return;
  {
    TFlagScope setting(FSettingColor);
    SetItemIndex(IndexOfColor(FColor));
  }
  RepaintControls();
}

void TqzBarColorCombo::SetAutoColorText(const String& Value) {
  if (FAutoColorText == Value) return;
  FAutoColorText = Value;
  if (!FShowAutoColor) return;
  GetItems()->SetStrings(0, Value);
  RepaintControls();
}

void TqzBarColorCombo::SetCustomColorText(const String& Value) {
  if (FCustomColorText == Value) return;
  FCustomColorText = Value;
  RepaintControls();
}

void TqzBarColorCombo::SetShowAutoColor(bool Value) {
  if (FShowAutoColor == Value) return;
  Integer oldDefault = EntryCount();
  FShowAutoColor = Value;
  {
    TFlagScope setting(FSettingColor);
    if (Value)
      GetItems()->Insert(0, FAutoColorText);
    else
      GetItems()->Delete(0);
    // A count the program set stays; the default follows the entries.
    if (GetDropDownCount() == oldDefault) SetDropDownCount(EntryCount());
    SetItemIndex(IndexOfColor(FColor));
  }
  RepaintControls();
}

void TqzBarColorCombo::SetShowCustomColorButton(bool Value) {
  if (FShowCustomColorButton == Value) return;
  FShowCustomColorButton = Value;
  RefreshControls();
}

void TqzBarColorCombo::FireChange() {
  if (!FSettingColor) FColor = ColorOfIndex(GetItemIndex());
  inherited::FireChange();
}

void TqzBarColorCombo::SetExchangeColor(TColor AColor) {
  FExchangeColor = AColor;
  FHasExchangeColor = true;
}

void TqzBarColorCombo::FireClick() {
  try {
    inherited::FireClick();
    if (!GetOnClick() && !GetReadOnly()) {
      TColorDialog* dialog = BarColorDialog();
      dialog->SetColor(FHasExchangeColor ? FExchangeColor : FColor);
      if (dialog->Execute()) SetColor(dialog->GetColor());
    }
  } catch (...) {
    FHasExchangeColor = false;
    throw;
  }
  FHasExchangeColor = false;
}

void TqzBarColorCombo::PaintListItem(TqzBarPainter* APainter, Integer AIndex, TOwnerDrawState AState, const TRect& R) {
  if (GetOnDrawItem()) {
    inherited::PaintListItem(APainter, AIndex, AState, R);
    return;
  }
  TCanvas* canvas = ListItemCanvas(AState);
  canvas->FillRect(R);
  TRect textArea = R;
  // An invalid system colour has nothing to show as a sample.
  bool noSample = AIndex == -1 && FColor < 0 && FColor > clInfoBk;
  if (!noSample) {
    TColor back = canvas->GetBrush()->GetColor();
    TRect sample(R.Left, R.Top, R.Left + kSampleWidth, R.Bottom);
    canvas->FrameRect(sample);
    InflateRect(&sample, -1, -1);
    canvas->GetBrush()->SetColor(clBtnShadow);
    canvas->FrameRect(sample);
    InflateRect(&sample, -1, -1);
    canvas->GetBrush()->SetColor(ColorOfIndex(AIndex));
    canvas->FillRect(sample);
    canvas->GetBrush()->SetColor(back);
    textArea.Left += kSampleWidth;
  }
  String text = AIndex == -1 ? FCustomColorText : ItemText(AIndex);
  canvas->TextOut(textArea.Left + 1, R.Top + (R.Height() - canvas->TextHeight(text)) / 2, text);
  if (AState.Contains(odFocused)) canvas->DrawFocusRect(R);
}

Integer TqzBarColorCombo::MeasureItemHeight(Integer AIndex) {
  if (GetOnMeasureItem()) return inherited::MeasureItemHeight(AIndex);
  return GetListCanvas()->TextHeight("0") + 4;
}

Integer TqzBarColorCombo::MeasureItemWidth(Integer AIndex) { return inherited::MeasureItemWidth(AIndex) + kSampleWidth; }

// ---- Control -------------------------------------------------------------------------------------

TClassOf<TqzBarItemControlDrawParams> TqzBarColorComboControl::DrawParamsClass() {
  return TqzBarColorComboControlDrawParams::ClassInfo();
}

void TqzBarColorComboControl::FillDrawParams(bool ARefresh) {
  inherited::FillDrawParams(ARefresh);
  auto* params = static_cast<TqzBarColorComboControlDrawParams*>(GetDrawParams());
  params->ButtonPressed = FButtonPressed;
  params->ShowCustomColorButton = GetColorCombo() && GetColorCombo()->GetShowCustomColorButton();
}

void TqzBarColorComboControl::CalcPartRects() {
  inherited::CalcPartRects();
  std::vector<TRect> parts = GetPartRects();
  Painter()->CalcColorComboPartRects(GetDrawParams(), parts[qzEditPart], parts);
  SetPartRects(parts);
}

void TqzBarColorComboControl::PaintEditArea() {
  inherited::PaintEditArea();
  const std::vector<TRect>& parts = GetPartRects();
  if (static_cast<Integer>(parts.size()) <= qzColorButtonPart || IsRectEmpty(&parts[qzColorButtonPart])) return;
  TRect margins;
  Painter()->GetImagePartMargins(GetPaintType(), margins);
  const TRect& button = parts[qzColorButtonPart];
  // The button stands inside the edit's frame, on the edit's own background.
  TRect area(button.Left - margins.Left, button.Top - margins.Top, button.Right + margins.Right,
             button.Bottom + margins.Bottom);
  TCanvas* canvas = GetCanvas()->GetCanvas();
  canvas->GetBrush()->SetColor(Painter()->EditAreaColor(GetDrawParams()));
  canvas->FillRect(area);
  Painter()->DrawImageEditButton(GetDrawParams(), button);
}

void TqzBarColorComboControl::SetButtonPressed(bool AValue) {
  if (FButtonPressed == AValue) return;
  FButtonPressed = AValue;
  FillDrawParams(true);
  Repaint();
}

void TqzBarColorComboControl::ClickButton() {
  TqzBarColorCombo* combo = GetColorCombo();
  combo->SetExchangeColor(combo->ColorOfIndex(GetPreviewIndex()));
  GetLink()->RegisterUse(true);
  // A menu closes before the dialog; a toolbar shows the button down while it runs.
  bool pressed = GetPaintType() != qzPaintMenu;
  if (pressed)
    SetButtonPressed(true);
  else
    HideActiveBarControl();
  TqzObjectGuard guard(this);
  combo->ClickItem();
  if (pressed && guard.Alive()) SetButtonPressed(false);
}

void TqzBarColorComboControl::InnerWndProc(TMessage& Message) {
  TqzBarColorCombo* combo = GetColorCombo();
  bool onButton = Message.Msg == WM_LBUTTONDOWN && GetHotPart() == qzColorButtonPart;
  bool ctrlEnter = Message.Msg == WM_KEYDOWN && Message.WParam == VK_RETURN && GetKeyState(VK_CONTROL) < 0;
  if (combo && (onButton || ctrlEnter)) {
    ClickButton();
    return;
  }
  inherited::InnerWndProc(Message);
}
