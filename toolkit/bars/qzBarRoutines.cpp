// The bar unit's lookups between windows, controls and forms, and its key, mouse, sound and
// message-pump routines.

#include <algorithm>

#include "rtl/Math.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/editors/kvContainer.h"
#include "toolkit/foundation/kvControls.h"
#include "user/KeyboardLayout.h"
#include "user/Sound.h"

namespace {

bool IsChildWindow(HWND AWnd) { return (GetWindowLongPtr(AWnd, GWL_STYLE) & WS_CHILD) != 0; }

// Menu sounds by kind; the stop entry has no name, which stops a playing sound.
const char* const kBarSoundNames[] = {"MenuPopup", "MenuCommand", nullptr};
constexpr bool kBarSoundsOn = true;

// Takes and dispatches the messages of one range that are already queued; a quit request is put
// back for the loop that owns it.
void DispatchPendingMessages(UINT AFirst, UINT ALast) {
  MSG msg;
  while (PeekMessage(&msg, nullptr, AFirst, ALast, PM_NOREMOVE)) {
    BOOL got = GetMessage(&msg, nullptr, AFirst, ALast);
    if (got == -1) return;
    if (!got) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    DispatchMessage(&msg);
  }
}

}  // namespace

// ---- Lookups -------------------------------------------------------------------------------

TWinControl* OwnerWinControlOf(TComponent* AComponent) {
  for (TComponent* c = AComponent; c; c = c->GetOwner()) {
    if (auto* control = dynamic_cast<TWinControl*>(c)) return control;
  }
  return nullptr;
}

TWinControl* FindParentWinControlOfChild(HWND AWnd) {
  while (AWnd && IsChildWindow(AWnd)) {
    AWnd = GetParent(AWnd);
    if (TWinControl* control = FindControl(AWnd)) return control;
  }
  return nullptr;
}

TWinControl* ControlOfWindowChain(HWND AWnd) {
  for (; AWnd; AWnd = GetParent(AWnd)) {
    if (TWinControl* control = FindControl(AWnd)) return control;
    if (!IsChildWindow(AWnd)) break;
  }
  return nullptr;
}

TCustomForm* FormAboveControl(TWinControl* AControl, Integer AFormKind) {
  if (!AControl) return nullptr;
  HWND wnd = nullptr;
  try {
    wnd = AControl->GetHandle();
  } catch (const Exception&) {
    return nullptr;
  }
  TCustomForm* result = nullptr;
  while (wnd) {
    if (auto* form = dynamic_cast<TCustomForm*>(FindControl(wnd))) {
      result = form;
      if (AFormKind == 2 || (AFormKind == 1 && IsMDIChildForm(form))) break;
    }
    if (!IsChildWindow(wnd)) break;
    wnd = GetParent(wnd);
  }
  return result;
}

TCustomForm* FormOfComponent(TComponent* AComponent) { return FormAboveControl(OwnerWinControlOf(AComponent), 2); }

bool IsControlInside(TWinControl* AContainer, TControl* AControl) {
  if (!AContainer || !AControl) return false;
  auto* winControl = dynamic_cast<TWinControl*>(AControl);
  TWinControl* windowed = winControl ? winControl : AControl->GetParent();
  if (AContainer->HandleAllocated() && windowed && windowed->HandleAllocated()) {
    return windowed->GetHandle() == AContainer->GetHandle() || IsChild(AContainer->GetHandle(), windowed->GetHandle());
  }
  for (TControl* c = AControl; c; c = c->GetParent()) {
    if (c == AContainer) return true;
  }
  return false;
}

TWinControl* FindHostPopupWindow(TWinControl* AControl, bool) {
  if (!AControl || !AControl->HandleAllocated() || AControl->GetComponentState().Contains(csDestroying))
    return nullptr;
  HWND start = AControl->GetHandle();
  HWND top = start;
  // Bar windows with parent bars join this walk (the follow flag) once they exist; up to then a
  // top-level window ends it.
  while (IsChildWindow(top) && GetParent(top)) top = GetParent(top);
  if (top == start) return nullptr;
  return dynamic_cast<TkvCustomPopupWindow*>(FindControl(top));
}

bool IsMDIChildForm(TWinControl* AControl) {
  auto* form = dynamic_cast<TCustomForm*>(AControl);
  return form && !form->GetComponentState().Contains(csDesigning) && form->GetFormStyle() == fsMDIChild;
}

bool IsMDIFrameForm(TWinControl* AControl) {
  auto* form = dynamic_cast<TCustomForm*>(AControl);
  return form && !form->GetComponentState().Contains(csDesigning) && form->GetFormStyle() == fsMDIForm;
}

// The platform has no MDI client windows, so no form has an active MDI child.
HWND GetActiveMDIChildWindow() { return nullptr; }

TCustomForm* ActiveFormOfBars() {
  auto* form = dynamic_cast<TCustomForm*>(FindControl(GetActiveWindow()));
  if (!form || !IsWindowEnabledUpChain(form->GetHandle())) return nullptr;
  if (IsMDIFrameForm(form)) {
    if (auto* child = dynamic_cast<TCustomForm*>(FindControl(GetActiveMDIChildWindow()))) return child;
  }
  return form;
}

bool IsControlFormActive(TWinControl* AControl) {
  if (!AControl || !AControl->HandleAllocated()) return false;
  HWND active = GetActiveWindow();
  if (AControl->GetHandle() == active) return true;
  if (IsMDIChildForm(AControl)) {
    TForm* mainForm = Application() ? Application()->GetMainForm() : nullptr;
    return mainForm && mainForm->HandleAllocated() && mainForm->GetHandle() == active &&
           GetActiveMDIChildWindow() == AControl->GetHandle();
  }
  return GetAncestor(AControl->GetHandle(), GA_ROOT) == active;
}

bool IsLoadingAsAncestor(TComponent* AComponent) {
  if (!AComponent) return false;
  TComponentState state = AComponent->GetComponentState();
  return state.Contains(csLoading) && state.Contains(csAncestor) && !state.Contains(csReading);
}

bool IsControlWindowVisible(TWinControl* AControl) {
  return AControl && AControl->HandleAllocated() && IsWindowVisible(AControl->GetHandle());
}

bool IsWindowEnabledUpChain(HWND AWnd) {
  if (!AWnd || !IsWindowEnabled(AWnd)) return false;
  while (IsChildWindow(AWnd)) {
    AWnd = GetParent(AWnd);
    if (!AWnd) break;
    if (!IsWindowEnabled(AWnd)) return false;
  }
  return true;
}

bool IsFocusOrChildOfFocus(HWND AWnd) {
  HWND focus = GetFocus();
  if (!AWnd || !focus) return false;
  for (HWND w = AWnd; w; w = GetParent(w)) {
    if (w == focus) return true;
    if (!IsChildWindow(w)) break;
  }
  return false;
}

bool IsWindowDescendantOf(HWND AWnd, HWND AAncestor) {
  if (!AWnd || !AAncestor) return false;
  for (HWND w = GetParent(AWnd); w; w = GetParent(w)) {
    if (w == AAncestor) return true;
  }
  return false;
}

HWND FindWindowAtScreenPoint(const TPoint& P) {
  HWND wnd = WindowFromPoint(P);
  while (wnd) {
    POINT client = P;
    ScreenToClient(wnd, &client);
    HWND child = ChildWindowFromPointEx(wnd, client, CWP_SKIPINVISIBLE);
    if (!child || child == wnd) break;
    wnd = child;
  }
  return wnd;
}

bool IsOtherProcessWindow(HWND AWnd) {
  if (!AWnd) return true;
  DWORD process = 0;
  GetWindowThreadProcessId(AWnd, &process);
  return process != GetCurrentProcessId();
}

void CancelModeOfActiveForm() {
  if (auto* form = dynamic_cast<TCustomForm*>(FindControl(GetActiveWindow()))) form->SendCancelMode(nullptr);
}

void ActivateTopLevelWindow(HWND AWnd) {
  while (AWnd && IsChildWindow(AWnd)) AWnd = GetParent(AWnd);
  if (AWnd) SetActiveWindow(AWnd);
}

// ---- Text, keys, mouse and sounds ----------------------------------------------------------

TShortCut ShortCutFromCharKey(Word ACharCode, LPARAM AKeyData) {
  if (ACharCode == 0) return 0;
  Integer result = ACharCode;
  if (GetKeyState(VK_SHIFT) < 0) result += scShift;
  if (GetKeyState(VK_CONTROL) < 0) result += scCtrl;
  if (AKeyData & (1 << 29)) result += scAlt;
  return static_cast<TShortCut>(result);
}

String ShortCutHintSuffix(TShortCut AShortCut) {
  String text = ShortCutToText(AShortCut);
  return text.empty() ? String() : " (" + text + ")";
}

Integer AccelCharIndex(String& ACaption, bool ARemoveMarkers) {
  Integer result = 0;
  // 0-based i stands for the 1-based position i + 1; the length is read again on every step
  // because removing a marker shortens the caption.
  for (size_t i = 0; i + 1 < ACaption.size(); ++i) {
    if (ACaption[i] != '&') continue;
    if (ARemoveMarkers)
      ACaption.erase(i, 1);
    else
      ++i;
    if (i < ACaption.size() && ACaption[i] != '&') result = static_cast<Integer>(i) + 1;
  }
  return result;
}

String StripAccelChars(const String& ACaption) {
  String result;
  StripAccelChar(ACaption, false, result);
  return result;
}

bool IsKeyTipChar(Word AKey) {
  UINT mapped = MapVirtualKey(AKey, MAPVK_VK_TO_CHAR);
  if (mapped == 0 || mapped >= 0x10000 || mapped == ' ') return false;
  return IsPrintableKeyChar(static_cast<Char>(mapped));
}

bool IsButtonDownMessage(UINT AMsg) {
  switch (AMsg) {
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK: case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

bool IsMouseButtonDown(Integer AButtonKey, Integer ASwappedButtonKey) {
  Integer key = GetSystemMetrics(SM_SWAPBUTTON) ? ASwappedButtonKey : AButtonKey;
  return GetAsyncKeyState(key) < 0;
}

bool IsPrimaryMouseButtonDown() { return IsMouseButtonDown(VK_LBUTTON, VK_RBUTTON); }

bool IsSecondaryMouseButtonDown() { return IsMouseButtonDown(VK_RBUTTON, VK_LBUTTON); }

void PlayBarSound(TqzBarSoundKind ASound) {
  if (kBarSoundsOn) PlaySoundA(kBarSoundNames[ASound], nullptr, SND_ALIAS | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC);
}

void StopBarSound() { PlayBarSound(bskStop); }

void DispatchPendingMouseMessages() { DispatchPendingMessages(WM_MOUSEFIRST, WM_MOUSEWHEEL); }

void DispatchPendingPaints() { DispatchPendingMessages(WM_PAINT, WM_PAINT); }

bool DiscardPendingCharMessages(HWND AWnd) { return DrainMessages(AWnd, WM_CHAR, WM_CHAR, true); }

Integer ShowAppMessageBox(const String& AText, Integer AFlags) {
  return Application()->MessageBox(AText, Application()->GetTitle(), AFlags);
}

void EnumNamesToStringArray(const TTypeInfo* ATypeInfo, std::vector<String>& ANames) {
  ANames.clear();
  if (!ATypeInfo) return;
  for (Int64 v = ATypeInfo->MinValue; v <= ATypeInfo->MaxValue; ++v)
    ANames.push_back(GetEnumName(ATypeInfo, static_cast<Integer>(v)));
}

void SetElementNamesToArray(const TTypeInfo* ASetTypeInfo, std::vector<String>& ANames) {
  EnumNamesToStringArray(ASetTypeInfo ? ASetTypeInfo->CompType : nullptr, ANames);
}

String PathSeparatorText(bool ARegistry) { return ARegistry ? "\\" : "."; }

Integer BoolToTwo(bool AValue) { return AValue ? 2 : 0; }

Integer ScaleByScreenDPI(Integer AValue, Integer ABaseDPI) {
  return MulDiv(AValue, Screen()->GetPixelsPerInch(), ABaseDPI);
}

void EnsureMinWidth(Integer& AWidth, Integer AMinWidth) { AWidth = std::max(AWidth, AMinWidth); }

TBitmap* CreateNotifyingBitmap(TNotifyEvent AOnChange) {
  auto* bitmap = new TBitmap();
  bitmap->SetOnChange(AOnChange);
  return bitmap;
}

// ---- Windows and timers --------------------------------------------------------------------

void SetWindowZOrder(HWND AWnd, HWND AInsertAfter, bool AActivate, UINT AExtraFlags) {
  UINT flags = SWP_NOSIZE | SWP_NOMOVE | AExtraFlags;
  if (!AActivate) flags |= SWP_NOACTIVATE;
  SetWindowPos(AWnd, AInsertAfter, 0, 0, 0, 0, flags);
}

void SetWindowAlphaBlend(HWND AWnd, Byte AAlpha) {
  LONG_PTR exStyle = GetWindowLongPtr(AWnd, GWL_EXSTYLE);
  if (AAlpha < 255) {
    if (!(exStyle & WS_EX_LAYERED)) SetWindowLongPtr(AWnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    SetLayeredWindowAttributes(AWnd, 0, AAlpha, LWA_ALPHA);
  } else if (exStyle & WS_EX_LAYERED) {
    SetWindowLongPtr(AWnd, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    RedrawWindow(AWnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void ClearWindowHandle(HWND& AWnd, bool ADestroy) {
  if (ADestroy && AWnd) DestroyWindow(AWnd);
  AWnd = nullptr;
}

bool KillTimerAndClear(HWND AWnd, UINT_PTR& ATimerID) {
  if (ATimerID == 0 || !KillTimer(AWnd, ATimerID)) return false;
  ATimerID = 0;
  return true;
}
