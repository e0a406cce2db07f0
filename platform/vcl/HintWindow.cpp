// THintWindow: a small top-most popup in the info colours that never takes the focus.

#include "vcl/Forms.h"

THintWindowClass HintWindowClass = THintWindowClass(THintWindow::ClassInfo());

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FColor = clInfoBk;
  FParentColor = false;
  FParentFont = false;
  FBrush->SetColor(FColor);
  if (Screen()) GetFont()->Assign(Screen()->GetHintFont());
  GetCanvas()->GetFont()->Assign(GetFont());
  FVisible = false;
}

void THintWindow::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  Params.WindowClass.style |= CS_SAVEBITS;
  Params.WndParent = Application() ? Application()->GetHandle() : nullptr;
}

TRect THintWindow::CalcHintRect(Integer MaxWidth, const String& AHint, void*) {
  TRect rect{0, 0, MaxWidth, 0};
  TCanvas* canvas = GetCanvas();
  canvas->GetFont()->Assign(GetFont());
  canvas->RequiredState({csHandleValid, csFontValid});
  DrawText(canvas->GetHandle(), AHint.c_str(), -1, &rect, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  rect.Right += 6;
  rect.Bottom += 2;
  return rect;
}

void THintWindow::ActivateHint(TRect Rect, const String& AHint) {
  SetCaption(AHint);
  Rect.Bottom += 4;
  UpdateBoundsRect(Rect);
  // Kept on the desktop.
  TRect desktop = Screen() ? Screen()->GetDesktopRect() : TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (Rect.Top + FHeight > desktop.Bottom) Rect.Top = desktop.Bottom - FHeight;
  if (Rect.Left + FWidth > desktop.Right) Rect.Left = desktop.Right - FWidth;
  if (Rect.Left < desktop.Left) Rect.Left = desktop.Left;
  if (Rect.Top < desktop.Top) Rect.Top = desktop.Top;
  SetWindowPos(GetHandle(), HWND_TOPMOST, Rect.Left, Rect.Top, FWidth, FHeight, SWP_NOACTIVATE);
  ShowWindow(GetHandle(), SW_SHOWNOACTIVATE);
  Invalidate();
}

bool THintWindow::IsHintMsg(const MSG& Msg) {
  UINT m = Msg.message;
  return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || m == CM_ACTIVATE || m == CM_DEACTIVATE || m == CM_APPKEYDOWN ||
         m == CM_APPSYSCOMMAND || m == WM_COMMAND || (m > WM_MOUSEMOVE && m <= WM_MOUSELAST) || m == WM_NCMOUSEMOVE;
}

void THintWindow::Paint() {
  TCanvas* canvas = GetCanvas();
  TRect rect = GetClientRect();
  rect.Left += 2;
  rect.Top += 2;
  canvas->GetFont()->Assign(GetFont());
  canvas->GetFont()->SetColor(clInfoText);
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
  DrawText(canvas->GetHandle(), GetCaption().c_str(), -1, &rect, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}
