#include "toolkit/controls/WbSpnEdt.h"

#include <cmath>

#include "controls/Edit.h"
#include "rtl/ClassRegistry.h"
#include "rtl/FormatSettings.h"
#include "rtl/Math.h"
#include "rtl/SysUtils.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/VirtualKeys.h"
#include "user/WindowEffects.h"
#include "vcl/Themes.h"

// ---- TWbSpinButtons -------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TWbSpinButtons,
    PROPERTY_AS(Color, GetColor, SetColor).Idents(ColorIdentMap).Default(clBtnFace),
    PROPERTY(ParentColor).Default(true),
    PROPERTY(Delay).Default(100),
    PROPERTY(InitialDelay).Default(400),
    PROPERTY(Direction).Default(sdUpDown),
    PROPERTY(Enabled).Default(true),
    PROPERTY(Flat).Default(false),
    PROPERTY(FocusControl),
    PROPERTY(GlyphUpRight).Stored<&TWbSpinButtons::HasCustomUpRightGlyph>(),
    PROPERTY(GlyphDownLeft).Stored<&TWbSpinButtons::HasCustomDownLeftGlyph>(),
    PROPERTY(NumGlyphsUpRight).Stored<&TWbSpinButtons::HasCustomUpRightGlyph>().Default(2),
    PROPERTY(NumGlyphsDownLeft).Stored<&TWbSpinButtons::HasCustomDownLeftGlyph>().Default(2),
    PROPERTY(Orientation).Default(orVertical),
    PROPERTY(TabStop).Default(false),
    PROPERTY(OnUpRightClick),
    PROPERTY(OnDownLeftClick),
    PROPERTY(Align).Default(alNone),
    PROPERTY(Anchors),
    PROPERTY(Visible).Default(true))
TAVREN_MESSAGE_TABLE(TWbSpinButtons,
    MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode),
    MESSAGE_HANDLER(WM_SIZE, WMSize),
    MESSAGE_HANDLER(CM_COLORCHANGED, CMColorChanged),
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged))

TWbSpinButtons::TWbSpinButtons(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle.Exclude(csAcceptsControls);
  FControlStyle.Exclude(csSetCaption);
  FUpRightButton = CreateButton();
  FDownLeftButton = CreateButton();
  SetGlyphUpRight(nullptr);
  SetGlyphDownLeft(nullptr);
  SetBounds(0, 0, 16, 25);
  SetTabStop(false);
}

TWbControlButton* TWbSpinButtons::CreateButton() {
  auto* button = new TWbControlButton(this);
  button->SetParent(this);
  button->SetOnClick(MakeEvent<&TWbSpinButtons::ButtonClick>(this));
  button->SetOnMouseDown(MakeEvent<&TWbSpinButtons::ButtonMouseDown>(this));
  button->SetVisible(true);
  button->SetEnabled(true);
  button->SetRepeatClicks(true);
  button->SetNumGlyphs(2);
  return button;
}

void TWbSpinButtons::ArrangeButtons(Integer Width, Integer Height) {
  if (GetComponentState().Contains(csLoading) || !FUpRightButton || !FDownLeftButton) return;
  if (FOrientation == orVertical) {
    const Integer half = Height / 2;
    FUpRightButton->SetBounds(0, 0, Width, half);
    FDownLeftButton->SetBounds(0, half, Width, Height - half - 1);
  } else {
    const Integer half = Width / 2;
    FDownLeftButton->SetBounds(0, 0, half, Height - 1);
    FUpRightButton->SetBounds(half, 0, Width - half, Height - 1);
  }
}

void TWbSpinButtons::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
  ArrangeButtons(AWidth, AHeight);
}

void TWbSpinButtons::WMSize(TMessage& Message) {
  InheritedMessage(Message);
  ArrangeButtons(GetWidth(), GetHeight());
  Message.Result = 0;
}

void TWbSpinButtons::Loaded() {
  inherited::Loaded();
  ArrangeButtons(GetWidth(), GetHeight());
}

void TWbSpinButtons::GlyphChanged() {
  const bool sideways = FDirection == sdLeftRight;
  FCustomUpRightGlyph = !FUpRightButton->GetGlyph()->GetEmpty();
  FUpRightButton->SetStyle(FCustomUpRightGlyph ? cbsNone : sideways ? cbsRight : cbsUp);
  FCustomDownLeftGlyph = !FDownLeftButton->GetGlyph()->GetEmpty();
  FDownLeftButton->SetStyle(FCustomDownLeftGlyph ? cbsNone : sideways ? cbsLeft : cbsDown);
}

void TWbSpinButtons::SetGlyphUpRight(TBitmap* Value) {
  if (Value) {
    FUpRightButton->SetGlyph(Value);
  } else {
    TBitmap empty;
    FUpRightButton->SetGlyph(&empty);
  }
  GlyphChanged();
}

void TWbSpinButtons::SetGlyphDownLeft(TBitmap* Value) {
  if (Value) {
    FDownLeftButton->SetGlyph(Value);
  } else {
    TBitmap empty;
    FDownLeftButton->SetGlyph(&empty);
  }
  GlyphChanged();
}

void TWbSpinButtons::SetDirection(TSpinDirection Value) {
  if (Value == FDirection) return;
  FDirection = Value;
  SetGlyphUpRight(nullptr);
  SetGlyphDownLeft(nullptr);
  Invalidate();
}

void TWbSpinButtons::SetOrientation(TOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  if (!GetComponentState().Contains(csLoading)) SetWidth(Value == orVertical ? GetWidth() / 2 : GetWidth() * 2);
  ArrangeButtons(GetWidth(), GetHeight());
  Invalidate();
}

void TWbSpinButtons::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  FUpRightButton->SetFlat(Value);
  FDownLeftButton->SetFlat(Value);
}

void TWbSpinButtons::CMColorChanged(TMessage& Message) {
  InheritedMessage(Message);
  FUpRightButton->SetColor(GetColor());
  FDownLeftButton->SetColor(GetColor());
}

void TWbSpinButtons::CMEnabledChanged(TMessage& Message) {
  InheritedMessage(Message);
  FUpRightButton->SetEnabled(GetEnabled());
  FDownLeftButton->SetEnabled(GetEnabled());
}

void TWbSpinButtons::SetDelay(Word Value) {
  FUpRightButton->SetDelay(Value);
  FDownLeftButton->SetDelay(Value);
}

void TWbSpinButtons::SetInitialDelay(Word Value) {
  FUpRightButton->SetInitialDelay(Value);
  FDownLeftButton->SetInitialDelay(Value);
}

void TWbSpinButtons::SetFocusControl(TWinControl* Value) {
  if (Value == FFocusControl) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TWbSpinButtons::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

bool TWbSpinButtons::TakeFocus(TWinControl* Control) {
  Control->SetFocus();
  return Control->Focused();
}

void TWbSpinButtons::ButtonMouseDown(TObject*, TMouseButton Button, TShiftState, Integer, Integer) {
  if (Button != mbLeft) return;
  if (FFocusControl && FFocusControl->GetTabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused()) {
    // A focus that does not come cancels the click without a word.
    if (!TakeFocus(FFocusControl)) Abort();
    return;
  }
  if (GetTabStop() && !Focused() && CanFocus() && !TakeFocus(this)) Abort();
}

void TWbSpinButtons::ButtonClick(TObject* Sender) {
  if (Sender == FUpRightButton)
    DoUpRightClick();
  else
    DoDownLeftClick();
}

void TWbSpinButtons::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_UP) FUpRightButton->Click();
  if (Key == VK_DOWN) FDownLeftButton->Click();
  inherited::KeyDown(Key, Shift);
}

void TWbSpinButtons::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS; }

// ---- TWbSpinEdit --------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TWbSpinEdit,
    PROPERTY(AllowBlank).Default(false),
    PROPERTY(AllowKeyEdit).Default(false),
    PROPERTY(Alignment).Default(taRightJustify),
    PROPERTY(BlankValue),
    PROPERTY(ButtonWidth).Default(17),
    PROPERTY(ButtonUpGlyph).Stored<&TWbSpinEdit::IsUpGlyphStored>(),
    PROPERTY(ButtonUpNumGlyphs).Stored<&TWbSpinEdit::IsUpGlyphStored>().Default(2),
    PROPERTY(ButtonDownGlyph).Stored<&TWbSpinEdit::IsDownGlyphStored>(),
    PROPERTY(ButtonDownNumGlyphs).Stored<&TWbSpinEdit::IsDownGlyphStored>().Default(2),
    PROPERTY(CheckRange).Default(false),
    PROPERTY(Decimals).Default(0),
    PROPERTY(Direction).Default(sdUpDown),
    PROPERTY(FlatButtonColor).Idents(ColorIdentMap).Default(clBtnFace),
    PROPERTY(FlatButtons).Stored<&TWbSpinEdit::NotFromController<fcpFlatButtons>>().Default(false),
    PROPERTY(Increment).Stored<&TWbSpinEdit::IsIncrementStored>(),
    PROPERTY(IntegersOnly).Default(true),
    PROPERTY(Max).Stored<&TWbSpinEdit::IsMaxStored>(),
    PROPERTY(Min).Stored<&TWbSpinEdit::IsMinStored>(),
    PROPERTY(Orientation).Default(orVertical),
    PROPERTY(PageSize).Stored<&TWbSpinEdit::IsPageSizeStored>(),
    PROPERTY(Value),
    PROPERTY(OnChanging),
    PROPERTY(OnButtonClick),
    PROPERTY(OnMouseWheel),
    PROPERTY(OnMouseWheelDown),
    PROPERTY(OnMouseWheelUp),
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TWbSpinEdit::IsColorStored>().Default(clWindow),
    PROPERTY(DisabledColor).Idents(ColorIdentMap).Default(clBtnFace),
    PROPERTY(FocusColor).Idents(ColorIdentMap).Stored<&TWbSpinEdit::IsFocusColorStored>().Default(clWindow),
    PROPERTY(FrameColor).Idents(ColorIdentMap).Default(clBtnShadow),
    PROPERTY(FrameController),
    PROPERTY(FrameHotStyle).Default(fsFlatBold),
    PROPERTY(FrameHotTrack).Default(false),
    PROPERTY(FrameStyle).Default(fsFlat),
    PROPERTY(FrameVisible).Default(false),
    PROPERTY(ReadOnly).Default(false),
    PROPERTY(ReadOnlyColor).Idents(ColorIdentMap).Default(clInfoBk),
    PROPERTY(TabOnEnter).Default(false),
    PROPERTY(Anchors),
    PROPERTY(Enabled).Default(true),
    PROPERTY(Font),
    PROPERTY(Hint),
    PROPERTY(ShowHint),
    PROPERTY(TabOrder),
    PROPERTY(TabStop).Default(true),
    PROPERTY(Visible).Default(true),
    PROPERTY(OnChange),
    PROPERTY(OnEnter),
    PROPERTY(OnExit),
    PROPERTY(OnKeyDown),
    PROPERTY(OnKeyPress),
    PROPERTY(OnKeyUp))
TAVREN_MESSAGE_TABLE(TWbSpinEdit,
    MESSAGE_HANDLER(WM_SIZE, WMSize),
    MESSAGE_HANDLER(WM_PASTE, WMPasteOrCut),
    MESSAGE_HANDLER(WM_CUT, WMPasteOrCut),
    MESSAGE_HANDLER(CM_ENTER, CMEnter),
    MESSAGE_HANDLER(CM_EXIT, CMExit),
    MESSAGE_HANDLER(CM_COLORCHANGED, CMColorChanged),
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged),
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged))

TWbSpinEdit::TWbSpinEdit(TComponent* AOwner) : TWbCustomEdit(AOwner) {
  FButtons = new TWbSpinButtons(this);
  FButtons->SetParent(this);
  FButtons->SetBounds(0, 0, 17, 17);
  FButtons->SetVisible(true);
  FButtons->SetFocusControl(this);
  FButtons->SetOnUpRightClick(MakeEvent<&TWbSpinEdit::UpClick>(this));
  FButtons->SetOnDownLeftClick(MakeEvent<&TWbSpinEdit::DownClick>(this));
  FControlStyle.Exclude(csSetCaption);
  SetWidth(47);
  SetAlignment(taRightJustify);
  SetValue(0);
}

TWbControlButton* TWbSpinEdit::GetButton(TSpinButtonType Kind) {
  return Kind == sbUp ? FButtons->GetUpRightButton() : FButtons->GetDownLeftButton();
}

// ---- Value -----------------------------------------------------------------------------------------

Extended TWbSpinEdit::GetValue() {
  const String text = GetText();
  Extended value;
  if (!text.empty()) return TryStrToFloat(text, value) ? value : FMin;
  if (FAllowBlank) return FBlankValue;
  // Reading the value of an empty edit writes Min's text into it.
  SetText(FloatToStr(FMin));
  return TryStrToFloat(GetText(), value) ? value : FMin;
}

Extended TWbSpinEdit::CheckValue(Extended Value) {
  if (FMax != FMin || FCheckRange) {
    if (Value < FMin) return FMin;
    if (Value > FMax) return FMax;
  }
  return Value;
}

void TWbSpinEdit::SetValue(Extended Value) {
  const bool tracked = GetParent() && HandleAllocated();
  Integer selStart = 0, oldLength = 0;
  bool nothingSelected = false;
  if (tracked) {
    selStart = GetSelStart();
    oldLength = Integer(GetText().size());
    nothingSelected = GetSelLength() == 0;
  }
  SetText(FloatToStrF(CheckValue(Value), ffFixed, 18, FDecimals));
  if (tracked && nothingSelected) {
    const Integer length = Integer(GetText().size());
    SetSelStart(length == oldLength ? selStart : length > oldLength ? selStart + 1 : std::max(selStart - 1, 0));
  }
}

Integer TWbSpinEdit::GetIntValue() { return Integer(Round(GetValue())); }

bool TWbSpinEdit::DoChanging(Extended NewValue) {
  bool allow = true;
  FOnChanging(this, NewValue, allow);
  return allow;
}

void TWbSpinEdit::Increase(Extended Step) {
  if (GetReadOnly()) {
    MessageBeep(0);
    return;
  }
  const Extended v = GetValue();
  if (!DoChanging(v + Step)) return;
  SetValue(v + Step);
  DoButtonClick(sbUp);
}

void TWbSpinEdit::Decrease(Extended Step) {
  if (GetReadOnly()) {
    MessageBeep(0);
    return;
  }
  const Extended v = GetValue();
  if (!DoChanging(v - Step)) return;
  SetValue(v - Step);
  DoButtonClick(sbDown);
}

void TWbSpinEdit::SetMin(Extended Value) {
  if (Value == FMin) return;
  FMin = Value;
  if (FMin > FMax) FMax = FMin;
  SetValue(GetValue());
  Invalidate();
}

void TWbSpinEdit::SetMax(Extended Value) {
  if (Value == FMax) return;
  FMax = Value;
  if (FMax < FMin) FMin = FMax;
  SetValue(GetValue());
  Invalidate();
}

void TWbSpinEdit::SetCheckRange(bool Value) {
  if (Value == FCheckRange) return;
  FCheckRange = Value;
  SetValue(GetValue());
}

void TWbSpinEdit::SetDecimals(Byte Value) {
  if (Value == FDecimals) return;
  FDecimals = Value;
  SetValue(GetValue());
}

void TWbSpinEdit::SetIntegersOnly(bool Value) {
  if (Value == FIntegersOnly) return;
  FIntegersOnly = Value;
  if (Value) {
    SetDecimals(0);
    SetValue(Extended(Round(GetValue())));
  }
}

// ---- Keys ----------------------------------------------------------------------------------------------

void TWbSpinEdit::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  switch (Key) {
    case VK_DELETE:
      if (!FAllowKeyEdit) {
        MessageBeep(0);
        Key = 0;
      }
      break;
    case VK_PRIOR: Increase(FPageSize); Key = 0; break;
    case VK_NEXT: Decrease(FPageSize); Key = 0; break;
    case VK_UP: Increase(FIncrement); Key = 0; break;
    case VK_DOWN: Decrease(FIncrement); Key = 0; break;
    default: break;
  }
}

bool TWbSpinEdit::IsValidChar(Char Key) {
  const Char separator = FormatSettings.DecimalSeparator;
  const String text = GetText();
  const Integer selStart = GetSelStart(), selLength = GetSelLength();
  const String selected = text.substr(size_t(std::min<Integer>(selStart, Integer(text.size()))), size_t(selLength));
  bool valid = Key == '+' || Key == '-' || (Key >= '0' && Key <= '9') || (!FIntegersOnly && Key == separator) ||
               ((static_cast<unsigned char>(Key) < 0x20) && Key != '\r');
  if (valid && !FIntegersOnly && Key == separator)
    valid = text.find(separator) == String::npos || selected.find(separator) != String::npos;
  if (valid && (Key == '+' || Key == '-')) {
    const bool noSign = text.find('+') == String::npos && text.find('-') == String::npos;
    valid = (selStart == 0 && noSign) || selLength == Integer(text.size());
  }
  // Typing is off unless AllowKeyEdit: only stepping changes the value.
  if (!FAllowKeyEdit && (Key == '\b' || static_cast<unsigned char>(Key) >= 0x20)) valid = false;
  return valid;
}

void TWbSpinEdit::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  if (Key == 0) return;
  if (!IsValidChar(Key)) {
    Key = 0;
    MessageBeep(0);
  }
}

void TWbSpinEdit::WMPasteOrCut(TMessage& Message) {
  if (FAllowKeyEdit && !GetReadOnly()) InheritedMessage(Message);
}

bool TWbSpinEdit::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  inherited::DoMouseWheel(Shift, WheelDelta, MousePos);
  const Extended step = Shift.Contains(ssCtrl) ? FPageSize : FIncrement;
  if (WheelDelta > 0)
    Increase(step);
  else if (WheelDelta < 0)
    Decrease(step);
  return true;
}

// ---- Focus -----------------------------------------------------------------------------------------

void TWbSpinEdit::CMEnter(TMessage& Message) {
  InheritedMessage(Message);
  UpdateEditMargins();
  if (GetAutoSelect() && !(GetKeyState(VK_LBUTTON) & 0x8000)) SelectAll();
}

void TWbSpinEdit::CMExit(TMessage& Message) {
  InheritedMessage(Message);
  UpdateEditMargins();
  if (FAllowBlank && GetText().empty()) return;
  Extended value;
  SetValue(TryStrToFloat(GetText(), value) ? value : FMin);
}

// ---- Layout and look -------------------------------------------------------------------------------

void TWbSpinEdit::ArrangeButtons() {
  if (GetComponentState().Contains(csLoading) || !FButtons) return;
  const Integer minHeight = FontMinEditHeight(GetFont());
  if (GetHeight() < minHeight) {
    SetHeight(minHeight);  // the resize comes back here
    return;
  }
  const Integer w = FButtons->GetWidth();
  if (UsesRightToLeftReading(this))
    FButtons->SetBounds(0, 0, w, GetHeight() - 3);
  else if (GetFrameVisible() || GetCtl3D()) {
    if (ThemeServices()->ThemesEnabled())
      FButtons->SetBounds(GetWidth() - w - 3, -1, w, GetHeight() - 1);
    else
      FButtons->SetBounds(GetWidth() - w - 4, 0, w, GetHeight() - 3);
  } else {
    FButtons->SetBounds(GetWidth() - w - 1, 1, w, GetHeight() - 3);
  }
  UpdateEditMargins();
}

void TWbSpinEdit::UpdateEditMargins() {
  if (!HandleAllocated()) return;
  if (GetReadOnly()) {
    SendMessage(GetHandle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    return;
  }
  if (GetComponentState().Contains(csLoading)) return;
  const Integer margin = FButtons->GetWidth() + 2;
  const bool left = UsesRightToLeftReading(this);
  SendMessage(GetHandle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
              left ? LPARAM(margin) : LPARAM(margin) << 16);
}

void TWbSpinEdit::GetEditRect(TRect& Rect) {
  Rect = GetClientRect();
  if (!GetReadOnly()) Rect.Right -= FButtons->GetWidth() + 2;
}

void TWbSpinEdit::ReadOnlyChanged() {
  FButtons->SetVisible(!GetReadOnly());
  ArrangeButtons();
}

void TWbSpinEdit::SetButtonWidth(Integer Value) {
  Value = std::max(Value, 0);
  if (Value == FButtonWidth) return;
  FButtonWidth = Value;
  FButtons->SetWidth(GetOrientation() == orVertical ? Value : Value * 2);
  ArrangeButtons();
  Invalidate();
}

void TWbSpinEdit::SetOrientation(TOrientation Value) {
  FButtons->SetOrientation(Value);
  ArrangeButtons();
}

void TWbSpinEdit::SetFlatButtons(bool Value) {
  inherited::SetFlatButtons(Value);
  FButtons->SetFlat(Value);
  ArrangeButtons();
}

void TWbSpinEdit::InteractionStateChanged(bool IsMouse, bool Active) {
  inherited::InteractionStateChanged(IsMouse, Active);
  if (!GetFlatButtons()) return;
  const bool lively = Active || HasFocus();
  if (ThemeServices()->ThemesEnabled()) {
    FButtons->SetFlat(!lively);
    FButtons->SetColor(GetColor());
  } else {
    FButtons->SetColor(lively ? FFlatButtonColor : GetColor());
  }
}

void TWbSpinEdit::CMColorChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (FButtons) FButtons->SetColor(GetColor());
}

void TWbSpinEdit::CMEnabledChanged(TMessage& Message) {
  InheritedMessage(Message);
  FButtons->SetEnabled(GetEnabled());
  if (GetFlatButtons()) FButtons->SetColor(GetColor());
  UpdateEditMargins();
}

void TWbSpinEdit::CMFontChanged(TMessage& Message) {
  InheritedMessage(Message);
  UpdateEditMargins();
}

void TWbSpinEdit::WMSize(TMessage& Message) {
  InheritedMessage(Message);
  ArrangeButtons();
}

void TWbSpinEdit::CreateWnd() {
  inherited::CreateWnd();
  UpdateEditMargins();
}

void TWbSpinEdit::Loaded() {
  inherited::Loaded();
  ArrangeButtons();
}

void TWbSpinEdit::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty("FlatButtonParentColor", &TWbOldPropReader::SkipBooleanValue, nullptr, false);
}

void WbSpnEdtStart() { RegisterClasses({TWbSpinEdit::ClassInfo(), TWbSpinButtons::ClassInfo()}); }
