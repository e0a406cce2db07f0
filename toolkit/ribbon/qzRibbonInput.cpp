// The ribbon's window input: mouse and keys go to its controller; the wheel reaches a ribbon
// under the mouse through a thread mouse hook, even while the focus is elsewhere. Also the unit
// start and end.

#include "rtl/ClassRegistry.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarHooks.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonMenus.h"
#include "toolkit/ribbon/qzRibbonNavigation.h"
#include "toolkit/ribbon/qzRibbonQuickAccess.h"
#include "toolkit/ribbon/qzRibbonQuickAccessCustomize.h"
#include "toolkit/ribbon/qzRibbonQuickAccessGroupButton.h"
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

// The key state a wheel message carries.
WORD WheelKeys() {
  const struct {
    int Key;
    WORD Flag;
  } kKeys[] = {{VK_SHIFT, MK_SHIFT}, {VK_CONTROL, MK_CONTROL}, {VK_LBUTTON, MK_LBUTTON}, {VK_RBUTTON, MK_RBUTTON},
               {VK_MBUTTON, MK_MBUTTON}};
  WORD keys = 0;
  for (const auto& k : kKeys)
    if (GetKeyState(k.Key) < 0) keys |= k.Flag;
  return keys;
}

LRESULT WheelHook(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code < 0 || WParam != WM_MOUSEWHEEL || !Mouse()->GetWheelPresent())
    return CallNextHookEx(gWheelHook, Code, WParam, LParam);
  auto* data = reinterpret_cast<MOUSEHOOKSTRUCTEX*>(LParam);
  const auto delta = static_cast<short>(HIWORD(data->mouseData));
  switch (ActiveBarWheelState()) {
    case 3:
      if (TqzCustomRibbon* ribbon = FindShownRibbonOfWindow(WindowFromPoint(data->pt));
          ribbon && IsWindowEnabled(ribbon->GetHandle())) {
        ribbon->HandleMouseWheel(KeyboardStateToShiftState(), delta, TPoint(-1, -1));
        return 1;
      }
      break;
    case 1: {
      // An open bar window that scrolls by the wheel gets it wherever the mouse is.
      SendMessage(ActiveBarControl()->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(WheelKeys(), static_cast<WORD>(delta)),
                  MAKELPARAM(data->pt.X, data->pt.Y));
      return 1;
    }
    default:
      break;
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
  RibbonNavigationLookup = &RibbonNavigationRoot;
  // Items of the quick access toolbar's menus; none is offered in the designer.
  RegisterBarItemClass(TqzRibbonQuickAccessPopupSubItem::ClassInfo(), TqzRibbonQuickAccessPopupSubItemControl::ClassInfo(),
                       false);
  RegisterBarItemClass(TqzRibbonQuickAccessPopupSubItemButton::ClassInfo(),
                       TqzRibbonQuickAccessPopupSubItemButtonControl::ClassInfo(), false);
  RegisterBarItemClass(TqzRibbonQuickAccessGroupButton::ClassInfo(), TqzRibbonQuickAccessGroupButtonControl::ClassInfo(),
                       false);
  TqzBarDesignController* controller = DesignControllerInstance();
  controller->RegisterDesignHelper(TqzRibbonGroupBarControl::ClassInfo(), TqzRibbonGroupBarControlDesignHelper::ClassInfo());
  controller->RegisterDesignHelper(TqzRibbonQuickAccessBarControl::ClassInfo(),
                                   TqzRibbonQuickAccessBarControlDesignHelper::ClassInfo());
}

void qzRibbonEnd() {
  if (TqzBarDesignController* controller = ExistingDesignController()) {
    controller->UnregisterDesignHelper(TqzRibbonQuickAccessBarControl::ClassInfo(),
                                       TqzRibbonQuickAccessBarControlDesignHelper::ClassInfo());
    controller->UnregisterDesignHelper(TqzRibbonGroupBarControl::ClassInfo(), TqzRibbonGroupBarControlDesignHelper::ClassInfo());
  }
  UnregisterBarItemClass(TqzRibbonQuickAccessGroupButton::ClassInfo());
  UnregisterBarItemClass(TqzRibbonQuickAccessPopupSubItemButton::ClassInfo());
  UnregisterBarItemClass(TqzRibbonQuickAccessPopupSubItem::ClassInfo());
  RibbonNavigationLookup = nullptr;
  if (gWheelHook) UnhookWindowsHookEx(gWheelHook);
  gWheelHook = nullptr;
  UnRegisterClasses({TqzRibbon::ClassInfo(), TqzRibbonTab::ClassInfo(), TqzRibbonPopupMenu::ClassInfo(),
                   TqzBarApplicationMenu::ClassInfo()});
}
