#include "controls/ListInfoTip.h"

#include "gdi/Gdi.h"
#include "user/User.h"

namespace {

constexpr const char* kTipClass = "ListInfoTip";
constexpr int kPadding = 3;

HFONT TipFont(HWND window) {
  auto font = reinterpret_cast<HFONT>(GetWindowLongPtr(window, 0));
  return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

LRESULT TipProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_SETFONT: SetWindowLongPtr(window, 0, static_cast<LONG_PTR>(wParam)); return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT client;
      GetClientRect(window, &client);
      FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
      HGDIOBJ old = SelectObject(dc, TipFont(window));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
      char text[1024] = {};
      GetWindowText(window, text, sizeof text);
      RECT inner{client.Left + kPadding, client.Top + 1, client.Right - kPadding, client.Bottom - 1};
      DrawText(dc, text, -1, &inner, DT_NOPREFIX | DT_WORDBREAK);
      SelectObject(dc, old);
      EndPaint(window, &ps);
      return 0;
    }
    default: break;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

ListInfoTip::~ListInfoTip() {
  if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
}

void ListInfoTip::Show(HWND owner, POINT screen, const std::string& text, HFONT font) {
  if (!tip_ || !IsWindow(tip_)) {
    tip_ = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kTipClass, "", WS_POPUP | WS_BORDER, 0, 0,
                          10, 10, owner, nullptr, nullptr, nullptr);
    if (!tip_) return;
  }
  SendMessage(tip_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetWindowText(tip_, text.c_str());
  HDC dc = GetDC(tip_);
  HGDIOBJ old = SelectObject(dc, TipFont(tip_));
  RECT measure{0, 0, 400, 0};
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &measure, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
  SelectObject(dc, old);
  ReleaseDC(tip_, dc);
  RECT frame{0, 0, measure.Right + 2 * kPadding, measure.Bottom + 2};
  AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
  SetWindowPos(tip_, HWND_TOPMOST, screen.X, screen.Y + 20, frame.Width(), frame.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
  InvalidateRect(tip_, nullptr, TRUE);
}

void ListInfoTip::Hide() {
  if (tip_ && IsWindow(tip_) && IsWindowVisible(tip_)) ShowWindow(tip_, SW_HIDE);
}

bool ListInfoTip::Visible() const { return tip_ && IsWindow(tip_) && IsWindowVisible(tip_); }

void ListInfoTipRegister() {
  WNDCLASS c;
  c.style = CS_SAVEBITS;
  c.lpfnWndProc = TipProc;
  c.cbWndExtra = sizeof(void*);
  c.hbrBackground = SysColorClassBrush(COLOR_INFOBK);
  c.lpszClassName = kTipClass;
  RegisterClass(&c);
}

void ListInfoTip::ArmHover(HWND owner) {
  if (hoverArmed_) return;
  TRACKMOUSEEVENT track;
  track.dwFlags = TME_HOVER | TME_LEAVE;
  track.hwndTrack = owner;
  track.dwHoverTime = HOVER_DEFAULT;
  hoverArmed_ = TrackMouseEvent(&track) != FALSE;
}
