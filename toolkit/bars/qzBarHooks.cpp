// The bars' keyboard, mouse and call-window hooks.

#include "toolkit/bars/qzBarHooks.h"

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarCustForm.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarItemControlCombos.h"
#include "toolkit/bars/qzBarItemControlEdits.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "toolkit/bars/qzBarQuickControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "user/Input.h"

TqzBarNavigationRootProc RibbonNavigationLookup = nullptr;

namespace {

HHOOK gKeyboardHook = nullptr;
HHOOK gMouseHook = nullptr;
HHOOK gCallWndHook = nullptr;

// A key whose key-down the bars consumed: its key-up is consumed too.
bool gKeySuppressed = false;
Word gSuppressedKey = 0;
bool gButtonTracking = false;
bool gDirectCall = false;
bool gMouseReentry = false;
bool gManagerLookup = false;
bool gAppActive = true;
bool gOtherAppActivating = false;

constexpr LPARAM kKeyUpBit = static_cast<LPARAM>(static_cast<int32_t>(0x80000000u));

bool IsKeyDown(LPARAM AFlags) { return (AFlags & kKeyUpBit) == 0; }
bool IsPressed(int AVirtualKey) { return GetKeyState(AVirtualKey) < 0; }
bool AnyShiftKeyDown() { return IsPressed(VK_SHIFT) || IsPressed(VK_CONTROL) || IsPressed(VK_MENU); }


void SuppressKey(Word AKey) {
  gKeySuppressed = true;
  gSuppressedKey = AKey;
}

// ---- Keyboard --------------------------------------------------------------------------------------

bool IsEditingInPlace(TCustomqzBarControl* ABar) {
  auto* selected = dynamic_cast<TqzBarWinControl*>(ABar->GetSelectedControl());
  return selected && selected->GetInPlaceActive();
}

}  // namespace

Integer ActiveBarWheelState() {
  TCustomqzBarControl* active = ActiveBarControl();
  if (!active) return 3;
  if (IsEditingInPlace(active)) return 2;
  return active->HandlesMouseWheel() ? 1 : 0;
}

namespace {

bool KeyboardNavigation(Word AKey, LPARAM AFlags) {
  bool down = IsKeyDown(AFlags);
  if (gKeySuppressed && AKey == gSuppressedKey && !down) {
    gKeySuppressed = false;
    return true;
  }
  // A loop that moves something with the mouse reads the keys itself.
  if (TqzBarDesignController* designer = ExistingDesignController(); designer && designer->IsMoving()) return false;
  TqzBarNavigationController* controller = NavigationControllerInstance();
  if (controller->WantsKey(AKey)) {
    if (down) {
      SuppressKey(AKey);
      controller->HandleKey(AKey);
    }
    if (controller->CurrentSelectionParent() || !down) gKeySuppressed = false;
    return true;
  }
  TCustomqzBarControl* active = ActiveBarControl();
  if (active && active->IsUsable() && !active->IsCustomizing()) {
    // An editor in place takes its keys itself.
    if (IsEditingInPlace(active)) return false;
    if (down) SuppressKey(AKey);
    SendMessage(active->GetHandle(), down ? WM_KEYDOWN : WM_KEYUP, AKey, AFlags);
    if (ActiveBarControl() || !down) gKeySuppressed = false;
    return true;
  }
  if (AKey == VK_ESCAPE && active && active->HandleAllocated() && GetCapture() == active->GetHandle()) {
    ReleaseCapture();
    return true;
  }
  // Esc and Del work on what the design controller selected in the bars of a customized manager.
  TqzBarDesignController* designer = ExistingDesignController();
  if (!designer || !down) return false;
  if (AKey == VK_ESCAPE) return designer->SelectParentOfSelection();
  if (AKey == VK_DELETE) return designer->DeleteSelection(IsPressed(VK_CONTROL), true);
  return false;
}

// A host's root for the window, else the node of the window manager's main-menu bar window.
TqzBarHelperRef NavigationRootOfWindow(HWND AWnd) {
  if (RibbonNavigationLookup)
    if (TqzBarHelperRef root = RibbonNavigationLookup(AWnd)) return root;
  TqzBarManager* manager = BarManagerOfWindow(AWnd);
  TqzBar* mainMenu = manager ? manager->GetMainMenuBar() : nullptr;
  TqzBarControl* window = mainMenu ? mainMenu->GetBarControl() : nullptr;
  return window && window->IsUsable() ? BarHelperRef(window->GetAccessibilityHelper()) : nullptr;
}

// The first manager found from the window up through its parents while they are child windows.
TqzBarManager* ManagerUpFrom(HWND AWnd, bool AWantRoot, TqzBarHelperRef& ARoot) {
  for (HWND w = AWnd; w; w = (GetWindowLongPtr(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr) {
    if (AWantRoot) {
      if (TqzBarHelperRef root = NavigationRootOfWindow(w)) {
        ARoot = root;
        return root->OwningBarManager();
      }
    } else if (TqzBarManager* manager = BarManagerOfWindow(w)) {
      return manager;
    }
  }
  return nullptr;
}

// A bar window of the managers serving the manager's form holds the keyboard as an open menu does.
bool AnyManagerOfFormInMenuMode(TqzBarManager* AManager) {
  TCustomqzBarControl* active = ActiveBarControl();
  if (!active || !active->HoldsKeyboard()) return false;
  TqzBarManager* holder = active->GetControlBarManager();
  return holder == AManager || FormOfBarManager(holder, 0) == FormOfBarManager(AManager, 0);
}

TqzBarManager* ManagerForKeyboard(bool AWantRoot, TqzBarHelperRef& ARoot) {
  ARoot = nullptr;
  TqzBarManager* manager = ManagerUpFrom(GetFocus(), AWantRoot, ARoot);
  if (!manager) {
    if (TCustomForm* form = ActiveFormOfBars(); form && form->HandleAllocated())
      manager = ManagerUpFrom(form->GetHandle(), AWantRoot, ARoot);
  }
  if (!manager && Application()) {
    TForm* mainForm = Application()->GetMainForm();
    if (mainForm && mainForm->HandleAllocated() && IsWindowEnabledUpChain(mainForm->GetHandle())) {
      TqzBarHelperRef root;
      TqzBarManager* found = ManagerUpFrom(mainForm->GetHandle(), AWantRoot, root);
      if (found && found->GetAllowCallFromAnotherForm()) {
        manager = found;
        ARoot = root;
      }
    }
  }
  if (!manager && !AWantRoot) {
    HWND activeWindow = GetActiveWindow();
    TWinControl* control = activeWindow && IsWindowEnabledUpChain(activeWindow) ? FindControl(activeWindow) : nullptr;
    auto* form = dynamic_cast<TCustomForm*>(control);
    if (form && !form->GetParent() && BarFormMappingHook) form = BarFormMappingHook(form);
    if (form)
      for (Integer i = 0; i < BarManagerList()->GetCount() && !manager; ++i)
        if (FormOfBarManager(BarManagerList()->GetManager(i), 0) == form) manager = BarManagerList()->GetManager(i);
  }
  if (manager && (manager->IsCustomizingOrDesigning() || AnyManagerOfFormInMenuMode(manager))) {
    manager = nullptr;
    ARoot = nullptr;
  }
  return manager;
}

// A shortcut runs through the managers' chain; with Alt down, a key that is an item's accelerator
// selects that item in its bar window and presses it when no other item shares the accelerator.
bool ManagerShortCuts(TqzBarManager* AManager, Word AKey, LPARAM AFlags) {
  if (AManager->DispatchShortCut(ShortCutFromCharKey(AKey, AFlags))) return true;
  if (!IsPressed(VK_MENU)) return false;
  TShiftState shift;
  if (IsPressed(VK_SHIFT)) shift.Include(ssShift);
  if (IsPressed(VK_CONTROL)) shift.Include(ssCtrl);
  TqzBarItemLink* link = AManager->FindAccelLink(AKey, shift);
  if (!link || !link->GetItem()->GetEnabled()) return false;
  TCustomqzBarControl* bar = link->GetBarControl();
  TqzBarItemControl* control = link->GetControl();
  if (!bar || !control) return false;
  TqzBarItemLink* next = link->GetLinks()->FindLinkByAccelKey(AKey, shift, link);
  bar->SelectControlFocused(control);
  if ((!next || next == link) && IsBarControlLive(bar)) {
    // A menu opened this way keeps its bar down, as a press would: the arrows open the neighbours'.
    if (dynamic_cast<TqzBarSubItemControl*>(control)) bar->SetKeptDown(true);
    bar->SelectAndPress(control, false);
  }
  return true;
}

// Alt and F10 on their own enter menu navigation; any other key ends the key-tip wait.
bool ManagerMenuKeys(Word AKey, LPARAM AFlags) {
  TqzBarHelperRef root;
  TqzBarManager* manager = ManagerForKeyboard(AKey == VK_F10 || AKey == VK_MENU, root);
  if (!manager) return false;
  TqzBarNavigationController* controller = NavigationControllerInstance();
  bool f10ForMenu = AKey == VK_F10 && !AnyShiftKeyDown() && manager->GetUseF10ForMenu();
  TInterfacePtr<IqzBarKeyTipWindowsManager> windows;
  if (!IsKeyDown(AFlags)) {
    if ((AKey == VK_MENU && controller->GetAltPressed()) || f10ForMenu) {
      controller->SetAltPressed(false);
      if (root) {
        controller->EnterNavigation(root);
        if (root->KeyTipsAvailable(windows)) controller->EndKeyTipsWaiting(true);
      }
      return true;
    }
    controller->EndKeyTipsWaiting(false);
    return false;
  }
  bool altAlone = AKey == VK_MENU && !IsPressed(VK_CONTROL);
  if ((altAlone || f10ForMenu) && !(gKeySuppressed && gSuppressedKey == AKey)) {
    manager->HideHint();
    controller->SetAltPressed(true);
    if (root && root->KeyTipsAvailable(windows)) controller->StartKeyTipsWaiting(root);
    return false;
  }
  controller->EndKeyTipsWaiting(false);
  return ManagerShortCuts(manager, AKey, AFlags);
}

// A handler that raises never breaks the chain: the next hook still runs.
LRESULT KeyboardHook(int ACode, WPARAM AWParam, LPARAM ALParam) {
  LRESULT result = 0;
  Word key = static_cast<Word>(AWParam);
  try {
    if (ACode == HC_NOREMOVE) {
    } else if (gButtonTracking) {
      result = 1;
    } else if (key != VK_PROCESSKEY && ACode >= 0) {
      if (KeyboardNavigation(key, ALParam))
        result = 1;
      else if (!GetCapture() && ManagerMenuKeys(key, ALParam))
        result = 1;
    }
  } catch (...) {
  }
  if (gDirectCall) return result;
  LRESULT next = CallNextHookEx(gKeyboardHook, ACode, AWParam, ALParam);
  return result ? result : next;
}

// ---- Mouse -----------------------------------------------------------------------------------------

// The window belongs to a bar window of the open chain, or is the control one of them was opened
// from (which handles its own presses).
bool IsInActiveMenuChain(HWND AWnd) {
  TCustomqzBarControl* active = ActiveBarControl();
  if (!active->IsUsable() && !active->GetControlBarManager()->IsCustomizingOrDesigning()) return true;
  for (TCustomqzBarControl* bar = active; bar; bar = bar->ChainParent())
    if (bar->OwnsWindow(AWnd) || bar->OwnsForeignWindow(AWnd)) return true;
  return false;
}

// The item control that a release outside the open menus belongs to: that of a bar window it
// fell on, that of the active bar window under the cursor while something holds the capture, or
// a dropped-down combo of the active bar window (its list may take the release).
TqzBarItemControl* ActiveComboUnderCapture(const MOUSEHOOKSTRUCT* AInfo) {
  if (auto* bar = dynamic_cast<TCustomqzBarControl*>(FindControl(AInfo->hwnd))) return bar->GetSelectedControl();
  TCustomqzBarControl* active = ActiveBarControl();
  if (!GetCapture() || !active) return nullptr;
  TqzBarItemControl* selected = active->GetSelectedControl();
  POINT cursor{};
  GetCursorPos(&cursor);
  if (active->HandleAllocated() && FindWindowAtScreenPoint(cursor) == active->GetHandle()) return selected;
  auto* combo = dynamic_cast<TCustomqzBarComboControl*>(selected);
  return combo && combo->IsDroppedDown() ? combo : nullptr;
}

// An outside click closes every open menu level that does not contain it, innermost first; a
// right or middle release outside them is swallowed.
bool CloseMenusOnOutsideClick(int ACode, UINT AMsg, const MOUSEHOOKSTRUCT* AInfo, LRESULT& AResult) {
  if (gMouseReentry || ACode < 0 || !ActiveBarControl()) return false;
  TqzBarFlagScope reentry(gMouseReentry);
  if (AMsg == WM_RBUTTONUP || AMsg == WM_NCRBUTTONUP || AMsg == WM_MBUTTONUP || AMsg == WM_NCMBUTTONUP) {
    if (ActiveComboUnderCapture(AInfo) || IsInActiveMenuChain(AInfo->hwnd)) return false;
    AResult = 1;
    return true;
  }
  // A drag carries links out of the menus without closing them.
  if (!IsButtonDownMessage(AMsg) || ActiveBarControl()->GetControlBarManager()->IsDragging()) return false;
  bool handled = false;
  while (TCustomqzBarControl* active = ActiveBarControl()) {
    if (IsInActiveMenuChain(AInfo->hwnd)) break;
    active->CloseOnce();
    if (!IsWindowVisible(AInfo->hwnd)) {
      AResult = 1;
      handled = true;
    }
    // A level that would not close ends the walk.
    if (ActiveBarControl() == active) break;
  }
  return handled;
}

// ---- Customizing -----------------------------------------------------------------------------------
// The customizing form disables the forms of the bars it customizes: presses and moves over their
// bar windows arrive with the error hit code and are sent on to those bar windows here, so that
// links can still be selected and dragged.

constexpr UINT kHitError = static_cast<UINT>(HTERROR);
constexpr UINT kClientToNonClient = WM_MOUSEMOVE - WM_NCMOUSEMOVE;

bool IsClientMouseMessage(UINT AMsg) { return AMsg >= WM_MOUSEMOVE && AMsg <= WM_MBUTTONDBLCLK; }
bool IsNonClientMouseMessage(UINT AMsg) { return AMsg >= WM_NCMOUSEMOVE && AMsg <= WM_NCMBUTTONDBLCLK; }

// An owner that is a child window stays enabled when its form is disabled: a point that lies on
// it counts as a point on a disabled window.
void RedirectCustomizingMouse(UINT& AMsg, MOUSEHOOKSTRUCT* AInfo) {
  TqzBarCustomizingForm* form = ActiveCustomizingForm();
  TWinControl* owner = form ? form->GetBarManager()->GetOwnerControl() : nullptr;
  if (!owner || !owner->HandleAllocated()) return;
  HWND ownerWnd = owner->GetHandle();
  if (!(GetWindowLongPtr(ownerWnd, GWL_STYLE) & WS_CHILD)) return;
  HWND w = AInfo->hwnd;
  while (w && w != ownerWnd) {
    POINT client = AInfo->pt;
    ScreenToClient(w, &client);
    HWND child = ChildWindowFromPointEx(w, client, CWP_SKIPINVISIBLE);
    w = child == w ? nullptr : child;
  }
  if (!w) return;
  if (IsClientMouseMessage(AMsg)) AMsg -= kClientToNonClient;
  AInfo->hwnd = ownerWnd;
  AInfo->wHitTestCode = kHitError;
}

TqzBarManager* CustomizingManager() {
  TqzBarManagerList* list = BarManagerList();
  for (Integer i = 0; list && i < list->GetCount(); ++i)
    if (list->GetManager(i)->GetIsCustomizing()) return list->GetManager(i);
  return nullptr;
}

// A hit on a disabled window of ours that lies on a bar window of the customized manager is that
// bar window's: the structure is turned to it and it sets the cursor.
bool RouteDesignTimeHit(UINT AMsg, MOUSEHOOKSTRUCT* AInfo) {
  if (AInfo->wHitTestCode != kHitError || !FindControl(AInfo->hwnd)) return false;
  TqzBarManager* manager = CustomizingManager();
  if (!manager) return false;
  TqzBarCustomizingForm* form = ActiveCustomizingForm();
  HWND active = GetActiveWindow();
  TWinControl* owner = manager->GetOwnerControl();
  bool formActive = form && form->HandleAllocated() && active == form->GetHandle();
  bool ownerInActive = active && owner && owner->HandleAllocated() &&
                       (active == owner->GetHandle() || IsChild(active, owner->GetHandle()));
  if (!formActive && !ownerInActive) return false;
  // The point of the message, not the cursor: queued input is judged where it happened.
  HWND under = FindWindowAtScreenPoint(TPoint(AInfo->pt.X, AInfo->pt.Y));
  for (Integer i = 0; i < manager->GetBars()->GetCount(); ++i) {
    TqzBarControl* window = manager->GetBars()->GetBar(i)->GetBarControl();
    if (!window || !window->HandleAllocated() || window->GetHandle() != under) continue;
    AInfo->hwnd = under;
    AInfo->wHitTestCode = static_cast<UINT>(
        SendMessage(under, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(AInfo->pt.X), static_cast<WORD>(AInfo->pt.Y))));
    SendMessage(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                MAKELPARAM(static_cast<WORD>(AInfo->wHitTestCode), static_cast<WORD>(AMsg)));
    return true;
  }
  return false;
}

// A press outside the open quick control closes it, unless it is on the mark that opened it.
void HideQuickCustomizing(UINT AMsg, const MOUSEHOOKSTRUCT* AInfo) {
  TqzBarQuickControl* quick = OpenQuickControl();
  if (!quick || !quick->IsInactive() || !IsButtonDownMessage(AMsg) || quick->OwnsWindow(AInfo->hwnd)) return;
  TqzBarControl* parent = quick->GetParentBar();
  if (!parent || !parent->MarkUnderCursor() || AMsg == WM_RBUTTONDOWN) quick->ResetParentMark();
}

// The message goes to the bar window the structure names, as a client message; a press brings
// the customizing form forward.
LRESULT ForwardToCustomizingForm(UINT AMsg, const MOUSEHOOKSTRUCT* AInfo) {
  UINT msg = IsNonClientMouseMessage(AMsg) ? AMsg + kClientToNonClient : AMsg;
  POINT p = AInfo->pt;
  ScreenToClient(AInfo->hwnd, &p);
  if (msg != WM_MOUSEMOVE)
    if (TqzBarCustomizingForm* form = ActiveCustomizingForm(); form && form->HandleAllocated())
      SetForegroundWindow(form->GetHandle());
  WPARAM keys = 0;
  if (GetAsyncKeyState(VK_CONTROL) < 0) keys |= MK_CONTROL;
  if (GetAsyncKeyState(VK_LBUTTON) < 0) keys |= MK_LBUTTON;
  if (GetAsyncKeyState(VK_MBUTTON) < 0) keys |= MK_MBUTTON;
  if (GetAsyncKeyState(VK_RBUTTON) < 0) keys |= MK_RBUTTON;
  if (GetAsyncKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
  SendMessage(AInfo->hwnd, msg, keys, MAKELPARAM(static_cast<WORD>(p.X), static_cast<WORD>(p.Y)));
  return 1;
}

LRESULT MouseHook(int ACode, WPARAM AWParam, LPARAM ALParam) {
  LRESULT result = 0;
  UINT msg = static_cast<UINT>(AWParam);
  auto* info = reinterpret_cast<MOUSEHOOKSTRUCT*>(ALParam);
  try {
    TqzBarNavigationController* controller = NavigationControllerInstance();
    if (ACode == HC_ACTION && IsButtonDownMessage(msg)) controller->LeaveNavigationMode();
    TCustomqzBarControl* active = ActiveBarControl();
    if (msg == WM_MOUSEWHEEL && ACode >= 0 && active && !IsEditingInPlace(active) && !active->HandlesMouseWheel()) {
      result = 1;
    } else if (info->hwnd != GetCapture() || msg == WM_RBUTTONUP) {
      RedirectCustomizingMouse(msg, info);
      bool designHit = RouteDesignTimeHit(msg, info);
      if (!CloseMenusOnOutsideClick(ACode, msg, info, result)) {
        HideQuickCustomizing(msg, info);
        // A press inside the open bar windows is theirs to handle (it may land in an open drop-down).
        if (IsButtonDownMessage(msg) && !(ActiveBarControl() && IsInActiveMenuChain(info->hwnd)) &&
            (controller->CurrentSelection() || controller->IsWaitingForKeyTips() || controller->AreKeyTipsShown()))
          controller->EndKeyboardNavigation();
        if (designHit) result = ForwardToCustomizingForm(msg, info);
      }
    }
  } catch (...) {
  }
  LRESULT next = CallNextHookEx(gMouseHook, ACode, AWParam, ALParam);
  return result ? result : next;
}

// ---- Call-window -----------------------------------------------------------------------------------

bool IsParentOrChild(HWND A, HWND B) { return A && B && (GetParent(A) == B || GetParent(B) == A); }

void DispatchToManagers(UINT AMsg, WPARAM AWParam, LPARAM ALParam, HWND AWnd) {
  if (AMsg == WM_ACTIVATE) {
    HWND other = reinterpret_cast<HWND>(ALParam);
    if (IsParentOrChild(AWnd, other) && !IsOtherProcessWindow(other)) return;
  }
  HWND target = AWnd;
  if (AMsg == WM_HELP)
    if (TCustomqzBarControl* active = ActiveBarControl()) {
      TqzBarManager* manager = active->GetControlBarManager();
      TCustomForm* above = FormAboveControl(FindControl(AWnd), 2);
      TCustomForm* form = FormOfBarManager(manager, 2);
      if (form && form->HandleAllocated() && !(above && IsControlInside(above, manager->GetOwnerControl())))
        target = form->GetHandle();
    }
  TqzBarManager* manager;
  {
    TqzBarFlagScope lookup(gManagerLookup);
    manager = BarManagerOfWindow(target);
    if (!manager && AMsg == WM_ACTIVATE)
      for (HWND parent = GetParent(target); parent && !manager; parent = GetParent(parent))
        if (IsWindowVisible(parent)) manager = BarManagerOfWindow(parent);
  }
  TWeakRef<TqzBarManager> handled(manager);
  if (manager) manager->HandleOwnerMessage(target, AMsg, AWParam, ALParam);
  TqzBarManager::BroadcastOwnerMessage(handled.Get(), target, AMsg, AWParam, ALParam);
}

LRESULT CallWndHook(int ACode, WPARAM AWParam, LPARAM ALParam) {
  auto* call = reinterpret_cast<CWPSTRUCT*>(ALParam);
  try {
    if (ACode >= 0) {
      if (call->message == WM_ACTIVATE && LOWORD(call->wParam) == WA_INACTIVE &&
          IsOtherProcessWindow(reinterpret_cast<HWND>(call->lParam)))
        gOtherAppActivating = true;
      if (call->message == WM_ACTIVATEAPP) {
        gOtherAppActivating = false;
        gAppActive = call->wParam != 0;
        if (TqzBarDesignController* designer = ExistingDesignController()) designer->CheckLastSelection();
      }
      if (!gManagerLookup) DispatchToManagers(call->message, call->wParam, call->lParam, call->hwnd);
    }
  } catch (...) {
  }
  return CallNextHookEx(gCallWndHook, ACode, AWParam, ALParam);
}

}  // namespace

// ---- Registration ------------------------------------------------------------------------------------

void RegisterBarManager(TqzBarManager* AManager) {
  TqzBarManagerList* list = BarManagerList();
  if (!list) return;
  if (list->IndexOf(AManager) < 0) {
    if (list->GetCount() == 0) {
      DWORD thread = GetCurrentThreadId();
      gKeyboardHook = SetWindowsHookExA(WH_KEYBOARD, KeyboardHook, nullptr, thread);
      gMouseHook = SetWindowsHookExA(WH_MOUSE, MouseHook, nullptr, thread);
      gCallWndHook = SetWindowsHookExA(WH_CALLWNDPROC, CallWndHook, nullptr, thread);
    }
    list->Add(AManager);
  }
  if (!AManager->IsDesigning() && !BarHintWindow()) CreateBarHintWindow();
}

void UnregisterBarManager(TqzBarManager* AManager) {
  TqzBarManagerList* list = BarManagerList();
  if (!list || list->IndexOf(AManager) < 0) return;
  list->Remove(AManager);
  if (list->GetCount() == 0) RemoveBarHooks();
}

void RemoveBarHooks() {
  for (HHOOK* hook : {&gCallWndHook, &gMouseHook, &gKeyboardHook}) {
    if (*hook) UnhookWindowsHookEx(*hook);
    *hook = nullptr;
  }
  FreeBarHintWindow();
}

bool BarHooksInstalled() { return gKeyboardHook || gMouseHook || gCallWndHook; }

bool RunBarKeyboardHookDirect(Word AKey, LPARAM AKeyFlags) {
  TqzBarFlagScope direct(gDirectCall);
  return KeyboardHook(HC_ACTION, AKey, AKeyFlags) == 1;
}

void SetBarButtonTracking(bool AValue) { gButtonTracking = AValue; }

bool IsAppActiveWindow() { return gAppActive && !gOtherAppActivating && GetActiveWindow() != nullptr; }
