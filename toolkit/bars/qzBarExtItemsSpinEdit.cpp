// The spin edit: a number kept between bounds, stepped by two buttons that repeat while held.

#include <cmath>

#include "rtl/FormatSettings.h"
#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/Rects.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarSpinEdit,
    PROPERTY(ValueType).Default(svtInteger),
    PROPERTY(Increment).Stored<&TqzBarSpinEdit::IsIncrementStored>(),
    PROPERTY(MinValue).Stored<&TqzBarSpinEdit::IsMinValueStored>(),
    PROPERTY(MaxValue).Stored<&TqzBarSpinEdit::IsMaxValueStored>(),
    PROPERTY(Prefix),
    PROPERTY(PrefixPlace).Default(ppEnd),
    PROPERTY(Value).Stored<&TqzBarSpinEdit::IsValueStored>(),
    PROPERTY(Text).Stored(false),
    PROPERTY(OnButtonClick))
TAVREN_CLASS_IMPL(TqzBarSpinEditDrawParams)
TAVREN_CLASS_IMPL(TqzBarSpinEditControl)

namespace {

// The whole numbers a double holds that fit a 64-bit integer: a value is held to them before it
// is truncated, so that no conversion overflows.
constexpr Extended kLowestWhole = -9223372036854775808.0;
constexpr Extended kHighestWhole = 9223372036854774784.0;

// After the first press, the step repeats once after the double-click time less 100 ms, then
// every 100 ms.
constexpr UINT kRepeatInterval = 100;

}  // namespace

// ---- Item ----------------------------------------------------------------------------------------

TqzBarSpinEdit::TqzBarSpinEdit(TComponent* AOwner) : TqzBarEdit(AOwner) { FText = "0"; }

Extended TqzBarSpinEdit::Normalize(Extended AValue) const {
  if (FValueType == svtFloat) return AValue;
  if (std::isnan(AValue)) return 0;
  return std::trunc(std::clamp(AValue, kLowestWhole, kHighestWhole));
}

Extended TqzBarSpinEdit::ClampValue(Extended AValue) const {
  Extended v = Normalize(AValue);
  if (HasBounds()) {
    if (v < FMinValue) v = FMinValue;
    if (v > FMaxValue) v = FMaxValue;
  }
  return v;
}

String TqzBarSpinEdit::FormatValue(Extended AValue) const {
  String number = FValueType == svtFloat ? FloatToStr(AValue) : IntToStr(static_cast<Int64>(Normalize(AValue)));
  return FPrefixPlace == ppEnd ? number + FPrefix : FPrefix + number;
}

String TqzBarSpinEdit::StripPrefix(const String& AText) const {
  if (FPrefix.empty()) return AText;
  String text = AText;
  size_t at = text.find(FPrefix);
  if (at != String::npos) text.erase(at, FPrefix.size());
  return text;
}

bool TqzBarSpinEdit::TryParse(const String& AText, Extended& AValue) const {
  String text = StripPrefix(AText);
  if (FValueType == svtFloat) return TryStrToFloat(text, AValue);
  Int64 whole;
  if (!TryStrToInt64(text, whole)) return false;
  AValue = static_cast<Extended>(whole);
  return true;
}

Extended TqzBarSpinEdit::ParseValue(const String& AText) const {
  Extended value;
  return TryParse(AText, value) ? value : FMinValue;
}

void TqzBarSpinEdit::SetText(const String& Value) {
  Extended value;
  // A text that is no number (or one beyond the whole numbers) changes nothing.
  if (!TryParse(Value, value)) return;
  inherited::SetText(FormatValue(ClampValue(value)));
}

TqzBarSpinEditControl* TqzBarSpinEdit::EditingControl() const {
  for (Integer i = 0; i < GetLinkCount(); ++i) {
    auto* control = dynamic_cast<TqzBarSpinEditControl*>(GetLink(i)->GetControl());
    if (control && control->GetInPlaceActive()) return control;
  }
  return nullptr;
}

Extended TqzBarSpinEdit::CurValue() {
  String text = GetText();
  if (TqzBarSpinEditControl* control = EditingControl()) control->GetInnerText(text);
  return ParseValue(text);
}

void TqzBarSpinEdit::SetCurValue(Extended AValue) {
  Extended value = ClampValue(AValue);
  if (value == CurValue()) return;
  if (TqzBarSpinEditControl* control = EditingControl()) {
    control->SetInnerText(FormatValue(value));
    FireCurChange();
  } else {
    inherited::SetText(FormatValue(value));
  }
}

void TqzBarSpinEdit::SetValue(Extended Value) {
  Extended value = ClampValue(Value);
  if (value != GetValue()) inherited::SetText(FormatValue(value));
}

void TqzBarSpinEdit::SetIncrement(Extended Value) {
  Value = Normalize(Value);
  if (FValueType == svtInteger ? Value < 1 : Value <= 0) Value = 1;
  FIncrement = Value;
}

void TqzBarSpinEdit::SetMinValue(Extended Value) {
  Value = Normalize(Value);
  if (FMinValue == Value) return;
  FMinValue = Value;
  if (FMaxValue < Value) FMaxValue = Value;
  ReclampValues();
}

void TqzBarSpinEdit::SetMaxValue(Extended Value) {
  Value = Normalize(Value);
  if (FMaxValue == Value) return;
  FMaxValue = Value;
  if (FMinValue > Value) FMinValue = Value;
  ReclampValues();
}

void TqzBarSpinEdit::ReclampValues() {
  if (IsLoading()) return;
  SetValue(ClampValue(GetValue()));
  SetCurValue(ClampValue(CurValue()));
}

void TqzBarSpinEdit::SetPrefix(const String& Value) {
  if (FPrefix == Value) return;
  Extended value = GetValue();
  FPrefix = Value;
  inherited::SetText(FormatValue(value));
}

void TqzBarSpinEdit::SetPrefixPlace(TqzBarSpinEditPrefixPlace Value) {
  if (FPrefixPlace == Value) return;
  Extended value = GetValue();
  FPrefixPlace = Value;
  inherited::SetText(FormatValue(value));
}

void TqzBarSpinEdit::SetValueType(TqzBarSpinEditValueType Value) {
  if (FValueType == Value) return;
  Extended value = GetValue();
  Extended current = CurValue();
  FValueType = Value;
  if (Value != svtInteger) return;
  SetIncrement(FIncrement);
  SetMinValue(FMinValue);
  SetMaxValue(FMaxValue);
  SetValue(value);
  SetCurValue(current);
}

void TqzBarSpinEdit::DoButtonClick(TqzBarSpinEditButton AButton) {
  SetCurValue(CurValue() + (AButton == sbUp ? FIncrement : -FIncrement));
  FOnButtonClick(this, AButton);
}

void TqzBarSpinEdit::FireKeyDown(Word& AKey, TShiftState AShift) {
  inherited::FireKeyDown(AKey, AShift);
  if (AKey != VK_UP && AKey != VK_DOWN) return;
  TqzBarSpinEditControl* control = EditingControl();
  if (!control || GetReadOnly()) return;
  Word key = AKey;
  AKey = 0;
  if (control->IsRepeating()) return;
  control->SetActiveButton(key == VK_UP ? qzSpinUpPart : qzSpinDownPart);
  DoButtonClick(key == VK_UP ? sbUp : sbDown);
}

void TqzBarSpinEdit::FireKeyUp(Word& AKey, TShiftState AShift) {
  inherited::FireKeyUp(AKey, AShift);
  if (AKey != VK_UP && AKey != VK_DOWN) return;
  TqzBarSpinEditControl* control = EditingControl();
  if (control && !control->IsRepeating()) control->SetActiveButton(-1);
}

void TqzBarSpinEdit::FireKeyPress(Char& AKey) {
  inherited::FireKeyPress(AKey);
  // Clipboard keys, Backspace, digits, the minus sign where negative values are allowed and the
  // decimal separator of floating values reach the editor; nothing else does.
  bool allowed = AKey == 3 || AKey == 8 || AKey == 22 || AKey == 24 || (AKey >= '0' && AKey <= '9') ||
                 (AKey == '-' && FMinValue < 0) ||
                 (FValueType == svtFloat && AKey == FormatSettings.DecimalSeparator);
  if (!allowed) AKey = 0;
}

// ---- Control -------------------------------------------------------------------------------------

TqzBarSpinEditControl::TqzBarSpinEditControl(TqzBarItemLink* ALink) : TqzBarEditControl(ALink) {}

TqzBarSpinEditControl::~TqzBarSpinEditControl() = default;

TClassOf<TqzBarItemControlDrawParams> TqzBarSpinEditControl::DrawParamsClass() {
  return TqzBarSpinEditDrawParams::ClassInfo();
}

void TqzBarSpinEditControl::SetActiveButton(Integer AIndex) {
  if (GetSpinEdit()->GetReadOnly()) AIndex = -1;
  if (FActiveButtonIndex == AIndex) return;
  FActiveButtonIndex = AIndex;
  Repaint();
}

bool TqzBarSpinEditControl::IsRepeating() const { return FRepeatTimer && FRepeatTimer->GetEnabled(); }

void TqzBarSpinEditControl::ReleaseButton() {
  HWND inner = GetInnerWindow();
  if (inner && GetCapture() == inner) ReleaseCapture();
  SetActiveButton(-1);
  FRepeatTimer.reset();
}

void TqzBarSpinEditControl::PressButton(Integer APart) {
  if (IsRepeating()) return;
  SetActiveButton(APart);
  if (FActiveButtonIndex < 0) return;
  TkvObjectLink* self = LinkToObject(this);
  GetSpinEdit()->DoButtonClick(APart == qzSpinUpPart ? sbUp : sbDown);
  bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (!alive || FActiveButtonIndex < 0) return;
  FRepeatTimer = std::make_unique<TTimer>(nullptr);
  FRepeatTimer->SetInterval(std::max<UINT>(GetDoubleClickTime(), kRepeatInterval + 1) - kRepeatInterval);
  FRepeatTimer->SetOnTimer(MakeEvent<&TqzBarSpinEditControl::RepeatTimer>(this));
}

void TqzBarSpinEditControl::RepeatTimer(TObject*) {
  FRepeatTimer->SetInterval(kRepeatInterval);
  // Moved off the button, the steps wait until the pointer comes back.
  if (FActiveButtonIndex < 0) return;
  GetSpinEdit()->DoButtonClick(FActiveButtonIndex == qzSpinUpPart ? sbUp : sbDown);
}

void TqzBarSpinEditControl::FillDrawParams(bool ARefresh) {
  inherited::FillDrawParams(ARefresh);
  if (!ARefresh) return;
  TqzBarSpinEditDrawParams* params = SpinParams();
  params->PressedPart = FActiveButtonIndex;
  const std::vector<TRect>& parts = GetPartRects();
  Integer height = parts.size() > qzEditPart ? parts[qzEditPart].Height() : 0;
  Painter()->ClassRef()->GetSpinArrowSize(height, params->ArrowSize);
}

void TqzBarSpinEditControl::CalcPartRects() {
  inherited::CalcPartRects();
  std::vector<TRect> parts = GetPartRects();
  Painter()->CalcSpinPartRects(GetDrawParams(), parts[qzEditPart], parts);
  SetPartRects(parts);
}

void TqzBarSpinEditControl::PaintEditArea() {
  const std::vector<TRect>& parts = GetPartRects();
  if (parts.size() > qzSpinDownPart && !IsRectEmpty(&parts[qzSpinUpPart])) {
    TRect margins;
    Painter()->ClassRef()->GetSpinButtonMargins(GetPaintType(), margins);
    // The two buttons stand one over the other: together they span the up button's top to the
    // down button's bottom. Their room reaches back to the edit part, so that the strip the edit's
    // border leaves between the two is painted too and never shows what the canvas held before.
    const TRect& up = parts[qzSpinUpPart];
    const TRect& down = parts[qzSpinDownPart];
    TRect area(std::min(up.Left, down.Left) - margins.Left, up.Top - margins.Top,
               std::max(up.Right, down.Right) + margins.Right, down.Bottom + margins.Bottom);
    area.Left = std::min(area.Left, parts[qzEditPart].Right);
    HDC DC = GetCanvas()->DCHandle();
    HRGN saved = CreateRectRgn(0, 0, 0, 0);
    bool hadClip = GetClipRgn(DC, saved) == 1;
    IntersectClipRect(DC, area.Left, area.Top, area.Right, area.Bottom);
    Painter()->DrawSpinEditArea(GetDrawParams(), area);
    Painter()->DrawSpinButton(GetDrawParams(), parts[qzSpinUpPart], qzSpinUpPart);
    Painter()->DrawSpinButton(GetDrawParams(), parts[qzSpinDownPart], qzSpinDownPart);
    SelectClipRgn(DC, hadClip ? saved : nullptr);
    DeleteObject(saved);
  }
  inherited::PaintEditArea();
}

void TqzBarSpinEditControl::SetInPlaceActive(bool AFlag) {
  if (!AFlag && FActiveButtonIndex < 0) ReleaseButton();
  inherited::SetInPlaceActive(AFlag);
}

void TqzBarSpinEditControl::InnerWndProc(TMessage& Message) {
  if (Message.Msg == WM_MOUSEWHEEL) {
    if (!GetSpinEdit()->GetReadOnly())
      GetSpinEdit()->DoButtonClick(static_cast<short>(HIWORD(Message.WParam)) < 1 ? sbDown : sbUp);
    Message.Result = 0;
    return;
  }
  if (Message.Msg == WM_CAPTURECHANGED && IsRepeating()) ReleaseButton();
  inherited::InnerWndProc(Message);
}

void TqzBarSpinEditControl::MouseDown(TMouseButton AButton, TShiftState AShift, const TPoint& P) {
  inherited::MouseDown(AButton, AShift, P);
  if (AButton != mbLeft || IsRepeating()) return;
  const std::vector<TRect>& parts = GetPartRects();
  for (Integer part : {qzSpinUpPart, qzSpinDownPart})
    if (static_cast<Integer>(parts.size()) > part && PtInRect(&parts[part], P)) PressButton(part);
}

void TqzBarSpinEditControl::MouseUp(TMouseButton AButton, TShiftState AShift, const TPoint& P) {
  inherited::MouseUp(AButton, AShift, P);
  if (AButton == mbLeft && (IsRepeating() || FActiveButtonIndex >= 0)) ReleaseButton();
}

void TqzBarSpinEditControl::TrackHotPart(const TPoint& P) {
  inherited::TrackHotPart(P);
  if (!IsRepeating()) return;
  Integer hot = GetHotPart();
  SetActiveButton(hot == qzSpinUpPart || hot == qzSpinDownPart ? hot : -1);
}
