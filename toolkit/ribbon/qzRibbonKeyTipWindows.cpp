// The key-tip windows of the ribbon and their manager.

#include "toolkit/ribbon/qzRibbonKeyTipWindows.h"

#include <algorithm>

#include "gdi/Regions.h"
#include "gdi/Text.h"
#include "rtl/SysUtils.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "user/MessageNumbers.h"
#include "user/Painting.h"
#include "user/WindowPos.h"
#include "user/WindowStyles.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TqzRibbonKeyTipWindow)
TAVREN_CLASS_IMPL(TqzRibbonKeyTipWindows)

namespace {

// A disabled key tip lets 40 % of what lies below show through.
constexpr BYTE DisabledAlpha = 153;

}  // namespace

// ---- Window ----------------------------------------------------------------------------------

TqzRibbonKeyTipWindow::TqzRibbonKeyTipWindow(TqzCustomRibbonSkin* AColorScheme)
    : TCustomControl(nullptr), FColorScheme(AColorScheme) {
  GetCanvas()->SetFont(Screen()->GetHintFont());
  GetCanvas()->GetBrush()->SetStyle(bsClear);
}

void TqzRibbonKeyTipWindow::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}

void TqzRibbonKeyTipWindow::CreateWnd() {
  inherited::CreateWnd();
  if (GetEnabled()) return;
  SetWindowLong(GetHandle(), GWL_EXSTYLE, GetWindowLong(GetHandle(), GWL_EXSTYLE) | WS_EX_LAYERED);
  SetLayeredWindowAttributes(GetHandle(), 0, DisabledAlpha, LWA_ALPHA);
}

void TqzRibbonKeyTipWindow::SizeToText() {
  // Measured on the screen: the window need not exist yet.
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetCanvas()->GetFont()->GetHandle());
  RECT r{0, 0, 0, 0};
  const String text = GetText();
  DrawText(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  SetBounds(GetLeft(), GetTop(), std::max<Integer>(r.Right - r.Left + 6, 16), r.Bottom - r.Top + 2);
}

void TqzRibbonKeyTipWindow::Paint() {
  TCanvas* canvas = GetCanvas();
  const TRect client = GetClientRect();
  if (FColorScheme) FColorScheme->DrawScreenTipBackground(canvas->GetHandle(), client);
  HDC dc = canvas->GetHandle();
  SelectObject(dc, canvas->GetFont()->GetHandle());
  SetTextColor(dc, ColorToRGB(ScreenTipTextColour));
  SetBkMode(dc, TRANSPARENT);
  RECT r = client;
  const String text = GetText();
  DrawText(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TqzRibbonKeyTipWindow::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST:
      Message.Result = HTTRANSPARENT;
      return;
    case CM_ENABLEDCHANGED:
      inherited::WndProc(Message);
      if (HandleAllocated()) RecreateWnd();
      return;
    case CM_TEXTCHANGED:
      inherited::WndProc(Message);
      SizeToText();
      return;
    default:
      inherited::WndProc(Message);
  }
}

// ---- Manager ---------------------------------------------------------------------------------

TqzRibbonKeyTipWindows::~TqzRibbonKeyTipWindows() = default;

void TqzRibbonKeyTipWindows::AddKeyTipWindow(const String& AText, const TPoint& AAnchor, Byte AHorzAlign,
                                             Byte AVertAlign, bool AEnabled, TObject*& AWindow) {
  auto window = std::make_unique<TqzRibbonKeyTipWindow>(FRibbon->GetColorScheme());
  window->SetText(AText);
  window->SetEnabled(AEnabled);
  const Integer w = window->GetWidth(), h = window->GetHeight();
  const Integer left = AHorzAlign == 0 ? AAnchor.X - w : AHorzAlign == 1 ? AAnchor.X : AAnchor.X - w / 2;
  const Integer top = AVertAlign == 0 ? AAnchor.Y - h : AVertAlign == 1 ? AAnchor.Y : AAnchor.Y - h / 2;
  window->SetBounds(left, top, w, h);
  AWindow = window.get();
  FWindows.push_back(std::move(window));
}

void TqzRibbonKeyTipWindows::RemoveKeyTipWindow(TObject* AWindow) {
  auto found = std::find_if(FWindows.begin(), FWindows.end(), [&](const auto& w) { return w.get() == AWindow; });
  if (found == FWindows.end()) throw Exception(String());
  FWindows.erase(found);
}

void TqzRibbonKeyTipWindows::ShowKeyTipWindows() {
  if (FWindows.empty()) return;
  TForm* mainForm = Application()->GetMainForm();
  TCustomForm* owner = mainForm ? mainForm : GetParentForm(FRibbon);
  const HWND ownerWindow = owner && owner->HandleAllocated() ? owner->GetHandle() : nullptr;
  for (const auto& window : FWindows) {
    // The owner first: a window made before it would be made again.
    window->SetParentWindow(ownerWindow);
    window->HandleNeeded();
  }
  HDWP batch = BeginDeferWindowPos(static_cast<int>(FWindows.size()));
  // The batch is closed whatever a step does.
  struct TEndBatch {
    HDWP& Batch;
    ~TEndBatch() {
      if (Batch) EndDeferWindowPos(Batch);
    }
  } endBatch{batch};
  for (const auto& window : FWindows) {
    if (batch)
      batch = DeferWindowPos(batch, window->GetHandle(), HWND_TOPMOST, window->GetLeft(), window->GetTop(),
                             window->GetWidth(), window->GetHeight(),
                             SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
    SetWindowRgn(window->GetHandle(), CreateRoundRectRgn(0, 0, window->GetWidth() + 1, window->GetHeight() + 1, 2, 2),
                 TRUE);
    window->Invalidate();
  }
}
