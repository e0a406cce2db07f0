// The SCROLLBAR window class: a bar filling the client area (SBS_VERT or SBS_HORZ) that sends
// WM_VSCROLL/WM_HSCROLL to its parent, or a size box (SBS_SIZEBOX, SBS_SIZEGRIP).

#include <strings.h>

#include <memory>

#include "controls/ScrollBarState.h"
#include "gdi/Gdi.h"
#include "user/Cursors.h"
#include "user/User.h"

namespace {

constexpr char kClassName[] = "ScrollBar";

ScrollBarValues* StateOf(HWND window) {
  return reinterpret_cast<ScrollBarValues*>(GetWindowLongPtr(window, 0));
}

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLong(window, GWL_STYLE)); }

bool IsSizeBox(HWND window) { return (StyleOf(window) & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0; }

void Paint(HWND window, HDC dc) {
  ScrollBarValues* values = StateOf(window);
  RECT client;
  GetClientRect(window, &client);
  if (IsSizeBox(window)) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (StyleOf(window) & SBS_SIZEGRIP) DrawFrameControl(dc, &client, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    return;
  }
  HWND parent = GetParent(window);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessage(parent ? parent : window, WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  // The default answer is the plain scroll bar colour; the classic trough is checkered.
  if (brush == GetSysColorBrush(COLOR_SCROLLBAR)) brush = nullptr;
  bool enabled = IsWindowEnabled(window) != FALSE;
  bool vertical = (StyleOf(window) & SBS_VERT) != 0;
  DrawScrollBar(dc, LayoutScrollBar(client, vertical, *values, enabled), *values, enabled, brush);
}

void Redraw(HWND window, bool redraw) {
  if (redraw) InvalidateRect(window, nullptr, FALSE);
}

LRESULT KeyDown(HWND window, WPARAM key) {
  bool vertical = ControlScrollBarVertical(window);
  WORD code;
  switch (key) {
    case VK_UP: if (!vertical) return 0; code = SB_LINEUP; break;
    case VK_DOWN: if (!vertical) return 0; code = SB_LINEDOWN; break;
    case VK_LEFT: if (vertical) return 0; code = SB_LINELEFT; break;
    case VK_RIGHT: if (vertical) return 0; code = SB_LINERIGHT; break;
    case VK_PRIOR: code = SB_PAGEUP; break;
    case VK_NEXT: code = SB_PAGEDOWN; break;
    case VK_HOME: code = SB_TOP; break;
    case VK_END: code = SB_BOTTOM; break;
    default: return 0;
  }
  SendScrollCode({window, SB_CTL}, code, 0);
  SendScrollCode({window, SB_CTL}, SB_ENDSCROLL, 0);
  return 0;
}

LRESULT ScrollBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ScrollBarValues* values = StateOf(window);
  if (!values && message != WM_NCCREATE) return DefWindowProc(window, message, wParam, lParam);
  switch (message) {
    case WM_NCCREATE: {
      auto state = std::make_unique<ScrollBarValues>();
      state->max = 0;  // a control starts with an empty range
      SetWindowLongPtr(window, 0, reinterpret_cast<LONG_PTR>(state.release()));
      return DefWindowProc(window, message, wParam, lParam);
    }
    case WM_NCDESTROY:
      SetWindowLongPtr(window, 0, 0);
      delete values;
      return DefWindowProc(window, message, wParam, lParam);
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      Paint(window, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(window, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(window, &p);
      if (StyleOf(window) & SBS_SIZEGRIP) {
        HWND root = GetAncestor(window, GA_ROOT);
        // Sizing the top-level window by its bottom-right corner.
        if (root && root != window) {
          SendMessage(root, WM_SYSCOMMAND, SC_SIZE + (HTBOTTOMRIGHT - HTLEFT + 1),
                      MAKELPARAM(static_cast<WORD>(p.X), static_cast<WORD>(p.Y)));
        }
        return 0;
      }
      if (!IsSizeBox(window)) TrackScrollBar({window, SB_CTL}, p);
      return 0;
    }
    case WM_KEYDOWN:
      return KeyDown(window, wParam);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_ENABLE:
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case SBM_SETPOS: {
      int previous = values->pos;
      SCROLLINFO info;
      info.fMask = SIF_POS;
      info.nPos = static_cast<int>(wParam);
      values->Apply(info);
      Redraw(window, lParam != 0);
      return previous;
    }
    case SBM_GETPOS:
      return values->pos;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
      int previous = values->pos;
      SCROLLINFO info;
      info.fMask = SIF_RANGE;
      info.nMin = static_cast<int>(wParam);
      info.nMax = static_cast<int>(lParam);
      values->Apply(info);
      Redraw(window, message == SBM_SETRANGEREDRAW);
      return previous;
    }
    case SBM_GETRANGE:
      if (wParam) *reinterpret_cast<int*>(wParam) = values->min;
      if (lParam) *reinterpret_cast<int*>(lParam) = values->max;
      return 0;
    case SBM_ENABLE_ARROWS: {
      UINT arrows = static_cast<UINT>(wParam) & ESB_DISABLE_BOTH;
      if (arrows == values->disabledArrows) return FALSE;
      values->disabledArrows = arrows;
      InvalidateRect(window, nullptr, FALSE);
      return TRUE;
    }
    case SBM_SETSCROLLINFO: {
      auto* info = reinterpret_cast<const SCROLLINFO*>(lParam);
      if (!info) return values->pos;
      int pos = values->Apply(*info);
      Redraw(window, wParam != 0);
      return pos;
    }
    case SBM_GETSCROLLINFO: {
      auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
      if (!info || !(info->fMask & SIF_ALL)) return FALSE;
      values->Fill(*info);
      return TRUE;
    }
    case SBM_GETSCROLLBARINFO: {
      auto* info = reinterpret_cast<SCROLLBARINFO*>(lParam);
      ScrollBarGeometry g;
      if (!info || info->cbSize != sizeof(SCROLLBARINFO) || !ScrollBarScreenGeometry({window, SB_CTL}, &g)) return FALSE;
      FillScrollBarInfo(g, *values, IsWindowEnabled(window) != FALSE, info);
      if (!IsWindowVisible(window)) info->rgstate[0] |= STATE_SYSTEM_INVISIBLE;
      return TRUE;
    }
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

ScrollBarValues* ControlScrollBarValues(HWND control) {
  char name[16];
  if (!IsWindow(control) || !GetClassName(control, name, sizeof name) || strcasecmp(name, kClassName) != 0) return nullptr;
  return StateOf(control);
}

bool ControlScrollBarVertical(HWND control) { return (StyleOf(control) & SBS_VERT) != 0; }

void RegisterScrollBarClass() {
  WNDCLASS c;
  c.style = CS_DBLCLKS | CS_GLOBALCLASS;
  c.lpfnWndProc = ScrollBarProc;
  c.cbWndExtra = sizeof(void*);
  c.hCursor = LoadCursor(nullptr, IDC_ARROW);
  c.lpszClassName = kClassName;
  RegisterClass(&c);
}

void UnregisterScrollBarClass() { UnregisterClass(kClassName, nullptr); }
