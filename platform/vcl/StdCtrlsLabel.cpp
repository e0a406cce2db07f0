// TCustomLabel: text painted on the parent, sized to the text while AutoSize is on.

#include <cctype>

#include "gdi/Text.h"
#include "vcl/StdCtrls.h"

TAVREN_MESSAGE_TABLE(TCustomLabel,
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged),
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged),
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar))

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csSetCaption);
  FControlStyle.Include(csOpaque);
  FControlStyle.Include(csReplicatable);
  SetBounds(0, 0, 65, 17);
  FAutoSize = true;
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (GetTransparent() == Value) return;
  if (Value)
    FControlStyle.Exclude(csOpaque);
  else
    FControlStyle.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::SetAutoSize(bool Value) {
  inherited::SetAutoSize(Value);
  AdjustBounds();
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Loaded() {
  inherited::Loaded();
  AdjustBounds();
}

UINT TCustomLabel::TextFormat() const {
  static constexpr UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  UINT format = DT_EXPANDTABS | kAlignments[FAlignment];
  if (FWordWrap) format |= DT_WORDBREAK;
  if (!FShowAccelChar) format |= DT_NOPREFIX;
  return format;
}

void TCustomLabel::Paint() {
  TCanvas* canvas = GetCanvas();
  TRect rect = GetClientRect();
  if (!GetTransparent()) {
    canvas->GetBrush()->SetColor(GetColor());
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->FillRect(rect);
  }
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->SetFont(GetFont());
  String caption = GetText();
  // An empty caption would measure as nothing; a blank keeps the line's height.
  const String text = caption.empty() ? String(" ") : caption;
  canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  HDC dc = canvas->GetHandle();
  UINT format = TextFormat();
  if (FLayout != tlTop) {
    RECT measured = rect;
    DrawText(dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
    Integer spare = rect.Height() - measured.Height();
    rect.Top += FLayout == tlBottom ? spare : spare / 2;
  }
  SetBkMode(dc, TRANSPARENT);
  if (!GetEnabled()) {
    TRect shifted = Rect(rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawText(dc, text.c_str(), -1, &shifted, format);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
  } else {
    SetTextColor(dc, ColorToRGB(GetFont()->GetColor()));
  }
  DrawText(dc, text.c_str(), -1, &rect, format);
}

void TCustomLabel::AdjustBounds() {
  if (GetComponentState().Contains(csLoading) || !GetAutoSize()) return;
  String text = GetText();
  TSize size = TextSizeInFont(GetFont(), text.empty() ? " " : text, TextFormat(), FWidth);
  Integer left = FLeft;
  Integer width = size.cx;
  // The label grows away from the edge its alignment keeps.
  if (FAlignment == taRightJustify) left += FWidth - width;
  else if (FAlignment == taCenter) left += (FWidth - width) / 2;
  SetBounds(left, FTop, width, size.cy);
}

void TCustomLabel::CMTextChanged(TMessage&) {
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
  InheritedMessage(Message);
  AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& Message) {
  if (!FFocusControl || !GetEnabled() || !FShowAccelChar) return;
  if (IsAccel(static_cast<Word>(Message.WParam), GetText()) && FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    Message.Result = 1;
  }
}

bool IsAccel(Word VK, const String& Str) {
  Char hotkey = GetHotkey(Str);
  return hotkey != '\0' && std::toupper(static_cast<unsigned char>(hotkey)) == std::toupper(VK & 0xFF);
}

TSize TextSizeInFont(TFont* Font, const String& Text, UINT Format, Integer Width) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font->GetHandle());
  RECT rect{0, 0, Width, 0};
  DrawText(dc, Text.c_str(), -1, &rect, Format | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {rect.Width(), rect.Height()};
}
