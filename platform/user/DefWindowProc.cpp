// The default window procedure: what a window does with a message its own procedure passes on.

#include <algorithm>
#include <cstring>

#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "gdi/Regions.h"
#include "gdi/SysColors.h"
#include "user/Cursors.h"
#include "user/Focus.h"
#include "user/Help.h"
#include "user/Input.h"
#include "user/NonClient.h"
#include "user/Painting.h"
#include "user/WindowInternals.h"
#include "user/WindowPos.h"

namespace {

HBRUSH ClassBrush(const Window* w) {
  HBRUSH brush = w->windowClass ? w->windowClass->background : nullptr;
  uintptr_t value = reinterpret_cast<uintptr_t>(brush);
  // (HBRUSH)(COLOR_xxx + 1) names a system colour.
  if (value > 0 && value <= SYS_COLOR_COUNT) return GetSysColorBrush(static_cast<int>(value - 1));
  return brush;
}

LRESULT EraseBackground(Window* w, HDC dc) {
  HBRUSH brush = ClassBrush(w);
  if (!brush) return 0;
  RECT box;
  if (GetClipBox(dc, &box) == ERROR) GetClientRect(w->handle, &box);
  FillRect(dc, &box, brush);
  return 1;
}

void Print(Window* w, HDC dc, LPARAM flags) {
  if ((flags & PRF_CHECKVISIBLE) && !IsReallyVisible(w)) return;
  HWND handle = w->handle;
  NonClientLayout layout = LayoutNonClient(w);
  POINT clientOffset{0, 0};
  if (flags & PRF_NONCLIENT) {
    int saved = SaveDC(dc);
    ExcludeClipRect(dc, layout.client.Left, layout.client.Top, layout.client.Right, layout.client.Bottom);
    DrawNonClient(w, dc, 0);
    RestoreDC(dc, saved);
    clientOffset = layout.client.TopLeft();
  }
  if (flags & (PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN)) {
    int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, clientOffset.X, clientOffset.Y, nullptr);
    IntersectClipRect(dc, 0, 0, layout.client.Width(), layout.client.Height());
    if (flags & PRF_ERASEBKGND) SendMessage(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (flags & PRF_CLIENT) SendMessage(handle, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
    if (flags & PRF_CHILDREN) {
      // Bottom first, so that children higher in z-order end up on top.
      std::vector<HWND> children;
      for (Window* c = w->lastChild; c; c = c->prev) {
        if (c->Visible()) children.push_back(c->handle);
      }
      for (HWND h : children) {
        Window* c = WindowFromHandle(h);
        if (!c) continue;
        int childSaved = SaveDC(dc);
        OffsetViewportOrgEx(dc, c->windowRect.Left, c->windowRect.Top, nullptr);
        IntersectClipRect(dc, 0, 0, c->windowRect.Width(), c->windowRect.Height());
        SendMessage(h, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags | PRF_NONCLIENT);
        RestoreDC(dc, childSaved);
      }
    }
    RestoreDC(dc, saved);
  }
}

// The caption shows the text and the icon: redraw the frame when either changes.
void InvalidateCaption(Window* w) {
  if ((w->style & WS_CAPTION) == WS_CAPTION && IsReallyVisible(w)) {
    Region frame(RECT{0, 0, w->windowRect.Width(), w->windowRect.Height()});
    frame.Subtract(LayoutNonClient(w).client);
    InvalidateWindowArea(w, &frame, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
  }
}

void SetText(Window* w, const char* text) {
  w->text = text ? text : "";
  NativeWindowTextChanged(w);
  InvalidateCaption(w);
}

// Answers the icon it replaces.
HICON SetIcon(Window* w, WPARAM which, HICON icon) {
  HICON& slot = which == ICON_BIG ? w->bigIcon : w->smallIcon;
  HICON old = slot;
  slot = icon;
  if (old != icon) InvalidateCaption(w);
  return old;
}

// ICON_SMALL2 is what a caption shows: the small icon, else the big one, else the class's small one.
HICON GetIcon(const Window* w, WPARAM which) {
  if (which == ICON_BIG) return w->bigIcon;
  if (which != ICON_SMALL2) return w->smallIcon;
  if (w->smallIcon) return w->smallIcon;
  if (w->bigIcon) return w->bigIcon;
  return w->windowClass ? w->windowClass->smallIcon : nullptr;
}

LRESULT ContextMenuFromKeys(HWND handle) {
  return SendMessage(handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(handle), static_cast<LPARAM>(-1));
}

}  // namespace

LRESULT DefWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = WindowFromHandle(handle);
  if (!w) return 0;
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
      if (create && create->lpszName && reinterpret_cast<uintptr_t>(create->lpszName) > 0xFFFF) w->text = create->lpszName;
      return TRUE;
    }
    case WM_NCCALCSIZE:
      return DefNcCalcSize(w, static_cast<BOOL>(wParam), lParam);
    case WM_NCHITTEST:
      return DefNcHitTest(w, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT:
      DefNcPaint(w, reinterpret_cast<HRGN>(wParam));
      return 0;
    case WM_NCACTIVATE:
      return DefNcActivate(w, static_cast<BOOL>(wParam));
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(handle, &paint);
      EndPaint(handle, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return EraseBackground(w, reinterpret_cast<HDC>(wParam));
    case WM_PRINT:
      Print(w, reinterpret_cast<HDC>(wParam), lParam);
      return 0;
    case WM_SETTEXT:
      SetText(w, reinterpret_cast<const char*>(lParam));
      return TRUE;
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<char*>(lParam);
      int size = static_cast<int>(wParam);
      if (!buffer || size <= 0) return 0;
      int length = std::min<int>(static_cast<int>(w->text.size()), size - 1);
      std::memcpy(buffer, w->text.data(), static_cast<size_t>(length));
      buffer[length] = 0;
      return length;
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_SETICON:
      return reinterpret_cast<LRESULT>(SetIcon(w, wParam, reinterpret_cast<HICON>(lParam)));
    case WM_GETICON:
      return reinterpret_cast<LRESULT>(GetIcon(w, wParam));
    case WM_CLOSE:
      DestroyWindow(handle);
      return 0;
    case WM_SYSCOMMAND:
      return DefSysCommand(w, wParam, lParam);
    case WM_NCLBUTTONDOWN:
      return DefNcLButtonDown(w, wParam, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTCAPTION && (w->style & WS_MAXIMIZEBOX) && w->IsTopLevel()) {
        SendMessage(handle, WM_SYSCOMMAND, (w->style & (WS_MAXIMIZE | WS_MINIMIZE)) ? SC_RESTORE : SC_MAXIMIZE, lParam);
      } else if (wParam == HTSYSMENU) {
        SendMessage(handle, WM_SYSCOMMAND, SC_CLOSE, lParam);
      } else if (wParam == HTVSCROLL || wParam == HTHSCROLL) {
        // A quick second press on a scroll bar is one more press, not a double click.
        return DefNcLButtonDown(w, wParam, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      }
      return 0;
    case WM_RBUTTONUP: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(handle, &p);
      SendMessage(handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(handle), MAKELPARAM(static_cast<WORD>(p.X), static_cast<WORD>(p.Y)));
      return 0;
    }
    case WM_NCRBUTTONUP:
      SendMessage(handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(handle), lParam);
      return 0;
    case WM_CONTEXTMENU:
      if (w->IsChild()) return SendMessage(w->parent->handle, message, wParam, lParam);
      return 0;
    case WM_KEYDOWN:
      // F1 alone asks for help on the window that has the keyboard.
      if (wParam == VK_F1 && !(GetKeyState(VK_SHIFT) & 0x8000) && !(GetKeyState(VK_CONTROL) & 0x8000)) {
        HELPINFO info;
        info.iCtrlId = static_cast<int>(GetWindowLongPtr(handle, GWL_ID));
        info.hItemHandle = handle;
        GetCursorPos(&info.MousePos);
        SendMessage(handle, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
      }
      return 0;
    case WM_HELP:
      if (w->IsChild()) return SendMessage(w->parent->handle, message, wParam, lParam);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_APPS) ContextMenuFromKeys(handle);
      return 0;
    case WM_IME_CHAR:
      // An input-method character follows as the window's characters, queued, a lead byte first:
      // texts take one WM_CHAR per byte.
      if (BYTE lead = HIBYTE(LOWORD(wParam))) PostMessage(handle, WM_CHAR, lead, lParam);
      PostMessage(handle, WM_CHAR, LOBYTE(LOWORD(wParam)), lParam);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (HIWORD(static_cast<uintptr_t>(lParam)) & KF_ALTDOWN)) {
        Window* top = TopLevelOf(w);
        if (top) SendMessage(top->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
      } else if (wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000)) {
        ContextMenuFromKeys(handle);
      }
      return 0;
    case WM_MOUSEACTIVATE:
      if (w->IsChild()) {
        if (LRESULT answer = SendMessage(w->parent->handle, message, wParam, lParam)) return answer;
      }
      return MA_ACTIVATE;
    case WM_SETCURSOR:
      if (w->IsChild() && SendMessage(w->parent->handle, message, wParam, lParam)) return TRUE;
      return DefSetCursor(handle, lParam);
    case WM_MOUSEWHEEL:
      if (w->IsChild()) return SendMessage(w->parent->handle, message, wParam, lParam);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) SetFocus(handle);
      return 0;
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (pos && !(pos->flags & SWP_NOSIZE) && !(w->style & WS_MINIMIZE) &&
          ((w->style & WS_THICKFRAME) || !(w->style & (WS_POPUP | WS_CHILD)))) {
        MINMAXINFO limits;
        QueryMinMaxInfo(w, &limits);
        pos->cx = std::clamp(pos->cx, limits.ptMinTrackSize.X, std::max(limits.ptMinTrackSize.X, limits.ptMaxTrackSize.X));
        pos->cy = std::clamp(pos->cy, limits.ptMinTrackSize.Y, std::max(limits.ptMinTrackSize.Y, limits.ptMaxTrackSize.Y));
      }
      return 0;
    }
    case WM_WINDOWPOSCHANGED:
      SendMoveAndSize(w, reinterpret_cast<const WINDOWPOS*>(lParam));
      return 0;
    case WM_SETREDRAW:
      // As on the platform: redraw off takes the visible bit away (without hiding anything),
      // redraw on gives it back; the caller repaints.
      if (wParam) {
        if (w->redrawOff) {
          w->redrawOff = false;
          w->style |= WS_VISIBLE;
          ChildLayoutChanged(w->parent);
        }
      } else if (w->Visible()) {
        RedrawWindow(handle, nullptr, nullptr, RDW_VALIDATE | RDW_ALLCHILDREN);
        w->redrawOff = true;
        w->style &= ~WS_VISIBLE;
        ChildLayoutChanged(w->parent);
      }
      return 0;
    case WM_CANCELMODE:
      if (GetCapture() == handle) ReleaseCapture();
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      bool windowColour = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(windowColour ? COLOR_WINDOW : COLOR_BTNFACE));
      if (message == WM_CTLCOLORSCROLLBAR) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_SCROLLBAR));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(windowColour ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN:
      return TRUE;
    default:
      return 0;
  }
}
