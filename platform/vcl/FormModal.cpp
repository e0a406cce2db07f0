// Closing forms and modal forms: Close asks CloseQuery and OnClose what to do; ShowModal runs a
// nested loop, with the other windows of the application disabled, until ModalResult is set.

#include "vcl/Forms.h"

namespace {
// The enabled, visible top-level windows of this thread other than the modal form.
struct TDisabledWindows {
  HWND Except;
  std::vector<HWND> Windows;
};

BOOL DisableTaskWindow(HWND window, LPARAM data) {
  auto* disabled = reinterpret_cast<TDisabledWindows*>(data);
  if (window != disabled->Except && IsWindowVisible(window) && IsWindowEnabled(window)) {
    disabled->Windows.push_back(window);
    EnableWindow(window, FALSE);
  }
  return TRUE;
}
}  // namespace

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  FOnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application() && Application()->GetMainForm() == this)
    Application()->Terminate();
  else if (action == caHide)
    Hide();
  else if (action == caMinimize)
    SetWindowState(wsMinimized);
  else
    Release();
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  try {
    if (CloseQuery()) {
      action = caHide;
      DoClose(action);
    }
  } catch (...) {
    FModalResult = mrNone;
    throw;
  }
  switch (action) {
    case caNone: FModalResult = mrNone; break;
    case caFree: Release(); break;
    default: break;
  }
}

void TCustomForm::Release() {
  if (HandleAllocated())
    PostMessage(FHandle, CM_RELEASE, 0, 0);
  else
    delete this;
}

void TCustomForm::CMRelease(TMessage&) {
  // Nothing of the form is touched once it is deleted: the dispatch that called us unwinds.
  delete this;
}

void TCustomForm::WMClose(TMessage&) { Close(); }

Integer TCustomForm::ShowModal() {
  if (FVisible || !GetEnabled() || FFormState.Contains(fsModal))
    throw EInvalidOperation("Cannot make a visible window modal");
  if (HWND capture = GetCapture()) SendMessage(capture, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  FFormState.Include(fsModal);
  HWND activeWindow = GetActiveWindow();
  TCursor savedCursor = Screen() ? Screen()->GetCursor() : crDefault;
  if (Screen()) Screen()->SetCursor(crDefault);
  TDisabledWindows disabled{GetHandle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), &DisableTaskWindow, reinterpret_cast<LPARAM>(&disabled));
  auto restore = [&] {
    for (HWND window : disabled.Windows)
      if (IsWindow(window)) EnableWindow(window, TRUE);
    if (Screen() && Screen()->GetCursor() == crDefault) Screen()->SetCursor(savedCursor);
    if (activeWindow && IsWindow(activeWindow)) SetActiveWindow(activeWindow);
    FFormState.Exclude(fsModal);
  };
  Integer result = mrNone;
  try {
    Show();
    try {
      SendMessage(FHandle, CM_ACTIVATE, 0, 0);
      FModalResult = mrNone;
      do {
        Application()->HandleMessage();
        if (Application()->GetTerminated())
          FModalResult = mrCancel;
        else if (FModalResult != mrNone)
          CloseModal();
      } while (FModalResult == mrNone);
      result = FModalResult;
      SendMessage(FHandle, CM_DEACTIVATE, 0, 0);
      if (GetActiveWindow() != FHandle) activeWindow = nullptr;
    } catch (...) {
      Hide();
      throw;
    }
    Hide();
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return result;
}
