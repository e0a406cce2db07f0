// Plain framework controls inside skinned forms: push buttons, panels and frames drawn through
// the form's skin painter.

#include "controls/Button.h"
#include "gdi/Gdi.h"
#include "toolkit/skins/qzSkinsForm.h"
#include "user/User.h"
#include "vcl/ExtCtrls.h"
#include "vcl/StdCtrls.h"

TAVREN_CLASS_IMPL(TqzSkinCustomController)
TAVREN_CLASS_IMPL(TqzSkinButtonController)
TAVREN_CLASS_IMPL(TqzSkinPanelController)
TAVREN_CLASS_IMPL(TqzSkinFrameController)

namespace {

// "The parent's colour": the skin's panel look instead of a colour of its own.
constexpr TColor kDefaultPanelColor = static_cast<TColor>(0x20000000);

// A canvas over a DC for the length of one paint.
class TDCCanvas {
 public:
  explicit TDCCanvas(HDC DC) : FKv(&FCanvas) { FCanvas.SetHandle(DC); }
  ~TDCCanvas() { FCanvas.SetHandle(nullptr); }
  TkvCanvas* operator->() { return &FKv; }
  TkvCanvas* Get() { return &FKv; }

 private:
  TCanvas FCanvas;
  TkvCanvas FKv;
};

}  // namespace

// ---- Common -----------------------------------------------------------------------------------

TqzSkinWinController* TqzSkinCustomController::ParentControllerFor(HWND) {
  if (!UpdatePainter()) return nullptr;
  TCustomForm* form = Control() ? GetParentForm(Control()) : nullptr;
  return form && form->HandleAllocated() ? SkinWinControllerOf(form->GetHandle()) : nullptr;
}

void TqzSkinCustomController::Refresh() {
  if (Handle()) SetParentController(ParentControllerFor(Handle()));
  inherited::Refresh();
}

bool TqzSkinCustomController::HandlePrintClient(TMessage& Message) {
  if (Message.Msg != WM_PRINTCLIENT) return false;
  if (!((Message.LParam & PRF_CHECKVISIBLE) && !IsWindowVisible(Handle()))) Paint(reinterpret_cast<HDC>(Message.WParam));
  Message.Result = 0;
  return true;
}

TRect TqzSkinCustomController::Bounds() const {
  RECT r{};
  GetWindowRect(Handle(), &r);
  return Rect(0, 0, r.Width(), r.Height());
}

void TqzSkinCustomController::WindowProc(TMessage& Message) {
  if (!IsSkinned() || (Message.Msg != WM_PAINT && Message.Msg != WM_ERASEBKGND && !HandleMessage(Message))) {
    CallSavedProc(Message);
    return;
  }
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
  } else if (Message.Msg == WM_PAINT && !FPainting) {
    FPainting = true;
    if (Message.WParam) {
      Paint(reinterpret_cast<HDC>(Message.WParam));
    } else {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      Paint(dc);
      EndPaint(Handle(), &ps);
    }
    FPainting = false;
    Message.Result = 0;
  }
}

// ---- Buttons ----------------------------------------------------------------------------------

void TqzSkinButtonController::Refresh() {
  if (Handle()) {
    ReadText();
    FState = IsWindowEnabled(Handle()) ? kvbsNormal : kvbsDisabled;
  }
  inherited::Refresh();
}

void TqzSkinButtonController::ReadText() {
  char text[256] = {};
  GetWindowText(Handle(), text, sizeof text);
  FText = text;
}

void TqzSkinButtonController::SetState(TkvButtonState Value) {
  if (!IsWindowEnabled(Handle())) Value = kvbsDisabled;
  if (Value == FState) return;
  FState = Value;
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

bool TqzSkinButtonController::HandleMessage(TMessage& Message) {
  const UINT msg = Message.Msg;
  if (msg == WM_ENABLE) {
    CallSavedProc(Message);
    SetState(Message.WParam ? kvbsNormal : kvbsDisabled);
    return true;
  }
  if (msg == BM_SETSTATE) {
    CallSavedProc(Message);
    FPressed = Message.WParam != 0;
    SetState(FPressed ? kvbsPressed : kvbsNormal);
    return true;
  }
  if (msg == WM_MOUSEMOVE || msg == WM_MOUSEHOVER) {
    CallSavedProc(Message);
    POINT cursor{};
    GetCursorPos(&cursor);
    if (WindowFromPoint(cursor) == Handle()) SetState(FPressed ? kvbsPressed : kvbsHot);
    return true;
  }
  if (msg == WM_MOUSELEAVE || msg == CM_MOUSELEAVE) {
    CallSavedProc(Message);
    SetState(kvbsNormal);
    return true;
  }
  if (msg == WM_SETTEXT) {
    CallSavedProc(Message);
    ReadText();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return true;
  }
  if (msg == WM_UPDATEUISTATE) {
    CallSavedProc(Message);
    const WORD action = LOWORD(Message.WParam);
    if (action == UIS_SET || action == UIS_CLEAR) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return true;
  }
  return false;
}

void TqzSkinButtonController::Paint(HDC DC) {
  TqzSkinLookAndFeelPainter* painter = ActivePainter();
  if (!painter) return;
  TDCCanvas canvas(DC);
  const TRect bounds = Bounds();
  CopyParentImage(Control(), canvas.Get(), bounds, false);
  const TkvButtonState state = IsWindowEnabled(Handle()) ? FState : kvbsDisabled;
  painter->PaintButton(canvas.Get(), bounds, String(), state, true, clBtnFace, clDefault, false);
  if (!FText.empty()) {
    canvas->AssignFont(Control()->GetFont());
    canvas->CurrentBrush()->SetStyle(bsClear);
    const bool multiLine = (GetWindowLong(Handle(), GWL_STYLE) & BS_MULTILINE) != 0;
    const Integer flags = ktfAlignHCenter | ktfAlignVCenter | ktfShowPrefix | (multiLine ? ktfWordBreak : ktfSingleLine);
    if (state == kvbsDisabled) {
      canvas->CurrentFont()->SetColor(clBtnHighlight);
      canvas->PaintText(FText, RectShifted(bounds, 1, 1), flags);
    }
    canvas->CurrentFont()->SetColor(painter->ButtonGlyphColor(state, clDefault));
    canvas->PaintText(FText, bounds, flags);
    canvas->CurrentBrush()->SetStyle(bsSolid);
  }
  if (GetFocus() == Handle()) canvas->DrawFocusFrame(RectInflated(bounds, -4, -4));
}

// ---- Panels -----------------------------------------------------------------------------------

bool TqzSkinPanelController::HandleMessage(TMessage& Message) { return HandlePrintClient(Message); }

void TqzSkinPanelController::Paint(HDC DC) {
  TqzSkinLookAndFeelPainter* painter = ActivePainter();
  auto* panel = dynamic_cast<TCustomPanel*>(Control());
  if (!painter || !panel) return;
  TDCCanvas canvas(DC);
  const TRect bounds = Bounds();
  const bool ownColor = !panel->GetParentBackground() && panel->GetColor() != clBtnFace;
  const TColor color = ownColor ? panel->GetColor() : kDefaultPanelColor;
  painter->PaintPanelBackground(canvas.Get(), panel, bounds, color, color);
  if (!ownColor) painter->PanelHook198(canvas.Get(), bounds, false);
  if (panel->GetBevelInner() != bvNone || panel->GetBevelOuter() != bvNone) painter->PaintPanelFrame(canvas.Get(), bounds);
  const String caption = panel->GetCaption();
  if (!caption.empty()) {
    canvas->AssignFont(panel->GetFont());
    canvas->CurrentBrush()->SetStyle(bsClear);
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    if (panel->GetAlignment() == taRightJustify) flags |= DT_RIGHT;
    else if (panel->GetAlignment() == taCenter) flags |= DT_CENTER;
    if (panel->GetBiDiMode() != bdLeftToRight) flags |= DT_RTLREADING;
    RECT r = bounds;
    SetBkMode(DC, TRANSPARENT);
    SelectObject(DC, panel->GetFont()->GetHandle());
    SetTextColor(DC, ColorToRGB(panel->GetFont()->GetColor()));
    DrawText(DC, caption.c_str(), -1, &r, flags);
    canvas->CurrentBrush()->SetStyle(bsSolid);
  }
  panel->PaintControls(DC, nullptr);
}

// ---- Frames -----------------------------------------------------------------------------------

bool TqzSkinFrameController::HandleMessage(TMessage& Message) { return HandlePrintClient(Message); }

void TqzSkinFrameController::Paint(HDC DC) {
  auto* frame = dynamic_cast<TWinControl*>(Control());
  if (!frame) return;
  const TRect bounds = Bounds();
  if (frame->GetParentBackground()) {
    TDCCanvas canvas(DC);
    CopyParentImage(frame, canvas.Get(), bounds, false);
  } else if (auto* form = dynamic_cast<TqzSkinFormController*>(ParentController())) {
    form->FormPainter()->PaintBackground(DC, bounds);
  }
  frame->PaintControls(DC, nullptr);
}
