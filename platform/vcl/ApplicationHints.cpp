// The application's hints: a pause after the mouse comes to rest on a control that shows hints,
// then the hint window under the cursor, hidden again after HintHidePause or at the first key or
// click. Moving to another control while a hint shows waits only HintShortPause.

#include "vcl/Forms.h"

namespace {
// The control that answers for hints at a place: the nearest one, inwards out, that shows them.
TControl* GetHintControl(TControl* Control) {
  while (Control && !Control->GetShowHint()) Control = Control->GetParent();
  return Control;
}

// Room for the cursor above the hint.
constexpr Integer kCursorHeightMargin = 20;
}  // namespace

String GetShortHint(const String& Hint) {
  size_t bar = Hint.find('|');
  return bar == String::npos ? Hint : Hint.substr(0, bar);
}

String GetLongHint(const String& Hint) {
  size_t bar = Hint.find('|');
  return bar == String::npos ? Hint : Hint.substr(bar + 1);
}

void TApplication::SetShowHint(bool Value) {
  if (FShowHint == Value) return;
  FShowHint = Value;
  if (!Value) CancelHint();
}

void TApplication::SetHint(const String& Value) {
  if (FHint == Value) return;
  FHint = Value;
  FOnHint(this);
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message) {
  if (!FShowHint || (!Control->GetParent() && !dynamic_cast<TWinControl*>(Control))) return;
  TPoint screen = Control->ClientToScreen(MessagePoint(Message.LParam));
  TControl* control = GetHintControl(FindDragTarget(screen, true));
  if (!control) {
    CancelHint();
    return;
  }
  bool inRect = screen.X >= FHintCursorRect.Left && screen.X < FHintCursorRect.Right &&
                screen.Y >= FHintCursorRect.Top && screen.Y < FHintCursorRect.Bottom;
  if (control == FHintControl && inRect) return;
  bool wasActive = FHintActive;
  Integer pause = wasActive ? FHintShortPause : FHintPause;
  control->Perform(CM_HINTSHOWPAUSE, wasActive, reinterpret_cast<LPARAM>(&pause));
  FHintControl = control;
  StartHintTimer(pause, THintTimerMode::Show);
}

void TApplication::StartHintTimer(Integer Value, THintTimerMode Mode) {
  StopHintTimer();
  FHintTimerMode = Mode;
  FHintTimerRunning = SetTimer(GetHandle(), reinterpret_cast<UINT_PTR>(this), static_cast<UINT>(std::max(Value, 0)),
                               nullptr) != 0;
  if (!FHintTimerRunning) CancelHint();
}

void TApplication::StopHintTimer() {
  if (!FHintTimerRunning) return;
  FHintTimerRunning = false;
  if (FHandle) KillTimer(FHandle, reinterpret_cast<UINT_PTR>(this));
}

void TApplication::HintTimerExpired() {
  StopHintTimer();
  if (FHintTimerMode == THintTimerMode::Hide) {
    HideHint();
  } else {
    POINT p;
    GetCursorPos(&p);
    ActivateHint(p);
  }
}

void TApplication::HideHint() {
  if (FHintWindow && FHintWindow->HandleAllocated() && IsWindowVisible(FHintWindow->GetHandle()))
    ShowWindow(FHintWindow->GetHandle(), SW_HIDE);
}

void TApplication::CancelHint() {
  if (!FHintControl) return;
  HideHint();
  FHintControl = nullptr;
  FHintActive = false;
  FHintCursorRect = {};
  StopHintTimer();
}

void TApplication::ActivateHint(const TPoint& CursorPos) {
  FHintActive = false;
  THintInfo info;
  if (FShowHint && FHintControl && FHintControl == GetHintControl(FindDragTarget(CursorPos, true))) {
    info.HintControl = FHintControl;
    info.HintPos = {CursorPos.X, CursorPos.Y + kCursorHeightMargin};
    info.HintMaxWidth = Screen() ? Screen()->GetWidth() : GetSystemMetrics(SM_CXSCREEN);
    info.HintColor = FHintColor;
    info.CursorRect = FHintControl->GetClientRect();
    info.CursorPos = FHintControl->ScreenToClient(CursorPos);
    info.HintStr = GetShortHint(FHintControl->GetHint());
    info.HideTimeout = FHintHidePause;
    info.HintWindowClass = HintWindowClass;
    bool canShow = FHintControl->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
    if (canShow) FOnShowHint(info.HintStr, canShow, info);
    FHintActive = canShow && FHintControl;
    if (FHintActive && !info.HintStr.empty()) {
      if (FHintWindow && info.HintWindowClass && FHintWindow->ClassType() != static_cast<TClass>(info.HintWindowClass)) {
        delete FHintWindow;
        FHintWindow = nullptr;
      }
      if (!FHintWindow) {
        THintWindowClass cls = info.HintWindowClass ? info.HintWindowClass : THintWindowClass(THintWindow::ClassInfo());
        FHintWindow = cls.Create(this);
      }
      TRect rect = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
      rect = {rect.Left + info.HintPos.X, rect.Top + info.HintPos.Y, rect.Right + info.HintPos.X,
              rect.Bottom + info.HintPos.Y};
      TPoint origin = FHintControl->ClientToScreen({0, 0});
      FHintCursorRect = {info.CursorRect.Left + origin.X, info.CursorRect.Top + origin.Y,
                         info.CursorRect.Right + origin.X, info.CursorRect.Bottom + origin.Y};
      FHintWindow->SetColor(info.HintColor);
      FHintWindow->ActivateHint(rect, info.HintStr);
      if (info.ReshowTimeout > 0)
        StartHintTimer(info.ReshowTimeout, THintTimerMode::Show);
      else
        StartHintTimer(info.HideTimeout, THintTimerMode::Hide);
      return;
    }
  }
  if (info.ReshowTimeout > 0)
    StartHintTimer(info.ReshowTimeout, THintTimerMode::Show);
  else
    CancelHint();
}
