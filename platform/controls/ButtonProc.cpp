// The BUTTON window procedure: pressing with the mouse and Space, clicks and what they do to
// check boxes and radio groups, the BM_ messages, and notifications to the parent.

#include "controls/Button.h"
#include "controls/ButtonControl.h"
#include "gdi/Gdi.h"
#include "user/Cursors.h"
#include "user/User.h"

namespace {

constexpr char kClassName[] = "Button";

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLong(window, GWL_STYLE)); }
DWORD TypeOf(HWND window) { return StyleOf(window) & BS_TYPEMASK; }

bool IsCheckBox(DWORD type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}
bool IsRadio(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }
bool IsThreeState(DWORD type) { return type == BS_3STATE || type == BS_AUTO3STATE; }

void Notify(HWND window, WORD code) {
  HWND parent = GetParent(window);
  if (!parent) return;
  WPARAM id = static_cast<WPARAM>(GetWindowLongPtr(window, GWLP_ID));
  SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code), reinterpret_cast<LPARAM>(window));
}

void Redraw(HWND window) { InvalidateRect(window, nullptr, FALSE); }

void SetPushed(HWND window, ButtonState& state, bool pushed) {
  if (state.pushed == pushed) return;
  state.pushed = pushed;
  Redraw(window);
}

void SetCheck(HWND window, ButtonState& state, WPARAM check) {
  DWORD type = TypeOf(window);
  if (!IsCheckBox(type) && !IsRadio(type)) return;
  if (check == BST_INDETERMINATE && !IsThreeState(type)) check = BST_CHECKED;
  if (check > BST_INDETERMINATE) check = BST_CHECKED;
  if (IsRadio(type)) {
    // The checked radio button of a group is the one Tab stops at.
    DWORD style = StyleOf(window);
    SetWindowLong(window, GWL_STYLE, static_cast<LONG>(check ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP)));
  }
  if (state.check == check) return;
  state.check = check;
  Redraw(window);
}

// Unchecks the other automatic radio buttons of the group: the siblings from the nearest
// WS_GROUP window at or before this one up to the next WS_GROUP window.
void UncheckGroup(HWND window) {
  HWND first = window;
  while (!(GetWindowLong(first, GWL_STYLE) & WS_GROUP)) {
    HWND previous = GetWindow(first, GW_HWNDPREV);
    if (!previous) break;
    first = previous;
  }
  for (HWND sibling = first; sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling != first && (GetWindowLong(sibling, GWL_STYLE) & WS_GROUP)) break;
    if (sibling == window) continue;
    if ((SendMessage(sibling, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) &&
        (GetWindowLong(sibling, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
      SendMessage(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
}

// What a click does before the parent hears of it.
void Click(HWND window, ButtonState& state) {
  switch (TypeOf(window)) {
    case BS_AUTOCHECKBOX:
      SetCheck(window, state, state.check ? BST_UNCHECKED : BST_CHECKED);
      break;
    case BS_AUTO3STATE:
      SetCheck(window, state, (state.check + 1) % 3);
      break;
    case BS_AUTORADIOBUTTON:
      SetCheck(window, state, BST_CHECKED);
      UncheckGroup(window);
      break;
    default:
      break;
  }
  Notify(window, BN_CLICKED);
}

void FocusChanged(HWND window, const ButtonState& state) {
  if (TypeOf(window) == BS_OWNERDRAW)
    PaintOwnerDrawnFocus(window, state);
  else
    Redraw(window);
}

bool NotifiesDoubleClicks(HWND window) {
  DWORD type = TypeOf(window);
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON || type == BS_OWNERDRAW || type == BS_USERBUTTON ||
         (StyleOf(window) & BS_NOTIFY);
}

bool Inside(HWND window, LPARAM lParam) {
  RECT client;
  GetClientRect(window, &client);
  int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  return x >= client.Left && x < client.Right && y >= client.Top && y < client.Bottom;
}

LRESULT DialogCode(HWND window) {
  DWORD type = TypeOf(window);
  if (type == BS_GROUPBOX) return DLGC_STATIC;
  if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
  if (type == BS_PUSHBUTTON || type == BS_OWNERDRAW || type == BS_PUSHBOX) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  if (IsRadio(type)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
  return DLGC_BUTTON;
}

LRESULT Handle(HWND window, ButtonState& state, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCDESTROY:
      state.destroyed = true;
      SetWindowLongPtr(window, 0, 0);
      return DefWindowProc(window, message, wParam, lParam);
    case WM_PAINT: {
      // A DC in wParam is the caller's (a double-buffered parent class paints into its buffer).
      if (wParam) {
        PaintButton(window, state, reinterpret_cast<HDC>(wParam));
        return 0;
      }
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      PaintButton(window, state, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintButton(window, state, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers the client area
    case WM_NCHITTEST:
      // A group box lets clicks through to what it frames.
      if (TypeOf(window) == BS_GROUPBOX) return HTTRANSPARENT;
      return DefWindowProc(window, message, wParam, lParam);
    case WM_LBUTTONDBLCLK:
      if (NotifiesDoubleClicks(window)) {
        Notify(window, BN_DOUBLECLICKED);
        return 0;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      if (TypeOf(window) == BS_GROUPBOX) return 0;
      SetFocus(window);
      if (state.destroyed) return 0;
      SetCapture(window);
      state.tracking = true;
      SetPushed(window, state, true);
      return 0;
    case WM_MOUSEMOVE:
      if (state.tracking) SetPushed(window, state, Inside(window, lParam));
      return 0;
    case WM_LBUTTONUP:
      if (!state.tracking) return 0;
      state.tracking = false;
      if (GetCapture() == window) ReleaseCapture();
      if (state.pushed && Inside(window, lParam)) {
        SetPushed(window, state, false);
        Click(window, state);
      } else {
        SetPushed(window, state, false);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (state.tracking) {
        state.tracking = false;
        SetPushed(window, state, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && TypeOf(window) != BS_GROUPBOX && !state.tracking) {
        state.spaceDown = true;
        SetPushed(window, state, true);
      }
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && state.spaceDown) {
        state.spaceDown = false;
        if (state.pushed) {
          SetPushed(window, state, false);
          Click(window, state);
        }
      }
      return 0;
    case WM_SETFOCUS:
      state.focused = true;
      FocusChanged(window, state);
      if (StyleOf(window) & BS_NOTIFY) Notify(window, BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      state.focused = false;
      if (state.spaceDown) {
        state.spaceDown = false;
        state.pushed = false;
        Redraw(window);
      }
      FocusChanged(window, state);
      if (StyleOf(window) & BS_NOTIFY) Notify(window, BN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      Redraw(window);
      return 0;
    case WM_SETTEXT: {
      LRESULT result = DefWindowProc(window, message, wParam, lParam);
      Redraw(window);
      return result;
    }
    case WM_SETFONT:
      state.font = reinterpret_cast<HFONT>(wParam);
      if (lParam) Redraw(window);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(state.font);
    case WM_GETDLGCODE:
      return DialogCode(window);
    case BM_GETCHECK:
      return static_cast<LRESULT>(state.check);
    case BM_SETCHECK:
      SetCheck(window, state, wParam);
      return 0;
    case BM_GETSTATE:
      return static_cast<LRESULT>(state.check | (state.pushed ? BST_PUSHED : 0) | (state.focused ? BST_FOCUS : 0));
    case BM_SETSTATE:
      SetPushed(window, state, wParam != 0);
      return 0;
    case BM_SETSTYLE: {
      DWORD style = StyleOf(window);
      SetWindowLong(window, GWL_STYLE, static_cast<LONG>((style & 0xFFFF0000u) | LOWORD(wParam)));
      if (lParam) Redraw(window);
      return 0;
    }
    case BM_CLICK:
      if (IsWindowEnabled(window) && TypeOf(window) != BS_GROUPBOX) Click(window, state);
      return 0;
    case BM_GETIMAGE:
      return wParam == state.imageType ? reinterpret_cast<LRESULT>(state.image) : 0;
    case BM_SETIMAGE: {
      if (wParam != IMAGE_BITMAP && wParam != IMAGE_ICON) return 0;
      HANDLE previous = state.imageType == wParam ? state.image : nullptr;
      state.image = reinterpret_cast<HANDLE>(lParam);
      state.imageType = static_cast<UINT>(wParam);
      Redraw(window);
      return reinterpret_cast<LRESULT>(previous);
    }
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

LRESULT ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<ButtonState*>(GetWindowLongPtr(window, 0));
  if (!state) {
    if (message != WM_NCCREATE) return DefWindowProc(window, message, wParam, lParam);
    // Owned through the window's extra bytes until WM_NCDESTROY.
    SetWindowLongPtr(window, 0, reinterpret_cast<LONG_PTR>(new ButtonState));
    return DefWindowProc(window, message, wParam, lParam);
  }
  ++state->busy;
  LRESULT result = Handle(window, *state, message, wParam, lParam);
  if (--state->busy == 0 && state->destroyed) delete state;
  return result;
}

}  // namespace

void ButtonStart() {
  WNDCLASS c;
  c.style = CS_DBLCLKS | CS_GLOBALCLASS;
  c.lpfnWndProc = ButtonProc;
  c.cbWndExtra = sizeof(void*);
  c.hCursor = LoadCursor(nullptr, IDC_ARROW);
  c.lpszClassName = kClassName;
  RegisterClass(&c);
}

void ButtonEnd() { UnregisterClass(kClassName, nullptr); }
