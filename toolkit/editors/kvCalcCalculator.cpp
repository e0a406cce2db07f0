// The calculator control: layout and fitting, painting, mouse and keys, and the engine.

#include <cmath>

#include "rtl/FormatSettings.h"
#include "rtl/Math.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvCalc.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvTextEdit.h"
#include "toolkit/foundation/kvClasses.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "user/Clipboard.h"
#include "user/Rects.h"
#include "user/User.h"
#include "vcl/Buttons.h"

TAVREN_CLASS_IMPL(TkvCustomCalculator)
TAVREN_MESSAGE_TABLE(TkvCustomCalculator, MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged),
                     MESSAGE_HANDLER(WM_SETFOCUS, WMFocus), MESSAGE_HANDLER(WM_KILLFOCUS, WMFocus))

namespace {

constexpr TColor kMaroon = 0x000080, kRed = 0x0000FF, kBlue = 0xFF0000, kNavy = 0x800000;

struct ButtonInfo {
  const char* Caption;
  TColor Color;
};
constexpr ButtonInfo kButtons[kvCalcButtonCount] = {
    {"Back", kMaroon}, {"CE", kMaroon}, {"C", kMaroon},   {"MC", kRed},    {"MR", kRed},    {"MS", kRed},
    {"M+", kRed},      {"0", kBlue},    {"1", kBlue},     {"2", kBlue},    {"3", kBlue},    {"4", kBlue},
    {"5", kBlue},      {"6", kBlue},    {"7", kBlue},     {"8", kBlue},    {"9", kBlue},    {"+/-", kBlue},
    {",", kBlue},      {"/", kRed},     {"*", kRed},      {"-", kRed},     {"+", kRed},     {"sqrt", kNavy},
    {"%", kNavy},      {"1/x", kNavy},  {"=", kRed}};

// The main block, row by row, five columns.
constexpr TkvCalcButtonKind kMainBlock[4][5] = {{cbNum7, cbNum8, cbNum9, cbDiv, cbSqrt},
                                                 {cbNum4, cbNum5, cbNum6, cbMul, cbPercent},
                                                 {cbNum1, cbNum2, cbNum3, cbSub, cbRev},
                                                 {cbNum0, cbSign, cbDecimal, cbAdd, cbEqual}};
constexpr TkvCalcButtonKind kMemoryColumn[4] = {cbMemoryClear, cbMemoryRecall, cbMemoryStore, cbMemoryAdd};

bool IsDigit(TkvCalcButtonKind Kind) { return Kind >= cbNum0 && Kind <= cbNum9; }
bool IsArithmetic(TkvCalcButtonKind Kind) { return Kind >= cbDiv && Kind <= cbAdd; }

Integer CalcHeightFor(Integer H) { return 5 * H + 6 * MulDiv(H, 3, 22); }

}  // namespace

TkvCustomCalculator::TkvCustomCalculator(TComponent* AOwner) : TkvControl(AOwner) {
  SetWidth(FCalcWidth);
  SetHeight(FCalcHeight);
  FControlStyle.Include(csCaptureMouse);
  FControlStyle.Include(csOpaque);
  SetColor(clBtnFace);
  SetParentColor(false);
  SetTabStop(true);
  StoreKeys(TkvControlKeys{kAll, kArrows, kChars, kTab});
  Layout();
}

// ---- Layout -------------------------------------------------------------------------------

void TkvCustomCalculator::Layout() {
  const Integer W = FButtonWidth, H = FButtonHeight, L = FWideButtonWidth, gx = FGapX, gy = FGapY;
  const Integer main = 3 * gx + W + 4;
  for (Integer i = 0; i < kvCalcButtonCount; ++i) {
    FButtons[i] = TkvCalcButton();
    FButtons[i].Kind = static_cast<TkvCalcButtonKind>(i);
    FButtons[i].Caption = kButtons[i].Caption;
    FButtons[i].CaptionColor = kButtons[i].Color;
  }
  FButtons[cbDecimal].Caption = String(1, FormatSettings.DecimalSeparator);
  for (Integer r = 0; r < 4; ++r) {
    const Integer top = gy + (r + 1) * (H + gy);
    FButtons[kMemoryColumn[r]].Bounds = TRect(gx, top, gx + W, top + H);
    for (Integer c = 0; c < 5; ++c) {
      const Integer left = main + c * (W + gx);
      FButtons[kMainBlock[r][c]].Bounds = TRect(left, top, left + W, top + H);
    }
  }
  // The top row ends at the main block's right edge; its buttons are one (vertical) gap apart.
  Integer right = main + 5 * W + 4 * gx;
  for (TkvCalcButtonKind kind : {cbClear, cbCancelEntry, cbBack}) {
    FButtons[kind].Bounds = TRect(right - L, gy, right, gy + H);
    right -= L + gy;
  }
  ResetState();
  UpdateMemoryButtons();
}

void TkvCustomCalculator::ResetState() {
  FPending = cbEqual;
  FState = csResultShown;
  FMemory = 0;
}

void TkvCustomCalculator::FitToSize() {
  const TRect client = GetClientRect();
  Integer h = 22;
  if (FAutoFontSize) {
    const Integer target = std::min(client.Height(), MulDiv(client.Width(), 131, 198));
    Integer difference = std::abs(target);
    for (Integer candidate = 22;; ++candidate) {
      const Integer d = std::abs(CalcHeightFor(candidate) - target);
      if (d >= difference) break;
      difference = d;
      h = candidate;
    }
  } else {
    h = 2 * CanvasOrScreen()->LineHeightForFont(GetFont());
  }
  FButtonHeight = h;
  FButtonWidth = MulDiv(h, 28, 22);
  FGapX = FGapY = MulDiv(h, 3, 22);
  FWideButtonWidth = MulDiv(FButtonWidth, 17, 10);
  FFontSize = MulDiv(h, 8, 22);
  FCalcHeight = 5 * h + 6 * FGapY;
  FCalcWidth = 6 * FButtonWidth + 8 * FGapX + 4;
  Layout();
}

void TkvCustomCalculator::Resize() {
  // Forcing the client size resizes again; that inner pass finds the same metrics.
  if (!FFitting) {
    FFitting = true;
    FitToSize();
    SetClientWidth(FCalcWidth);
    SetClientHeight(FCalcHeight);
    FFitting = false;
  }
  inherited::Resize();
}

void TkvCustomCalculator::SetAutoFontSize(bool Value) {
  if (FAutoFontSize == Value) return;
  FAutoFontSize = Value;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TkvCustomCalculator::SetCalcBorderStyle(TkvCalcBorderStyle Value) {
  if (FCalcBorderStyle == Value) return;
  FCalcBorderStyle = Value;
  RecreateWnd();
}

TkvCalcButtonKind TkvCustomCalculator::ButtonAt(const TPoint& P) const {
  for (const TkvCalcButton& button : FButtons)
    if (PtInRect(&button.Bounds, P)) return button.Kind;
  return cbNone;
}

// ---- Window and painting ------------------------------------------------------------------

void TkvCustomCalculator::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN | WS_TABSTOP;
  Params.WindowClass.style &= ~static_cast<UINT>(CS_DBLCLKS);
  if (FIsPopup || FCalcBorderStyle != cbsSingleBorder) return;
  if (NewStyleControls && GetCtl3D()) {
    Params.Style &= ~static_cast<DWORD>(WS_BORDER);
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  } else {
    Params.Style |= WS_BORDER;
  }
}

TkvCustomLookAndFeelPainterClass TkvCustomCalculator::GetCalcPainter() { return PainterOfKind(lfStandard); }

TkvButtonState TkvCustomCalculator::ButtonState(const TkvCalcButton& Button) {
  if (Button.Grayed || !GetEnabled()) return kvbsDisabled;
  if (Button.Down) return kvbsPressed;
  if (Button.Kind == FHotButton && Button.Kind != FMouseButton) return kvbsHot;
  if (Focused() && Button.Kind == cbEqual) return kvbsDefault;
  return kvbsNormal;
}

void TkvCustomCalculator::Paint() {
  if (!HandleAllocated()) return;
  TkvCustomLookAndFeelPainterClass painter = GetCalcPainter();
  TkvCanvas* canvas = GetKvCanvas();
  canvas->SetBrushColor(GetColor());
  painter->PaintWindowContent(canvas, GetClientRect());
  canvas->AssignFont(GetFont());
  if (FAutoFontSize) {
    canvas->CurrentFont()->SetSize(FFontSize);
    canvas->CurrentFont()->SetStyle(FFontSize >= 10 ? TFontStyles{fsBold} : TFontStyles{});
  }
  for (const TkvCalcButton& button : FButtons) {
    if (!canvas->AreaVisible(button.Bounds)) continue;
    const TkvButtonState state = ButtonState(button);
    painter->PaintButton(canvas, button.Bounds, "", state, true, clDefault, clDefault, false);
    TRect text = button.Bounds;
    if (state == kvbsPressed) OffsetRect(&text, painter->ButtonPressedTextShift(), painter->ButtonPressedTextShift());
    canvas->CurrentBrush()->SetStyle(bsClear);
    canvas->CurrentFont()->SetColor(button.CaptionColor);
    canvas->PaintText(button.Caption, text, ktfSingleLine | ktfAlignHCenter | ktfAlignVCenter,
                      state != kvbsDisabled);
    canvas->CurrentBrush()->SetStyle(bsSolid);
  }
  if (FShowFocusRect && Focused()) canvas->DrawFocusFrame(RectInflated(FButtons[cbEqual].Bounds, -3, -3));
}

void TkvCustomCalculator::RepaintButton(TkvCalcButtonKind Kind) {
  if (Kind != cbNone && HandleAllocated()) InvalidateArea(&FButtons[Kind].Bounds, false);
}

void TkvCustomCalculator::SetEnabled(bool Value) {
  inherited::SetEnabled(Value);
  Invalidate();
}

void TkvCustomCalculator::FireFocusChanged() {
  inherited::FireFocusChanged();
  RepaintButton(cbEqual);
}

void TkvCustomCalculator::WMFocus(TMessage& Message) {
  InheritedMessage(Message);
  if (!IsBeingDestroyed()) FireFocusChanged();
}

void TkvCustomCalculator::CMFontChanged(TMessage& Message) {
  if (!GetComponentState().Contains(csLoading)) SetParentFont(false);
  InheritedMessage(Message);
}

// ---- Mouse --------------------------------------------------------------------------------

bool TkvCustomCalculator::WantsFocusOnClick() {
  return !FIsPopup && !IsDesignTime() && (CanFocus() || !GetParentForm());
}

void TkvCustomCalculator::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvCustomCalculator> self(this);
  inherited::MouseDown(Button, Shift, X, Y);
  if (!self || Button != mbLeft) return;
  const TkvCalcButtonKind kind = ButtonAt({X, Y});
  if (kind == cbNone || FButtons[kind].Grayed) return;
  SetMouseCapture(true);
  FTracking = true;
  FMouseButton = kind;
  FButtons[kind].Down = true;
  RepaintButton(kind);
}

bool TkvCustomCalculator::HotTracks() {
  return GetCalcPainter()->ButtonHotTracks() && GetEnabled() && GetDragAndDropState() != ddsInProcess;
}

void TkvCustomCalculator::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  const TkvCalcButtonKind under = ButtonAt({X, Y});
  if (FTracking) {
    const bool down = under == FMouseButton;
    if (FMouseButton != cbNone && FButtons[FMouseButton].Down != down) {
      FButtons[FMouseButton].Down = down;
      RepaintButton(FMouseButton);
    }
  } else if (HotTracks() && under != FHotButton) {
    const TkvCalcButtonKind old = FHotButton;
    FHotButton = under;
    if (old != cbNone && !FButtons[old].Grayed) RepaintButton(old);
    if (under != cbNone && !FButtons[under].Grayed) RepaintButton(under);
  }
}

void TkvCustomCalculator::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvCustomCalculator> self(this);
  const TkvCalcButtonKind pressed = FMouseButton;
  const bool wasDown = pressed != cbNone && FButtons[pressed].Down;
  if (FTracking) {
    FTracking = false;
    SetMouseCapture(false);
    if (pressed != cbNone) {
      FButtons[pressed].Down = false;
      RepaintButton(pressed);
    }
  }
  FMouseButton = cbNone;
  if (wasDown && Button == mbLeft) PerformButton(pressed);
  if (self) inherited::MouseUp(Button, Shift, X, Y);
}

void TkvCustomCalculator::MouseLeave() {
  inherited::MouseLeave();
  if (FHotButton == cbNone || !HotTracks()) return;
  const TkvCalcButtonKind old = FHotButton;
  FHotButton = cbNone;
  RepaintButton(old);
}

// ---- Keys ---------------------------------------------------------------------------------

TkvCalcButtonKind TkvCustomCalculator::ButtonForKey(Word Key, TShiftState Shift) const {
  const bool ctrl = Shift.Contains(ssCtrl);
  switch (Key) {
    case VK_RETURN: return cbEqual;
    case VK_ESCAPE: return cbClear;
    case VK_DELETE: return cbCancelEntry;
    case 'C': return ctrl ? cbNone : cbClear;
    case 'L': return ctrl ? cbMemoryClear : cbNone;
    case 'M': return ctrl ? cbMemoryStore : cbNone;
    case 'P': return ctrl ? cbMemoryAdd : cbNone;
    case 'R': return ctrl ? cbMemoryRecall : cbRev;
    case VK_F9: return cbSign;
    default: return cbNone;
  }
}

TkvCalcButtonKind TkvCustomCalculator::ButtonForChar(Char Key) const {
  switch (Key) {
    case 8: return cbBack;
    case '%': return cbPercent;
    case '*': return cbMul;
    case '+': return cbAdd;
    case ',':
    case '.': return cbDecimal;
    case '-': return cbSub;
    case '/': return cbDiv;
    case '=': return cbEqual;
    case '@': return cbSqrt;
    default: return Key >= '0' && Key <= '9' ? static_cast<TkvCalcButtonKind>(cbNum0 + (Key - '0')) : cbNone;
  }
}

void TkvCustomCalculator::ReleaseKeyButton() {
  if (FKeyButton == cbNone) return;
  FButtons[FKeyButton].Down = false;
  RepaintButton(FKeyButton);
  FKeyButton = cbNone;
}

// A held key repeats only "Back"; any other button acts once until its key goes up.
void TkvCustomCalculator::PressKeyButton(TkvCalcButtonKind Kind) {
  if (Kind == cbNone || Kind == FKeyButton) return;
  ReleaseKeyButton();
  FKeyButton = Kind;
  FButtons[Kind].Down = true;
  RepaintButton(Kind);
  if (HandleAllocated()) UpdateWindow(GetHandle());
  if (Kind != cbBack) PerformButton(Kind);
}

void TkvCustomCalculator::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  PressKeyButton(ButtonForKey(Key, Shift));
}

void TkvCustomCalculator::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  if (Key == 22) PasteFromClipboard();
  if (Key == 3) CopyToClipboard();
  PressKeyButton(ButtonForChar(Key));
  if (FKeyButton == cbBack) PerformButton(cbBack);
}

void TkvCustomCalculator::KeyUp(Word& Key, TShiftState Shift) {
  inherited::KeyUp(Key, Shift);
  ReleaseKeyButton();
}

// ---- The engine ---------------------------------------------------------------------------

void TkvCustomCalculator::Beep() {
  if (FBeepOnError) MessageBeep(0);
}

void TkvCustomCalculator::ShowError() {
  FState = csError;
  WriteDisplay(ResourceStringText(skvEditError));
  Beep();
}

// Overflow is an error like a division by zero: an infinite or undefined result would be shown
// as text that the display could not read back.
void TkvCustomCalculator::ShowValue(Extended Value) {
  if (std::isfinite(Value))
    SetDisplayValue(Value);
  else
    ShowError();
}

void TkvCustomCalculator::BeginNumber() {
  if (FState != csResultShown) return;
  FState = csOperandEntered;
  WriteDisplay("0");
}

void TkvCustomCalculator::UpdateMemoryButtons() {
  const bool empty = FMemory == 0;
  for (TkvCalcButtonKind kind : {cbMemoryClear, cbMemoryRecall}) {
    FButtons[kind].Grayed = empty;
    RepaintButton(kind);
  }
}

void TkvCustomCalculator::ApplyPending(Extended X) {
  switch (FPending) {
    case cbDiv:
      if (X == 0)
        ShowError();
      else
        ShowValue(FOperand / X);
      break;
    case cbMul: ShowValue(FOperand * X); break;
    case cbSub: ShowValue(FOperand - X); break;
    case cbAdd: ShowValue(FOperand + X); break;
    default: break;
  }
}

void TkvCustomCalculator::PerformButton(TkvCalcButtonKind Button) {
  OnCalcButtonPress(this, Button);
  if (Button >= cbNone) return;
  if (FState == csError && Button != cbCancelEntry && Button != cbClear) {
    ShowError();
    return;
  }
  const Char decimal = FormatSettings.DecimalSeparator;
  if (Button == cbDecimal) {
    BeginNumber();
    String display = ReadDisplay();
    if (display.find(decimal) == String::npos) WriteDisplay(display + decimal);
  } else if (IsDigit(Button)) {
    BeginNumber();
    String display = ReadDisplay();
    if (display == "0") display.clear();
    const size_t minus = display.find('-');
    const size_t signLength = minus == String::npos ? 0 : minus + 1;
    if (display.size() < std::max<size_t>(2, FPrecision) + signLength)
      WriteDisplay(display + Char('0' + (Button - cbNum0)));
    else
      Beep();
  } else {
    switch (Button) {
      case cbBack: {
        BeginNumber();
        String display = ReadDisplay();
        if (display.size() == 1 || (display.size() == 2 && display[0] == '-'))
          WriteDisplay("0");
        else if (!display.empty())
          WriteDisplay(display.substr(0, display.size() - 1));
        break;
      }
      case cbSign: ShowValue(-GetDisplayValue()); break;
      case cbSqrt:
      case cbRev: {
        FState = IsArithmetic(FPending) ? csOperandEntered : csResultShown;
        const Extended value = GetDisplayValue();
        if (Button == cbSqrt ? value < 0 : value == 0)
          ShowError();
        else
          ShowValue(Button == cbSqrt ? std::sqrt(value) : 1 / value);
        break;
      }
      case cbDiv:
      case cbMul:
      case cbSub:
      case cbAdd:
      case cbPercent:
      case cbEqual: {
        if (FState == csOperandEntered) {
          FState = csResultShown;
          Extended x = GetDisplayValue();
          if (Button == cbPercent) {
            if (FPending == cbDiv || FPending == cbMul)
              x = x / 100;
            else if (FPending == cbSub || FPending == cbAdd)
              x = FOperand * x / 100;
          }
          ApplyPending(x);
          if (FState == csError) break;
        }
        FPending = Button;
        FOperand = GetDisplayValue();
        if (Button == cbPercent || Button == cbEqual) OnResult(this);
        break;
      }
      case cbCancelEntry:
      case cbClear:
        FState = csResultShown;
        SetDisplayValue(0);
        FPending = cbEqual;
        break;
      case cbMemoryAdd:
      case cbMemoryStore:
        FState = csResultShown;
        FMemory = Button == cbMemoryAdd ? FMemory + GetDisplayValue() : GetDisplayValue();
        UpdateMemoryButtons();
        break;
      case cbMemoryRecall:
        FState = csResultShown;
        BeginNumber();
        SetDisplayValue(FMemory);
        break;
      case cbMemoryClear:
        FMemory = 0;
        UpdateMemoryButtons();
        break;
      default: break;
    }
  }
}

Extended TkvCustomCalculator::GetDisplayValue() {
  if (FState == csError) return 0;
  String text = Trim(ReadDisplay());
  if (text.empty()) text = "0";
  return StrToFloat(StripThousandSeparators(text, FormatSettings));
}

void TkvCustomCalculator::SetDisplayValue(Extended Value) {
  const String text = FloatToStrF(Value, ffGeneral, std::max<Integer>(2, FPrecision), 0);
  if (text == ReadDisplay()) return;
  WriteDisplay(text);
  OnDisplayChange(this);
}

void TkvCustomCalculator::RequestClose(TObject* /*Sender*/, TkvEditCloseUpReason Reason) { OnCloseRequest(this, Reason); }

// ---- Clipboard ----------------------------------------------------------------------------

void TkvCustomCalculator::CopyToClipboard() { SetClipboardString(HandleAllocated() ? GetHandle() : nullptr, ReadDisplay()); }

void TkvCustomCalculator::PasteFromClipboard() {
  String text;
  if (!GetClipboardString(HandleAllocated() ? GetHandle() : nullptr, text)) return;
  const String currency = FormatSettings.CurrencyString;
  for (size_t at; !currency.empty() && (at = text.find(currency)) != String::npos;) text.erase(at, currency.size());
  Extended value = 0;
  if (TryStrToFloat(Trim(text), value)) {
    ShowValue(value);
    if (FState != csError) FState = csOperandEntered;
  } else {
    SetDisplayValue(0);
  }
}
