// The plain edit with glyph and preview box, and the small buttons of the button edits.

#include "toolkit/inspector/JyEdit.h"

#include <algorithm>

#include "controls/Edit.h"
#include "gdi/Gdi.h"
#include "rtl/DateUtils.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "toolkit/inspector/JyThemesSupport.h"
#include "user/Rects.h"
#include "user/User.h"
#include "vcl/Forms.h"

// ---- Margins ------------------------------------------------------------------------------------

void TJyMargins::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TJyMargins*>(Source)) {
    FTop = other->FTop;
    FBottom = other->FBottom;
    FRight = other->FRight;
    FLeft = other->FLeft;
    if (FOwner->HandleAllocated()) FOwner->RecreateWindow();
    return;
  }
  inherited::Assign(Source);
}

void TJyMargins::Set(Integer& Field, Integer Value) {
  Field = Value;
  if (FOwner->HandleAllocated()) FOwner->RecreateWindow();
}

// ---- The custom edit ----------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TJyCustomEdit,
    MESSAGE_HANDLER(WM_PAINT, WMPaint),
    MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint),
    MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode),
    MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, WMWindowPosChanged),
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged))

TJyCustomEdit::TJyCustomEdit(TComponent* AOwner)
    : TCustomEdit(AOwner),
      FCanvas(std::make_unique<TControlCanvas>()),
      FGlyph(std::make_unique<TBitmap>()),
      FInnerMargins(std::make_unique<TJyMargins>(this)) {
  FCanvas->SetControl(this);
  FGlyph->SetOnChange(MakeEvent<&TJyCustomEdit::GlyphChanged>(this));
  SetBorderStyle(bsSingle);
  SetColor(clWindow);
  SetBounds(GetLeft(), GetTop(), 121, 20);
  SetParentColor(false);
  SetTabStop(true);
  if (Screen())
    if (HCURSOR cursor = LoadCursor(HInstance, "REVERSEDARROW")) Screen()->SetCursors(crReversedArrow, cursor);
}

TJyCustomEdit::~TJyCustomEdit() { FCanvas->SetControl(nullptr); }

bool TJyCustomEdit::GetAsBoolean() { return StrToBool(GetText()); }
TDateTime TJyCustomEdit::GetAsDateTime() { return StrToDateTime(GetText()); }
double TJyCustomEdit::GetAsFloat() { return StrToFloat(GetText()); }
Integer TJyCustomEdit::GetAsInteger() { return StrToInt(GetText()); }
void TJyCustomEdit::SetAsDateTime(TDateTime Value) { SetText(DateTimeToStr(Value)); }
void TJyCustomEdit::SetAsFloat(double Value) { SetText(FloatToStr(Value)); }
void TJyCustomEdit::SetAsInteger(Integer Value) { SetText(IntToStr(Value)); }

void TJyCustomEdit::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_CLIPCHILDREN;
  // A formatting rectangle needs a multi-line edit; a password edit stays single-line.
  if (GetPasswordChar() == '\0') Params.Style |= ES_MULTILINE;
  static constexpr DWORD kAlignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  Params.Style |= kAlignments[FAlignment];
}

void TJyCustomEdit::CreateWnd() {
  inherited::CreateWnd();
  UpdateEditRect();
}

Integer TJyCustomEdit::TextHeight() {
  FCanvas->GetFont()->Assign(GetFont());
  FCanvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  TEXTMETRIC metrics{};
  GetTextMetrics(FCanvas->GetHandle(), &metrics);
  return metrics.tmHeight;
}

TRect TJyCustomEdit::GetEditRect() {
  const TRect client = GetClientRect();
  TRect r;
  r.Left = FInnerMargins->GetLeft();
  r.Right = client.Width() - FInnerMargins->GetRight() - 1;
  const Integer height = TextHeight();
  switch (FVerticalAlignment) {
    case vaTop:
      r.Top = FInnerMargins->GetTop();
      r.Bottom = r.Top + height;
      break;
    case vaMiddle:
      r.Top = (client.Height() - 1) / 2 - height / 2;
      r.Bottom = r.Top + height;
      break;
    case vaBottom:
      r.Bottom = client.Height() - FInnerMargins->GetBottom();
      r.Top = r.Bottom - height;
      break;
  }
  if (FShowPreview) r.Left += 27;
  if (!FGlyph->GetEmpty()) r.Left += FGlyph->GetWidth() + 4;
  return r;
}

TRect TJyCustomEdit::GetPreviewRect() {
  const TRect client = GetClientRect();
  const Integer g = FGlyph->GetEmpty() ? 0 : FGlyph->GetWidth() + 4;
  TRect r = Rect(client.Left + g + 1, client.Top + 1, client.Left + g + 21, client.Bottom - 1);
  if (FPreviewBorder) InflateRect(&r, -1, -1);
  return r;
}

void TJyCustomEdit::UpdateEditRect() {
  if (!HandleAllocated()) return;
  TRect r = GetEditRect();
  SendMessage(GetHandle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TJyCustomEdit::UpdateGlyph() {
  if (!FGlyph->GetEmpty()) {
    FGlyph->SetTransparentColor(FGlyph->GetCanvas()->GetPixel(0, FGlyph->GetHeight() - 1));
    FGlyph->SetTransparent(true);
  }
  UpdateEditRect();
  if (HandleAllocated()) RecreateWnd();
}

void TJyCustomEdit::GlyphChanged(TObject*) { UpdateGlyph(); }

void TJyCustomEdit::InvalidatePreview() {
  if (!HandleAllocated()) return;
  const TRect r = GetPreviewRect();
  InvalidateRect(GetHandle(), &r, FALSE);
}

void TJyCustomEdit::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TJyCustomEdit::SetVerticalAlignment(TVerticalAlignment Value) {
  if (Value == FVerticalAlignment) return;
  FVerticalAlignment = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TJyCustomEdit::SetShowPreview(bool Value) {
  if (Value == FShowPreview) return;
  FShowPreview = Value;
  UpdateEditRect();
  if (HandleAllocated()) Invalidate();
}

void TJyCustomEdit::SetPreviewBorder(bool Value) {
  if (Value == FPreviewBorder) return;
  FPreviewBorder = Value;
  InvalidatePreview();
}

void TJyCustomEdit::WMPaint(TMessage& Message) {
  if (GetBorderStyle() == bsSingle && GetBorderWidth() > 0) {
    HDC dc = GetDC(GetHandle());
    HBRUSH brush = CreateSolidBrush(ColorToRGB(GetColor()));
    TRect r = GetClientRect();
    for (Integer ring = 0; ring < GetBorderWidth(); ++ring) {
      FrameRect(dc, &r, brush);
      InflateRect(&r, -1, -1);
    }
    DeleteObject(brush);
    ReleaseDC(GetHandle(), dc);
  }
  InheritedMessage(Message);
  if (!UsesEditText()) PaintContent();
  Painted();
  FCanvas->FreeHandle();
}

void TJyCustomEdit::WMNCPaint(TMessage& Message) {
  InheritedMessage(Message);
  if (!IsThemed() || GetBorderStyle() != bsSingle) return;
  HDC dc = GetWindowDC(GetHandle());
  TRect window;
  GetWindowRect(GetHandle(), &window);
  OffsetRect(&window, -window.Left, -window.Top);
  TRect inner = window;
  InflateRect(&inner, -2, -2);
  ExcludeClipRect(dc, inner.Left, inner.Top, inner.Right, inner.Bottom);
  DrawThemed(GetHandle(), dc, window, u"edit", 1, 0);
  ReleaseDC(GetHandle(), dc);
}

void TJyCustomEdit::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (FWantTabs) Message.Result |= DLGC_WANTTAB;
}

void TJyCustomEdit::WMWindowPosChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (HandleAllocated()) Invalidate();
}

void TJyCustomEdit::CMEnabledChanged(TMessage& Message) {
  InheritedMessage(Message);
  for (Integer i = 0; i < GetComponentCount(); ++i)
    if (auto* control = dynamic_cast<TControl*>(GetComponents(i))) control->Invalidate();
}

void TJyCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (CanFocus() && !Focused()) SetFocus();
  if (!FGlyph->GetEmpty() && X >= 0 && Y >= 0 && X < FGlyph->GetWidth() && Y < GetHeight()) DoGlyphClick();
}

// ---- The edit -----------------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TJyEdit, MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged))

void TJyEdit::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  // Return has no line to break here; swallowing it also spares the beep.
  if (Key == '\r') Key = '\0';
}

void TJyEdit::Resize() {
  inherited::Resize();
  UpdateEditRect();
  if (!GetComponentState().Contains(csReading)) SetAutoSize(false);
}

void TJyEdit::Change() {
  inherited::Change();
  TextChanged();
}

void TJyEdit::CMFontChanged(TMessage& Message) {
  InheritedMessage(Message);
  UpdateEditRect();
}

void TJyEdit::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  SetCursor(X <= 2 ? crReversedArrow : crDefault);
}

void TJyEdit::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (X <= 2) SelectAll();
}

void TJyEdit::Painted() {
  TControlCanvas* canvas = GetCanvas();
  TBitmap* glyph = GetGlyph();
  if (!glyph->GetEmpty()) {
    Integer y = (GetClientHeight() - glyph->GetHeight()) / 2;
    if (GetBorderStyle() == bsSingle) y -= 2;
    canvas->Draw(2, y, glyph);
  }
  if (!GetShowPreview()) return;
  const Integer g = glyph->GetEmpty() ? 0 : glyph->GetWidth() + 4;
  TRect box = Rect(g + 1, 1, g + 21, GetClientHeight() - 1);
  if (GetPreviewBorder()) {
    canvas->GetBrush()->SetColor(RGB(128, 128, 128));
    canvas->FrameRect(box);
  }
  InflateRect(&box, -1, -1);
  DrawPreview(box);
}

// ---- Small buttons ------------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TJySmallButton, MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd))

TJySmallButton::TJySmallButton(TComponent* AOwner)
    : TCustomControl(AOwner), FOwnerEdit(dynamic_cast<TJyCustomEdit*>(AOwner)) {}

void TJySmallButton::SetHot(bool Value) {
  if (Value == FHot) return;
  FHot = Value;
  Invalidate();
}

Integer TJySmallButton::ThemeState() const {
  if (FOwnerEdit && !FOwnerEdit->GetEnabled()) return 4;
  if (FDown) return 3;
  if (FHot) return 2;
  return 1;
}

void TJySmallButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (FOwnerEdit && FOwnerEdit->GetVisible() && FOwnerEdit->CanFocus()) FOwnerEdit->SetFocus();
  FDown = true;
  FOnPress(this);
}

void TJySmallButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (!FDown) return;
  FDown = false;
  Invalidate();
  FOnRelease(this);
}

void TJySmallButton::MouseEnter() {
  inherited::MouseEnter();
  SetHot(true);
}

void TJySmallButton::MouseLeave() {
  inherited::MouseLeave();
  SetHot(false);
}

void TJySmallButton::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

TJyExecuteButton::TJyExecuteButton(TComponent* AOwner) : TJySmallButton(AOwner) { SetWidth(21); }

void TJyExecuteButton::Paint() {
  TCanvas* canvas = GetCanvas();
  TRect r = GetClientRect();
  if (IsThemed()) {
    canvas->GetBrush()->SetColor(GetColor());
    canvas->FillRect(r);
    TRect grown = r;
    InflateRect(&grown, 1, 1);
    DrawThemed(GetHandle(), canvas->GetHandle(), grown, u"button", 1, ThemeState());
  } else if (GetDown()) {
    canvas->GetBrush()->SetColor(clBtnFace);
    canvas->GetPen()->SetColor(clBtnShadow);
    canvas->Rectangle(r);
  } else {
    UINT flags = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (OwnerEdit() && !OwnerEdit()->GetEnabled()) flags |= DFCS_INACTIVE;
    DrawFrameControl(canvas->GetHandle(), &r, DFC_BUTTON, flags);
  }
  canvas->SetFont(GetFont());
  TGraphicsProvider::DrawTextRect(canvas, GetClientRect(), false, GetCaption(), taCenter);
}

TDropDownButton::TDropDownButton(TComponent* AOwner) : TJySmallButton(AOwner) { SetWidth(16); }

void TDropDownButton::Paint() {
  TCanvas* canvas = GetCanvas();
  TRect r = GetClientRect();
  if (IsThemed()) {
    DrawThemed(GetHandle(), canvas->GetHandle(), r, u"combobox", 1, ThemeState());
    return;
  }
  UINT flags = DFCS_SCROLLCOMBOBOX | DFCS_ADJUSTRECT;
  if (GetDown()) flags |= DFCS_PUSHED;
  if (OwnerEdit() && !OwnerEdit()->GetEnabled()) flags |= DFCS_INACTIVE;
  DrawFrameControl(canvas->GetHandle(), &r, DFC_SCROLL, flags);
}
