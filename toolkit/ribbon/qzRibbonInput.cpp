// The ribbon's window input: mouse and keys go to its controller; the wheel reaches a ribbon
// under the mouse through a thread mouse hook, even while the focus is elsewhere. Also the unit
// start and end.

#include "rtl/ClassRegistry.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonMenus.h"
#include "user/Hooks.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"
#include "vcl/Forms.h"

namespace {

// One hook per process, installed by the first ribbon window and kept until the unit ends.
HHOOK gWheelHook = nullptr;

TqzCustomRibbon* RibbonOfControl(TWinControl* AControl) {
  auto* ribbon = dynamic_cast<TqzCustomRibbon*>(AControl);
  if (!ribbon) return nullptr;
  const bool shown = !ribbon->GetHidden() && (ribbon->GetShowTabHeaders() || ribbon->GetShowTabGroups());
  return shown ? ribbon : nullptr;
}

LRESULT WheelHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code < 0 || WParam != WM_MOUSEWHEEL || !Mouse()->GetWheelPresent())
    return CallNextHookEx(gWheelHook, Code, WParam, LParam);
  auto* data = reinterpret_cast<MOUSEHOOKSTRUCTEX*>(LParam);
  const auto delta = static_cast<short>(HIWORD(data->mouseData));
  TqzCustomRibbon* ribbon = FindShownRibbonOfWindow(WindowFromPoint(data->pt));
  if (ribbon && IsWindowEnabled(ribbon->GetHandle())) {
    ribbon->HandleMouseWheel(KeyboardStateToShiftState(), delta, TPoint(-1, -1));
    return 1;
  }
  return CallNextHookEx(gWheelHook, Code, WParam, LParam);
}

}  // namespace

TqzCustomRibbon* FindShownRibbonOfWindow(HWND AWnd) {
  for (HWND wnd = AWnd; wnd; wnd = GetParent(wnd)) {
    if (TqzCustomRibbon* ribbon = RibbonOfControl(FindControl(wnd))) return ribbon;
    if (!(GetWindowLong(wnd, GWL_STYLE) & WS_CHILD)) break;
  }
  return nullptr;
}

void TqzCustomRibbon::CreateWnd() {
  inherited::CreateWnd();
  if (!IsDesignTime() && !gWheelHook) gWheelHook = SetWindowsHookEx(WH_MOUSE, WheelHook, nullptr, GetCurrentThreadId());
  Changed();
}

void TqzCustomRibbon::Paint() {
  if (FViewInfo->GetUseNonClientDrawing()) FFormCaptionHelper->DrawCaptionArea(nullptr);
  FViewInfo->Paint(GetCanvas());
}

bool TqzCustomRibbon::HandleMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos) {
  bool handled = false;
  GetOnMouseWheel()(this, Shift, WheelDelta, MousePos, handled);
  if (handled) return true;
  for (Integer notches = std::abs(WheelDelta) / WHEEL_DELTA; notches > 0; --notches)
    handled = (WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos)) || handled;
  return handled;
}

bool TqzCustomRibbon::CanSwitchTabsByWheel() { return AreTabGroupsShown(); }

bool TqzCustomRibbon::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  return TControl::DoMouseWheelDown(Shift, MousePos) || FController->WheelDown(Shift, MousePos);
}

bool TqzCustomRibbon::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  return TControl::DoMouseWheelUp(Shift, MousePos) || FController->WheelUp(Shift, MousePos);
}

void TqzCustomRibbon::KeyDown(Word& Key, TShiftState Shift) {
  FController->KeyDown(Key, Shift);
  inherited::KeyDown(Key, Shift);
}

void TqzCustomRibbon::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  FController->MouseDown(Button, Shift, X, Y);
}

void TqzCustomRibbon::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  FController->MouseMove(Shift, X, Y);
}

void TqzCustomRibbon::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  FController->MouseUp(Button, Shift, X, Y);
}

void TqzCustomRibbon::FireMouseLeave(TControl* AControl) {
  inherited::FireMouseLeave(AControl);
  FController->MouseLeave();
}

void TqzCustomRibbon::ResetMouseState() {
  inherited::ResetMouseState();
  FController->CancelMode();
}

// ---- Unit ------------------------------------------------------------------------------------

void qzRibbonStart() {
  RegisterClasses({TqzRibbon::ClassInfo(), TqzRibbonTab::ClassInfo(), TqzRibbonPopupMenu::ClassInfo(),
                   TqzBarApplicationMenu::ClassInfo()});
}

void qzRibbonEnd() {
  if (gWheelHook) UnhookWindowsHookEx(gWheelHook);
  gWheelHook = nullptr;
  UnRegisterClasses({TqzRibbon::ClassInfo(), TqzRibbonTab::ClassInfo(), TqzRibbonPopupMenu::ClassInfo(),
                   TqzBarApplicationMenu::ClassInfo()});
}
