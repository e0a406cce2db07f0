// The managers' item hints: one hint at a time for all managers, shown after a pause and hidden
// after a while, on thread timers of the user-interface thread.

#include "toolkit/bars/qzBar.h"

namespace {

bool gHintRequested = false;
String gHintText;
TqzBarManager* gHintTimerManager = nullptr;
UINT_PTR gHintTimer = 0;
UINT_PTR gRecentHintTimer = 0;
bool gHintHiddenRecently = false;

bool IsHintWindowVisible() {
  TqzBarHintWindow* window = BarHintWindow();
  return window && window->HandleAllocated() && IsWindowVisible(window->GetHandle());
}

void HideHintWindow() {
  if (IsHintWindowVisible()) ShowWindow(BarHintWindow()->GetHandle(), SW_HIDE);
}

}  // namespace

bool KillHintTimer() { return KillTimerAndClear(nullptr, gHintTimer); }

bool KillRecentHintTimer() {
  if (!KillTimerAndClear(nullptr, gRecentHintTimer)) return false;
  gHintHiddenRecently = false;
  return true;
}

void TqzBarManager::ShowHintTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  KillHintTimer();
  TqzBarManager* manager = gHintTimerManager;
  if (manager && !manager->IsDestroying()) manager->ShowHintNow();
}

void TqzBarManager::HideHintTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  KillHintTimer();
  if (TqzBarManager* manager = gHintTimerManager) manager->HideHint();
}

void TqzBarManager::RecentHintTimerProc(HWND, UINT, UINT_PTR, DWORD) { KillRecentHintTimer(); }

void TqzBarManager::ActivateHint(bool AShow, const String& AHintText, TObject* AHintObject) {
  if (IsCustomizingOrDesigning() || !FShowHint || !BarHintWindow()) return;
  if (AShow && BarHintWindow()->GetScreenTipMode()) ActivateHintCore(false, "", nullptr);
  ActivateHintCore(AShow, AHintText, AHintObject);
}

void TqzBarManager::ActivateHintCore(bool AShow, const String& AHintText, TObject* AHintObject) {
  if (!AShow && !gHintRequested) return;
  gHintRequested = AShow;
  gHintText = AHintText;
  // The selected item control's own hint joins these reasons once item controls exist.
  bool wanted = AShow && (!AHintText.empty() || AHintObject);
  KillHintTimer();
  FHintObject = AHintObject;
  if (wanted) {
    if (IsHintWindowVisible() || gHintHiddenRecently) {
      ShowHintNow();
    } else {
      gHintTimerManager = this;
      gHintTimer = SetTimer(nullptr, 0, BarHintWindow()->GetShowDelay(), ShowHintTimerProc);
    }
  } else if (IsHintWindowVisible()) {
    HideHintWindow();
    if (AShow) {
      KillRecentHintTimer();
      gHintHiddenRecently = true;
      gRecentHintTimer = SetTimer(nullptr, 0, 400, RecentHintTimerProc);
    }
  }
}

void TqzBarManager::ShowHintNow() {
  TqzBarHintWindow* window = BarHintWindow();
  bool shown = false;
  if (!gHintText.empty()) {
    shown = window->ShowHint(this, gHintText, "");
  } else if (auto* provider = dynamic_cast<IqzBarHintProvider*>(FHintObject)) {
    bool flag = false;
    String hint, shortCut;
    if (provider->GetHintTexts(flag, hint, shortCut) && (provider->IsEnabled() || FShowHintForDisabledItems)) {
      if (!FShowShortCutInHint && !Application()->GetHintShortCuts()) shortCut.clear();
      shown = window->ShowHint(this, hint, shortCut);
    }
  }
  if (!shown) {
    HideHint();
    return;
  }
  gHintTimerManager = this;
  gHintTimer = SetTimer(nullptr, 0, window->GetHideDelay(), HideHintTimerProc);
}

// Called as a manager goes: its timers stop and its hint disappears before it leaves the list.
void ForgetManagerHints(TqzBarManager* AManager) {
  if (gHintTimerManager != AManager) return;
  KillHintTimer();
  KillRecentHintTimer();
  HideHintWindow();
  gHintTimerManager = nullptr;
  gHintRequested = false;
}
