// The message box window: its layout, painting, keyboard and mouse, and the modal loop around it.
// The buttons are drawn by the box itself (the button control lives in a library above this one).

#include "user/MessageBox.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "gdi/Edges.h"
#include "gdi/Fonts.h"
#include "gdi/SysColors.h"
#include "gdi/SysMetrics.h"
#include "gdi/Text.h"
#include "gdi/TextLayout.h"
#include "user/Cursors.h"
#include "user/Focus.h"
#include "user/Input.h"
#include "user/MessageBoxIcon.h"
#include "user/ModalResponder.h"
#include "user/Painting.h"
#include "user/WindowClasses.h"
#include "user/WindowEffects.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"

namespace {

constexpr const char* kClassName = "#32770";
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kMaxTextWidth = 420;

struct Button {
  int id;
  const char* label;
  RECT rect;
};

struct BoxState {
  String text;
  UINT flags = 0;
  HFONT font = nullptr;
  RECT textRect;
  std::vector<Button> buttons;
  int focus = 0;
  int pressed = -1;      // the button the mouse went down on
  bool pushedIn = false;  // drawn pushed: the mouse is still over it
  int result = 0;
  bool done = false;
};

bool gClassRegistered = false;

BoxState* StateOf(HWND window) { return reinterpret_cast<BoxState*>(GetWindowLongPtr(window, GWLP_USERDATA)); }

std::vector<Button> ButtonsFor(UINT flags) {
  auto make = [](std::initializer_list<std::pair<int, const char*>> list) {
    std::vector<Button> buttons;
    for (auto [id, label] : list) buttons.push_back({id, label, {}});
    return buttons;
  };
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: return make({{IDOK, "OK"}, {IDCANCEL, "Cancel"}});
    case MB_ABORTRETRYIGNORE: return make({{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}});
    case MB_YESNOCANCEL: return make({{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}});
    case MB_YESNO: return make({{IDYES, "&Yes"}, {IDNO, "&No"}});
    case MB_RETRYCANCEL: return make({{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}});
    default: return make({{IDOK, "OK"}});
  }
}

// What Esc and the close button answer: Cancel when there is one, OK when it is alone, else
// nothing (a Yes/No question must be answered).
int CancelAnswer(const BoxState& state) {
  for (const Button& b : state.buttons) {
    if (b.id == IDCANCEL) return IDCANCEL;
  }
  if (state.buttons.size() == 1 && state.buttons[0].id == IDOK) return IDOK;
  return 0;
}

HFONT MessageFont() {
  NONCLIENTMETRICS metrics;
  metrics.cbSize = sizeof metrics;
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return CreateFontIndirect(&metrics.lfMessageFont);
}

char Mnemonic(const char* label) {
  for (const char* p = label; *p; ++p) {
    if (*p == '&' && p[1] && p[1] != '&') return static_cast<char>(std::toupper(static_cast<unsigned char>(p[1])));
  }
  return 0;
}

void Finish(HWND window, BoxState& state, int result) {
  if (result == 0 || state.done) return;
  state.result = result;
  state.done = true;
  // Wakes the loop should it be waiting.
  PostMessage(window, WM_NULL, 0, 0);
}

int ButtonAt(const BoxState& state, POINT p) {
  for (size_t i = 0; i < state.buttons.size(); ++i) {
    const RECT& r = state.buttons[i].rect;
    if (p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom) return static_cast<int>(i);
  }
  return -1;
}

void MoveFocus(HWND window, BoxState& state, int step) {
  int count = static_cast<int>(state.buttons.size());
  state.focus = (state.focus + step + count) % count;
  InvalidateRect(window, nullptr, TRUE);
}

void PaintButton(HDC dc, const Button& button, bool focused, bool pushed) {
  RECT r = button.rect;
  if (focused) {
    // The default push button of the classic look: a black frame around the raised button.
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  }
  if (pushed) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    RECT inner{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    FillRect(dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
  } else {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
  }
  RECT label = r;
  if (pushed) label = {r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawText(dc, button.label, -1, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (focused) {
    RECT focusRect{r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3};
    DrawFocusRect(dc, &focusRect);
  }
}

void Paint(HWND window, BoxState& state) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (!dc) return;
  HGDIOBJ oldFont = SelectObject(dc, state.font);
  SetBkMode(dc, TRANSPARENT);
  if (state.flags & MB_ICONMASK) DrawMessageBoxIcon(dc, kMargin, kMargin, state.flags);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  RECT text = state.textRect;
  DrawText(dc, state.text.c_str(), -1, &text, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  for (size_t i = 0; i < state.buttons.size(); ++i) {
    bool pushed = state.pressed == static_cast<int>(i) && state.pushedIn;
    PaintButton(dc, state.buttons[i], state.focus == static_cast<int>(i), pushed);
  }
  SelectObject(dc, oldFont);
  EndPaint(window, &ps);
}

bool HandleKey(HWND window, BoxState& state, WPARAM key) {
  switch (key) {
    case VK_RETURN: Finish(window, state, state.buttons[state.focus].id); return true;
    case VK_SPACE: Finish(window, state, state.buttons[state.focus].id); return true;
    case VK_ESCAPE: Finish(window, state, CancelAnswer(state)); return true;
    case VK_TAB: MoveFocus(window, state, (GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1); return true;
    case VK_LEFT:
    case VK_UP: MoveFocus(window, state, -1); return true;
    case VK_RIGHT:
    case VK_DOWN: MoveFocus(window, state, 1); return true;
    default: return false;
  }
}

bool HandleMnemonic(HWND window, BoxState& state, WPARAM character) {
  if (character > 0x7F) return false;
  char wanted = static_cast<char>(std::toupper(static_cast<int>(character)));
  for (const Button& b : state.buttons) {
    if (Mnemonic(b.label) == wanted) {
      Finish(window, state, b.id);
      return true;
    }
  }
  return false;
}

LRESULT BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  BoxState* state = StateOf(window);
  if (!state) return DefWindowProc(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: Paint(window, *state); return 0;
    case WM_KEYDOWN:
      if (HandleKey(window, *state, wParam)) return 0;
      break;
    case WM_CHAR:
    case WM_SYSCHAR:
      if (HandleMnemonic(window, *state, wParam) || message == WM_CHAR) return 0;
      break;
    case WM_LBUTTONDOWN: {
      int hit = ButtonAt(*state, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (hit < 0) return 0;
      state->pressed = state->focus = hit;
      state->pushedIn = true;
      SetCapture(window);
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (state->pressed >= 0) {
        bool inside = ButtonAt(*state, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) == state->pressed;
        if (inside != state->pushedIn) {
          state->pushedIn = inside;
          InvalidateRect(window, nullptr, TRUE);
        }
      }
      return 0;
    case WM_LBUTTONUP:
      if (state->pressed >= 0) {
        int pressed = state->pressed;
        bool inside = ButtonAt(*state, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) == pressed;
        state->pressed = -1;
        state->pushedIn = false;
        ReleaseCapture();
        InvalidateRect(window, nullptr, TRUE);
        if (inside) Finish(window, *state, state->buttons[pressed].id);
      }
      return 0;
    case WM_CAPTURECHANGED:
      state->pressed = -1;
      state->pushedIn = false;
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_CLOSE: Finish(window, *state, CancelAnswer(*state)); return 0;
    case WM_DESTROY: state->done = true; break;
    default: break;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

void RegisterBoxClass() {
  if (gClassRegistered) return;
  WNDCLASS c;
  c.lpfnWndProc = BoxProc;
  c.lpszClassName = kClassName;
  c.hCursor = LoadCursor(nullptr, IDC_ARROW);
  c.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  gClassRegistered = RegisterClass(&c) != 0;
}

// Lays the box out: text beside the icon, buttons centred below; answers the client size.
SIZE Layout(BoxState& state) {
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, state.font);
  RECT measure{0, 0, kMaxTextWidth, 0};
  DrawText(screen, state.text.c_str(), -1, &measure, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);

  bool icon = (state.flags & MB_ICONMASK) != 0;
  int textLeft = kMargin + (icon ? kIconSize + kIconGap : 0);
  int textHeight = measure.Height();
  int topBand = std::max(textHeight, icon ? kIconSize : 0);
  // A single line sits level with the middle of the icon.
  int textTop = kMargin + (icon && textHeight < kIconSize ? (kIconSize - textHeight) / 2 : 0);
  state.textRect = Bounds(textLeft, textTop, measure.Width(), textHeight);

  int count = static_cast<int>(state.buttons.size());
  int rowWidth = count * kButtonWidth + (count - 1) * kButtonGap;
  int width = std::max(textLeft + measure.Width() + kMargin, rowWidth + 2 * kMargin);
  int buttonTop = kMargin + topBand + kMargin + 4;
  int left = (width - rowWidth) / 2;
  for (Button& b : state.buttons) {
    b.rect = Bounds(left, buttonTop, kButtonWidth, kButtonHeight);
    left += kButtonWidth + kButtonGap;
  }
  return {width, buttonTop + kButtonHeight + kMargin};
}

// The windows the box makes wait: its owner, or every window of the thread for a task-modal box.
std::vector<HWND> WindowsToDisable(HWND owner, UINT flags) {
  std::vector<HWND> windows;
  if (owner) {
    if (IsWindowEnabled(owner)) windows.push_back(owner);
  } else if (flags & MB_TASKMODAL) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM list) {
          if (IsWindowEnabled(w) && IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
  }
  return windows;
}

}  // namespace

int MessageBox(HWND owner, const char* text, const char* caption, UINT flags) {
  if (owner && !IsWindow(owner)) return 0;
  RegisterBoxClass();
  if (!gClassRegistered) return 0;
  owner = owner ? GetAncestor(owner, GA_ROOT) : nullptr;

  BoxState state;
  state.text = text ? text : "";
  state.flags = flags;
  state.buttons = ButtonsFor(flags);
  int defaultIndex = static_cast<int>((flags & MB_DEFMASK) >> 8);
  state.focus = defaultIndex < static_cast<int>(state.buttons.size()) ? defaultIndex : 0;
  state.font = MessageFont();
  SIZE client = Layout(state);

  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
  DWORD exStyle = WS_EX_DLGMODALFRAME | ((flags & (MB_TOPMOST | MB_SYSTEMMODAL)) ? WS_EX_TOPMOST : 0);
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  RECT area;
  if (owner) GetWindowRect(owner, &area);
  else SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
  int x = area.Left + (area.Width() - frame.Width()) / 2;
  int y = area.Top + (area.Height() - frame.Height()) / 2;

  HWND box = CreateWindowEx(exStyle, kClassName, caption ? caption : "Error", style, std::max(x, 0), std::max(y, 0),
                            frame.Width(), frame.Height(), owner, nullptr, nullptr, nullptr);
  if (!box) {
    DeleteObject(state.font);
    return 0;
  }
  SetWindowLongPtr(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
  std::vector<HWND> disabled = WindowsToDisable(owner, flags);
  for (HWND w : disabled) EnableWindow(w, FALSE);

  ShowWindow(box, SW_SHOW);
  SetFocus(box);
  UpdateWindow(box);
  MessageBeep(flags & MB_ICONMASK);

  ModalRequest request;
  request.kind = "MessageBox";
  request.window = box;
  request.caption = caption ? caption : "";
  request.text = state.text;
  request.flags = flags;
  if (int answer = AskModalResponder(request)) Finish(box, state, answer);

  bool quit = false;
  while (!state.done && IsWindow(box)) {
    MSG msg;
    if (!GetMessage(&msg, nullptr, 0, 0)) {
      // The loops outside must end too.
      PostQuitMessage(static_cast<int>(msg.wParam));
      quit = true;
      break;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }

  // The owner comes back before the box goes, so that activation returns to it.
  for (HWND w : disabled) EnableWindow(w, TRUE);
  if (IsWindow(box)) {
    SetWindowLongPtr(box, GWLP_USERDATA, 0);
    DestroyWindow(box);
  }
  if (owner && IsWindow(owner)) SetActiveWindow(owner);
  DeleteObject(state.font);
  return quit ? 0 : state.result;
}

void MessageBoxEnd() {
  if (gClassRegistered) UnregisterClass(kClassName, nullptr);
  gClassRegistered = false;
}
